// The real vqpt32 on a virtual X server tells the user what happened and where things go: a damaged project named
// on the command line gets one box that names its line; File > Print names the PDF beside the project and writes
// it there; the P page lists the device families; the first help request of a run says there is no help. Every top-level window is counted, so a box too many fails;
// screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/project_file.h"
#include "tests/app/damaged_project.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

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
  WriteProject(project);
  ASSERT_NE(project_test::DamageANumberLine(project), 0u);

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
  WriteProject(project);
  const fs::path pdf = folder_.path() / "plant.pdf";
  Program program(binary_, server_.display(), "", {project.string()});
  const Window main = WaitForMainWindow(program, "ZPR-Tool - File 1: PLANT.ZPR");
  ASSERT_NE(main, 0u);
  const Window dialog = OpenPrintDialog(main);
  ASSERT_NE(dialog, 0u) << "no print dialog";
  Pause(400);
  SavePng(dialog, "vqpt32_xvfb_print_names_its_file.png");
  EXPECT_EQ(ShownWindows(user_).size(), 2u);
  ASSERT_TRUE(X({"key", "Return"}));
  EXPECT_TRUE(WaitFor([&] { return fs::exists(pdf); }, 20000)) << "no PDF beside the project";
  ASSERT_TRUE(WaitFor([&] { return ShownWindows(user_).size() == 1; }, 10000)) << "a window too many";

  // Printed again, the PDF is there: one question names it; No keeps the file and the dialog, Yes prints over it.
  const std::string kQuestion = "Warning file operation:";
  MappedWindows mapped(server_.display());
  ASSERT_TRUE(mapped.ok());
  const auto written = fs::last_write_time(pdf);
  const auto size = fs::file_size(pdf);
  for (const char* answer : {"n", "y"}) {
    SCOPED_TRACE(answer);
    const Window again = OpenPrintDialog(main);
    ASSERT_NE(again, 0u) << "no print dialog";
    Pause(300);
    ASSERT_TRUE(X({"key", "Return"}));
    const Window question = WaitForWindow(kQuestion);
    ASSERT_NE(question, 0u) << "no question before the PDF is overwritten";
    Pause(300);
    if (*answer == 'n') SavePng(question, "vqpt32_xvfb_print_overwrite_question.png");
    ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(question)}));
    ASSERT_TRUE(X({"key", answer}));
    ASSERT_TRUE(WaitForWindowGone(kQuestion));
    if (*answer == 'n') {
      Pause(1000);
      EXPECT_NE(FindWindowNamed(user_, "Print"), 0u) << "No closes the print dialog";
      EXPECT_EQ(fs::last_write_time(pdf), written);
      EXPECT_EQ(fs::file_size(pdf), size);
      ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(again)}));
      ASSERT_TRUE(X({"key", "Escape"}));
      ASSERT_TRUE(WaitForWindowGone("Print"));
    } else {
      EXPECT_TRUE(WaitFor([&] { return fs::last_write_time(pdf) != written; }, 20000)) << "Yes printed nothing";
      ASSERT_TRUE(WaitFor([&] { return ShownWindows(user_).size() == 1; }, 10000)) << "a window too many";
    }
  }
  // Besides the print dialogs (the job's own, answered by its hook at once, may be gone before it is seen): the two
  // questions and the job's abort dialog.
  std::vector<std::string> names = mapped.Names();
  std::erase(names, "Print");
  EXPECT_EQ(names, (std::vector<std::string>{kQuestion, kQuestion, "ZPR-Tool"}));
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  EXPECT_FALSE(fs::exists(folder_.path() / "ZPR-Tool.pdf"));
}

// F1 on the main window: the box that there is no help, closed by a click on OK or by Return; a second F1 and
// Help > Contents afterwards show nothing, in the same run.
TEST_F(XvfbFeedbackTest, TheFirstHelpRequestOfARunSaysThereIsNoHelpOnceAndOkClosesIt) {
  const std::string kHelpCaption = "Fault";
  for (const bool by_click : {true, false}) {
    SCOPED_TRACE(by_click ? "OK clicked" : "Return");
    MappedWindows mapped(server_.display());
    ASSERT_TRUE(mapped.ok());
    Program program(binary_, server_.display());
    const Window main = WaitForMainWindow(program);
    ASSERT_NE(main, 0u);
    const std::size_t before = mapped.size();
    ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(main)}));
    ASSERT_TRUE(X({"key", "F1"}));
    const Window box = WaitForWindow(kHelpCaption);
    ASSERT_NE(box, 0u) << "F1 showed nothing";
    Pause(400);
    SavePng(box, by_click ? "vqpt32_xvfb_no_help.png" : "vqpt32_xvfb_no_help_return.png");
    if (by_click) {
      ASSERT_TRUE(ClickDefaultButton(box));
    } else {
      ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(box)}));
      ASSERT_TRUE(X({"key", "Return"}));
    }
    ASSERT_TRUE(WaitForWindowGone(kHelpCaption)) << "OK did not close the box";

    ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(main)}));
    ASSERT_TRUE(X({"key", "F1"}));
    Pause(300);
    ASSERT_TRUE(X({"key", "alt+h"}));
    Pause(300);
    ASSERT_TRUE(X({"key", "c"}));
    Pause(1500);
    EXPECT_EQ(mapped.NamesAfter(before), std::vector<std::string>{kHelpCaption});
    EXPECT_EQ(ShownWindows(user_), std::vector<std::string>{kFreshTitle});
    CloseAsWindowManager(user_, main);
    EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  }
}

TEST_F(XvfbFeedbackTest, ThePageOfTheTargetListsTheFamiliesByTheirLogos) {
  Program program(binary_, server_.display());
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u);
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
