// The parameter pages in the running program: each page opens from its menu command with its caption and the
// list of the file's family and parameter set, commits a typed value when the edit loses the focus, refuses a
// value out of range with the binding's message and shows the stored value again, and Cancel puts back what the
// page showed at its opening. Display pages open, show and close. The comments page's own commit rule.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/binding/binding_support.h"
#include "app/common/help_context.h"
#include "app/documents/file_slots.h"
#include "app/online/monitor_windows.h"
#include "app/pages/parameter_pages.h"
#include "app/templates/page_templates.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/backend/capture.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {
namespace {

using app::binding::ListRows;
using model::MenuListEntry;

// The device of a case: family (1, 2, 3), the family-3 variant, parameter set (0, 1), reverse documentation.
struct Device {
  std::uint8_t family = 1;
  bool variant = false;
  std::uint8_t param_set = 0;
  bool reverse_doc = false;
  std::uint8_t board = 0;  // the option board
};

// Writes a small number raw into an element of data set 0 (little-endian, the rest of the buffer zero).
void PutRaw(std::uint16_t record, std::uint16_t element, std::uint32_t value) {
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  ASSERT_EQ(model::WriteElement(record, element, bytes.data(), model::kModeRaw, 0), 0) << record << "/" << element;
}

void MakeDevice(const Device& d) {
  if (d.reverse_doc) {
    ASSERT_EQ(model::ConvertToProjectType(model::kFileKindReverseDoc, 0), model::kFileKindReverseDoc);
  }
  const std::uint16_t identity = d.reverse_doc ? 5 : 304;
  PutRaw(identity, 0, d.family);
  PutRaw(identity, 9, d.variant ? 2 : 0);
  PutRaw(identity, 3, d.board);
  app::SelectParameterSet(d.param_set);
}

double Value(const MenuListEntry& row) {
  double value = NAN;
  EXPECT_EQ(app::binding::ReadValue(row.record, row.element, &value, 0), 0);
  return value;
}

// A row the user can change on the page: a numeric edit (kind 1) that is available, with a range.
struct EditableRow {
  MenuListEntry row{};
  int id = 0;
  double lower = 0;
  double upper = 0;
};

std::optional<EditableRow> FindEditableRow(std::uint8_t list, int first) {
  ListRows rows;
  if (!app::binding::LoadRows(list, 0, rows)) return std::nullopt;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const MenuListEntry& row = rows[i];
    EditableRow found{row, id};
    id += app::binding::IdsOfRow(row);
    if (row.kind != 1 || !app::binding::RowEnabled(row, 0)) continue;
    if (app::binding::ReadLimits(row, 0, found.lower, found.upper) != 0 || !(found.lower < found.upper)) continue;
    if (std::isnan(Value(row))) continue;
    return found;
  }
  return std::nullopt;
}

// A check box the user can change on the page (for pages without an editable number).
std::optional<EditableRow> FindCheckRow(std::uint8_t list, int first) {
  ListRows rows;
  if (!app::binding::LoadRows(list, 0, rows)) return std::nullopt;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const MenuListEntry& row = rows[i];
    const EditableRow found{row, id, 0, 1};
    id += app::binding::IdsOfRow(row);
    if (row.kind == 2 && row.flag != 0 && app::binding::RowEnabled(row, 0)) return found;
  }
  return std::nullopt;
}

// Replaces the edit's text by typing, then leaves it with Tab (the commit).
void TypeAndLeave(HWND page, int id, const std::string& text) {
  HWND edit = GetDlgItem(page, id);
  drv::Click(edit);
  SendMessage(edit, EM_SETSEL, 0, -1);
  drv::Type(edit, text);
  drv::PressKey(VK_TAB);
}

struct PageCase {
  UINT command;
  int number;  // the template the page opens with
  std::uint8_t list;
  const char* caption;
  Device device;
};

