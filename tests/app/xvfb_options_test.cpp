// The real vqpt32 on a virtual X server opens the remote-control options from the Options menu by real keys,
// types a protocol file name into the first field and leaves with "&save options": the value is in the settings
// file beside the program. A screenshot of the dialog is left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/app/service_fixture.h"
#include "tests/app/xvfb_program.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

constexpr const char* kDialog = "Options remote control";

class XvfbOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(xtest::kXvfb, X_OK) != 0 || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    const fs::path bin = ZPR_BIN_DIR;
    fs::copy_file(bin / "vqpt32", folder_.path() / "vqpt32");
    fs::create_symlink(bin / "libplatform.so", folder_.path() / "libplatform.so");
  }
  void TearDown() override {
    if (user_) XCloseDisplay(user_);
  }
  Window WaitForWindow(const std::string& name, bool gone = false) {
    Window w = 0;
    WaitFor([&] { return ((w = FindWindowNamed(user_, name)) != 0) != gone; });
    return w;
  }
  bool Keys(std::vector<std::string> args) { return Xdotool(server_.display(), std::move(args)); }
  void Pause(int ms = 200) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  VirtualServer server_;
  Display* user_ = nullptr;
  service_test::TempFolder folder_;
};

TEST_F(XvfbOptionsTest, AValueTypedByRealKeysIsSavedIntoTheSettingsFile) {
  Program program((folder_.path() / "vqpt32").string(), server_.display());
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow("ZPR-Tool - File 1: NONAME1.ZPR");
  ASSERT_NE(main, 0u);
  Pause(300);
  ASSERT_TRUE(Keys({"key", "alt+o"}));
  Pause(300);
  ASSERT_TRUE(Keys({"key", "r"}));  // "&Remote control..."
  const Window dialog = WaitForWindow(kDialog);
  ASSERT_NE(dialog, 0u) << "the options dialog did not open";
  Pause(300);
  // The first field has the focus with its text selected: typing replaces it.
  ASSERT_TRUE(Keys({"type", "--delay", "30", "REMOTE.TXT"}));
  Pause(300);
  Screenshot(user_, dialog)->WritePng((fs::path(::testing::TempDir()) / "vqpt32_xvfb_remote_options.png").string());
  ASSERT_TRUE(Keys({"key", "alt+s"}));  // "&save options"
  EXPECT_EQ(WaitForWindow(kDialog, true), 0u) << "save options did not close the dialog";
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
