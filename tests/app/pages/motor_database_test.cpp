// The motor database dialogs on a table file beside the (pretended) program: browsing, the take-over into the
// project's motor record, the table commands with their messages, and an empty or missing table that takes
// nothing over.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <functional>
#include <utility>
#include <sstream>

#include "app/binding/binding_support.h"
#include "app/documents/file_slots.h"
#include "app/pages/motor_database.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "model/stored_value.h"
#include "platform/backend/capture.h"
#include "tests/app/shell_fixture.h"

namespace {

namespace drv = platform::testing;
namespace fs = std::filesystem;
using app::MotorDatabaseKind;

// A record line: number, flag, name and the stored values, padded with blanks to 60 characters.
std::string Line(int number, int flag, const std::string& name, const std::vector<int>& values) {
  std::string line = std::to_string(number) + "\t" + std::to_string(flag) + "\t" + name;
  for (const int v : values) line.append("\t").append(std::to_string(v));
  if (line.size() < 60) line.resize(60, ' ');
  return line;
}

// Layout 0 columns: poles, P, I, n, V, f, cos phi, R1, X1S, B61, TB, B63, Ki-IQ, Kp-IQ, Ki-ID, Kp-ID.
std::vector<int> Async(int poles, int power) {
  return {poles, power, 350, 1400, 400, 50, 80, 1200, 300, 200, 3, 25, 40, 60, 70, 90};
}

// Ids of the motor database's bound controls (list 122).
constexpr int kPoles = 1422;
constexpr int kPower = 1423;

std::int64_t Raw(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  std::array<std::uint8_t, 8> bytes{};
  EXPECT_EQ(model::ReadElement(record, element, bytes.data(), model::kModeRaw, set), 0);
  return static_cast<std::int64_t>(model::LoadStoredAsDouble(bytes.data(), model::GetElementType(record, element)));
}

class MotorDatabaseTest : public shell_test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    table_ = folder_.path() / "mottab.txt";
    drv::OnMessageBox([this](const drv::MessageBoxRecord& box) {
      boxes_.push_back(box.text);
      return (box.type & MB_YESNOCANCEL) != 0 ? answer_ : IDOK;
    });
  }
  void WriteTable(const std::vector<std::string>& lines, const fs::path& path = {}) {
    std::ofstream f(path.empty() ? table_ : path, std::ios::binary);
    for (const std::string& l : lines) f << l << "\n";
  }
  std::string Table() const {
    std::ifstream f(table_, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  // Runs the program, `before` in its loop, then opens a database dialog; `act` runs once in the dialog.
  INT_PTR OpenWith(int template_number, std::function<void(HWND)> act, std::function<void()> before = [] {},
                   INT_PTR (*opener)() = app::OpenMotorDatabaseDialog) {
    bool acted = false;
    drv::OnDialogIdle(template_number, [&](HWND dialog) {
      if (acted) return;
      acted = true;
      act(dialog);
    });
    INT_PTR result = -1;
    g_open = [&] { result = opener(); };
    // The dialog runs from the program's loop (a posted message), not inside the step, so that the dialog
    // script's actions are delivered at once.
    Run({[&] {
           before();
           ASSERT_TRUE(drv::RegisterTestWindowClass("motor database opener", OpenerProc));
           HWND opener_window = CreateWindow("motor database opener", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                             nullptr, nullptr);
           PostMessage(opener_window, WM_USER, 0, 0);
         },
         [] {}});
    return result;
  }
  static inline std::function<void()> g_open;
  static LRESULT CALLBACK OpenerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_USER && g_open) {
      std::exchange(g_open, nullptr)();
      return 0;
    }
    return DefWindowProc(window, message, wparam, lparam);
  }
  static std::string Item(HWND dialog, int id) { return drv::ItemText(dialog, id); }
  static std::vector<std::string> Names(HWND dialog) {
    std::vector<std::string> names;
    const LRESULT n = SendDlgItemMessage(dialog, 1433, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      std::array<char, 64> text{};
      SendDlgItemMessage(dialog, 1433, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
      names.emplace_back(text.data());
    }
    return names;
  }

  fs::path table_;
  std::vector<std::string> boxes_;
  int answer_ = IDYES;
};

