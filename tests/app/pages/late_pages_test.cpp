// The last pages of the chain on the headless layer, as a table over the pages: each opens with its caption,
// fills its first editable number from the data set, commits a typed value when the edit loses the focus,
// refuses a value beyond its range (message, stored value kept and shown again) and gives the opening values
// back on Cancel. Then what each page adds: the posi records browsed on J + L, the I page's template, hint and
// part 2, the P page's motor question and option-board note, the jump targets bound row by row, the developer
// fields that are no parameters, the unit texts of N, and the menu commands that open the pages.
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <functional>

#include "app/binding/binding_support.h"
#include "app/documents/file_slots.h"
#include "app/pages/copy_process_block.h"
#include "app/pages/late_pages.h"
#include "app/pages/menu_skip_pages.h"
#include "app/pages/parameter_page_frame.h"
#include "app/pages/posi_records.h"
#include "app/shell/main_commands.h"
#include "model/confirm_hook.h"
#include "model/element_access.h"
#include "model/unit_texts.h"
#include "platform/backend/capture.h"
#include "tests/app/pages_fixture.h"

namespace pages_test {
namespace {

struct Editable {
  int id = 0;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  double lower = 0.0;
  double upper = 0.0;
  std::uint8_t kind = 0;
  std::uint8_t attributes = 0;  // the decimals the page shows the value with
};

// The page's first number edit that is enabled, with its element and range.
Editable FirstEditable(HWND dialog) {
  const app::PageState* page = app::PageStateOf(dialog);
  Editable found;
  if (page == nullptr) return found;
  app::binding::ListRows rows;
  if (!app::binding::LoadRows(page->list, 0, rows)) return found;
  int id = page->first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const auto& row = rows[i];
    if (row.kind == 1 && row.flag != 0 && IsWindowEnabled(GetDlgItem(dialog, id)) &&
        model::GetElementLowerLimit(row.record, row.element, &found.lower, model::kModeConverted, 0) == 0 &&
        model::GetElementUpperLimit(row.record, row.element, &found.upper, model::kModeConverted, 0) == 0 &&
        found.upper - found.lower >= 2) {
      found.id = id;
      found.record = row.record;
      found.element = row.element;
      found.kind = row.kind;
      found.attributes = row.attributes;
      return found;
    }
    id += app::binding::IdsOfRow(row);
  }
  return found;
}

// Types into an edit as the user does and leaves it (the edit loses the focus to OK).
void TypeAndLeave(HWND dialog, int id, const std::string& text) {
  SetFocus(GetDlgItem(dialog, id));
  drv::PumpUntilIdle();
  SetDlgItemText(dialog, id, text.c_str());
  SetFocus(GetDlgItem(dialog, IDOK));
  drv::PumpUntilIdle();
}

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

class LatePagesTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    app::ResetFileSlots();
    // A family-1 device of version 'E' with positioning in use, so that every page shows its rows.
    PutRaw<std::uint8_t>(304, 5, 'E');
    PutRaw<std::uint8_t>(38, 56, 2);
    PutRaw<std::uint8_t>(39, 56, 2);
  }
  INT_PTR Run(int number, INT_PTR (*open)(), drv::DialogScript script) {
    drv::OnDialogIdle(number, std::move(script));
    return open();
  }
};

struct PageCase {
  const char* name;
  INT_PTR (*open)();
  int number;
  const char* caption;
};

const PageCase kPages[] = {
    {"I", app::OpenPosiMachineDialog, 46, "I.. Posi. machine"},
    {"I part 2", app::OpenPosiMachinePart2Dialog, 71, "I.. Posi. machine part 2"},
    {"J + L", app::OpenPosiCommandDialog, 47, "J.. + L.. Posi. command"},
    {"U", app::OpenProtectiveFunctionsDialog, 26, "U.. Protective functions (Parameter set 1)"},
    {"X", app::OpenDeveloperDialog, 44, "X.. Developer (Parameter set 1)"},
    {"current controller", app::OpenCurrentControllerDialog, 52, "current controller (parameterset 1)"},
    {"P", app::OpenProjectTargetDialog, 9, "P.. Target of project"},
    {"N", app::OpenPositionSwitchDialog, 67, "N.. Posi switch"},
};