const PageCase kEditPages[] = {
    {2036, 15, 13, "A.. Inverter", {}},
    {2037, 60, 14, "A.. Umrichter part 2", {}},
    {2038, 16, 16, "B.. Motor (Parameter set 2)", {.param_set = 1}},
    {2038, 53, 84, "B.. Motor (Parameter set 1)", {.family = 2}},
    {2039, 17, 17, "C.. Machine part 1 (Parameter set 1)", {}},
    {2039, 54, 87, "C.. Machine part 1 (Parameter set 2)", {.family = 2, .param_set = 1}},
    {2040, 18, 19, "C.. Machine part 2 (Parameter set 1)", {}},
    {2040, 18, 143, "C.. Machine part 2 (Parameter set 1)", {.family = 3}},
    {2040, 18, 134, "C.. Machine part 2 (Parameter set 2)", {.family = 2, .param_set = 1}},
    {2041, 19, 21, "D.. Reference value part 1 (Parameter set 1)", {}},
    {2042, 20, 24, "D.. Reference value part 2 (Parameter set 2)", {.param_set = 1}},
    {2043, 22, 26, "F.. Control interface part 1(Parameter set 1)", {}},
    {2043, 56, 88, "F.. Control interface part 1 (parameter set 1)", {.family = 2}},
    {2043, 22, 140, "F.. Control interface part 1(Parameter set 2)", {.family = 3, .param_set = 1}},
    {2043, 22, 141, "F.. Control interface part 1(Parameter set 1)", {.family = 3, .variant = true}},
    {2044, 45, 70, "F.. Control interface part 2 (Parameter set 1)", {}},
    {2044, 57, 91, "F.. Control interface part 2 (parameter set 2)", {.family = 2, .param_set = 1}},
    {2044, 45, 137, "F.. Control interface part 2 (Parameter set 1)", {.family = 3, .variant = true}},
    {2055, 68, 127, "F.. Control interface part 3 (parameter set 1)", {.board = 12}},
    {2055, 58, 118, "F.. Control interface part 3 (parameter set 1)", {.family = 2}},
    {2045, 48, 65, "G.. Technology (Parameter set 1)", {}},
    {2046, 66, 124, "H.. Encoder (parameter set 1)", {.board = 1}},
    {2046, 59, 93, "H.. Encoder (parameter set 2)", {.family = 2, .param_set = 1}},
    {2069, 19, 21, "D.. Reference value part 1 (Parameter set 1)", {.reverse_doc = true}},
};


namespace fs = std::filesystem;

fs::path OutputFolder() {
  const fs::path folder = fs::path(ZPR_BIN_DIR).parent_path() / "test-output" / "parameter-pages";
  fs::create_directories(folder);
  return folder;
}

// The control's pixels against tests/app/golden/<name>.png; ZPR_UPDATE_GOLDEN=1 writes the golden anew.
void ExpectGoldenControl(HWND control, const std::string& name) {
  const auto picture = platform::backend::CaptureWindow(control);
  ASSERT_NE(picture, nullptr);
  const fs::path out = OutputFolder() / (name + ".png");
  ASSERT_TRUE(picture->WritePng(out.string()));
  const fs::path golden = fs::path(ZPR_SOURCE_DIR) / "tests" / "app" / "golden" / (name + ".png");
  const char* update = std::getenv("ZPR_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    ASSERT_TRUE(picture->WritePng(golden.string()));
    return;
  }
  cairo_surface_t* expected = cairo_image_surface_create_from_png(golden.string().c_str());
  ASSERT_EQ(cairo_surface_status(expected), CAIRO_STATUS_SUCCESS) << "no golden " << golden;
  cairo_surface_flush(expected);
  EXPECT_EQ(cairo_image_surface_get_width(expected), picture->width());
  EXPECT_EQ(cairo_image_surface_get_height(expected), picture->height());
  const unsigned char* data = cairo_image_surface_get_data(expected);
  const int stride = cairo_image_surface_get_stride(expected);
  int differing = 0;
  const int width = std::min(cairo_image_surface_get_width(expected), picture->width());
  const int height = std::min(cairo_image_surface_get_height(expected), picture->height());
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) differing += (row[x] & 0xFFFFFF) != picture->Pixel(x, y);
  }
  cairo_surface_destroy(expected);
  EXPECT_EQ(differing, 0) << name << ": see " << out;
}

class ParameterPagesTest : public ShellTest {};

constexpr int kPreviousPage = 3;
constexpr int kNextPage = 4;