const std::vector<std::string> kThreeMotors = {
    "; motors of the plant",
    Line(1, 0, "pump 1.5kW", Async(4, 150)),
    "short line",
    Line(2, 1, "fan 2.2kW", Async(2, 220)),
    Line(3, 0, "conveyor 4kW", Async(6, 400)),
};

TEST_F(MotorDatabaseTest, BrowsesTheRowsAndOkTakesTheCurrentOneOver) {
  WriteTable(kThreeMotors);
  const std::string before = Table();
  std::int64_t set2_poles = 0;
  std::vector<std::string> seen;
  const INT_PTR result = OpenWith(64, [&](HWND dialog) {
    EXPECT_EQ(drv::Text(dialog), "External motordatabase (Parameterset 1)");
    EXPECT_EQ(Names(dialog), (std::vector<std::string>{"pump 1.5kW", "fan 2.2kW", "conveyor 4kW"}));
    auto where = [&] { seen.push_back(Item(dialog, 1434) + "/" + Item(dialog, 1435) + " " + Item(dialog, kPoles)); };
    where();
    for (int id : {1437, 1437, 1437, 1436, 1436, 1436}) {  // "&>" to the end and beyond, "&<" back and beyond
      drv::ClickItem(dialog, id);
      where();
    }
    EXPECT_TRUE(drv::SelectItem(GetDlgItem(dialog, 1433), 2));
    where();
    drv::PumpUntilIdle();
    EXPECT_TRUE(platform::backend::SaveWindowPng(
        dialog, (fs::path(::testing::TempDir()) / "motor_database_dialog.png").string(), true));
    drv::ClickItem(dialog, IDOK);
  }, [&] { set2_poles = Raw(43, 26); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"1/3 8", "2/3 4", "3/3 12", "3/3 12", "2/3 4", "1/3 8", "1/3 8",
                                            "3/3 12"}));
  EXPECT_EQ(Raw(42, 26), 6);
  EXPECT_EQ(Raw(42, 6), 400);
  EXPECT_EQ(Raw(43, 26), set2_poles) << "parameter set 2 is not the active one";
  EXPECT_EQ(app::ReadExternalMotorNumber(0), 3);
  EXPECT_EQ(Table(), before) << "browsing writes nothing";
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(MotorDatabaseTest, AnEmptyOrMissingTableOpensEmptyAndTakesNothingOver) {
  struct Case {
    const char* what;
    bool file;
    std::size_t messages;
  };
  for (const Case c : {Case{"comment lines only", true, 0}, Case{"no file", false, 1}}) {
    SCOPED_TRACE(c.what);
    fs::remove(table_);
    if (c.file) WriteTable({"; no motors yet", "short"});
    boxes_.clear();
    std::int64_t poles = 0;
    const INT_PTR result = OpenWith(64, [&](HWND dialog) {
      EXPECT_TRUE(Names(dialog).empty());
      EXPECT_EQ(Item(dialog, 1434) + "/" + Item(dialog, 1435), "0/0");
      for (int id : {1437, app::kWriteDatabaseButton, app::kDeleteRowButton}) drv::ClickItem(dialog, id);
      drv::ClickItem(dialog, IDOK);
    }, [&] { poles = Raw(42, 26); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Raw(42, 26), poles) << "the motor record is left as it was";
    EXPECT_EQ(app::ReadExternalMotorNumber(0), 0);
    ASSERT_EQ(boxes_.size(), c.messages);
    if (c.messages > 0) {
      EXPECT_EQ(boxes_[0].rfind("Error in file with external motordatabase", 0), 0u) << boxes_[0];
    }
    EXPECT_EQ(fs::exists(table_), c.file);
  }
}

// No table yet (a fresh folder): the dialog says so once, and Add creates the table with its first row.
TEST_F(MotorDatabaseTest, AddCreatesAMissingTable) {
  fs::remove(table_);
  boxes_.clear();
  OpenWith(64, [&](HWND dialog) {
    drv::ClickItem(dialog, app::kAddRowButton);
    EXPECT_EQ(Item(dialog, 1434) + "/" + Item(dialog, 1435), "1/1");
    EXPECT_EQ(Names(dialog), std::vector<std::string>{model::kMotorPlaceholderName});
    drv::ClickItem(dialog, IDCANCEL);
  });
  ASSERT_EQ(boxes_.size(), 1u) << "the missing table only";
  EXPECT_EQ(boxes_[0].rfind("Error in file with external motordatabase", 0), 0u) << boxes_[0];
  EXPECT_TRUE(fs::exists(table_));
}

// More rows than the dialog's 16-bit count: it shows the first 65535 and says how many were left out, once.
TEST_F(MotorDatabaseTest, ATableBeyondTheCountSaysHowManyRowsWereLeftOut) {
  std::string content;
  const std::string line = Line(1, 0, "pump 1.5kW", Async(4, 150)) + "\n";
  for (int i = 0; i < 65538; ++i) content += line;
  std::ofstream(table_, std::ios::binary) << content;
  boxes_.clear();
  OpenWith(64, [&](HWND dialog) {
    EXPECT_EQ(Item(dialog, 1435), "65535");
    drv::ClickItem(dialog, IDCANCEL);
  });
  EXPECT_EQ(boxes_, std::vector<std::string>{"The motor database holds more rows than can be shown: the first 65535 "
                                             "are shown, 3 rows were left out."});
}

TEST_F(MotorDatabaseTest, AnEditedRowIsWrittenAddedRenamedAndDeletedInTheFile) {
  WriteTable(kThreeMotors);
  OpenWith(64, [&](HWND dialog) {
    // An entry goes into the row (not the file) when its edit loses the focus; Write puts it into the file.
    drv::Type(GetDlgItem(dialog, kPoles), "16");  // 16 poles: 8 pole pairs stored
    SetFocus(GetDlgItem(dialog, kPower));
    drv::PumpUntilIdle();
    EXPECT_EQ(Table().find(Line(1, 0, "pump 1.5kW", Async(8, 150))), std::string::npos);
    drv::ClickItem(dialog, app::kWriteDatabaseButton);
    EXPECT_NE(Table().find(Line(1, 0, "pump 1.5kW", Async(8, 150))), std::string::npos) << Table();
    // Add copies a row with the placeholder name (after the protected rows: at the end) and shows the new row.
    drv::ClickItem(dialog, app::kAddRowButton);
    EXPECT_EQ(Item(dialog, 1434) + "/" + Item(dialog, 1435), "4/4");
    EXPECT_EQ(Names(dialog)[3], "     neu         ");
    // A name typed into the combo is written when the combo loses the focus.
    SetFocus(GetDlgItem(dialog, 1433));
    SetDlgItemText(dialog, 1433, "");
    drv::Type(GetDlgItem(dialog, 1433), "mixer 3kW");
    SetFocus(GetDlgItem(dialog, kPoles));
    drv::PumpUntilIdle();
    EXPECT_EQ(Names(dialog)[3], "mixer 3kW");
    // Delete asks; No keeps the row, Yes removes it; deleting the last row makes the new last row current.
    drv::ClickItem(dialog, 1436);
    answer_ = IDNO;
    drv::ClickItem(dialog, app::kDeleteRowButton);
    EXPECT_EQ(Item(dialog, 1434) + "/" + Item(dialog, 1435), "3/4");
    answer_ = IDYES;
    drv::ClickItem(dialog, app::kDeleteRowButton);
    EXPECT_EQ(Item(dialog, 1434) + "/" + Item(dialog, 1435), "3/3");
    EXPECT_EQ(Names(dialog)[2], "mixer 3kW");
    drv::ClickItem(dialog, app::kDeleteRowButton);
    EXPECT_EQ(Item(dialog, 1434) + "/" + Item(dialog, 1435), "2/2");
    drv::ClickItem(dialog, IDCANCEL);
  });
  const std::string table = Table();
  EXPECT_EQ(table.find("mixer 3kW"), std::string::npos) << table;
  EXPECT_EQ(table.find("conveyor 4kW"), std::string::npos) << table;
  EXPECT_NE(table.find("fan 2.2kW"), std::string::npos) << table;
  EXPECT_EQ(table.rfind("; motors of the plant", 0), 0u) << "comments stay";
  ASSERT_EQ(boxes_.size(), 3u);
  EXPECT_EQ(boxes_[0], "Are you shure to delete the dataset in database?");
  EXPECT_EQ(app::ReadExternalMotorNumber(0), 0) << "Cancel takes nothing over";
}

TEST_F(MotorDatabaseTest, AProtectedRowRefusesWriteDeleteAndRename) {
  WriteTable(kThreeMotors);
  const std::string before = Table();
  OpenWith(64, [&](HWND dialog) {
    drv::ClickItem(dialog, 1437);  // "fan 2.2kW", write-protected
    drv::ClickItem(dialog, app::kWriteDatabaseButton);
    drv::ClickItem(dialog, app::kDeleteRowButton);
    SetFocus(GetDlgItem(dialog, 1433));
    drv::Type(GetDlgItem(dialog, 1433), "x");
    SetFocus(GetDlgItem(dialog, kPoles));
    drv::PumpUntilIdle();
    EXPECT_EQ(Names(dialog)[1], "fan 2.2kW");
    drv::ClickItem(dialog, IDCANCEL);
  });
  EXPECT_EQ(Table(), before);
  const std::string refused = "Dataset cannot be deleted or changed because of writeprotecting!";
  EXPECT_EQ(boxes_, (std::vector<std::string>{refused, "Are you shure to delete the dataset in database?", refused,
                                              refused}));
}

TEST_F(MotorDatabaseTest, ARefusedEntryShowsItsMessageAndKeepsTheRow) {
  WriteTable(kThreeMotors);
  OpenWith(64, [&](HWND dialog) {
    drv::Type(GetDlgItem(dialog, kPoles), "600");  // 300 pole pairs: beyond the byte
    SetFocus(GetDlgItem(dialog, kPower));
    drv::PumpUntilIdle();
    EXPECT_EQ(Item(dialog, kPoles), "8");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kPoles)) << "the focus goes back to the refused entry";
    drv::ClickItem(dialog, IDOK);
  });
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_NE(dialogs_[0].find("B10 poles"), std::string::npos) << dialogs_[0];
  EXPECT_EQ(Raw(42, 26), 4);
}