TEST_F(LatePagesTest, EachPageOpensFillsCommitsRefusesAndCancels) {
  for (const PageCase& c : kPages) {
    SCOPED_TRACE(c.name);
    model::InitDataSet(0);
    SetUp();
    messages_.texts.clear();
    Editable edit;
    double opening = 0.0;
    std::string caption;
    std::string filled;
    std::string after_refusal;
    std::string shown_committed;
    double committed = NAN;
    double after_refused = NAN;
    std::size_t refusal_messages = 0;
    const INT_PTR result = Run(c.number, c.open, [&](HWND d) {
      char text[128] = {};
      GetWindowText(d, text, sizeof text);
      caption = text;
      edit = FirstEditable(d);
      if (edit.id == 0) {
        drv::ClickItem(d, IDCANCEL);
        return;
      }
      opening = GetShown(edit.record, edit.element);
      filled = drv::ItemText(d, edit.id);
      // The limit typed as the page shows it (a user length with I06 decimal digits shows -163.84).
      const double wanted = opening != edit.lower ? edit.lower : edit.upper;
      TypeAndLeave(d, edit.id, app::binding::FormatEntry(wanted, edit.kind, edit.attributes));
      committed = GetShown(edit.record, edit.element);
      shown_committed = drv::ItemText(d, edit.id);
      const std::size_t before = messages_.texts.size();
      TypeAndLeave(d, edit.id, Number(edit.upper + (edit.upper - edit.lower) + 1000));
      refusal_messages = messages_.texts.size() - before;
      after_refused = GetShown(edit.record, edit.element);
      after_refusal = drv::ItemText(d, edit.id);
      drv::ClickItem(d, IDCANCEL);
    });
    EXPECT_EQ(caption, c.caption);
    ASSERT_NE(edit.id, 0) << "no editable number";
    EXPECT_FALSE(filled.empty());
    const double wanted = opening != edit.lower ? edit.lower : edit.upper;
    EXPECT_NEAR(committed, wanted, std::fabs(wanted) * 1e-6 + 1e-9) << "committed on leaving the edit";
    EXPECT_EQ(refusal_messages, 1u) << "the refusal is shown once";
    EXPECT_EQ(after_refused, committed) << "a refused value is not stored";
    EXPECT_EQ(after_refusal, shown_committed) << "the stored value is shown again";
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(GetShown(edit.record, edit.element), opening) << "Cancel gives the opening value back";
    EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
  }
}

TEST_F(LatePagesTest, ProductionDataIsShownOnly) {
  std::string caption;
  const INT_PTR result = Run(25, app::OpenProductionDataDialog, [&](HWND d) {
    char text[128] = {};
    GetWindowText(d, text, sizeof text);
    caption = text;
    drv::ClickItem(d, IDOK);
  });
  EXPECT_EQ(caption, "R.. Production data");
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

// The id of the row of (record, element) in the page's list; 0 when the list has none.
int IdOf(HWND dialog, std::uint16_t record, std::uint16_t element) {
  const app::PageState* page = app::PageStateOf(dialog);
  app::binding::ListRows rows;
  if (page == nullptr || !app::binding::LoadRows(page->list, 0, rows)) return 0;
  int id = page->first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    if (rows[i].record == record && rows[i].element == element && app::binding::IdsOfRow(rows[i]) > 0) return id;
    id += app::binding::IdsOfRow(rows[i]);
  }
  return 0;
}

