// The real vqpt32 on a virtual X server opens the remote-control options from the Options menu by real keys,
// types a protocol file name into the first field and leaves with "&save options": the value is in the settings
// file beside the program. A screenshot of the dialog is left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

constexpr const char* kDialog = "Options remote control";

class XvfbOptionsTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
  }

  std::string binary_;
};

TEST_F(XvfbOptionsTest, AValueTypedByRealKeysIsSavedIntoTheSettingsFile) {
  Program program(binary_, server_.display());
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  Pause(300);
  ASSERT_TRUE(X({"key", "alt+o"}));
  Pause(300);
  ASSERT_TRUE(X({"key", "r"}));  // "&Remote control..."
  const Window dialog = WaitForWindow(kDialog);
  ASSERT_NE(dialog, 0u) << "the options dialog did not open";
  Pause(300);
  // The first field has the focus with its text selected: typing replaces it.
  ASSERT_TRUE(X({"type", "--delay", "30", "REMOTE.TXT"}));
  Pause(300);
  SavePng(dialog, "vqpt32_xvfb_remote_options.png");
  ASSERT_TRUE(X({"key", "alt+s"}));  // "&save options"
  EXPECT_TRUE(WaitForWindowGone(kDialog)) << "save options did not close the dialog";
  std::string ini;
  WaitFor([&] {
    std::ifstream file(folder_.path() / "vqpt32.ini");
    std::stringstream text;
    text << file.rdbuf();
    ini = text.str();
    return ini.find("REMOTE.TXT") != std::string::npos;
  });
  EXPECT_NE(ini.find("REMOTE.TXT"), std::string::npos) << ini;
}

}  // namespace