TEST_F(MotorDatabaseTest, OkOnAReverseDocumentationAsksAndADeclineLeavesTheMotorRecord) {
  WriteTable(kThreeMotors);
  drv::OnDialogIdle(4, [&](HWND d) {
    dialogs_.push_back(drv::ItemText(d, 100));
    EndDialog(d, 2);  // no
  });
  std::int64_t poles = 0;
  OpenWith(64, [&](HWND dialog) {
    drv::ClickItem(dialog, 1437);
    drv::ClickItem(dialog, 1437);
    drv::ClickItem(dialog, IDOK);
  }, [&] {
    ASSERT_EQ(model::ConvertToProjectType(model::kFileKindReverseDoc, 0), model::kFileKindReverseDoc);
    poles = Raw(42, 26);
  });
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].rfind("Do you want to modify this value?", 0), 0u) << dialogs_[0];
  EXPECT_EQ(Raw(42, 26), poles);
  EXPECT_EQ(app::ReadExternalMotorNumber(0), 0);
}

TEST_F(MotorDatabaseTest, FamilyTwoOpensTheServoTableAndItsDialog) {
  WriteTable({Line(1, 0, "servo 0.4kW", {12, 1, 8, 40, 190, 3000, 130, 50, 900, 20, 30, 40})},
             folder_.path() / "esmottab.txt");
  WriteTable(kThreeMotors);
  const std::uint8_t family = 2;
  INT_PTR motor_result = -1;
  const INT_PTR result = OpenWith(
      78,
      [&](HWND dialog) {
        EXPECT_EQ(drv::Text(dialog), "External servo motor database (Parameter set 1)");
        EXPECT_EQ(drv::ItemText(dialog, 1488), "1");
        EXPECT_EQ(drv::ItemText(dialog, 1476), "16") << "B10 poles (8 pole pairs)";
        drv::ClickItem(dialog, IDOK);
      },
      [&] {
        ASSERT_EQ(model::WriteElement(304, 0, &family, model::kModeRaw, 0), 0);
        motor_result = app::OpenMotorDatabaseDialog();
      },
      app::OpenServoMotorDatabaseDialog);
  EXPECT_EQ(motor_result, 0) << "the motor database is not the one of family 2";
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Raw(42, 26), 8);
  EXPECT_EQ(app::ReadExternalMotorNumber(0), 1);
}

