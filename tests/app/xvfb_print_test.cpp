// The real vqpt32 on a virtual X server prints: File > Print by a real click and its mnemonic opens the print
// dialog, a group is switched off by the space bar, "&Setup" by its mnemonic shows the printer setup, whose
// choice then names the printer in the dialog; Enter prints the project to the PDF printer. Screenshots of the
// dialog are left in the test folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win/win.h"
#include "tests/app/service_fixture.h"
#include "tests/app/xvfb_program.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

class XvfbPrintTest : public ::testing::Test {
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
    unsetenv("ZPR_PRINT_OUTPUT");
  }
  Window WaitForWindow(const std::string& name) {
    Window w = 0;
    WaitFor([&] { return (w = FindWindowNamed(user_, name)) != 0; });
    return w;
  }
  void SavePng(Window w, const std::string& name) {
    Screenshot(user_, w)->WritePng((fs::path(::testing::TempDir()) / name).string());
  }
  bool Keys(std::vector<std::string> args) { return Xdotool(server_.display(), std::move(args)); }
  static void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  VirtualServer server_;
  Display* user_ = nullptr;
  service_test::TempFolder folder_;
};

TEST_F(XvfbPrintTest, ThePrintDialogChoosesAndPrintsToThePdfPrinter) {
  const fs::path pdf = folder_.path() / "documentation.pdf";
  setenv("ZPR_PRINT_OUTPUT", pdf.c_str(), 1);
  Program program((folder_.path() / "vqpt32").string(), server_.display());
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow("ZPR-Tool - File 1: NONAME1.ZPR");
  ASSERT_NE(main, 0u);
  Pause(300);
  const int x = GetSystemMetrics(SM_CXFRAME) + 12;
  const int y = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
  ASSERT_TRUE(Keys({"mousemove", "--window", std::to_string(main), std::to_string(x), std::to_string(y)}));
  ASSERT_TRUE(Keys({"click", "1"}));
  Pause(300);
  ASSERT_TRUE(Keys({"key", "p"}));
  const Window dialog = WaitForWindow("Print");
  ASSERT_NE(dialog, 0u) << "no print dialog";
  Pause(300);
  SavePng(dialog, "vqpt32_xvfb_print_dialog.png");
  // The first group has the focus: the space bar switches "P.. Target of project" off.
  ASSERT_TRUE(Keys({"key", "space"}));
  Pause(150);
  ASSERT_TRUE(Keys({"key", "alt+s"}));
  const Window setup = WaitForWindow("Print Setup");
  ASSERT_NE(setup, 0u) << "no printer setup";
  Pause(300);
  SavePng(setup, "vqpt32_xvfb_printer_setup.png");
  ASSERT_TRUE(Keys({"key", "Return"}));
  Pause(400);
  SavePng(dialog, "vqpt32_xvfb_print_dialog_after_setup.png");
  ASSERT_TRUE(Keys({"key", "Return"}));
  EXPECT_TRUE(WaitFor([&] { return fs::exists(pdf); }, 15000)) << "no PDF printed";
  Pause(300);
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  EXPECT_FALSE(fs::exists(folder_.path() / "documentation.pdf.tmp"));
  EXPECT_GT(fs::file_size(pdf), 1000u);
}

}  // namespace
