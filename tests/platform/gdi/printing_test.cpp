// Printer DCs: the escape flow and the document calls on the recording, PDF and text back ends.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/print_dialog.h"
#include "platform/win/dialog.h"
#include "platform/win/message_loop.h"

namespace {

namespace fs = std::filesystem;
using platform::gdi::PrintBackendKind;
using platform::gdi::PrinterSettings;

class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("zpr_print_" + std::to_string(getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    platform::gdi::TakePrintRecording();
  }
  void TearDown() override {
    if (dc_) DeleteDC(dc_);
    fs::remove_all(dir_);
  }
  HDC Printer(PrintBackendKind kind, const std::string& file = "") {
    PrinterSettings s;
    s.kind = kind;
    if (!file.empty()) s.output_path = (dir_ / file).string();
    dc_ = platform::gdi::CreatePrinterDC(s);
    return dc_;
  }
  static HFONT PrintFont(HDC dc) {
    LOGFONTA lf{};
    lf.lfHeight = 49;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(lf.lfFaceName, "System");
    HFONT f = CreateFontIndirect(&lf);
    SelectObject(dc, f);
    return f;
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir_;
  HDC dc_ = nullptr;
};

TEST_F(PrintingTest, PrinterReportsAnA4PageAt300Dpi) {
  HDC dc = Printer(PrintBackendKind::kRecording);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 2480);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 3508);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  const int code = NEWFRAME;
  EXPECT_EQ(Escape(dc, QUERYESCSUPPORT, sizeof(code), reinterpret_cast<LPCSTR>(&code), nullptr), 1);
}

TEST_F(PrintingTest, EscapeFlowEmitsEveryFrameButDropsAnUndrawnLastOne) {
  HDC dc = Printer(PrintBackendKind::kRecording);
  ASSERT_GT(Escape(dc, STARTDOC, 8, "ZPR-Tool", nullptr), 0);
  HFONT f = PrintFont(dc);
  TextOut(dc, 160, 60, "row 0", 5);
  EXPECT_GT(Escape(dc, NEWFRAME, 0, nullptr, nullptr), 0);
  // The frame took the DC's font: measuring now gives the default font, not the 49-pixel one.
  SIZE ext;
  GetTextExtentPoint32(dc, "x", 1, &ext);
  EXPECT_NE(ext.cy, 49);
  DeleteObject(f);
  EXPECT_GT(Escape(dc, NEWFRAME, 0, nullptr, nullptr), 0);  // an empty page is still emitted
  f = PrintFont(dc);
  const POINT frame[] = {{150, 50}, {150, 3483}};
  Polyline(dc, frame, 2);
  EXPECT_GT(Escape(dc, NEWFRAME, 0, nullptr, nullptr), 0);
  EXPECT_GT(Escape(dc, ENDDOC, 0, nullptr, nullptr), 0);  // the page opened last is dropped
  DeleteObject(f);
  const std::vector<std::string> expected = {
      "STARTDOC ZPR-Tool", "PAGE 1", "TEXT 160,60 'row 0' h=49 w=400 fixed", "ENDPAGE 1", "PAGE 2", "ENDPAGE 2",
      "PAGE 3", "POLYLINE 150,50 150,3483", "ENDPAGE 3", "ENDDOC"};
  EXPECT_EQ(platform::gdi::TakePrintRecording(), expected);
}

TEST_F(PrintingTest, TabbedTextBecomesRunsAtTheTabStops) {
  HDC dc = Printer(PrintBackendKind::kRecording);
  Escape(dc, STARTDOC, 8, "ZPR-Tool", nullptr);
  HFONT f = PrintFont(dc);
  TEXTMETRICA tm{};
  GetTextMetrics(dc, &tm);
  TabbedTextOut(dc, 160, 60, "\tA\tB", 4, 0, nullptr, 160);
  Escape(dc, ENDDOC, 0, nullptr, nullptr);
  DeleteObject(f);
  const auto lines = platform::gdi::TakePrintRecording();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], "TEXT " + std::to_string(160 + 8 * tm.tmAveCharWidth) + ",60 'A' h=49 w=400 fixed");
  EXPECT_EQ(lines[3], "TEXT " + std::to_string(160 + 16 * tm.tmAveCharWidth) + ",60 'B' h=49 w=400 fixed");
}

