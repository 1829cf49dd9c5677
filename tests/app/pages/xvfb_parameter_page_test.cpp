// The real vqpt32 on a virtual X server edits a parameter page with real keys: the project named on the command
// line, Projecting > K.. Comments picked from the keyboard, the comment date typed into the first enabled edit,
// Enter (OK) storing it, File > Save, the window manager's close; the saved file read back holds the typed text.
// A screenshot of the page is left in the test folder.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

class XvfbParameterPageTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
    project_ = folder_.path() / "plant.zpr";
    WriteProject(project_, [] { ASSERT_EQ(model::WriteElement(317, 0, "line 4 conveyor", model::kModeWriteUnchecked, 1), 0); });
  }

  std::string binary_;
  fs::path project_;
};

TEST_F(XvfbParameterPageTest, ACommentTypedOnItsPageIsSavedIntoTheProjectFile) {
  Program program(binary_, server_.display(), "", {project_.string()});
  const Window main = WaitForMainWindow(program, "ZPR-Tool - File 1: PLANT.ZPR");
  ASSERT_NE(main, 0u);
  // Projecting opens with its first item; five steps down (over the separator) reach K.. Comments.
  PickProjectingItem(main, 5);
  const Window page = WaitForWindow("K.. Comments");
  ASSERT_NE(page, 0u) << "the comments page did not open";
  Pause(300);
  // The first comment (a reverse documentation's own) is read-only in a project: the focus is on the comment
  // date, which is empty.
  ASSERT_TRUE(X({"type", "--delay", "5", "xvfb remark"}));
  Pause(250);
  SavePng(page, "vqpt32_xvfb_comments_page.png");
  ASSERT_TRUE(X({"key", "Return"}));
  ASSERT_TRUE(WaitForWindowGone("K.. Comments")) << "the page stayed open";
  Pause(250);
  SaveByMenuAndClose(program, main);

  ReadProjectBack(project_);
  std::array<char, 1100> text{};
  ASSERT_EQ(model::ReadElement(317, 81, text.data(), model::kModeRaw, 1), 0);
  EXPECT_STREQ(text.data(), "xvfb remark");
}

}  // namespace
