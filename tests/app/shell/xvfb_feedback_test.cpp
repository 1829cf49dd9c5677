// The real vqpt32 on a virtual X server tells the user what happened and where things go: a damaged project named
// on the command line gets one box that names its line; File > Print names the PDF beside the project and writes
// it there; the P page lists the device families. Every top-level window is counted, so a box too many fails;
// screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/project_file.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

// The names of the viewable top-level windows.
std::vector<std::string> ShownWindows(Display* d) {
  XSync(d, False);
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  std::vector<std::string> names;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return names;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    char* title = nullptr;
    if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && XFetchName(d, children[i], &title) &&
        title) {
      names.emplace_back(title);
      XFree(title);
    }
  }
  if (children) XFree(children);
  return names;
}

class XvfbFeedbackTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
  }
  std::string binary_;
};

TEST_F(XvfbFeedbackTest, ADamagedProjectOnTheCommandLineNamesItsLineInOneBox) {
  const fs::path project = folder_.path() / "damaged.zpr";
  model::InitDataSet(1);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 1, project.c_str()), model::kFileDone);
  // The first line after the 200th that holds a plain number gets letters.
  std::ifstream in(project, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  std::size_t start = 0, line = 1;
  for (; line < 200; ++line) start = text.find('\n', start) + 1;
  for (;; ++line) {
    const std::size_t end = text.find('\r', start);
    ASSERT_NE(end, std::string::npos);
    const std::string value = text.substr(start, end - start);
    if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos) {
      text.replace(start, end - start, "no number");
      break;
    }
    start = text.find('\n', start) + 1;
  }
  std::ofstream(project, std::ios::binary | std::ios::trunc) << text;

  Program program(binary_, server_.display(), "", {project.string()});
  ASSERT_TRUE(program.started());
  const Window box = WaitForWindow("Fault file operation:");
  ASSERT_NE(box, 0u) << "no fault box";
  Pause(500);
  SavePng(box, "vqpt32_xvfb_damaged_project.png");
  // The box comes while the main window is being made: besides it (shown or not yet) only the one box.
  std::vector<std::string> shown = ShownWindows(user_);
  std::erase(shown, kFreshTitle);
  EXPECT_EQ(shown, std::vector<std::string>{"Fault file operation:"});
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(box)}));
  ASSERT_TRUE(X({"key", "Return"}));
  ASSERT_TRUE(WaitForWindowGone("Fault file operation:"));
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u) << "the program goes on with the fresh data set";
  Pause(300);
  EXPECT_EQ(ShownWindows(user_).size(), 1u);
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

TEST_F(XvfbFeedbackTest, ThePrintoutGoesBesideTheProjectNamedAfterIt) {
  const fs::path project = folder_.path() / "plant.zpr";
  model::InitDataSet(1);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 1, project.c_str()), model::kFileDone);
  const fs::path pdf = folder_.path() / "plant.pdf";
  Program program(binary_, server_.display(), "", {project.string()});
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow("ZPR-Tool - File 1: PLANT.ZPR");
  ASSERT_NE(main, 0u);
  Pause(300);
  ASSERT_TRUE(ClickFileMenu(main));
  Pause(300);
  ASSERT_TRUE(X({"key", "p"}));
  const Window dialog = WaitForWindow("Print");
  ASSERT_NE(dialog, 0u) << "no print dialog";
  Pause(400);
  SavePng(dialog, "vqpt32_xvfb_print_names_its_file.png");
  EXPECT_EQ(ShownWindows(user_).size(), 2u);
  ASSERT_TRUE(X({"key", "Return"}));
  EXPECT_TRUE(WaitFor([&] { return fs::exists(pdf); }, 20000)) << "no PDF beside the project";
  ASSERT_TRUE(WaitFor([&] { return ShownWindows(user_).size() == 1; }, 10000)) << "a window too many";
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  EXPECT_FALSE(fs::exists(folder_.path() / "ZPR-Tool.pdf"));
}

TEST_F(XvfbFeedbackTest, ThePageOfTheTargetListsTheFamiliesByTheirLogos) {
  Program program(binary_, server_.display());
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  Pause(300);
  // Projecting > P.. Target of project: the sixth item (over the separator).
  PickProjectingItem(main, 4);
  const Window page = WaitForWindow("P.. Target of project");
  ASSERT_NE(page, 0u) << "the page did not open";
  Pause(300);
  // The family combo box has the focus: its list opens with F4.
  ASSERT_TRUE(X({"key", "F4"}));
  Pause(500);
  const auto shot = Screenshot(user_, DefaultRootWindow(user_));
  shot->WritePng((fs::path(::testing::TempDir()) / "vqpt32_xvfb_family_list.png").string());
  ASSERT_TRUE(X({"key", "Escape"}));
  Pause(200);
  ASSERT_TRUE(X({"key", "Escape"}));
  ASSERT_TRUE(WaitForWindowGone("P.. Target of project"));
  EXPECT_EQ(ShownWindows(user_), std::vector<std::string>{kFreshTitle});
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
