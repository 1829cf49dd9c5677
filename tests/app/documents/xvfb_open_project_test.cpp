// The real vqpt32 on a virtual X server opens a project file: File > Open by a real click and its mnemonic, the
// file dialog driven by typed keys (into the folder, then the file name), the title naming the file; and the
// project named on the command line, open at start. The program runs from a folder of its own, so its settings
// file (with the recent list) is written there. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

class XvfbOpenProjectTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
    project_ = folder_.path() / "projects" / "plant.zpr";
    fs::create_directory(project_.parent_path());
    WriteProject(project_, [] { ASSERT_EQ(model::WriteElement(317, 0, "line 4 conveyor", model::kModeWriteUnchecked, 1), 0); });
  }

  std::string binary_;
  fs::path project_;
};

TEST_F(XvfbOpenProjectTest, OpenThroughTheRealFileDialogNamesTheWindowAfterTheFile) {
  Program program(binary_, server_.display());
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u);
  // "File" on the menu bar, then "&Open..." by its mnemonic.
  ASSERT_TRUE(ClickFileMenu(main));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(X({"key", "o"}));
  const Window dialog = WaitForWindow("Open file");
  ASSERT_NE(dialog, 0u) << "no file dialog";
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  // The name field has the focus: the folder first (Enter goes into it and lists its project files) ...
  ASSERT_TRUE(X({"type", "--delay", "5", project_.parent_path().string()}));
  ASSERT_TRUE(X({"key", "Return"}));
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  SavePng(dialog, "vqpt32_xvfb_open_dialog.png");
  // ... then the file's name.
  ASSERT_TRUE(X({"type", "--delay", "5", "plant.zpr"}));
  ASSERT_TRUE(X({"key", "Return"}));
  const Window opened = WaitForWindow("ZPR-Tool - File 1: PLANT.ZPR");
  ASSERT_NE(opened, 0u) << "the title does not name the opened file";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SavePng(opened, "vqpt32_xvfb_opened.png");
  CloseAsWindowManager(user_, opened);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  std::ifstream ini(folder_.path() / "vqpt32.ini");
  std::stringstream text;
  text << ini.rdbuf();
  EXPECT_NE(text.str().find("file1=" + project_.string()), std::string::npos) << text.str();
}

TEST_F(XvfbOpenProjectTest, TheProjectNamedOnTheCommandLineIsOpenAtStart) {
  Program program(binary_, server_.display(), "", {project_.string()});
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow("ZPR-Tool - File 1: PLANT.ZPR");
  ASSERT_NE(main, 0u) << "the project on the command line is not open";
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
