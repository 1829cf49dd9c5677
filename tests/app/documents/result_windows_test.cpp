// The comparison and input-check result windows on the headless layer: files and parameter sets compared from
// the menu, the report lines with both values, the caption of a reused window, the equal case's message, the
// 50-entry note, reports cut at the buffer's end, and the input check before Save as with its window and question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/documents/comparison_window.h"
#include "app/documents/input_check_window.h"
#include "app/documents/result_reports.h"
#include "app/templates/result_templates.h"
#include "model/data_set_compare.h"
#include "model/record_layout.h"
#include "platform/sys/global_memory.h"
#include "tests/app/documents_fixture.h"
#include "tests/model/identity_fixture.h"

namespace shell_test {
namespace {

using identity_test::PutRaw;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 2;
  }
  return lines;
}

int CountBoxes(const std::string& text) {
  int n = 0;
  for (const auto& box : drv::MessageBoxes()) n += box.text == text;
  return n;
}

const std::string kWrongValues = "Wrong values in file. Continue?";

TEST(ComparisonLine, NamesArePaddedToTheValueColumn) {
  struct Case {
    std::string name;
    std::size_t blanks;
  };
  const std::vector<Case> cases = {
      {"", 30},                       // 28 needed: two more
      {std::string(17, 'n'), 13},     // 11 needed: two more
      {std::string(18, 'n'), 10},     // 10 needed: as needed
      {std::string(27, 'n'), 1},
      {std::string(28, 'n'), 0},
      {std::string(44, 'n'), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.size());
    EXPECT_EQ(app::ComparisonLine(c.name, "1 A", "2 A"), c.name + std::string(c.blanks, ' ') + "\t1 A\t2 A");
  }
}

// Entries on change list 1 of data set 1 without comparing: (record, element) pushed in order.
void Push(std::initializer_list<std::pair<std::uint16_t, std::uint16_t>> entries) {
  model::ClearChangeList1(1);
  for (const auto& [record, element] : entries) {
    const std::uint32_t entry = record | (static_cast<std::uint32_t>(element) << 16);
    ASSERT_EQ(model::ChangeListPush(1, 1, &entry), 0);
  }
}

TEST_F(DocumentsTest, ReportsLongerThanTheirBufferAreCutAtALineEndAndSaySo) {
  Run({[] {
    // Ten entries of about 40 characters into 500 bytes: the comparison keeps 200 free.
    Push({{302, 0}, {302, 0}, {302, 0}, {302, 0}, {302, 0}, {302, 0}, {302, 0}, {302, 0}, {302, 0}, {302, 0}});
    std::vector<char> out(500, '\x7F');
    const app::ReportResult r = app::WriteComparisonReport(app::kCompareFiles, 1, out);
    const std::string text(out.data());
    EXPECT_TRUE(r.cut);
    EXPECT_EQ(r.length, text.size());
    EXPECT_LE(text.size() - app::kMoreDifferences.size(), out.size() - app::kComparisonReserve);
    ASSERT_GT(r.listed, 0);
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(r.listed) + 1);
    EXPECT_EQ(lines.back(), app::kMoreDifferences);
    EXPECT_EQ(lines.front(), "file type is different: 1 time projecting- a.1 time reverse docu.-file!");

    // The input check's lines the same way, with 100 kept free.
    std::string check;
    for (int i = 0; i < 20; ++i) check += "P1.B20 control mode: value too great" + std::string(1, '\0');
    std::vector<char> small(400, '\x7F');
    const app::ReportResult c = app::WriteInputCheckReport(check, 20, small);
    EXPECT_TRUE(c.cut);
    EXPECT_EQ(Lines(small.data()).size(), static_cast<std::size_t>(c.listed) + 1);
    EXPECT_EQ(Lines(small.data()).back(), app::kMoreWrongParameters);
    EXPECT_LT(std::string(small.data()).size(), small.size());
    // Enough room: every line, no note.
    std::vector<char> big(2000);
    const app::ReportResult all = app::WriteInputCheckReport(check, 20, big);
    EXPECT_FALSE(all.cut);
    EXPECT_EQ(all.listed, 20);
    EXPECT_EQ(Lines(big.data()).size(), 20u);
  }});
}


HWND ComparisonWindow() { return app::ModelessWindow(app::Modeless::kComparisonResult); }