// The combo box's entry that begins with `value:`.
int ComboIndex(HWND dialog, int id, const std::string& value) {
  const int n = static_cast<int>(SendDlgItemMessage(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[128] = {};
    SendDlgItemMessage(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    if (std::string(text).rfind(value + ":", 0) == 0) return i;
  }
  return -1;
}

TEST_F(LatePagesTest, PosiCommandBrowsesTheRecordsTheDeviceOffers) {
  struct Case {
    std::uint8_t family;
    const char* last;
    std::uint8_t last_list;
  };
  for (const Case& c : {Case{1, "8", 79}, Case{2, "32", 117}}) {
    SCOPED_TRACE(int{c.family});
    PutRaw<std::uint8_t>(304, 0, c.family);
    std::string at_end, label_at_end, back;
    std::uint8_t list_at_end = 0;
    bool copy_opened = false;
    drv::OnDialogIdle(app::kCopyBlockTemplate, [&](HWND d) {
      copy_opened = true;
      drv::ClickItem(d, IDCANCEL);
    });
    Run(47, app::OpenPosiCommandDialog, [&](HWND d) {
      EXPECT_EQ(drv::ItemText(d, 570), "1");
      for (int i = 0; i < 40; ++i) drv::ClickItem(d, 568);
      at_end = drv::ItemText(d, 570);
      label_at_end = drv::ItemText(d, 571).substr(0, 4);
      list_at_end = app::PageStateOf(d)->list;
      drv::ClickItem(d, 6);
      for (int i = 0; i < 40; ++i) drv::ClickItem(d, 569);
      back = drv::ItemText(d, 570);
      drv::ClickItem(d, IDOK);
    });
    EXPECT_EQ(at_end, c.last);
    EXPECT_EQ(label_at_end, std::string("J") + c.last + (c.family == 1 ? "0 " : "0"));
    EXPECT_EQ(list_at_end, c.last_list);
    EXPECT_EQ(back, "1");
    EXPECT_TRUE(copy_opened);
    EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
  }
}

TEST_F(LatePagesTest, CancelOnAnotherRecordKeepsWhatWasCommittedOnTheFirst) {
  PutRaw<std::uint8_t>(514, 19, 1);
  PutRaw<std::uint8_t>(514, 41, 1);
  Run(47, app::OpenPosiCommandDialog, [&](HWND d) {
    TypeAndLeave(d, IdOf(d, 514, 19), "5");
    drv::ClickItem(d, 568);
    TypeAndLeave(d, IdOf(d, 514, 41), "6");
    EXPECT_EQ(GetRaw<std::uint8_t>(514, 41), 6);
    drv::ClickItem(d, IDCANCEL);
  });
  EXPECT_EQ(GetRaw<std::uint8_t>(514, 19), 5) << "committed before the record was left";
  EXPECT_EQ(GetRaw<std::uint8_t>(514, 41), 1) << "the record shown at Cancel is given back";
  EXPECT_TRUE(messages_.texts.empty()) << messages_.Last();
}

TEST_F(LatePagesTest, PosiMachineLayoutHintAndPart2) {
  PutRaw<std::uint8_t>(38, 56, 3);
  bool own_layout = false;
  Run(74, app::OpenPosiMachineDialog, [&](HWND d) {
    own_layout = true;
    drv::ClickItem(d, IDCANCEL);
  });
  EXPECT_TRUE(own_layout) << "posi mode 3 has a layout of its own";

  PutRaw<std::uint8_t>(38, 56, 2);
  bool part2 = false;
  drv::OnDialogIdle(71, [&](HWND d) {
    part2 = true;
    drv::ClickItem(d, IDOK);
  });
  Run(46, app::OpenPosiMachineDialog, [&](HWND d) {
    const int digits = IdOf(d, 512, 76);
    ASSERT_NE(digits, 0);
    const std::string now = drv::ItemText(d, digits);
    TypeAndLeave(d, digits, now == "2" ? "3" : "2");
    drv::ClickItem(d, 6);
    drv::ClickItem(d, IDOK);
  });
  ASSERT_FALSE(messages_.texts.empty());
  EXPECT_EQ(messages_.texts.front(), "Hint: I06 decimal digits has been changed.\nPleas check all positionvalues!");
  EXPECT_EQ(messages_.texts.size(), 1u);
  EXPECT_TRUE(part2);
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

TEST_F(LatePagesTest, ProjectTargetAsksBeforeNewMotorsAndNotesABoardChange) {
  PutRaw<std::uint8_t>(304, 3, 10);
  messages_.answer = 2;  // keep the motors
  std::vector<std::string> seen;
  Run(9, app::OpenProjectTargetDialog, [&](HWND d) {
    EXPECT_TRUE(model::IsConfirmHookInstalled());
    drv::SelectItem(GetDlgItem(d, 120), ComboIndex(d, 120, "0"));  // I/O to none: no note
    EXPECT_EQ(GetRaw<std::uint8_t>(304, 3), 0);
    EXPECT_TRUE(messages_.texts.empty());
    drv::SelectItem(GetDlgItem(d, 120), ComboIndex(d, 120, "1"));  // CAN
    EXPECT_EQ(GetRaw<std::uint8_t>(304, 3), 1);
    seen = messages_.texts;
    messages_.texts.clear();
    // Another nominal current: the actions would give both parameter sets new motors.
    drv::SelectItem(GetDlgItem(d, 118), GetRaw<std::uint8_t>(304, 1) == 0 ? 1 : 0);
    drv::ClickItem(d, IDOK);
  });
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].rfind("Optional board has been changed.", 0), 0u) << seen[0];
  ASSERT_FALSE(messages_.texts.empty());
  EXPECT_EQ(messages_.texts[0].rfind("The target of project has been modified", 0), 0u) << messages_.texts[0];
  EXPECT_FALSE(model::IsConfirmHookInstalled()) << "the question belongs to the page";
}

TEST_F(LatePagesTest, JumpTargetsAreBoundRowByRow) {
  const double before = GetShown(450, 6);
  std::string name;
  std::size_t refusals = 0;
  const INT_PTR result = Run(65, app::OpenMenuJumpTargetsDialog, [&](HWND d) {
    TypeAndLeave(d, 662, "A10");
    name = drv::ItemText(d, 665);
    EXPECT_NE(GetShown(450, 6), before);
    TypeAndLeave(d, 662, "Z99");
    refusals = messages_.texts.size();
    drv::ClickItem(d, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(name.rfind("A10", 0), 0u) << name;
  EXPECT_EQ(refusals, 1u) << "a code that names no parameter is refused";
  EXPECT_EQ(GetShown(450, 6), before);
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

TEST_F(LatePagesTest, DeveloperFieldsAreNoParameters) {
  PutRaw<std::uint16_t>(302, 0, 18);  // a reverse documentation: a parameter's change would ask first
  PutRaw<std::uint8_t>(5, 5, 'E');
  Run(44, app::OpenDeveloperDialog, [&](HWND d) {
    EXPECT_EQ(drv::ItemText(d, 1079), " - ");
    TypeAndLeave(d, 1077, "1234");
    TypeAndLeave(d, 1078, "8");
    EXPECT_EQ(drv::ItemText(d, 1077), "1234");
    drv::ClickItem(d, IDCANCEL);
  });
  EXPECT_TRUE(messages_.texts.empty()) << messages_.Last();
  EXPECT_EQ(model::GetFileTypeCode(0), 18);
}

TEST_F(LatePagesTest, PosiSwitchShowsThePositioningUnit) {
  std::string label;
  Run(67, app::OpenPositionSwitchDialog, [&](HWND d) {
    label = drv::ItemText(d, 697);
    drv::ClickItem(d, IDOK);
  });
  char unit[10] = {};
  model::GetPositionUnitText(unit, sizeof unit, 0);
  std::string four = std::string(unit).substr(0, 4);
  four.resize(4, ' ');
  EXPECT_EQ(label.substr(0, 4), four);
}

TEST(LatePageCommands, EveryPageOfTheseGroupsHasItsCommand) {
  for (UINT id : {2034u, 2047u, 2048u, 2052u, 2053u, 2054u, 2056u, 2057u, 2076u, 2077u, 2081u, 2082u, 2083u, 2086u,
                  2088u, 2089u}) {
    EXPECT_TRUE(app::CommandAvailable(id)) << id;
    EXPECT_EQ(app::FindCommandHandler(id), &app::CommandLatePage) << id;
  }
  for (UINT id : {2049u, 2050u, 2051u, 2078u, 2079u, 2080u}) {
    EXPECT_EQ(app::FindCommandHandler(id), &app::CommandMenuSkip) << id;
  }
}

TEST_F(LatePagesTest, PagesAsTheyShowArePictured) {
  const std::filesystem::path folder = std::filesystem::path(ZPR_BIN_DIR) / "late-pages";
  std::filesystem::create_directories(folder);
  auto picture = [&](HWND d, const char* name) {
    drv::PumpUntilIdle();
    EXPECT_TRUE(platform::backend::SaveWindowPng(d, (folder / name).string(), true)) << name;
  };
  PutRaw<std::uint8_t>(304, 0, 2);  // family 2: 32 posi records
  Run(47, app::OpenPosiCommandDialog, [&](HWND d) {
    for (int i = 0; i < 11; ++i) drv::ClickItem(d, 568);
    picture(d, "posi-command-record-12.png");
    drv::ClickItem(d, IDCANCEL);
  });
  Run(65, app::OpenMenuJumpTargetsDialog, [&](HWND d) {
    TypeAndLeave(d, 657, "A10");
    picture(d, "menu-jump-targets.png");
    drv::ClickItem(d, IDCANCEL);
  });
}

}  // namespace
}  // namespace pages_test
