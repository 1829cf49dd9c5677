// The real vqpt32 on a virtual X server takes a motor over from the external motor database with real keys: the
// project named on the command line (its motor type "user defined"), Projecting > B.. Motor from the keyboard,
// the page's "from ext. database..." button reached backwards with Shift+Tab, the second row of "mottab.txt"
// (beside the program) picked in the name box with the Down key, Enter (OK) taking it over, Alt+O (OK) on the page,
// File > Save; the saved project holds the row's motor data and its external motor number. Screenshots of the
// database dialog and of the page are left in the test folder.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/motor_table.h"
#include "model/project_file.h"
#include "model/record_layout.h"
#include "model/stored_value.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

constexpr std::int64_t kCosPhi = 79;
constexpr std::int64_t kR1 = 1234;

class XvfbMotorDatabaseTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
    // Two motors with the project's own (valid) motor data, the second with another R1 and cos phi.
    model::InitDataSet(1);
    std::vector<std::int64_t> values;
    for (const std::uint16_t element : model::MotorTableColumns(model::kMotorLayoutAsync)) {
      std::array<std::uint8_t, 8> stored{};
      ASSERT_EQ(model::ReadElement(42, element, stored.data(), model::kModeRaw, 1), 0);
      values.push_back(static_cast<std::int64_t>(
          model::LoadStoredAsDouble(stored.data(), model::GetElementType(42, element))));
    }
    std::ofstream table(folder_.path() / "mottab.txt", std::ios::binary);
    table << "; plant motors\n" << model::FormatMotorTableLine(1, "pump", values) << "\n";
    values[6] = kCosPhi;
    values[7] = kR1;
    table << model::FormatMotorTableLine(2, "conveyor", values) << "\n";
    table.close();
    project_ = folder_.path() / "plant.zpr";
    WriteProject(project_, [] {
      const std::uint8_t user_defined = 0;
      ASSERT_EQ(model::WriteElement(42, 29, &user_defined, model::kModeRaw, 1), 0);
    });
  }
  std::string binary_;
  fs::path project_;
};

TEST_F(XvfbMotorDatabaseTest, AMotorPickedInTheDatabaseIsTakenOverAndSaved) {
  Program program(binary_, server_.display(), "", {project_.string()});
  const Window main = WaitForMainWindow(program, "ZPR-Tool - File 1: PLANT.ZPR");
  ASSERT_NE(main, 0u);
  // Projecting opens with its first item; eight steps down (over the separator) reach B.. Motor.
  PickProjectingItem(main, 8);
  const Window page = WaitForWindow("B.. Motor (Parameter set 1)");
  ASSERT_NE(page, 0u) << "the motor page did not open";
  Pause(300);
  // Backwards from the first control: Next, Previous, Cancel, OK, then "from ext. database...".
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(X({"key", "shift+Tab"}));
  ASSERT_TRUE(X({"key", "space"}));
  const Window database = WaitForWindow("External motordatabase (Parameterset 1)");
  ASSERT_NE(database, 0u) << "the database dialog did not open";
  Pause(300);
  // Backwards from the first value: Add, Delete, Cancel, OK, Write, then the name box; Down picks the next row.
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(X({"key", "shift+Tab"}));
  ASSERT_TRUE(X({"key", "Down"}));
  Pause(250);
  SavePng(database, "vqpt32_xvfb_motor_database.png");
  ASSERT_TRUE(X({"key", "Return"}));
  ASSERT_TRUE(WaitForWindowGone("External motordatabase (Parameterset 1)")) << "the database dialog stayed open";
  Pause(250);
  SavePng(page, "vqpt32_xvfb_motor_page.png");
  // The focus is back on the database button: the page's OK by its mnemonic.
  ASSERT_TRUE(X({"key", "alt+o"}));
  ASSERT_TRUE(WaitForWindowGone("B.. Motor (Parameter set 1)")) << "the page stayed open";
  Pause(250);
  SaveByMenuAndClose(program, main);

  ReadProjectBack(project_);
  std::uint8_t cos_phi = 0;
  std::uint16_t r1 = 0;
  std::uint8_t number = 0;
  ASSERT_EQ(model::ReadElement(42, 27, &cos_phi, model::kModeRaw, 1), 0);
  ASSERT_EQ(model::ReadElement(42, 10, &r1, model::kModeRaw, 1), 0);
  ASSERT_EQ(model::ReadElement(15, 2, &number, model::kModeRaw, 1), 0);
  EXPECT_EQ(cos_phi, kCosPhi);
  EXPECT_EQ(r1, kR1);
  EXPECT_EQ(number, 2);
}

}  // namespace