// Open from the menu command, the caption and the filled edit; a typed value stored on leaving the edit; a value
// out of range refused with its message and the stored value shown again, the focus back on the edit; Cancel
// puts the value of the opening back. On a reverse documentation the first change asks to make it a project.
TEST_F(ParameterPagesTest, EachPageOpensFillsCommitsRefusesAndCancelsBack) {
  for (const PageCase& c : kEditPages) {
    SCOPED_TRACE(testing::Message() << "command " << c.command << " template " << c.number << " list "
                                    << int{c.list});
    const app::PageDefinition* def = app::FindPageDefinition(c.number);
    ASSERT_NE(def, nullptr);
    std::optional<EditableRow> edit;
    std::optional<EditableRow> check;
    double opening = NAN;
    bool ran = false;
    dialogs_.clear();
    drv::OnDialogIdle(c.number, [&](HWND page) {
      if (ran) return;
      ran = true;
      EXPECT_EQ(drv::Text(page), c.caption);
      const std::string shot = "page-" + std::to_string(c.number) + "-list-" + std::to_string(c.list) + ".png";
      EXPECT_TRUE(platform::backend::SaveWindowPng(page, (OutputFolder() / shot).string(), true));
      // The help context: the page's template on activation, the control in use once one has the focus.
      const std::uint16_t context = app::GetHelpContext();
      EXPECT_TRUE(context == c.number || (context >= def->first && context <= def->last)) << context;
      if (!edit.has_value()) {
        // No number to edit: a check box is clicked (stored at once) instead.
        ASSERT_TRUE(check.has_value()) << "nothing editable on the page";
        opening = Value(check->row);
        EXPECT_EQ(drv::Checked(page, check->id), opening == 1);
        drv::ClickItem(page, check->id);
        EXPECT_EQ(Value(check->row), opening == 1 ? 0 : 1);
        drv::ClickItem(page, IDCANCEL);
        return;
      }
      const MenuListEntry& row = edit->row;
      opening = Value(row);
      EXPECT_EQ(drv::ItemText(page, edit->id), app::binding::FormatEntry(opening, row.kind, row.attributes));
      const double changed = opening != edit->lower ? edit->lower : edit->upper;
      TypeAndLeave(page, edit->id, app::binding::FormatEntry(changed, row.kind, row.attributes));
      EXPECT_EQ(Value(row), changed);
      EXPECT_EQ(model::GetFileTypeCode(0), 17) << "a change makes the file a project";

      const std::size_t messages = dialogs_.size();
      const double stored = Value(row);
      const double bad = edit->upper + std::max(1.0, edit->upper - edit->lower);
      TypeAndLeave(page, edit->id, app::binding::FormatEntry(bad, row.kind, row.attributes));
      ASSERT_EQ(dialogs_.size(), messages + 1);
      EXPECT_NE(dialogs_.back().find(std::string("Wrong input from ") + row.texts[0]), std::string::npos)
          << dialogs_.back();
      EXPECT_EQ(Value(row), stored);
      EXPECT_EQ(drv::ItemText(page, edit->id), app::binding::FormatEntry(stored, row.kind, row.attributes));
      EXPECT_EQ(GetFocus(), GetDlgItem(page, edit->id));

      drv::ClickItem(page, IDCANCEL);
    });
    Run({[&] { MakeDevice(c.device); },
         [&] {
           edit = FindEditableRow(c.list, def->first);
           check = FindCheckRow(c.list, def->first);
           PostMessage(Main(), WM_COMMAND, c.command, 0);
         }});
    EXPECT_TRUE(ran);
    if (edit || check) {
      EXPECT_EQ(Value(edit ? edit->row : check->row), opening) << "Cancel puts the opening value back";
    }
    EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
    EXPECT_EQ(drv::DeadlockCount(), 0);
  }
}


// The two editable numbers of a list (for the cases that need a second control).
std::vector<EditableRow> EditableRows(std::uint8_t list, int first) {
  std::vector<EditableRow> out;
  ListRows rows;
  if (!app::binding::LoadRows(list, 0, rows)) return out;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const MenuListEntry& row = rows[i];
    EditableRow found{row, id};
    id += app::binding::IdsOfRow(row);
    if (row.kind != 1 || !app::binding::RowEnabled(row, 0)) continue;
    if (app::binding::ReadLimits(row, 0, found.lower, found.upper) != 0 || !(found.lower < found.upper)) continue;
    out.push_back(found);
  }
  return out;
}

