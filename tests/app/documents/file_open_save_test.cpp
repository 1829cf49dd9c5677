// Opening and saving around the edges: the question over unsaved changes, a second save while the first one's
// dialog is open, the reverse-documentation mark, a disk that is full while saving, the comment flags of an
// opened file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <set>

#include "app/documents/busy_test.h"
#include "app/documents/file_slots.h"
#include "app/documents/recent_files.h"
#include "app/documents/unsaved_changes.h"
#include "tests/app/documents_fixture.h"

namespace shell_test {
namespace {

std::set<std::string> FilesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

std::string MarkOf(std::uint8_t set) {
  std::array<char, 64> text{};
  model::ReadElement(15, 38, text.data(), model::kModeRaw, set);
  return text.data();
}

std::string DefaultMark() {
  std::array<char, 64> text{};
  model::ReadDefaultElement(15, 38, text.data(), model::kModeRaw, 0);
  return text.data();
}

// Open and a recent file over unsaved changes ask 8.8 first; No keeps the data and opens no dialog.
TEST_F(DocumentsTest, NoToTheUnsavedChangesQuestionKeepsTheData) {
  const auto there = MakeProject("there.ZPR", "from file");
  WriteIni("[lastfiles]\nfile1=" + there.string() + "\n");
  for (unsigned command : {2001u, 2015u}) {
    SCOPED_TRACE(command);
    dialogs_.clear();
    answers_ = {2};
    Run({
        [&] {
          Modify(0, "unsaved");
          drv::PickMenu(Main(), command);
        },
        [&] {
          EXPECT_EQ(CommentOf(0), "unsaved");
          EXPECT_EQ(Title(), "ZPR-Tool - File 1: NONAME1.ZPR");
          // Without unsaved changes nothing is asked.
          model::ClearChangeList0(0);
          EXPECT_TRUE(app::MayReplaceActiveData());
        },
    });
    EXPECT_TRUE(drv::FileDialogs().empty());
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(dialogs_[0].rfind("Warning: Actual projecting data will be overwritten.", 0), 0u) << dialogs_[0];
  }
}

// Save and Save as arriving while Save as waits in its file dialog (commands posted by a page still reach the
// main window there) are refused: one dialog, one file.
TEST_F(DocumentsTest, ASecondSaveWhileTheFirstOnesDialogIsOpenIsRefused) {
  int asked = 0;
  drv::OnFileDialog([&](const drv::FileDialogRecord&) -> std::optional<std::string> {
    if (++asked == 1) {
      EXPECT_TRUE(app::CommandBusy());
      SendMessage(Main(), WM_COMMAND, 2003, 0);
      SendMessage(Main(), WM_COMMAND, 2002, 0);
    }
    return (folder_.path() / "once.ZPR").string();
  });
  Run({
      [] { Modify(0); },
      [] { drv::PickMenu(Main(), 2003); },
      [] { EXPECT_FALSE(app::CommandBusy()); },
  });
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "once.ZPR"));
}

// Save and Save as of a reverse documentation set its mark back to the default before writing; a project keeps
// its value.
TEST_F(DocumentsTest, SavingAReverseDocumentationResetsItsMark) {
  struct Case {
    std::uint16_t kind;
    unsigned command;
    bool reset;
  };
  for (const Case& c : {Case{18, 2002, true}, Case{18, 2003, true}, Case{17, 2002, false}}) {
    SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.command));
    const auto path = MakeProject("mark.ZPR", "marked", [&](std::uint8_t set) {
      ASSERT_EQ(model::ConvertToProjectType(c.kind, set), c.kind);
      ASSERT_EQ(model::WriteElement(15, 38, "13.05.2024", model::kModeRaw, set), 0);
    });
    drv::AnswerFileDialog(path.string());
    if (c.command == 2003) drv::AnswerFileDialog((folder_.path() / "saved.ZPR").string());
    Run({
        [] { drv::PickMenu(Main(), 2001); },
        [&] {
          ASSERT_EQ(MarkOf(0), "13.05.2024");
          drv::PickMenu(Main(), c.command);
        },
        [&] { EXPECT_EQ(MarkOf(0), c.reset ? DefaultMark() : "13.05.2024"); },
    });
  }
}

