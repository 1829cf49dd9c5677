// The real vqpt32 on a virtual X server prints: File > Print by a real click and its mnemonic opens the print
// dialog, a group is switched off by the space bar, "&Setup" by its mnemonic shows the printer setup, whose
// choice then names the printer in the dialog; Enter prints the project to the PDF printer. Screenshots of the
// dialog are left in the test folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;
namespace fs = std::filesystem;

class XvfbPrintTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
  }
  void TearDown() override {
    VqptXvfbTest::TearDown();
    unsetenv("ZPR_PRINT_OUTPUT");
  }

  std::string binary_;
};

TEST_F(XvfbPrintTest, ThePrintDialogChoosesAndPrintsToThePdfPrinter) {
  const fs::path pdf = folder_.path() / "documentation.pdf";
  setenv("ZPR_PRINT_OUTPUT", pdf.c_str(), 1);
  Program program(binary_, server_.display());
  const Window main = WaitForMainWindow(program);
  ASSERT_NE(main, 0u);
  const Window dialog = OpenPrintDialog(main);
  ASSERT_NE(dialog, 0u) << "no print dialog";
  Pause(300);
  SavePng(dialog, "vqpt32_xvfb_print_dialog.png");
  // The first group has the focus: the space bar switches "P.. Target of project" off.
  ASSERT_TRUE(X({"key", "space"}));
  Pause(150);
  ASSERT_TRUE(X({"key", "alt+s"}));
  const Window setup = WaitForWindow("Print Setup");
  ASSERT_NE(setup, 0u) << "no printer setup";
  Pause(300);
  SavePng(setup, "vqpt32_xvfb_printer_setup.png");
  ASSERT_TRUE(X({"key", "Return"}));
  Pause(400);
  SavePng(dialog, "vqpt32_xvfb_print_dialog_after_setup.png");
  ASSERT_TRUE(X({"key", "Return"}));
  EXPECT_TRUE(WaitFor([&] { return fs::exists(pdf); }, 15000)) << "no PDF printed";
  Pause(300);
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  EXPECT_FALSE(fs::exists(folder_.path() / "documentation.pdf.tmp"));
  EXPECT_GT(fs::file_size(pdf), 1000u);
}

}  // namespace
