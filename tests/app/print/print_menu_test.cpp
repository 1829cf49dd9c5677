// The print commands from the running program's menu: Export writes the text file after the dialog in its
// "Export" form, Print sends the document to the printer and gives the main window back, Cancel prints nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/print/print_content.h"
#include "app/print/print_job.h"
#include "app/templates/print_templates.h"
#include "platform/gdi/print_dialog.h"
#include "platform/gdi/printing.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {
namespace {

namespace gdi = platform::gdi;

class PrintMenuTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    app::SetPrintTextPath((folder_.path() / "ZPRPRINT.TXT").string());
    gdi::PrinterSettings recording;
    recording.kind = gdi::PrintBackendKind::kRecording;
    recording.name = "Recording";
    gdi::SetDefaultPrinter(recording);
    gdi::SetPrintDialogAnswer([](const PRINTDLG&) { return true; });
    gdi::TakePrintRecording();
  }
  void TearDown() override {
    gdi::SetPrintDialogAnswer(nullptr);
    gdi::SetDefaultPrinter(gdi::PrinterSettings{});
    app::FreePrinterSettings();
    app::SetPrintTextPath({});
    ShellTest::TearDown();
  }
};

TEST_F(PrintMenuTest, ExportWritesTheTextFileAndPrintSendsTheDocumentToThePrinter) {
  std::vector<std::string> captions;
  bool main_enabled_after = false;
  drv::OnDialogIdle(app::kPrintTemplate, [&](HWND d) {
    captions.push_back(drv::Text(d));
    drv::ClickItem(d, captions.size() == 2 ? IDCANCEL : IDOK);
  });
  Run({
      [] { drv::PickMenu(Main(), 2004); },
      [] { drv::PickMenu(Main(), 2009); },  // cancelled: nothing printed
      [] { drv::PickMenu(Main(), 2009); },
      [&] { main_enabled_after = IsWindowEnabled(Main()); },
  });
  ASSERT_EQ(captions, (std::vector<std::string>{"Export", "Print", "Print"}));
  std::ifstream in(folder_.path() / "ZPRPRINT.TXT", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str().find("Parameter documentation\tZPR-Tool V 4.6 \t  page: 1\r\n"), 0u);
  EXPECT_NE(text.str().find("parameter set 1 and basic set: "), std::string::npos);
  const std::vector<std::string> printed = gdi::TakePrintRecording();
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.front(), "STARTDOC ZPR-Tool");
  EXPECT_EQ(printed.back(), "ENDDOC");
  EXPECT_EQ(std::count(printed.begin(), printed.end(), "STARTDOC ZPR-Tool"), 1);
  EXPECT_TRUE(main_enabled_after);
  EXPECT_FALSE(app::PrintJobRunning());
  EXPECT_TRUE(dialogs_.empty()) << (dialogs_.empty() ? std::string() : dialogs_.front());
}

}  // namespace
}  // namespace shell_test
