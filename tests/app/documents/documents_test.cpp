// The file commands on the headless layer: Save as, Save, Open, New, File 1/2, the recent list, with scripted
// file dialogs and message dialogs; bad files and failed writes leave data, names and titles as they were.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <sstream>

#include "app/documents/file_commands.h"
#include "app/documents/file_name_dialog.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/recent_files.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "tests/app/damaged_project.h"
#include "tests/app/documents_fixture.h"

namespace shell_test {
namespace {

TEST_F(DocumentsTest, SaveAsNamesTheSlotAfterTheWriteAndEntersTheRecentList) {
  const auto path = folder_.path() / "proj.ZPR";
  drv::AnswerFileDialog(path.string());
  Run({
      [] { Modify(0); },
      [] { drv::PickMenu(Main(), 2003); },
      [&] {
        EXPECT_EQ(Title(), "ZPR-Tool - File 1: proj.ZPR");
        EXPECT_EQ(app::Slot(0).path, path.string());
        EXPECT_NE(model::ChangeList0Empty(0), 0);
        EXPECT_EQ(drv::MenuState(Main(), 2011).text, "File &1 proj.ZPR");
        EXPECT_EQ(drv::MenuState(Main(), 2015).text, "&1 proj.ZPR");
        EXPECT_EQ(drv::Text(GetDlgItem(Main(), 501)).find("modified"), std::string::npos);
      },
  });
  ASSERT_EQ(drv::FileDialogs().size(), 1u);
  const auto& dialog = drv::FileDialogs()[0];
  EXPECT_TRUE(dialog.save);
  EXPECT_EQ(dialog.title, "Save file as");
  EXPECT_EQ(dialog.default_ext, "ZPR");
  EXPECT_EQ(dialog.proposed, "NONAME1.ZPR");
  EXPECT_NE(dialog.filter.find("Projecting-file"), std::string::npos);
  EXPECT_NE(ReadAll(path).find("changed"), std::string::npos);
  EXPECT_NE(ReadAll(folder_.path() / "vqpt32.ini").find("file1=" + path.string()), std::string::npos);
}

TEST_F(DocumentsTest, FailedSaveAsKeepsNameTitleAndModifiedState) {
  // A folder where the backup copy should go fails the save for any user (a read-only folder would not stop
  // root); the old file stays as it was.
  const auto blocked = folder_.path() / "x.ZPR";
  std::ofstream(blocked) << "old";
  std::filesystem::create_directory(folder_.path() / "x.BAK");
  drv::AnswerFileDialog(blocked.string());
  Run({
      [] { Modify(0); },
      [] { drv::PickMenu(Main(), 2003); },
      [] {
        EXPECT_EQ(Title(), "ZPR-Tool - File 1: NONAME1.ZPR");
        EXPECT_TRUE(app::Slot(0).path.empty());
        EXPECT_EQ(model::ChangeList0Empty(0), 0);
        EXPECT_TRUE(app::RecentFiles().front().path.empty());
      },
  });
  ASSERT_FALSE(dialogs_.empty());
  EXPECT_EQ(dialogs_.back().rfind("Can not", 0), 0u) << dialogs_.back();
  EXPECT_EQ(ReadAll(blocked), "old");
}

// Save as onto an existing file: No to the overwrite question asks again; Cancel then leaves the slot on no file,
// so a later Save cannot overwrite the refused file; Yes keeps the old file as BAK.
TEST_F(DocumentsTest, SaveAsOverAnExistingFileAsksAndKeepsABackup) {
  const auto existing = MakeProject("old.ZPR", "old content");
  answers_ = {2};
  drv::AnswerFileDialog(existing.string());
  drv::AnswerFileDialog(std::nullopt);
  drv::AnswerFileDialog(existing.string());
  Run({
      [] { Modify(0); },
      [] { drv::PickMenu(Main(), 2003); },
      [&] {
        EXPECT_TRUE(app::Slot(0).path.empty());
        EXPECT_NE(ReadAll(existing).find("old content"), std::string::npos);
        drv::PickMenu(Main(), 2003);
      },
      [&] { EXPECT_EQ(app::Slot(0).path, existing.string()); },
  });
  EXPECT_NE(ReadAll(existing).find("changed"), std::string::npos);
  EXPECT_NE(ReadAll(folder_.path() / "old.BAK").find("old content"), std::string::npos);
}

TEST_F(DocumentsTest, OpenReadsTheFileNamesTheSlotAndLeavesItUnmodified) {
  std::filesystem::path path;
  Run({
      [&] {
        path = MakeProject("read.zpr", "from file");
        drv::AnswerFileDialog(path.string());
        drv::PickMenu(Main(), 2001);
      },
      [&] {
        EXPECT_EQ(CommentOf(0), "from file");
        EXPECT_EQ(Title(), "ZPR-Tool - File 1: READ.ZPR");
        EXPECT_EQ(app::Slot(0).path, path.string());
        EXPECT_NE(model::ChangeList0Empty(0), 0);
        EXPECT_EQ(app::RecentFiles().front().name, "read.zpr");
      },
  });
  ASSERT_EQ(drv::FileDialogs().size(), 1u);
  EXPECT_FALSE(drv::FileDialogs()[0].save);
  EXPECT_EQ(drv::FileDialogs()[0].title, "Open file");
  EXPECT_NE(drv::FileDialogs()[0].filter.find("Project-,Revdocu.-file"), std::string::npos);
}

// Damaged, truncated, foreign and missing files: the catalogue's message, and the data set with its unsaved
// change, the names and the title as they were.
TEST_F(DocumentsTest, BadFilesLeaveEverythingAsItWas) {
  struct Bad {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
  };
  std::vector<Bad> cases = {
      {"truncated", [](const auto& p) {
         const std::string text = ReadAll(p);
         std::ofstream(p, std::ios::binary | std::ios::trunc) << text.substr(0, text.size() / 2);
       }},
      {"damaged", [](const auto& p) {
         std::string text = ReadAll(p);
         for (std::size_t i = text.size() / 3; i < text.size() / 3 + 200 && i < text.size(); ++i) text[i] = 'x';
         std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
       }},
      {"foreign", [](const auto& p) { std::ofstream(p, std::ios::binary | std::ios::trunc) << "hello\r\n"; }},
      {"missing", [](const auto& p) { std::filesystem::remove(p); }},
  };
  for (const Bad& bad : cases) {
    SCOPED_TRACE(bad.name);
    dialogs_.clear();
    answers_ = {1, 2, 2};  // yes to 8.8 (unsaved changes), no to an older/newer-file question
    Run({
        [&] {
          const auto path = MakeProject(std::string(bad.name) + ".ZPR", "from file");
          bad.make(path);
          Modify(0, "unsaved");
          drv::AnswerFileDialog(path.string());
          drv::PickMenu(Main(), 2001);
        },
        [&] {
          EXPECT_EQ(CommentOf(0), "unsaved");
          EXPECT_EQ(model::ChangeList0Empty(0), 0);
          EXPECT_EQ(Title(), "ZPR-Tool - File 1: NONAME1.ZPR");
          EXPECT_TRUE(app::Slot(0).path.empty());
          EXPECT_TRUE(app::RecentFiles().front().path.empty());
        },
    });
    EXPECT_GE(dialogs_.size(), 2u);  // the question and the fault
  }
}

// A line that holds no value of its element: one box that says the file is damaged and names the line.
TEST_F(DocumentsTest, ADamagedLineIsNamedInTheFaultBox) {
  const auto path = MakeProject("lines.ZPR", "from file");
  const std::size_t line = project_test::DamageANumberLine(path);
  ASSERT_NE(line, 0u);
  Run({
      [&] {
        drv::AnswerFileDialog(path.string());
        drv::PickMenu(Main(), 2001);
      },
      [&] { EXPECT_EQ(Title(), "ZPR-Tool - File 1: NONAME1.ZPR"); },
  });
  const std::vector<std::string> expected = {"File is damaged and can not be read:\nline " + std::to_string(line) +
                                             " holds no value of its element."};
  EXPECT_EQ(dialogs_, expected);
}

// A folder deeper than the old 265-character slot: save, save again and the recent list keep the whole path.
TEST_F(DocumentsTest, ADeepFolderKeepsItsWholePath) {
  std::filesystem::path deep = folder_.path();
  while (deep.string().size() < 400) deep /= "a-rather-long-folder-name-for-plant-data";
  std::filesystem::create_directories(deep);
  const auto path = deep / "deep.ZPR";
  drv::AnswerFileDialog(path.string());
  Run({
      [] {
        Modify(0, "first");
        drv::PickMenu(Main(), 2002);  // a default name goes through Save as
      },
      [&] {
        EXPECT_EQ(app::Slot(0).path, path.string());
        EXPECT_EQ(app::RecentFiles().front().path, path.string());
        Modify(0, "second");
        drv::PickMenu(Main(), 2002);
      },
      [&] {
        EXPECT_NE(ReadAll(path).find("second"), std::string::npos);
        EXPECT_NE(model::ChangeList0Empty(0), 0) << "the save of the deep path succeeded";
      },
  });
  EXPECT_TRUE(dialogs_.empty()) << dialogs_.front();
  app::LoadRecentFiles();
  EXPECT_EQ(app::RecentFiles().front().path, path.string()) << "the settings file holds it whole";
}

// A relative path (as typed on the command line) is opened from the working folder and kept absolute.
TEST_F(DocumentsTest, ARelativePathIsKeptAbsolute) {
  MakeProject("relative.ZPR", "from file");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  Run({[] { EXPECT_EQ(app::OpenProjectFile("./relative.ZPR"), 0); }});
  std::filesystem::current_path(before);
  const std::string whole = (folder_.path() / "relative.ZPR").string();
  EXPECT_EQ(app::Slot(0).path, whole);
  EXPECT_EQ(app::RecentFiles().front().path, whole);
  EXPECT_TRUE(dialogs_.empty());
}

// The scope export proposes a file named after the active file, and a visible name while it has none.
TEST_F(DocumentsTest, TheScopeExportProposesAVisibleName) {
  for (const auto& [name, proposed] : {std::pair{"PLANT.ZPR", "PLANT.PRN"}, {"", "SCOPE.PRN"}, {".ZPR", "SCOPE.PRN"}}) {
    SCOPED_TRACE(name);
    drv::AnswerFileDialog(std::nullopt);
    Run({[&] {
      app::Slot(0).name = name;
      std::string out;
      EXPECT_EQ(app::FileNameDialog(app::kDialogPrintText, true, &out), app::kDialogCancelled);
    }});
    ASSERT_FALSE(drv::FileDialogs().empty());
    EXPECT_EQ(drv::FileDialogs().back().proposed, proposed);
  }
}

TEST_F(DocumentsTest, SaveWritesToTheSlotPathAndAFailedSaveStaysModified) {
  const auto path = folder_.path() / "keep.ZPR";
  drv::AnswerFileDialog(path.string());
  Run({
      [] {
        Modify(0, "first");
        drv::PickMenu(Main(), 2002);  // a default name goes through Save as
      },
      [&] {
        EXPECT_EQ(app::Slot(0).path, path.string());
        Modify(0, "second");
        drv::PickMenu(Main(), 2002);
      },
      [&] {
        EXPECT_NE(ReadAll(path).find("second"), std::string::npos);
        EXPECT_NE(model::ChangeList0Empty(0), 0);
        app::Slot(0).path = (folder_.path() / "gone" / "keep.ZPR").string();
        Modify(0, "third");
        drv::PickMenu(Main(), 2002);
      },
      [&] {
        EXPECT_EQ(model::ChangeList0Empty(0), 0);
        EXPECT_NE(drv::Text(GetDlgItem(Main(), 501)).find("modified"), std::string::npos);
      },
  });
  EXPECT_EQ(drv::FileDialogs().size(), 1u);
}

TEST_F(DocumentsTest, FileTwoAndParameterSetsSwitchTitleAndCheckMarks) {
  Run({
      [] {
        EXPECT_TRUE(drv::MenuState(Main(), 2011).checked);
        drv::PickMenu(Main(), 2012);
      },
      [] {
        EXPECT_EQ(Title(), "ZPR-Tool - File 2: NONAME2.ZPR");
        EXPECT_TRUE(drv::MenuState(Main(), 2012).checked);
        EXPECT_FALSE(drv::MenuState(Main(), 2011).checked);
        EXPECT_EQ(drv::MenuState(Main(), 2012).text, "File &2 NONAME2.ZPR");
        drv::PickMenu(Main(), 2031);
      },
      [] {
        EXPECT_EQ(app::GetActiveParamSet(), 1);
        EXPECT_TRUE(drv::MenuState(Main(), 2031).checked);
        EXPECT_FALSE(drv::MenuState(Main(), 2030).checked);
        EXPECT_NE(drv::Text(GetDlgItem(Main(), 501)).find("parameter set 2"), std::string::npos);
        EXPECT_EQ(app::Slot(0).param_set, 0);
      },
  });
}

TEST_F(DocumentsTest, StatusLineShowsKindDeviceVersionSetAndAddress) {
  Run({[] {
    const std::string line = drv::Text(GetDlgItem(Main(), 501));
    EXPECT_EQ(line, app::StatusLineText());
    EXPECT_EQ(line.rfind("project   ", 0), 0u) << line;
    EXPECT_NE(line.find("   parameter set 1   "), std::string::npos) << line;
    EXPECT_NE(line.find("   address "), std::string::npos) << line;
  }});
}

// The recent list from the settings file: short values count as empty, names are the part after the last
// separator; a file that is gone shows its message and stays in the list; an open moves a file to the top.
TEST_F(DocumentsTest, RecentFilesFromTheSettingsFileAndTheirMenuItems) {
  const auto there = MakeProject("there.ZPR", "recent one");
  WriteIni("[lastfiles]\nfile1=" + (folder_.path() / "gone.ZPR").string() + "\nfile2=abc\nfile3=" +
           there.string() + "\nfile4=C:\\old\\WIN.ZPR\n");
  Run({
      [] {
        EXPECT_EQ(drv::MenuState(Main(), 2015).text, "&1 gone.ZPR");
        EXPECT_EQ(drv::MenuState(Main(), 2016).text, "&2 there.ZPR");
        EXPECT_EQ(drv::MenuState(Main(), 2017).text, "&3 WIN.ZPR");
        EXPECT_FALSE(drv::MenuState(Main(), 2018).found);
        drv::PickMenu(Main(), 2015);
      },
      [&] {
        EXPECT_EQ(Title(), "ZPR-Tool - File 1: NONAME1.ZPR");
        EXPECT_EQ(app::RecentFiles().front().name, "gone.ZPR");
        drv::PickMenu(Main(), 2016);
      },
      [&] {
        EXPECT_EQ(CommentOf(0), "recent one");
        EXPECT_EQ(Title(), "ZPR-Tool - File 1: THERE.ZPR");
        EXPECT_EQ(drv::MenuState(Main(), 2015).text, "&1 there.ZPR");
        EXPECT_EQ(drv::MenuState(Main(), 2016).text, "&2 gone.ZPR");
      },
  });
  EXPECT_TRUE(Saw("Can not open the file."));
}

TEST(FileNames, ExtensionsAreReplacedOrAppended) {
  struct Case {
    const char* name;
    const char* ext;
    const char* expected;
  };
  for (const Case& c : {Case{"PROJ.ZPR", "TXT", "PROJ.TXT"}, Case{"PROJ", "ZPR", "PROJ.ZPR"},
                        Case{"A", "ZPR", "A.ZPR"}, Case{"", "ZPR", ".ZPR"}, Case{"a.b/proj", "ZPR", "a.b/proj.ZPR"},
                        Case{"x.tar.gz", "ZPR", "x.tar.ZPR"}}) {
    EXPECT_EQ(app::WithExtension(c.name, c.ext), c.expected) << c.name;
  }
  EXPECT_EQ(app::FileNamePart("/a/b/c.ZPR"), "c.ZPR");
  EXPECT_EQ(app::FileNamePart("C:\\x\\y.ZPR"), "y.ZPR");
}

}  // namespace
}  // namespace shell_test
