// The real vqpt32 on a virtual X server takes a motor's nameplate on the B.. Motor page with real keys: the
// motor type "user defined" chosen, poles, power, current, speed, voltage, frequency and cos phi typed in their
// physical units, OK, File > Save, the window manager's close; the saved file holds the raw values the
// nameplate stands for. A screenshot of the filled page is left in the test folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

class XvfbMotorNameplateTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
    project_ = folder_.path() / "pump.zpr";
    WriteProject(project_);
  }
  // Moves the focus to the next control and replaces the text of its edit.
  void TypeIntoNext(const std::string& text) {
    ASSERT_TRUE(X({"key", "Tab"}));
    ASSERT_TRUE(X({"key", "End"}));
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(X({"key", "BackSpace"}));
    ASSERT_TRUE(X({"type", "--delay", "5", text}));
  }

  std::string binary_;
  fs::path project_;
};

TEST_F(XvfbMotorNameplateTest, ANameplateTypedOnTheMotorPageIsSavedAsItsRawValues) {
  Program program(binary_, server_.display(), "", {project_.string()});
  const Window main = WaitForMainWindow(program, "ZPR-Tool - File 1: PUMP.ZPR");
  ASSERT_NE(main, 0u);
  // Projecting opens with its first item; eight steps down (over the separator) reach B.. Motor.
  PickProjectingItem(main, 8);
  const std::string title = "B.. Motor (Parameter set 1)";
  const Window page = WaitForWindow(title);
  ASSERT_NE(page, 0u) << "the motor page did not open";
  Pause(300);
  // The focus is on B00: its first entry is the user's own motor, whose nominal data are open to entry.
  ASSERT_TRUE(X({"key", "Home"}));
  Pause(300);
  for (const char* value : {"4", "1.5", "3.5", "1420", "400", "50", "0.79"}) TypeIntoNext(value);
  ASSERT_TRUE(X({"key", "Tab"}));
  Pause(400);
  SavePng(page, "vqpt32_xvfb_motor_nameplate.png");
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_motor_nameplate_screen.png");
  ASSERT_TRUE(X({"key", "Return"}));
  ASSERT_TRUE(WaitForWindowGone(title)) << "the page stayed open";
  Pause(250);
  SaveByMenuAndClose(program, main);

  ReadProjectBack(project_);
  const struct {
    const char* name;
    std::uint16_t element;
    std::int32_t raw;
  } fields[] = {{"B00 motor-type", 29, 0},  {"B10 poles", 26, 2},       {"B11 P-nominal", 6, 150},
                {"B12 I-nominal", 4, 350},  {"B13 n-nominal", 8, 3878}, {"B14 V-nominal", 2, 5657},
                {"B15 f-nominal", 0, 4096}, {"B16 cos phi", 27, 79}};
  for (const auto& f : fields) {
    std::int16_t raw = 0;
    ASSERT_EQ(model::ReadElement(42, f.element, &raw, model::kModeRaw, 1), 0);
    const std::int32_t stored = f.element >= 26 ? (raw & 0xFF) : raw;
    EXPECT_EQ(stored, f.raw) << f.name;
  }
}

}  // namespace
