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
#include "platform/win/win.h"
#include "tests/app/service_fixture.h"
#include "tests/app/xvfb_program.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

class XvfbParameterPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(xtest::kXvfb, X_OK) != 0 || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    const fs::path bin = ZPR_BIN_DIR;
    fs::copy_file(bin / "vqpt32", folder_.path() / "vqpt32");
    fs::create_symlink(bin / "libplatform.so", folder_.path() / "libplatform.so");
    project_ = folder_.path() / "plant.zpr";
    model::InitDataSet(1);
    ASSERT_EQ(model::WriteElement(317, 0, "line 4 conveyor", model::kModeWriteUnchecked, 1), 0);
    ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 1, project_.c_str()), model::kFileDone);
    model::InitDataSet(1);
  }
  void TearDown() override {
    if (user_) XCloseDisplay(user_);
  }
  Window WaitForWindow(const std::string& name) {
    Window w = 0;
    WaitFor([&] { return (w = FindWindowNamed(user_, name)) != 0; });
    return w;
  }
  bool Keys(std::vector<std::string> args) { return Xdotool(server_.display(), std::move(args)); }
  void Pause(int ms = 250) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  VirtualServer server_;
  Display* user_ = nullptr;
  service_test::TempFolder folder_;
  fs::path project_;
};

TEST_F(XvfbParameterPageTest, ACommentTypedOnItsPageIsSavedIntoTheProjectFile) {
  Program program((folder_.path() / "vqpt32").string(), server_.display(), "", {project_.string()});
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow("ZPR-Tool - File 1: PLANT.ZPR");
  ASSERT_NE(main, 0u);
  Pause(300);
  // Projecting opens with its first item; five steps down (over the separator) reach K.. Comments.
  ASSERT_TRUE(Keys({"windowfocus", "--sync", std::to_string(main)}));
  ASSERT_TRUE(Keys({"key", "alt+p"}));
  Pause();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(Keys({"key", "Down"}));
  ASSERT_TRUE(Keys({"key", "Return"}));
  const Window page = WaitForWindow("K.. Comments");
  ASSERT_NE(page, 0u) << "the comments page did not open";
  Pause(300);
  // The first comment (a reverse documentation's own) is read-only in a project: the focus is on the comment
  // date, which is empty.
  ASSERT_TRUE(Keys({"type", "--delay", "5", "xvfb remark"}));
  Pause();
  Screenshot(user_, page)->WritePng((fs::path(::testing::TempDir()) / "vqpt32_xvfb_comments_page.png").string());
  ASSERT_TRUE(Keys({"key", "Return"}));
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, "K.. Comments") == 0; })) << "the page stayed open";
  Pause();
  ASSERT_TRUE(Keys({"key", "alt+f"}));
  Pause();
  ASSERT_TRUE(Keys({"key", "s"}));
  Pause(600);
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));

  model::InitDataSet(1);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectOpen, 1, project_.c_str()), model::kFileDone);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectReadProject, 1, project_.c_str()), model::kFileDone);
  std::array<char, 1100> text{};
  ASSERT_EQ(model::ReadElement(317, 81, text.data(), model::kModeRaw, 1), 0);
  EXPECT_STREQ(text.data(), "xvfb remark");
}

}  // namespace
