// The real vqpt32 on a virtual X server with the project named on its command line as File 1, its commands
// picked from the File menu with real X input: the comparison with the fresh File 2 shows its result window,
// which scrolls and goes with a click on OK; Save as of a project with a wrong value shows the input-check window
// and asks; the copy dialog copies File 1 into File 2. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "tests/app/xvfb_vqpt_fixture.h"
#include "tests/model/identity_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

const std::string kTitle = "ZPR-Tool - File 1: PLANT.ZPR";
const std::string kCaption = "Result of the comparison of file 1 with file 2";

class XvfbComparisonTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
  }
  // A project whose motor data and parameter sets differ from a fresh file in a few dozen numbers; with
  // `wrong_value` also B20 control mode of set 1 far beyond its range.
  void WriteProject(bool wrong_value) {
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
    if (wrong_value) {
      ASSERT_TRUE(identity_test::PutRaw(40, 6, 200, 1));
    }
    ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 1, project_.c_str()), model::kFileDone);
    model::InitDataSet(1);
  }
  // "File" on the menu bar by a click, then an item by its mnemonic, until the window named `appears` shows (a
  // busy machine may lose a key: the menu is closed and the pick repeated).
  Window PickFileItem(Window main, const std::string& key, const std::string& appears) {
    return PickUntilShown(
        [&] {
          ClickFileMenu(main);
          Pause(400);
          X({"key", key});
        },
        appears, 1);
  }

  std::string binary_;
  fs::path project_;
};

TEST_F(XvfbComparisonTest, CompareFromTheFileMenuShowsTheResultWindowAndOkClosesIt) {
  WriteProject(false);
  Program program(binary_, server_.display(), "", {project_.string()});
  const Window main = WaitForMainWindow(program, kTitle);
  ASSERT_NE(main, 0u);
  const Window result = PickFileItem(main, "m", kCaption);  // "Co&mpare..."
  ASSERT_NE(result, 0u) << "no comparison window";
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_comparison.png");

  // The list (8, 20, 340 x 150 units of 356 x 198) scrolls by its scroll bar's lower arrow, held down a while.
  XWindowAttributes a{};
  XGetWindowAttributes(user_, result, &a);
  const int frame = GetSystemMetrics(SM_CXDLGFRAME);
  const int top = frame + GetSystemMetrics(SM_CYCAPTION);
  const int arrow_x = frame + static_cast<int>(348 * (a.width - 2.0 * frame) / 356) - GetSystemMetrics(SM_CXVSCROLL) / 2 - 1;
  const int arrow_y = top + static_cast<int>(170 * (a.height - top - frame) / 198.0) - GetSystemMetrics(SM_CYVSCROLL) / 2 - 1;
  const auto before = Screenshot(user_, result);
  X({"mousemove", "--window", std::to_string(result), std::to_string(arrow_x), std::to_string(arrow_y)});
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

  ClickAt(result, 356, 198, 323, 183);  // OK (298, 176, 50 x 14)
  EXPECT_TRUE(WaitForWindowGone(kCaption)) << "OK did not close the window";
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

TEST_F(XvfbComparisonTest, SaveAsWithAWrongValueShowsTheInputCheckAndTheCopyDialogCopies) {
  WriteProject(true);
  Program program(binary_, server_.display(), "", {project_.string()});
  const Window main = WaitForMainWindow(program, kTitle);
  ASSERT_NE(main, 0u);

  // Save as: the input-check window with the wrong parameter, and the question over it.
  const Window check = PickFileItem(main, "a", "Result of input-check");  // "Save &as..."
  ASSERT_NE(check, 0u) << "no input-check window";
  ASSERT_NE(WaitForWindow("ZPR-Tool"), 0u) << "no question";
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_input_check.png");
  ASSERT_TRUE(X({"key", "n"}));  // No: nothing is saved
  ASSERT_TRUE(WaitForWindowGone("ZPR-Tool"));
  EXPECT_EQ(FindWindowNamed(user_, "Save file as"), 0u);
  ClickAt(check, 316, 168, 283, 153);  // OK (258, 146, 50 x 14)
  EXPECT_TRUE(WaitForWindowGone("Result of input-check"));

  // Copy: File 1 into File 2 by the dialog's first button, then the box that says so.
  const Window copy = PickFileItem(main, "c", "Copy file content");  // "&Copy..."
  ASSERT_NE(copy, 0u) << "no copy dialog";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SavePng(copy, "vqpt32_xvfb_copy_file.png");
  ClickAt(copy, 310, 76, 155, 17);  // File 1 ---> File 2 (10, 10, 290 x 14)
  ASSERT_NE(WaitForWindow("ZPR-Tool"), 0u) << "no box after the copy";
  ASSERT_TRUE(X({"key", "Return"}));
  EXPECT_TRUE(WaitFor([&] {
    return FindWindowNamed(user_, "ZPR-Tool") == 0 && FindWindowNamed(user_, "Copy file content") == 0;
  }));
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