std::string Shown(const EditableRow& e, double value) {
  return app::binding::FormatEntry(value, e.row.kind, e.row.attributes);
}

double Other(const EditableRow& e, double value) { return value != e.lower ? e.lower : e.upper; }

// Display pages open from the reverse documentation's menu, show their values read-only and close with OK or
// Cancel alike, writing nothing.
TEST_F(ParameterPagesTest, DisplayPagesShowTheirValuesAndWriteNothing) {
  struct Case {
    UINT command;
    int number;
    const char* caption;
    int close;
  };
  const Case cases[] = {{2071, 21, "E.. Display values", IDOK}, {2084, 14, "Z.. fault counter", IDCANCEL}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    bool ran = false;
    drv::OnDialogIdle(c.number, [&](HWND page) {
      ran = true;
      EXPECT_EQ(drv::Text(page), c.caption);
      const app::PageDefinition* def = app::FindPageDefinition(c.number);
      int enabled = 0;
      for (int id = def->first; id < def->last; ++id) enabled += drv::Enabled(page, id) ? 1 : 0;
      EXPECT_EQ(enabled, 0) << "read-only";
      const std::string shot = "page-" + std::to_string(c.number) + ".png";
      EXPECT_TRUE(platform::backend::SaveWindowPng(page, (OutputFolder() / shot).string(), true));
      drv::ClickItem(page, c.close);
    });
    Run({[] { MakeDevice({.reverse_doc = true}); }, [&] { PostMessage(Main(), WM_COMMAND, c.command, 0); }});
    EXPECT_TRUE(ran);
    EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
    EXPECT_EQ(model::ChangeList0Empty(0), 1);
    EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
  }
}

// The malfunction memory: nothing stored gives message 9.1 and no page; with 12 stored, "&>" stops at entry 10,
// "&<" at 1, a typed entry outside 1..12 keeps the entry shown, a typed 3 shows the third malfunction.
TEST_F(ParameterPagesTest, MalfunctionMemoryBrowsesTheStoredEntriesWithinBounds) {
  drv::AnswerMessageBox(IDOK);
  Run({[] { MakeDevice({.reverse_doc = true}); }, [] { PostMessage(Main(), WM_COMMAND, 2085, 0); }});
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Fault-memory is empty!");
  EXPECT_EQ(drv::FindDialog(13), nullptr);

  std::vector<std::string> seen;
  drv::OnDialogIdle(13, [&](HWND page) {
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDOK));
    auto entry = [&] { return drv::ItemText(page, 174) + ":" + drv::ItemText(page, 134); };
    seen.push_back(entry());
    for (int i = 0; i < 11; ++i) drv::ClickItem(page, 172);
    seen.push_back(entry());
    for (const char* typed : {"0", "13", "x", "3"}) {
      TypeAndLeave(page, 174, typed);
      seen.push_back(entry());
    }
    for (int i = 0; i < 4; ++i) drv::ClickItem(page, 173);
    seen.push_back(entry());
    EXPECT_TRUE(platform::backend::SaveWindowPng(page, (OutputFolder() / "page-13-entry-1.png").string(), true));
    drv::ClickItem(page, kNextPage);
  });
  Run({[] {
         MakeDevice({.reverse_doc = true});
         PutRaw(318, 0, 12);
         for (std::uint16_t n = 1; n <= 10; ++n) PutRaw(static_cast<std::uint16_t>(306 + n), 1, 100u + n);
       },
       [] { PostMessage(Main(), WM_COMMAND, 2085, 0); }});
  const std::vector<std::string> expected = {"1:101", "10:110", "10:110", "10:110", "10:110", "3:103", "1:101"};
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
}

