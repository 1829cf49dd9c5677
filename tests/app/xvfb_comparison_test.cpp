// The real vqpt32 on a virtual X server compares the project named on its command line (File 1) with the fresh
// File 2, picked from the File menu with real X input: the result window shows, is looked at in a screenshot,
// scrolls, and goes with a click on its OK button. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "platform/win/win.h"
#include "tests/app/service_fixture.h"
#include "tests/app/xvfb_program.h"
#include "tests/model/identity_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

const std::string kTitle = "ZPR-Tool - File 1: PLANT.ZPR";
const std::string kCaption = "Result of the comparison of file 1 with file 2";

class XvfbComparisonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(xtest::kXvfb, X_OK) != 0 || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const fs::path bin = ZPR_BIN_DIR;
    fs::copy_file(bin / "vqpt32", folder_.path() / "vqpt32");
    fs::create_symlink(bin / "libplatform.so", folder_.path() / "libplatform.so");
    // A project whose motor data and parameter sets differ from a fresh file in a few dozen numbers.
    project_ = folder_.path() / "plant.zpr";
    model::InitDataSet(1);
    int changed = 0;
    for (std::uint16_t record : {42, 43, 38}) {
      for (std::uint16_t element = 0; element < 40; element += 2) {
        std::int64_t v = 0;
        if (model::ReadRawInteger(record, element, 1, &v) == 0 && identity_test::PutRaw(record, element, double(v + 1), 1)) {
          ++changed;
        }
      }
    }
    ASSERT_GT(changed, 30);
    ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 1, project_.c_str()), model::kFileDone);
    model::InitDataSet(1);
  }
  void TearDown() override {
    if (user_) XCloseDisplay(user_);
  }
  Window WaitForWindow(const std::string& name, int ms = 10000) {
    Window w = 0;
    WaitFor([&] { return (w = FindWindowNamed(user_, name)) != 0; }, ms);
    return w;
  }
  void SavePng(Window w, const std::string& name) {
    Screenshot(user_, w)->WritePng((fs::path(::testing::TempDir()) / name).string());
  }
  bool X(std::vector<std::string> args) { return Xdotool(server_.display(), std::move(args)); }

  VirtualServer server_;
  Display* user_ = nullptr;
  service_test::TempFolder folder_;
  fs::path project_;
};

TEST_F(XvfbComparisonTest, CompareFromTheFileMenuShowsTheResultWindowAndOkClosesIt) {
  Program program((folder_.path() / "vqpt32").string(), server_.display(), "", {project_.string()});
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kTitle);
  ASSERT_NE(main, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // "File" on the menu bar by a click, then "Co&mpare..." by its mnemonic (again when a busy machine lost a key).
  const int x = GetSystemMetrics(SM_CXFRAME) + 12;
  const int y = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
  Window result = 0;
  for (int attempt = 0; attempt < 3 && result == 0; ++attempt) {
    X({"mousemove", "--window", std::to_string(main), std::to_string(x), std::to_string(y)});
    X({"click", "1"});
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    X({"key", "m"});
    result = WaitForWindow(kCaption, 4000);
    if (result == 0) X({"key", "Escape"});
  }
  ASSERT_NE(result, 0u) << "no comparison window";
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_comparison.png");

  // Points of the window in the template's dialog units: the client area (356 x 198 units) inside the dialog
  // frame and below the caption.
  XWindowAttributes a{};
  XGetWindowAttributes(user_, result, &a);
  const int frame = GetSystemMetrics(SM_CXDLGFRAME);
  const int top = frame + GetSystemMetrics(SM_CYCAPTION);
  const double sx = (a.width - 2.0 * frame) / 356.0;
  const double sy = (a.height - top - frame) / 198.0;
  auto at = [&](int dx, int dy) {
    return std::vector<std::string>{"mousemove", "--window", std::to_string(result),
                                    std::to_string(frame + static_cast<int>(dx * sx)),
                                    std::to_string(top + static_cast<int>(dy * sy))};
  };
  // The list (8, 20, 340 x 150) scrolls by its scroll bar's lower arrow, held down a while.
  const auto before = Screenshot(user_, result);
  auto arrow = at(348, 170);
  arrow[3] = std::to_string(std::stoi(arrow[3]) - GetSystemMetrics(SM_CXVSCROLL) / 2 - 1);
  arrow[4] = std::to_string(std::stoi(arrow[4]) - GetSystemMetrics(SM_CYVSCROLL) / 2 - 1);
  X(arrow);
  X({"mousedown", "1"});
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  X({"mouseup", "1"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto after = Screenshot(user_, result);
  int moved = 0;
  for (int yy = 0; yy < after->height(); ++yy) {
    for (int xx = 0; xx < after->width(); ++xx) moved += after->Pixel(xx, yy) != before->Pixel(xx, yy);
  }
  EXPECT_GT(moved, 100) << "the list did not scroll";
  SavePng(result, "vqpt32_xvfb_comparison_scrolled.png");

  // OK (298, 176, 50 x 14) by a click.
  X(at(323, 183));
  X({"click", "1"});
  EXPECT_TRUE(WaitFor([&] { return FindWindowNamed(user_, kCaption) == 0; })) << "OK did not close the window";
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
