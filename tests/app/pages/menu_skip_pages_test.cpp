// The menu-skip pages on the headless layer: the groups' headings and entries, a check box that skips a whole
// group, a list selection committed when the list loses the focus or the page is left, Cancel giving record 11
// back, and the marks set on the page reaching record 11 and the printed documentation.
#include <algorithm>

#include "app/pages/menu_skip_pages.h"
#include "app/print/print_content.h"
#include "model/menu_catalogue.h"
#include "model/menu_skip.h"
#include "tests/app/pages_fixture.h"

namespace pages_test {
namespace {

constexpr int kCheckA = 633;
constexpr int kListA = 634;
constexpr int kCheckB = 635;
constexpr int kListB = 636;

std::vector<std::uint8_t> Record11() {
  std::vector<std::uint8_t> bytes(model::kMenuSkipBytes);
  EXPECT_EQ(model::ReadRecord(model::kMenuSkipRecord, bytes.data(), model::kModeRaw9, 0), 0);
  return bytes;
}

// The n-th visible entry's text (from 1, heading included).
std::string Entry(char letter, std::uint16_t n) {
  const model::MenuCatalogEntry* entry = model::VisibleMenuEntry(0, letter, n);
  return entry != nullptr ? std::string(entry->text.data()) : std::string();
}

std::uint8_t State(const std::string& text) {
  std::uint8_t state = 9;
  EXPECT_EQ(model::GetMenuSkipState(0, text.substr(0, 3), &state), 0) << text;
  return state;
}

bool Selected(HWND dialog, int list, int item) {
  return SendDlgItemMessage(dialog, list, LB_GETSEL, static_cast<WPARAM>(item), 0) > 0;
}

class Printer final : public app::PrintLineOutput {
 public:
  bool StartJob() override { return true; }
  void Line(std::string_view text) override { lines += text; }
  bool EndJob(bool) override { return true; }
  std::string lines;
};

class MenuSkipTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    // A project from version 'E' on shows every group.
    PutRaw<std::uint8_t>(304, 5, 'E');
    PutRaw<std::uint8_t>(5, 5, 'E');
  }
  INT_PTR RunPart1(drv::DialogScript script) {
    drv::OnDialogIdle(app::kMenuSkip1Template, std::move(script));
    return app::OpenMenuSkip1Dialog();
  }
};

TEST_F(MenuSkipTest, EachGroupShowsItsHeadingAndEntriesWithTheirMarks) {
  EXPECT_EQ(app::MenuSkipPageGroups(23), (app::MenuSkipGroups{'A', 'B', 'C', 'D'}));
  EXPECT_EQ(app::MenuSkipPageGroups(24), (app::MenuSkipGroups{'E', 'F', 'G', 'H'}));
  EXPECT_EQ(app::MenuSkipPageGroups(49), (app::MenuSkipGroups{'I', 'J', 'L', 'N'}));
  ASSERT_EQ(model::SetMenuSkip(0, Entry('A', 3).substr(0, 3), 1), 0);
  ASSERT_EQ(model::SetMenuSkip(0, "B..", 1), 0);
  const std::uint16_t a_entries = model::CountMenuEntries('A', 0);
  ASSERT_GT(a_entries, 3);
  RunPart1([&](HWND d) {
    EXPECT_EQ(drv::ItemText(d, kCheckA), Entry('A', 1));
    EXPECT_EQ(SendDlgItemMessage(d, kListA, LB_GETCOUNT, 0, 0), a_entries - 1);
    EXPECT_FALSE(drv::Checked(d, kCheckA));
    EXPECT_TRUE(drv::Enabled(d, kListA));
    EXPECT_FALSE(Selected(d, kListA, 0));
    EXPECT_TRUE(Selected(d, kListA, 1)) << "the third entry is item 1";
    EXPECT_TRUE(drv::Checked(d, kCheckB));
    EXPECT_FALSE(drv::Enabled(d, kListB)) << "a skipped group's list is greyed";
    // Unchecking it enables the list with the entries' own marks.
    drv::ClickItem(d, kCheckB);
    EXPECT_FALSE(drv::Checked(d, kCheckB));
    EXPECT_TRUE(drv::Enabled(d, kListB));
    EXPECT_FALSE(Selected(d, kListB, 0));
    drv::ClickItem(d, IDOK);
  });
  EXPECT_EQ(State("B.."), model::kSkipNotMarked);
}