// Next from the comments page walks the project's pages of this group in the chain's order, Previous walks
// back. A value typed on a page and not yet committed is stored by Next before the next page opens; a refused
// value shows its message and still leaves the page.
TEST_F(ParameterPagesTest, NextAndPreviousWalkTheChainCommittingTypedValues) {
  const std::vector<int> chain = {12, 15, 60, 16, 17, 18, 19, 20, 22, 45, 48, 66};
  std::vector<int> opened;
  bool back = false;
  std::vector<EditableRow> machine1;
  std::vector<EditableRow> machine2;
  double typed = NAN;
  double kept = NAN;
  std::size_t messages = 0;
  // Types into the edit without leaving it, then presses Next by its command (the focus stays in the edit).
  auto type_then_next = [](HWND page, const EditableRow& row, const std::string& text) {
    HWND edit = GetDlgItem(page, row.id);
    drv::Click(edit);
    SendMessage(edit, EM_SETSEL, 0, -1);
    drv::Type(edit, text);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(kNextPage, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, kNextPage)));
  };
  for (int number : chain) {
    drv::OnDialogIdle(number, [&, number](HWND page) {
      opened.push_back(number);
      if (number == 17 && !back) {
        ASSERT_FALSE(machine1.empty());
        typed = Other(machine1[0], Value(machine1[0].row));
        type_then_next(page, machine1[0], Shown(machine1[0], typed));
        return;
      }
      if (number == 18 && !back) {
        ASSERT_FALSE(machine2.empty());
        kept = Value(machine2[0].row);
        messages = dialogs_.size();
        type_then_next(page, machine2[0], Shown(machine2[0], machine2[0].upper + 1e6));
        return;
      }
      if (number == 66) back = true;
      drv::ClickItem(page, back ? kPreviousPage : kNextPage);
    });
  }
  Run({[&] {
         MakeDevice({});
         machine1 = EditableRows(17, 270);
         machine2 = EditableRows(19, 292);
       },
       [] { PostMessage(Main(), WM_COMMAND, 2035, 0); }});
  std::vector<int> expected = chain;
  expected.insert(expected.end(), chain.rbegin() + 1, chain.rend());
  EXPECT_EQ(opened, expected);
  ASSERT_FALSE(machine1.empty());
  ASSERT_FALSE(machine2.empty());
  EXPECT_EQ(Value(machine1[0].row), typed);
  EXPECT_EQ(Value(machine2[0].row), kept);
  ASSERT_EQ(dialogs_.size(), messages + 1) << "the refused value's message";
  EXPECT_NE(dialogs_.back().find("Wrong input from"), std::string::npos);
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

// Enter (OK) commits the pending edit even without a focus loss.
TEST_F(ParameterPagesTest, OkCommitsThePendingEdit) {
  std::vector<EditableRow> rows;
  double typed = NAN;
  drv::OnDialogIdle(48, [&](HWND page) {
    ASSERT_FALSE(rows.empty());
    typed = Other(rows[0], Value(rows[0].row));
    HWND edit = GetDlgItem(page, rows[0].id);
    drv::Click(edit);
    SendMessage(edit, EM_SETSEL, 0, -1);
    drv::Type(edit, Shown(rows[0], typed));
    drv::PressKey(VK_RETURN);
  });
  Run({[&] {
         MakeDevice({});
         rows = EditableRows(65, 307);
       },
       [] { PostMessage(Main(), WM_COMMAND, 2045, 0); }});
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(Value(rows[0].row), typed);
}

// A commit that a running commit's message lets in is not lost: the control stays pending and is stored when the
// running commit ends.
TEST_F(ParameterPagesTest, ACommitSkippedWhileAnotherRunsKeepsTheTypedValue) {
  std::vector<EditableRow> rows;
  double kept = NAN;
  HWND open_page = nullptr;
  drv::OnDialogIdle(3, [&](HWND message) {
    dialogs_.push_back(drv::ItemText(message, 100));
    // While the refusal is shown the second edit changes and loses its focus.
    EXPECT_TRUE(app::PageCommitRunning());
    SetDlgItemText(open_page, rows[1].id, Shown(rows[1], kept).c_str());
    SendMessage(open_page, WM_COMMAND, MAKEWPARAM(rows[1].id, 512),
                reinterpret_cast<LPARAM>(GetDlgItem(open_page, rows[1].id)));
    EndDialog(message, 1);
  });
  drv::OnDialogIdle(17, [&](HWND page) {
    open_page = page;
    ASSERT_GE(rows.size(), 2u);
    kept = Other(rows[1], Value(rows[1].row));
    TypeAndLeave(page, rows[0].id, Shown(rows[0], rows[0].upper + 1e6));
    EXPECT_EQ(Value(rows[1].row), kept);
    EXPECT_EQ(drv::ItemText(page, rows[1].id), Shown(rows[1], kept));
    drv::ClickItem(page, IDOK);
  });
  Run({[&] {
         MakeDevice({});
         rows = EditableRows(17, 270);
       },
       [] { PostMessage(Main(), WM_COMMAND, 2039, 0); }});
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_NE(dialogs_[0].find("Wrong input from"), std::string::npos);
}