TEST_F(DocumentsTest, FilesAndParameterSetsAreComparedWithBothValuesAndTheCaptionFollowsTheComparison) {
  std::vector<std::string> files;
  std::vector<std::string> sets;
  std::string files_caption;
  Run({
      [] {
        // File 2: its name, C01 n-Max and F34 of set 1 and the poles of motor 2 differ from File 1.
        ASSERT_TRUE(PutRaw(38, 2, 2500, 1));
        ASSERT_TRUE(PutRaw(34, 22, 14, 1));
        ASSERT_TRUE(PutRaw(43, 26, 3, 1));
        drv::PickMenu(Main(), 2014);
      },
      [&] {
        const HWND w = ComparisonWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w, drv::FindDialog(app::kComparisonTemplate));
        files_caption = drv::Text(w);
        files = Lines(drv::ItemText(w, app::kComparisonList));
        EXPECT_EQ(drv::ItemText(w, app::kComparisonCount), "4");
        // Parameter set 2 of File 1: F34 and the motor's pole pairs differ from set 1.
        ASSERT_TRUE(PutRaw(35, 22, 14, 0));
        ASSERT_TRUE(PutRaw(43, 26, 3, 0));
        drv::PickMenu(Main(), 2033);
      },
      [&] {
        const HWND w = ComparisonWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(drv::Text(w), "Result of the comparison of parameterset 1 with parameterset 2");
        sets = Lines(drv::ItemText(w, app::kComparisonList));
        EXPECT_EQ(drv::ItemText(w, app::kComparisonCount), "2");
        EXPECT_EQ(drv::Text(GetDlgItem(w, app::kComparisonHeading)),
                  "List of different parameters in: 1             2");
        drv::ClickItem(w, IDOK);
      },
      [] { EXPECT_EQ(ComparisonWindow(), nullptr); },
  });
  EXPECT_EQ(files_caption, "Result of the comparison of file 1 with file 2");
  // Newest difference first; File 1's value, then File 2's (a selection's number and its text).
  EXPECT_EQ(files, (std::vector<std::string>{
                       "K05 R-filename                \tNONAME1.ZPR\tNONAME2.ZPR",
                       "P1.F34 BE4-function         \t4:fault reset\t14:posi.step",
                       "P1.C01 n-Max                  \t1500 rpm\t916 rpm",
                       "P2.B10 poles                  \t4 \t6 ",
                   }));
  // Set 1's value, then set 2's.
  EXPECT_EQ(sets, (std::vector<std::string>{
                      "P2.F34 BE4-function         \t4:fault reset\t14:posi.step",
                      "P2.B10 poles                  \t4 \t6 ",
                  }));
  EXPECT_TRUE(drv::MessageBoxes().empty());
}

TEST_F(DocumentsTest, EqualFilesAndEqualParameterSetsOpenNoWindowButSaySo) {
  Run({
      // Fresh files differ in their names alone; a copy is equal in everything.
      [] { ASSERT_EQ(model::CopyDataSet(0, 1), 0); },
      [] { drv::PickMenu(Main(), 2014); },
      [] { PostMessage(Main(), WM_COMMAND, 2062, 0); },  // the reverse documentation's item
      [] { EXPECT_EQ(ComparisonWindow(), nullptr); },
  });
  ASSERT_EQ(drv::MessageBoxes().size(), 2u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "The file 1 a. 2 are equal, there are no differences!");
  EXPECT_EQ(drv::MessageBoxes()[1].text, "Parameter set 1 a. 2 are equal, there are no differences!");
  EXPECT_EQ(drv::MessageBoxes()[0].type & MB_ICONMASK, MB_ICONINFORMATION);
}

TEST_F(DocumentsTest, FiftyOrMoreDifferencesEndWithTheNoteAndUnnamedOnesShowAtTheServiceLevel) {
  std::vector<std::string> user;
  std::string user_count;
  Run({
      [] {
        // Every number of the two motor records differs in File 2: far more than change list 1 holds.
        int changed = 0;
        for (std::uint16_t record : {42, 43}) {
          for (std::uint16_t element = 0; element < 74; element += 2) {
            std::int64_t v = 0;
            if (model::ReadRawInteger(record, element, 1, &v) == 0 && PutRaw(record, element, double(v + 1), 1)) ++changed;
          }
        }
        ASSERT_GT(changed, 51);
        drv::PickMenu(Main(), 2014);
      },
      [&] {
        const HWND w = ComparisonWindow();
        ASSERT_NE(w, nullptr);
        user = Lines(drv::ItemText(w, app::kComparisonList));
        user_count = drv::ItemText(w, app::kComparisonCount);
        ASSERT_TRUE(PutRaw(305, 11, 1, 0));  // the service level
        drv::PickMenu(Main(), 2014);
      },
      [] {
        const auto lines = Lines(drv::ItemText(ComparisonWindow(), app::kComparisonList));
        ASSERT_EQ(lines.size(), 51u);
        EXPECT_EQ(lines.back(), app::kMoreDifferences);
        EXPECT_EQ(drv::ItemText(ComparisonWindow(), app::kComparisonCount), "50");
        int unnamed = 0;
        for (const auto& l : lines) unnamed += l.rfind("Bnam = ", 0) == 0;
        EXPECT_GT(unnamed, 0);
      },
  });
  // Below the service level the entries without a parameter text are left out of list and count.
  ASSERT_FALSE(user.empty());
  EXPECT_EQ(user.back(), app::kMoreDifferences);
  EXPECT_EQ(user_count, std::to_string(user.size() - 1));
  EXPECT_LT(user.size(), 51u);
  for (const auto& l : user) EXPECT_NE(l.rfind("Bnam = ", 0), 0u) << l;
}