TEST_F(MenuSkipTest, MarksSetOnThePageReachRecord11AndThePrintout) {
  const std::string first_a = Entry('A', 2);
  const std::string third_a = Entry('A', 4);
  const std::string first_c = Entry('C', 2);
  RunPart1([&](HWND d) {
    drv::SelectItem(GetDlgItem(d, kListA), 0);
    drv::SelectItem(GetDlgItem(d, kListA), 2);
    // Not committed while the list keeps the focus.
    EXPECT_EQ(State(first_a), model::kSkipNotMarked);
    SetFocus(GetDlgItem(d, kCheckA));
    drv::PumpUntilIdle();
    EXPECT_EQ(State(first_a), model::kSkipMarked) << "committed when the list lost the focus";
    drv::SelectItem(GetDlgItem(d, kListA + 4), 0);  // group C, committed by OK
    drv::ClickItem(d, IDOK);
  });
  EXPECT_EQ(State(first_a), model::kSkipMarked);
  EXPECT_EQ(State(third_a), model::kSkipMarked);
  EXPECT_EQ(State(Entry('A', 3)), model::kSkipNotMarked);
  EXPECT_EQ(State(first_c), model::kSkipMarked);

  Printer printer;
  app::SetPrintLineOutput(&printer);
  PutRaw<std::uint8_t>(305, 10, 0);
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  ASSERT_EQ(app::PrintMenuSkip(0), app::kPrintOk);
  ASSERT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
  app::SetPrintLineOutput(nullptr);
  EXPECT_EQ(printer.lines.find(first_a.substr(0, 16)), std::string::npos);
  EXPECT_EQ(printer.lines.find(third_a.substr(0, 16)), std::string::npos);
  EXPECT_EQ(printer.lines.find(first_c.substr(0, 16)), std::string::npos);
  EXPECT_NE(printer.lines.find(Entry('A', 3).substr(0, 16)), std::string::npos) << "unmarked entries are printed";
}

TEST_F(MenuSkipTest, CancelGivesRecord11BackAndEntriesOfASkippedGroupKeepTheirMarks) {
  ASSERT_EQ(model::SetMenuSkip(0, Entry('D', 2).substr(0, 3), 1), 0);
  const std::vector<std::uint8_t> before = Record11();
  RunPart1([&](HWND d) {
    drv::ClickItem(d, kCheckA);  // the whole group A
    EXPECT_EQ(State("A.."), model::kSkipGroupMarked);
    drv::SelectItem(GetDlgItem(d, kListB), 1);
    SetFocus(GetDlgItem(d, kCheckA));
    drv::PumpUntilIdle();
    EXPECT_NE(Record11(), before);
    drv::ClickItem(d, IDCANCEL);
  });
  EXPECT_EQ(Record11(), before);
  EXPECT_EQ(State(Entry('D', 2)), model::kSkipMarked);
}

TEST_F(MenuSkipTest, AReverseDocumentationThatStaysOneChangesNothing) {
  PutRaw<std::uint16_t>(302, 0, 18);
  const std::vector<std::uint8_t> before = Record11();
  messages_.answer = 2;  // "no" to the conversion
  RunPart1([&](HWND d) {
    drv::ClickItem(d, kCheckA);
    EXPECT_FALSE(drv::Checked(d, kCheckA)) << "shown as stored again";
    drv::ClickItem(d, IDOK);
  });
  EXPECT_EQ(Record11(), before);
}

}  // namespace
}  // namespace pages_test