// The comments page stores a text when its edit loses the focus, also in a reverse documentation and without
// asking to make it a project; Enter (OK) stores every text of the page.
TEST_F(ParameterPagesTest, CommentsCommitAtOnceAndOkStoresEveryText) {
  auto text = [](std::uint16_t element) {
    app::binding::StringBuffer buffer{};
    EXPECT_EQ(app::binding::ReadString(317, element, 0, buffer), 0);
    return std::string(buffer.data());
  };
  drv::OnDialogIdle(12, [&](HWND page) {
    EXPECT_EQ(drv::Text(page), "K.. Comments");
    TypeAndLeave(page, 124, "first remark");
    EXPECT_EQ(text(0), "first remark");
    EXPECT_EQ(model::GetFileTypeCode(0), model::kFileKindReverseDoc) << "no conversion for a comment";
    HWND date = GetDlgItem(page, 125);
    drv::Click(date);
    SendMessage(date, EM_SETSEL, 0, -1);
    drv::Type(date, "10.12.2026");
    drv::PressKey(VK_RETURN);
  });
  Run({[] { MakeDevice({.reverse_doc = true}); }, [] { PostMessage(Main(), WM_COMMAND, 2063, 0); }});
  EXPECT_EQ(text(81), "10.12.2026");
  EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

std::vector<std::tuple<std::uint8_t, std::uint16_t, std::uint16_t>> g_sent;
std::uint8_t RecordSend(std::uint8_t set, std::uint16_t record, std::uint16_t element) {
  g_sent.emplace_back(set, record, element);
  return 0;
}

// F2 held on a page (WM_PAGE_REFRESH): the focused edit's typed value is stored and sent to the inverter. On a
// reverse documentation whose conversion the user declines the page shows the stored value again and sends
// nothing.
TEST_F(ParameterPagesTest, F2StoresAndSendsTheFocusedValue) {
  app::SetOnlineParameterWriter(RecordSend);
  for (const bool reverse_doc : {false, true}) {
    SCOPED_TRACE(reverse_doc);
    g_sent.clear();
    std::vector<EditableRow> rows;
    double opening = NAN;
    double typed = NAN;
    if (reverse_doc) drv::OnDialogIdle(4, [](HWND question) { EndDialog(question, 2); });
    drv::OnDialogIdle(15, [&](HWND page) {
      ASSERT_FALSE(rows.empty());
      opening = Value(rows[0].row);
      typed = Other(rows[0], opening);
      HWND edit = GetDlgItem(page, rows[0].id);
      drv::Click(edit);
      SendMessage(edit, EM_SETSEL, 0, -1);
      drv::Type(edit, Shown(rows[0], typed));
      SendMessage(page, app::WM_PAGE_REFRESH, 0, 0);
      EXPECT_EQ(drv::ItemText(page, rows[0].id), Shown(rows[0], reverse_doc ? opening : typed));
      drv::ClickItem(page, IDOK);
    });
    Run({[&] {
           MakeDevice({.reverse_doc = reverse_doc});
           rows = EditableRows(13, 197);
         },
         [] { PostMessage(Main(), WM_COMMAND, 2036, 0); }});
    ASSERT_FALSE(rows.empty());
    if (reverse_doc) {
      EXPECT_TRUE(g_sent.empty());
      EXPECT_EQ(Value(rows[0].row), opening);
    } else {
      ASSERT_EQ(g_sent.size(), 1u);
      EXPECT_EQ(g_sent[0], std::make_tuple(std::uint8_t{0}, rows[0].row.record, rows[0].row.element));
      EXPECT_EQ(Value(rows[0].row), typed);
    }
  }
  app::SetOnlineParameterWriter(nullptr);
}

// A part 2's button 6 moves part 2 to the left and opens part 3 at the right, while part 2 stays usable: its
// button 6 opens no second part 3, and its OK closes part 3 with it, storing what was typed there.
TEST_F(ParameterPagesTest, InverterPart3OpensBesidePart2AndClosesWithIt) {
  HWND part2 = nullptr;
  std::vector<HWND> part3s;
  std::vector<EditableRow> part3_rows;
  double typed = NAN;
  RECT left{}, right{};
  drv::OnDialogIdle(60, [&](HWND page) {
    part2 = page;
    drv::ClickItem(page, 6);
  });
  drv::OnDialogIdle(72, [&](HWND page) {
    if (std::find(part3s.begin(), part3s.end(), page) == part3s.end()) part3s.push_back(page);
    EXPECT_EQ(drv::Text(page), "A.. Umrichter part 3");
    GetWindowRect(part2, &left);
    GetWindowRect(page, &right);
    EXPECT_TRUE(IsWindowEnabled(part2));
    drv::ClickItem(part2, 6);
    // A value typed on part 3 is stored when part 2's OK closes part 3.
    ASSERT_FALSE(part3_rows.empty());
    typed = std::round((part3_rows[0].lower + part3_rows[0].upper) / 2);
    HWND edit = GetDlgItem(page, part3_rows[0].id);
    drv::Click(edit);
    SendMessage(edit, EM_SETSEL, 0, -1);
    drv::Type(edit, Shown(part3_rows[0], typed));
    drv::ClickItem(part2, IDOK);
  });
  Run({[&] {
         MakeDevice({});
         // Rows whose value lies in their range (A101's default does not, and no value in its range is taken).
         for (const EditableRow& row : EditableRows(131, 234)) {
           const double value = Value(row.row);
           if (value >= row.lower && value <= row.upper) part3_rows.push_back(row);
         }
       },
       [] { PostMessage(Main(), WM_COMMAND, 2037, 0); }});
  ASSERT_FALSE(part3_rows.empty());
  EXPECT_EQ(Value(part3_rows[0].row), typed);
  EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
  EXPECT_EQ(part3s.size(), 1u);
  EXPECT_LT(left.left, right.left);
  EXPECT_LT(left.right, right.right);
  EXPECT_EQ(drv::FindDialog(72), nullptr);
  EXPECT_EQ(drv::FindDialog(60), nullptr);
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

// The process-data words of part 2 show their list position with the name of the element it stands for beside
// it; a position typed in stores that element's code, and the name follows.
TEST_F(ParameterPagesTest, ProcessDataWordsShowTheNameOfTheirElementAndTakeAPosition) {
  struct Row {
    std::uint16_t element;
    const char* shown;
    const char* name;
  };
  const Row defaults[] = {{26, "2", "E45 control word"}, {34, "11", "E46 status word"}, {62, "0", "none"}};
  std::vector<EditableRow> rows;
  std::vector<std::string> seen;
  std::string name_after;
  auto id_of = [&](std::uint16_t element) {
    for (const EditableRow& r : rows)
      if (r.row.record == 55 && r.row.element == element) return r.id;
    return 0;
  };
  drv::OnDialogIdle(60, [&](HWND page) {
    for (const Row& r : defaults) {
      const int id = id_of(r.element);
      seen.push_back(drv::ItemText(page, id) + " " + drv::ItemText(page, id + app::binding::kValueNameIdOffset));
    }
    TypeAndLeave(page, id_of(26), "3");
    name_after = drv::ItemText(page, id_of(26) + app::binding::kValueNameIdOffset);
    drv::ClickItem(page, IDOK);
  });
  Run({[&] {
         MakeDevice({});
         rows = EditableRows(14, 216);
       },
       [] { PostMessage(Main(), WM_COMMAND, 2037, 0); }});
  ASSERT_EQ(seen.size(), std::size(defaults));
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i], std::string(defaults[i].shown) + " " + defaults[i].name);
  }
  std::uint32_t code = 0;
  ASSERT_EQ(model::ReadElement(55, 26, &code, model::kModeRaw, 0), 0);
  EXPECT_EQ(code, (52u << 16) | 62u) << "position 3 is E47 n-field-bus";
  EXPECT_EQ(name_after, "E47 n-field-bus");
  EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
}

