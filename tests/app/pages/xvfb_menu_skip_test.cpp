// The real vqpt32 on a virtual X server opens the first menu-skip page from the Projecting menu by real keys,
// selects an entry of group A's list and skips the whole group B with real key presses, leaves the page with
// OK, and finds the marks again when it opens the page once more. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

constexpr const char* kPage = "M.. Menu skip part 1";

class XvfbMenuSkipTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
  }
  std::unique_ptr<platform::gdi::Surface> Shot(Window w, const std::string& name) {
    auto shot = Screenshot(user_, w);
    shot->WritePng((fs::path(::testing::TempDir()) / name).string());
    return shot;
  }
  // Projecting (Alt+P), from its first item up past the last one to "M.. Menu skip part 1", Enter.
  Window OpenPage() {
    EXPECT_TRUE(X({"key", "alt+p"}));
    Pause(300);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(X({"key", "Up"}));
    EXPECT_TRUE(X({"key", "Return"}));
    const Window page = WaitForWindow(kPage);
    Pause(300);
    return page;
  }
  static bool SamePixels(const platform::gdi::Surface& a, const platform::gdi::Surface& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) {
        if (a.Row(y)[x] != b.Row(y)[x]) return false;
      }
    }
    return true;
  }

  std::string binary_;
};

TEST_F(XvfbMenuSkipTest, MarksSetByRealKeysAreThereWhenThePageOpensAgain) {
  Program program(binary_, server_.display());
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u);
  Window page = OpenPage();
  ASSERT_NE(page, 0u) << "the page did not open";
  const auto opened = Shot(page, "vqpt32_xvfb_menu_skip_opened.png");
  // The focus starts on group A's check box: Tab to its list, the second entry selected by Down and Space;
  // Tab on to group B's check box (the list's selection is committed as it loses the focus), Space skips B.
  for (const char* key : {"Tab", "Down", "space", "Tab", "space"}) {
    ASSERT_TRUE(X({"key", key}));
    Pause(100);
  }
  Pause(200);
  const auto marked = Shot(page, "vqpt32_xvfb_menu_skip_marked.png");
  EXPECT_FALSE(SamePixels(*opened, *marked)) << "the marks do not show";
  ASSERT_TRUE(X({"key", "Return"}));  // OK
  EXPECT_TRUE(WaitForWindowGone(kPage)) << "OK did not close the page";
  Pause(300);
  page = OpenPage();
  ASSERT_NE(page, 0u) << "the page did not open again";
  const auto again = Shot(page, "vqpt32_xvfb_menu_skip_again.png");
  EXPECT_FALSE(SamePixels(*opened, *again)) << "the marks were not kept";
  ASSERT_TRUE(X({"key", "Escape"}));  // Cancel: the marks stay as they were at this opening
  EXPECT_TRUE(WaitForWindowGone(kPage));
}

}  // namespace