BOOL g_abort_now = FALSE;
int g_abort_calls = 0;
BOOL AbortProc(HDC, int) {
  ++g_abort_calls;
  return g_abort_now ? FALSE : TRUE;
}

TEST_F(PrintingTest, AnAbortedPdfJobLeavesNoFile) {
  HDC dc = Printer(PrintBackendKind::kPdf, "job.pdf");
  g_abort_now = FALSE;
  g_abort_calls = 0;
  SetAbortProc(dc, AbortProc);
  ASSERT_GT(Escape(dc, STARTDOC, 8, "ZPR-Tool", nullptr), 0);
  TextOut(dc, 100, 100, "page 1", 6);
  EXPECT_GT(Escape(dc, NEWFRAME, 0, nullptr, nullptr), 0);
  EXPECT_EQ(g_abort_calls, 1);
  g_abort_now = TRUE;  // the user cancels
  TextOut(dc, 100, 100, "page 2", 6);
  EXPECT_EQ(Escape(dc, NEWFRAME, 0, nullptr, nullptr), SP_APPABORT);
  EXPECT_LT(Escape(dc, ENDDOC, 0, nullptr, nullptr), 0);
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(PrintingTest, AbortDocAndADeletedDcLeaveNoFile) {
  HDC dc = Printer(PrintBackendKind::kText, "job.txt");
  DOCINFOA info{sizeof(DOCINFOA), "ZPR-Tool", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  StartPage(dc);
  TextOut(dc, 0, 0, "x", 1);
  EXPECT_GT(AbortDoc(dc), 0);
  EXPECT_TRUE(fs::is_empty(dir_));
  ASSERT_GT(StartDoc(dc, &info), 0);
  TextOut(dc, 0, 0, "x", 1);
  DeleteDC(dc);
  dc_ = nullptr;
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(PrintingTest, AMissingDirectoryFailsTheStart) {
  PrinterSettings s;
  s.output_path = (dir_ / "no" / "such" / "dir.pdf").string();
  dc_ = platform::gdi::CreatePrinterDC(s);
  EXPECT_EQ(Escape(dc_, STARTDOC, 8, "ZPR-Tool", nullptr), SP_ERROR);
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(PrintingTest, APdfOfTwoPagesRenders) {
  HDC dc = Printer(PrintBackendKind::kPdf, "two.pdf");
  ASSERT_GT(Escape(dc, STARTDOC, 8, "ZPR-Tool", nullptr), 0);
  for (int page = 1; page <= 2; ++page) {
    HFONT f = PrintFont(dc);
    const POINT frame[] = {{150, 50}, {150, 3483}, {2410, 3483}, {2410, 50}, {150, 50}};
    Polyline(dc, frame, 5);
    const std::string header = "\tZPR-Tool V 4.6 \t  page: " + std::to_string(page);
    TabbedTextOut(dc, 160, 60, header.c_str(), static_cast<int>(header.size()), 0, nullptr, 160);
    TextOut(dc, 160, 200, "F\xFCr 50 Hz \xB5s", 11);
    Escape(dc, NEWFRAME, 0, nullptr, nullptr);
    DeleteObject(f);
  }
  ASSERT_GT(Escape(dc, ENDDOC, 0, nullptr, nullptr), 0);
  const fs::path pdf = dir_ / "two.pdf";
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_FALSE(fs::exists(dir_ / "two.pdf.tmp"));
  const std::string data = Read(pdf);
  EXPECT_EQ(data.rfind("%PDF-", 0), 0u);
  if (std::system("command -v pdfinfo >/dev/null 2>&1") == 0) {
    const std::string cmd = "pdfinfo '" + pdf.string() + "' | grep -q '^Pages: *2$'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }
  if (std::system("command -v pdftoppm >/dev/null 2>&1") == 0) {
    const std::string cmd = "pdftoppm -r 30 -png '" + pdf.string() + "' '" + (dir_ / "page").string() + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_TRUE(fs::exists(dir_ / "page-1.png") || fs::exists(dir_ / "page-01.png"));
  }
}

TEST_F(PrintingTest, TextBackEndWritesRowsAndFormFeeds) {
  HDC dc = Printer(PrintBackendKind::kText, "out.txt");
  DOCINFOA info{sizeof(DOCINFOA), "ZPR-Tool", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &info), 0);
  StartPage(dc);
  HFONT f = PrintFont(dc);
  TEXTMETRICA tm{};
  GetTextMetrics(dc, &tm);
  TextOut(dc, 160, 60, "first", 5);
  TextOut(dc, 160 + 6 * tm.tmAveCharWidth, 60, "right", 5);
  TextOut(dc, 160, 60 + 2 * tm.tmHeight, "third", 5);
  EndPage(dc);
  DeleteObject(f);
  StartPage(dc);
  f = PrintFont(dc);
  TextOut(dc, 160, 60, "page 2", 6);
  EndPage(dc);
  DeleteObject(f);
  ASSERT_GT(EndDoc(dc), 0);
  EXPECT_EQ(Read(dir_ / "out.txt"), "first right\n\nthird\n\fpage 2\n");
}

}  // namespace

namespace {

TEST_F(PrintingTest, PngBackEndWritesOneImagePerPage) {
  PrinterSettings s;
  s.kind = PrintBackendKind::kPng;
  s.png_dpi = 50;
  s.output_path = (dir_ / "page.png").string();
  dc_ = platform::gdi::CreatePrinterDC(s);
  Escape(dc_, STARTDOC, 8, "ZPR-Tool", nullptr);
  const POINT rule[] = {{150, 300}, {2410, 300}};
  Polyline(dc_, rule, 2);
  Escape(dc_, NEWFRAME, 0, nullptr, nullptr);
  TextOut(dc_, 160, 60, "two", 3);
  Escape(dc_, NEWFRAME, 0, nullptr, nullptr);
  ASSERT_GT(Escape(dc_, ENDDOC, 0, nullptr, nullptr), 0);
  EXPECT_TRUE(fs::exists(dir_ / "page-1.png"));
  EXPECT_TRUE(fs::exists(dir_ / "page-2.png"));
  EXPECT_FALSE(fs::exists(dir_ / "page-3.png"));
}

}  // namespace

namespace {

TEST(PrintDialog, ReturnsAPrinterDcOnTheDefaultPrinterOrCancels) {
  PrinterSettings s;
  s.kind = PrintBackendKind::kRecording;
  platform::gdi::SetDefaultPrinter(s);
  PRINTDLGA pd{};
  pd.lStructSize = 66;
  pd.Flags = 0x14110C;  // return a DC, no page numbers, no selection, hook
  // The print job's hook answers OK at once: the job goes to the kept printer without a question.
  pd.lpfnPrintHook = [](HWND dialog, UINT message, WPARAM, LPARAM) -> UINT_PTR {
    if (message == WM_INITDIALOG) PostMessage(dialog, WM_COMMAND, IDOK, 0);
    return 0;
  };
  ASSERT_TRUE(PrintDlg(&pd));
  ASSERT_NE(pd.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(pd.hDC, HORZRES), 2480);
  EXPECT_GT(Escape(pd.hDC, STARTDOC, 8, "ZPR-Tool", nullptr), 0);
  EXPECT_GT(Escape(pd.hDC, ENDDOC, 0, nullptr, nullptr), 0);
  DeleteDC(pd.hDC);
  platform::gdi::TakePrintRecording();

  platform::gdi::SetPrintDialogAnswer([](const PRINTDLGA&) { return false; });
  PRINTDLGA cancelled{};
  cancelled.Flags = PD_RETURNDC;
  EXPECT_FALSE(PrintDlg(&cancelled));
  EXPECT_EQ(cancelled.hDC, nullptr);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  platform::gdi::SetPrintDialogAnswer(nullptr);
  platform::gdi::SetDefaultPrinter(PrinterSettings{});
}

}  // namespace