// The reference-value pages write the ramp unit of the family into their unit labels; part 1 draws the
// characteristic into its frame (held against a golden picture).
TEST_F(ParameterPagesTest, ReferenceValuePagesShowTheRampUnitAndTheCharacteristic) {
  struct Case {
    UINT command;
    int number;
    std::uint8_t family;
    const char* unit;
  };
  const Case cases[] = {{2041, 19, 1, "s/150Hz*D98"}, {2042, 20, 1, "s/150Hz*D98"}, {2041, 19, 2, "ms/3000rpm"},
                        {2042, 20, 2, "ms/3000rpm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.number << " family " << int{c.family});
    bool ran = false;
    drv::OnDialogIdle(c.number, [&](HWND page) {
      ran = true;
      const app::PageState* state = app::PageStateOf(page);
      ASSERT_NE(state, nullptr);
      const auto labels = app::PageUnitLabels(c.number, state->list);
      EXPECT_FALSE(labels.empty());
      for (int id : labels) EXPECT_EQ(drv::ItemText(page, id), c.unit) << id;
      if (c.number == 19 && c.family == 1) {
        HWND plot = GetDlgItem(page, 349);
        ExpectGoldenControl(plot, "reference_value_plot");
        // The control repainted alone (as under a closed message box) shows the curve again.
        InvalidateRect(plot, nullptr, TRUE);
        UpdateWindow(plot);
        ExpectGoldenControl(plot, "reference_value_plot");
      }
      drv::ClickItem(page, IDOK);
    });
    Run({[&] {
           MakeDevice({.family = c.family});
           // The characteristic's points of the pictured case: a1 (18), b1 (22), a2 (16), b2 (20).
           if (c.family != 1) return;
           // Stored values (the speeds are speed words, the others tenths of a percent).
           for (const auto& [element, stored] : {std::pair<int, std::int16_t>{18, 24000}, {22, 800}, {16, 8000}, {20, 300}}) {
             ASSERT_EQ(model::WriteElement(53, static_cast<std::uint16_t>(element), &stored, model::kModeRaw, 0), 0);
           }
         },
         [&] { PostMessage(Main(), WM_COMMAND, c.command, 0); }});
    EXPECT_TRUE(ran);
    EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
    EXPECT_TRUE(drv::MessageBoxes().empty());
  }
}

// Opening a page and pressing OK stores nothing. On the motor page a new motor type's after-write action changes
// other values of the page; Cancel puts every editable value back as it was at the opening.
TEST_F(ParameterPagesTest, OkAloneStoresNothingAndCancelUndoesAfterWriteActions) {
  drv::OnDialogIdle(48, [](HWND page) { drv::ClickItem(page, IDOK); });
  Run({[] { MakeDevice({}); }, [] { PostMessage(Main(), WM_COMMAND, 2045, 0); }});
  EXPECT_EQ(model::ChangeList0Empty(0), 1) << "fill, then OK commits nothing";

  struct Shown {
    MenuListEntry row;
    double opening;
  };
  std::vector<Shown> editable;
  std::size_t changed_by_action = 0;
  drv::OnDialogIdle(16, [&](HWND page) {
    ListRows rows;
    ASSERT_TRUE(app::binding::LoadRows(15, 0, rows));
    for (std::size_t i = 0; i < rows.count; ++i) {
      const MenuListEntry& row = rows[i];
      if (app::binding::HoldsValue(row.kind) && row.flag != 0 && app::binding::RowEnabled(row, 0)) {
        editable.push_back({row, Value(row)});
      }
    }
    HWND type = GetDlgItem(page, 244);
    const int selected = static_cast<int>(SendMessage(type, CB_GETCURSEL, 0, 0));
    ASSERT_TRUE(drv::SelectItem(type, selected == 3 ? 4 : 3));
    constexpr std::uint16_t kMotorType = 29;
    for (const Shown& s : editable) changed_by_action += s.row.element != kMotorType && Value(s.row) != s.opening;
    drv::ClickItem(page, IDCANCEL);
  });
  Run({[] { MakeDevice({}); }, [] { PostMessage(Main(), WM_COMMAND, 2038, 0); }});
  ASSERT_FALSE(editable.empty());
  EXPECT_GT(changed_by_action, 0u) << "the motor type changes other values of the page";
  for (const Shown& s : editable) EXPECT_EQ(Value(s.row), s.opening) << s.row.texts[0];
  EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
}

}  // namespace
}  // namespace shell_test