TEST(MotorTablePath, BesideTheProgramByFamilyAndOnlyIntoABufferOf260) {
  platform::sys::SetExecutablePathOverride("/opt/drive/bin/vqpt32");
  std::array<char, 300> out{};
  EXPECT_EQ(app::GetMotorTablePath(out.data(), 260, 1), 0);
  EXPECT_STREQ(out.data(), "/opt/drive/bin/mottab.txt");
  EXPECT_EQ(app::GetMotorTablePath(out.data(), 300, 2), 0);
  EXPECT_STREQ(out.data(), "/opt/drive/bin/esmottab.txt");
  EXPECT_EQ(app::GetMotorTablePath(out.data(), 300, 3), 0);
  EXPECT_STREQ(out.data(), "/opt/drive/bin/mottab.txt");
  EXPECT_EQ(app::GetMotorTablePath(out.data(), 259, 1), 1);
  platform::sys::SetExecutablePathOverride("/" + std::string(290, 'd') + "/vqpt32");
  EXPECT_EQ(app::GetMotorTablePath(out.data(), 300, 1), 1) << "a path that does not fit";
  platform::sys::SetExecutablePathOverride(std::nullopt);
}

}  // namespace

namespace {

// The tables the motor page and the database dialogs rely on: control 256 of the motor page is "B62 TB-motor",
// and a database list binds record 348 (the rows' working copy) on elements the table file holds.
TEST(MotorPageTables, TheDatabaseListsBindTheTableColumnsAndControl256IsTheTbMotor) {
  for (const std::uint8_t list : {15, 16}) {
    app::binding::ListRows rows;
    ASSERT_TRUE(app::binding::LoadRows(list, 0, rows));
    int id = 244;
    std::string at_256;
    for (std::size_t i = 0; i < rows.count; ++i) {
      if (id == 256 && app::binding::IdsOfRow(rows[i]) > 0 && at_256.empty()) at_256 = rows[i].texts[0];
      id += app::binding::IdsOfRow(rows[i]);
    }
    EXPECT_EQ(at_256, "B62 TB-motor") << "list " << int(list);
  }
  for (const MotorDatabaseKind kind : {MotorDatabaseKind::kMotor, MotorDatabaseKind::kServo}) {
    const app::MotorDatabaseDialog& d = app::MotorDatabaseOf(kind);
    app::binding::ListRows rows;
    ASSERT_TRUE(app::binding::LoadRows(d.list, 0, rows));
    const auto columns = model::MotorTableColumns(d.layout);
    int ids = 0;
    for (std::size_t i = 0; i < rows.count; ++i) {
      ids += app::binding::IdsOfRow(rows[i]);
      EXPECT_EQ(rows[i].record, 348) << rows[i].texts[0];
      if (!app::binding::IsHeading(rows[i])) {
        EXPECT_NE(std::find(columns.begin(), columns.end(), rows[i].element), columns.end()) << rows[i].texts[0];
      }
    }
    EXPECT_EQ(ids, d.last - d.first) << "list " << int(d.list);
  }
}

}  // namespace