HWND InputCheckWindow() { return app::ModelessWindow(app::Modeless::kInputCheckResult); }

TEST_F(DocumentsTest, InputCheckListsTheWrongParameterAndAsksEveryTimeWhileErrorsRemain) {
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDNO; });
  drv::AnswerFileDialog(std::nullopt);
  std::size_t blocks = 0;
  Run({
      [&] {
        blocks = platform::sys::LiveGlobalBlocks();
        ASSERT_TRUE(PutRaw(40, 6, 200, 0));  // B20 control mode of set 1 far beyond its range
        drv::PickMenu(Main(), 2003);
      },
      [&] {
        const HWND w = InputCheckWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(drv::Text(w), "Result of input-check");
        EXPECT_EQ(drv::ItemText(w, app::kInputCheckCount), "1");
        EXPECT_EQ(drv::ItemText(w, app::kInputCheckList), "P1.B20 control mode: value too great\r\n");
        EXPECT_EQ(platform::sys::LiveGlobalBlocks(), blocks + 1);  // the error buffer
        // Placed inside the main window's lower right corner.
        RECT main{}, own{};
        GetWindowRect(Main(), &main);
        GetWindowRect(w, &own);
        EXPECT_EQ(own.right, main.right - GetSystemMetrics(SM_CXFRAME));
        EXPECT_EQ(own.bottom, main.bottom - GetSystemMetrics(SM_CYFRAME));
        // Again with the window open: the values are still wrong, so the question comes again.
        drv::PickMenu(Main(), 2003);
      },
      [&] {
        EXPECT_EQ(CountBoxes(kWrongValues), 2);
        EXPECT_TRUE(drv::FileDialogs().empty());
        // Mended: the check finds nothing now; the window goes and Save as asks for a name.
        ASSERT_TRUE(PutRaw(40, 6, 0, 0));
        drv::PickMenu(Main(), 2003);
      },
      [&] {
        EXPECT_EQ(InputCheckWindow(), nullptr);
        EXPECT_EQ(platform::sys::LiveGlobalBlocks(), blocks);
      },
  });
  EXPECT_EQ(CountBoxes(kWrongValues), 2);
  EXPECT_EQ(drv::FileDialogs().size(), 1u);
}

TEST_F(DocumentsTest, InputCheckWithoutItsBufferStillAsks) {
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDNO; });
  Run({
      [] {
        ASSERT_TRUE(PutRaw(40, 6, 200, 0));
        platform::sys::InjectGlobalMemoryFailure(platform::sys::GlobalOp::kAlloc, 0);
        drv::PickMenu(Main(), 2003);
      },
      [] { EXPECT_EQ(InputCheckWindow(), nullptr); },
  });
  platform::sys::ClearGlobalMemoryFailures();
  ASSERT_EQ(drv::MessageBoxes().size(), 2u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Internal error: Backup-memory can not be reserved!");
  EXPECT_EQ(drv::MessageBoxes()[1].text, kWrongValues);
  EXPECT_TRUE(drv::FileDialogs().empty());
}

TEST_F(DocumentsTest, InputCheckWindowWhoseBufferCannotBeUnlockedStaysUntilItCan) {
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDNO; });
  Run({
      [] {
        ASSERT_TRUE(PutRaw(40, 6, 200, 0));
        drv::PickMenu(Main(), 2003);
      },
      [] {
        ASSERT_NE(InputCheckWindow(), nullptr);
        platform::sys::InjectGlobalMemoryFailure(platform::sys::GlobalOp::kUnlock, 0);
        drv::ClickItem(InputCheckWindow(), IDOK);
      },
      [] {
        EXPECT_NE(InputCheckWindow(), nullptr);
        drv::ClickItem(InputCheckWindow(), IDOK);
      },
      [] { EXPECT_EQ(InputCheckWindow(), nullptr); },
  });
  platform::sys::ClearGlobalMemoryFailures();
  EXPECT_EQ(CountBoxes("Internal error: Backup-memory can not be unlocked!"), 1);
}

}  // namespace
}  // namespace shell_test
