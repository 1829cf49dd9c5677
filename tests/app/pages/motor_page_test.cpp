// The motor page and its database: the page's button opens the database dialog of the device family beside it,
// a row taken over there shows on the page, a motor type chosen on the page forgets the database motor, and the
// page leaves an open database dialog first (OK takes its row over, Cancel takes nothing). What the page enables
// follows the file kind and the motor type.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

#include "app/binding/dialog_binding.h"
#include "app/documents/file_slots.h"
#include "app/pages/motor_database.h"
#include "app/pages/parameter_pages.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "tests/app/shell_fixture.h"

namespace {

namespace drv = platform::testing;
using shell_test::ShellTest;

constexpr UINT kMotorCommand = 2038;
constexpr int kDatabaseButton = 6;
constexpr int kMotorType = 244;
constexpr int kPoles = 245;
constexpr int kTbMotor = 256;
constexpr int kMarker = 270;

void PutByte(std::uint16_t record, std::uint16_t element, std::uint8_t value) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, 0), 0) << record << "/" << element;
}

std::uint8_t Byte(std::uint16_t record, std::uint16_t element) {
  std::uint8_t value = 0;
  EXPECT_EQ(model::ReadElement(record, element, &value, model::kModeRaw, 0), 0);
  return value;
}

class MotorPageTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    std::ofstream table(folder_.path() / "mottab.txt", std::ios::binary);
    table << "1\t0\tpump 1.5kW\t4\t150\t350\t1400\t400\t50\t80\t1200\t300\t200\t3\t25\t40\t60\t70\t90\n"
          << "2\t0\tconveyor 4kW\t6\t400\t850\t1400\t400\t50\t82\t900\t300\t200\t3\t25\t40\t60\t70\t90\n";
  }
  // Runs the program: `prepare` in its loop, then the motor page from its menu command; `act` runs once on the
  // page, `in_database` once in the database dialog.
  void OpenPage(std::function<void()> prepare, std::function<void(HWND)> act,
                std::function<void(HWND)> in_database = nullptr, int page_template = 16, int database_template = 64) {
    bool acted = false;
    drv::OnDialogIdle(page_template, [&](HWND page) {
      if (acted) return;
      acted = true;
      page_ = page;
      act(page);
    });
    bool in = false;
    drv::OnDialogIdle(database_template, [&](HWND database) {
      if (in) return;
      in = true;
      if (in_database) in_database(database);
    });
    Run({prepare, [] { PostMessage(app::MainWindow(), WM_COMMAND, kMotorCommand, 0); }});
    EXPECT_TRUE(acted);
    EXPECT_EQ(drv::DeadlockCount(), 0);
  }
  HWND page_ = nullptr;
};

// Button 6 by file kind and motor type; control 256 (B62 TB-motor) by motor type; the make marker by the
// target's version letter.
TEST_F(MotorPageTest, WhatThePageEnablesFollowsTheFileAndTheMotorType) {
  struct Case {
    const char* what;
    bool reverse_doc;
    std::uint8_t motor_type;
    std::uint8_t letter;
    bool button;
    bool tb_motor;
    const char* marker;
  };
  const Case cases[] = {
      {"project, user-defined motor", false, 0, 'E', true, true, " "},
      {"project, built-in motor", false, 7, 'D', false, false, "(ZPR motor)"},
      // On a reverse documentation the button keeps the state the template gives it.
      {"reverse documentation, built-in motor", true, 7, 'E', true, false, " "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenPage(
        [&] {
          PutByte(42, 29, c.motor_type);
          PutByte(c.reverse_doc ? 5 : 304, 5, c.letter);
          if (c.reverse_doc) {
            ASSERT_EQ(model::ConvertToProjectType(model::kFileKindReverseDoc, 0), model::kFileKindReverseDoc);
            PutByte(5, 5, c.letter);
            PutByte(304, 5, c.letter);
          }
        },
        [&](HWND page) {
          EXPECT_EQ(drv::Enabled(page, kDatabaseButton), c.button);
          EXPECT_EQ(drv::Enabled(page, kTbMotor), c.tb_motor);
          EXPECT_EQ(drv::ItemText(page, kMarker), c.marker);
          drv::ClickItem(page, IDCANCEL);
        });
  }
}

TEST_F(MotorPageTest, ARowTakenOverInTheDatabaseShowsOnThePage) {
  std::string poles_after;
  OpenPage([] { PutByte(42, 29, 0); },
           [&](HWND page) {
             drv::ClickItem(page, kDatabaseButton);
             poles_after = drv::ItemText(page, kPoles);
             EXPECT_FALSE(IsWindowEnabled(app::MainWindow())) << "the page is still modal on the main window";
             EXPECT_EQ(GetActiveWindow(), page);
             drv::ClickItem(page, IDOK);
           },
           [](HWND database) {
             drv::ClickItem(database, 1437);
             drv::ClickItem(database, IDOK);
           });
  EXPECT_EQ(poles_after, "12") << "the page is filled again (6 pole pairs)";
  EXPECT_EQ(Byte(42, 26), 6);
  EXPECT_EQ(Byte(15, 2), 2);
}

TEST_F(MotorPageTest, ChoosingAMotorTypeForgetsTheDatabaseMotor) {
  OpenPage([] { PutByte(15, 2, 2); },
           [&](HWND page) {
             ASSERT_TRUE(drv::SelectItem(GetDlgItem(page, kMotorType), 5));
             EXPECT_EQ(Byte(15, 2), 0);
             drv::ClickItem(page, IDOK);
           });
  EXPECT_EQ(Byte(42, 29), 5);
}

// Family 2: the page's button opens the servo database ("esmottab.txt") when the motor type is the
// user-defined servo motor (60).
TEST_F(MotorPageTest, FamilyTwoOpensTheServoDatabase) {
  std::ofstream(folder_.path() / "esmottab.txt", std::ios::binary)
      << "1\t0\tservo 0.4kW\t2817\t1\t8\t40\t190\t3000\t130\t50\t900\t20\t30\t40                \n";
  std::string caption;
  OpenPage([] {
             PutByte(304, 0, 2);
             PutByte(42, 29, 60);
           },
           [&](HWND page) {
             EXPECT_TRUE(drv::Enabled(page, kDatabaseButton));
             drv::ClickItem(page, kDatabaseButton);
             drv::ClickItem(page, IDOK);
           },
           [&](HWND database) {
             caption = drv::Text(database);
             drv::ClickItem(database, IDOK);
           },
           53, 78);
  EXPECT_EQ(caption, "External servo motor database (Parameter set 1)");
  EXPECT_EQ(Byte(42, 26), 8);
  EXPECT_EQ(Byte(15, 2), 1);
}

// The page left while its database dialog is open: OK there first (the row taken over), or Cancel there first
// (nothing taken over, the page's values put back).
TEST_F(MotorPageTest, LeavingThePageClosesTheDatabaseFirst) {
  for (const int button : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(button);
    std::uint8_t poles = 0;
    OpenPage([&] {
               PutByte(42, 29, 0);
               PutByte(15, 2, 0);
               poles = Byte(42, 26);
             },
             [&](HWND page) {
               drv::ClickItem(page, kDatabaseButton);
               EXPECT_EQ(app::MotorDatabaseWindow(app::MotorDatabaseKind::kMotor), nullptr);
             },
             [&](HWND database) {
               drv::ClickItem(database, 1437);
               drv::ClickItem(page_, button);
             });
    EXPECT_EQ(Byte(42, 26), button == IDOK ? 6 : poles);
    EXPECT_EQ(Byte(15, 2), button == IDOK ? 2 : 0);
    EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
  }
}

}  // namespace