// A write that the disk cannot take (a real one: the file-size limit of the process stops it, as a full disk
// does) shows the catalogue's message; the old file stays whole, no temporary file is left, the file stays
// modified and keeps its name.
TEST_F(DocumentsTest, AFullDiskOnSaveKeepsTheOldFileAndTheModifiedState) {
  struct Case {
    const char* what;
    unsigned command;
  };
  for (const Case& c : {Case{"Save onto the opened file", 2002}, Case{"Save as over a small file", 2003}}) {
    SCOPED_TRACE(c.what);
    dialogs_.clear();
    const auto opened = MakeProject("full.ZPR", "on disk");
    const auto small = folder_.path() / "small.ZPR";
    std::ofstream(small, std::ios::binary | std::ios::trunc) << "old";
    const auto target = c.command == 2002 ? opened : small;
    drv::AnswerFileDialog(opened.string());
    if (c.command == 2003) drv::AnswerFileDialog(small.string());
    std::string before;
    std::set<std::string> files;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    Run({
        [] { drv::PickMenu(Main(), 2001); },
        [&] {
          Modify(0, "new text");
          before = ReadAll(target);
          files = FilesIn(folder_.path());
          files.insert("small.BAK");  // Save as copies the file it replaces first
          signal(SIGXFSZ, SIG_IGN);
          rlimit limit = saved;
          limit.rlim_cur = 4096;  // the backup of "old" fits, a project file does not
          ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
          drv::PickMenu(Main(), c.command);  // handled before the next step
        },
        [&] {
          setrlimit(RLIMIT_FSIZE, &saved);
          signal(SIGXFSZ, SIG_DFL);
          EXPECT_TRUE(ReadAll(target) == before) << "the old file changed";
          EXPECT_EQ(model::ChangeList0Empty(0), 0);
          EXPECT_NE(drv::Text(GetDlgItem(Main(), 501)).find("modified"), std::string::npos);
          EXPECT_EQ(Title(), "ZPR-Tool - File 1: FULL.ZPR");
          EXPECT_EQ(app::Slot(0).path, opened.string());
          EXPECT_EQ(app::RecentFiles().front().path, opened.string());
        },
    });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::set<std::string> after = FilesIn(folder_.path());
    if (c.command == 2002) files.erase("small.BAK");
    EXPECT_EQ(after, files);
    ASSERT_FALSE(dialogs_.empty());
    EXPECT_EQ(dialogs_.back().rfind("Can not close the file.", 0), 0u) << dialogs_.back();
    std::filesystem::remove(folder_.path() / "small.BAK");
  }
}

// The comment flags follow the opened file: both set when it holds a scope remark, both clear when not.
TEST_F(DocumentsTest, CommentFlagsFollowTheOpenedFilesScopeRemark) {
  const auto remark = MakeProject("remark.ZPR", "k", [](std::uint8_t set) {
    ASSERT_EQ(model::WriteElement(317, 2644, "trigger at standstill", model::kModeRaw, set), 0);
  });
  const auto blank = MakeProject("blank.ZPR", "k", [](std::uint8_t set) {
    ASSERT_EQ(model::WriteElement(317, 2644, "   ", model::kModeRaw, set), 0);
  });
  drv::AnswerFileDialog(remark.string());
  drv::AnswerFileDialog(blank.string());
  Run({
      [] { drv::PickMenu(Main(), 2001); },
      [] {
        EXPECT_TRUE(app::Shell().comment_in_file);
        EXPECT_TRUE(app::Shell().comment_unread);
        drv::PickMenu(Main(), 2001);
      },
      [] {
        EXPECT_FALSE(app::Shell().comment_in_file);
        EXPECT_FALSE(app::Shell().comment_unread);
      },
  });
}

}  // namespace
}  // namespace shell_test
