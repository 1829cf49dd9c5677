// The line printer on the recording printer: rows, page breaks after 63 rows, frame and header per page, form
// feeds, the 200-character cut, no frame, the user's cancel through the abort dialog, and the printed
// documentation going through it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/documents/file_slots.h"
#include "app/print/print_content.h"
#include "app/print/print_job.h"
#include "app/shell/application_start.h"
#include "app/shell/main_resources.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/gdi/print_dialog.h"
#include "platform/gdi/printing.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/window_surfaces.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"

namespace {

namespace fs = std::filesystem;
namespace gdi = platform::gdi;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class LinePrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::KeepInstance(GetModuleHandle(nullptr));
    app::RegisterMainResources(GetModuleHandle(nullptr));
    model::InitDataSet(0);
    model::InitDataSet(1);
    app::ResetFileSlots();
    ASSERT_EQ(model::WriteElement(15, 38, "01.02.2003", model::kModeRaw, 0), 0);  // the project date
    UsePrinter(gdi::PrintBackendKind::kRecording, "Recording", {});
    gdi::SetPrintDialogAnswer([](const PRINTDLG&) { return true; });
    gdi::TakePrintRecording();
  }
  void TearDown() override {
    if (app::PrintJobRunning()) app::PrintEndJob(false);
    gdi::SetPrintDialogAnswer(nullptr);
    gdi::SetDefaultPrinter(gdi::PrinterSettings{});
    app::FreePrinterSettings();
  }
  static void UsePrinter(gdi::PrintBackendKind kind, const char* name, const std::string& output) {
    gdi::PrinterSettings s;
    s.kind = kind;
    s.name = name;
    s.output_path = output;
    gdi::SetDefaultPrinter(s);
  }
  static void SetByte(std::uint16_t record, std::uint16_t element, std::uint8_t value) {
    ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, 0), 0);
  }

  platform::testing::Session session_;
};

// The whole call log of a two-page job: the 63rd row of page 1 (its 60th text row) starts page 2, whose first
// text row is its fourth row; a form feed among a row's characters starts page 3 and writes nothing; a row of
// 250 characters prints 200; the job's end emits the last page.
TEST_F(LinePrinterTest, RowsFramesHeadersAndPageBreaksAsTheRecordingPrinterSeesThem) {
  ASSERT_EQ(app::PrintStartJob(), 1);
  EXPECT_EQ(app::PrintLineHeight(), 49);
  const RECT area = app::GetPrintArea();
  EXPECT_EQ(area.left, 150);
  EXPECT_EQ(area.bottom, 3508 - 25);
  for (int i = 1; i <= 61; ++i) app::PrintLine("row " + std::to_string(i) + "\nnot this");
  app::PrintLine("abc\fdef");
  app::PrintLine(std::string(250, 'w'));
  app::PrintEndJob();
  const std::string log = Joined(gdi::TakePrintRecording());

  const fs::path golden = fs::path(ZPR_SOURCE_DIR) / "tests" / "app" / "golden" / "line_printer_pages.txt";
  const char* update = std::getenv("ZPR_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(golden) << log;
    return;
  }
  std::ifstream in(golden);
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(log, expected.str());
}

TEST_F(LinePrinterTest, WithoutFrameLineOnlyTheHeaderAndItsRuleAreDrawn) {
  const std::uint16_t no_frame = 1;
  ASSERT_EQ(model::WriteElement(305, 54, &no_frame, model::kModeRaw, 0), 0);
  ASSERT_EQ(app::PrintStartJob(), 1);
  app::PrintLine("only row");
  app::PrintEndJob();
  const std::vector<std::string> log = gdi::TakePrintRecording();
  int polylines = 0;
  for (const std::string& line : log) polylines += line.rfind("POLYLINE", 0) == 0 ? 1 : 0;
  EXPECT_EQ(polylines, 1) << Joined(log);  // the rule under the header
  EXPECT_NE(Joined(log).find("TEXT 160,222 'only row'"), std::string::npos) << Joined(log);
}

TEST_F(LinePrinterTest, CancelInTheAbortDialogDropsTheDocumentAndLeavesNoFile) {
  char pattern[] = "/tmp/line-printer-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path pdf = fs::path(pattern) / "out.pdf";
  UsePrinter(gdi::PrintBackendKind::kPdf, gdi::kPdfPrinterName, pdf.string());
  ASSERT_EQ(app::PrintStartJob(), 1);
  HWND abort_dialog = app::PrintAbortDialog();
  ASSERT_TRUE(IsWindow(abort_dialog));
  EXPECT_EQ(platform::testing::ItemText(abort_dialog, 100), "Printing of page 1");
  for (int i = 0; i < 70; ++i) app::PrintLine("row");
  EXPECT_EQ(platform::testing::ItemText(abort_dialog, 100), "Printing of page 2");
  platform::testing::PumpUntilIdle();
  const auto picture = gdi::FindTopLevelSurface(abort_dialog);
  ASSERT_NE(picture, nullptr);
  const fs::path shots = fs::path(ZPR_BIN_DIR).parent_path() / "test-output" / "print-windows";
  fs::create_directories(shots);
  EXPECT_TRUE(picture->WritePng((shots / "abort_dialog.png").string()));
  // The user presses Cancel while page 2 prints: the next row's pump sees it, later rows write nothing.
  PostMessage(GetDlgItem(abort_dialog, IDCANCEL), BM_CLICK, 0, 0);
  app::PrintLine("row");
  EXPECT_TRUE(app::PrintJobAborted());
  app::PrintLine("row");
  app::PrintEndJob();
  EXPECT_FALSE(IsWindow(abort_dialog));
  EXPECT_TRUE(fs::is_empty(pattern));
  fs::remove_all(pattern);
}

TEST_F(LinePrinterTest, AJobThatCannotStartGivesNothingAndSettingsNameThePrinter) {
  EXPECT_EQ(app::GetPrinterName(51), app::kDefaultPrinterName);
  EXPECT_EQ(app::GetPrinterName(4), "Def");
  UsePrinter(gdi::PrintBackendKind::kPdf, gdi::kPdfPrinterName, "/nonexistent-folder/out.pdf");
  EXPECT_EQ(app::PrintStartJob(), 0);
  EXPECT_FALSE(app::PrintJobRunning());
  EXPECT_EQ(app::PrintAbortDialog(), nullptr);
  gdi::SetPrintDialogAnswer([](const PRINTDLG&) { return false; });
  EXPECT_EQ(app::PrintStartJob(), 0);
  // The kept settings name the printer of the last job, and the next job goes there again.
  EXPECT_EQ(app::GetPrinterName(51), gdi::kPdfPrinterName);
  gdi::SetPrintDialogAnswer([](const PRINTDLG&) { return true; });
  UsePrinter(gdi::PrintBackendKind::kRecording, "Recording", {});
  EXPECT_EQ(app::PrintStartJob(), 0);
  app::FreePrinterSettings();
  EXPECT_EQ(app::GetPrinterName(51), app::kDefaultPrinterName);
  ASSERT_EQ(app::PrintStartJob(), 1);
  app::PrintEndJob();
  EXPECT_EQ(app::GetPrinterName(51), "Recording");

  app::SetLinesPerPage(0);  // at least one row per page
  EXPECT_EQ(app::SetLineSpacing(3.5f), 0);
  EXPECT_EQ(app::SetLineSpacing(-0.1f), 0);
  EXPECT_EQ(app::SetLineSpacing(0.1f), 1);
  app::SetLinesPerPage(app::kJobLinesPerPage);
}

// The documentation's printer path: its rows arrive indented by four blanks, a forced break is a new page.
TEST_F(LinePrinterTest, ThePrintedDocumentationGoesThroughTheJob) {
  app::SetPrintLineOutput(nullptr);
  SetByte(305, 10, 0);
  ASSERT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
  EXPECT_TRUE(app::PrintJobRunning());
  app::SetPrintBufferText("first\n\rsecond\n\r");
  ASSERT_EQ(app::AddPrintLine(), app::kPrintOk);
  ASSERT_EQ(app::PrintPageBreak(true, 0), app::kPrintOk);
  ASSERT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
  EXPECT_FALSE(app::PrintJobRunning());
  const std::string log = Joined(gdi::TakePrintRecording());
  EXPECT_NE(log.find("TEXT 160,222 '    first'"), std::string::npos) << log;
  EXPECT_NE(log.find("TEXT 160,276 '    second'"), std::string::npos) << log;
  EXPECT_NE(log.find("PAGE 2\n"), std::string::npos) << log;
  EXPECT_NE(log.find("page: 2"), std::string::npos) << log;
  EXPECT_EQ(log.find("PAGE 3\n"), std::string::npos) << log;
}

}  // namespace

namespace {

// The print dialog on the headless layer: "Print" with the printer field and Setup, or "Export" naming the text
// file; a click stores its group at once, Cancel puts the groups back, OK keeps them.
class PrintDialogTest : public LinePrinterTest {
 protected:
  static int Group(std::uint16_t element) {
    std::uint8_t value[4] = {};  // a byte or, for element 54, a word
    EXPECT_EQ(model::ReadElement(305, element, value, model::kModeRaw, 0), 0);
    return value[0];
  }
  int Open(std::function<void(HWND)> script) {
    platform::testing::OnDialogIdle(8, [script](HWND dialog) { script(dialog); });
    return app::OpenPrintDialog();
  }
};

TEST_F(PrintDialogTest, PrintOrExportCaptionAndAClickStoredAtOnceThatCancelPutsBack) {
  namespace drv = platform::testing;
  SetByte(305, 10, 0);
  SetByte(305, 46, 1);
  EXPECT_EQ(Open([](HWND d) {
              EXPECT_EQ(drv::Text(d), "Print");
              EXPECT_EQ(drv::ItemText(d, 115), app::kNoPrinterText);
              EXPECT_TRUE(drv::Enabled(d, 116));
              EXPECT_TRUE(drv::Checked(d, 106));
              drv::ClickItem(d, 106);
              EXPECT_EQ(Group(46), 0);  // stored at the click
              EXPECT_TRUE(drv::Enabled(d, 106));
              drv::ClickItem(d, 104);
              EXPECT_TRUE(drv::Enabled(d, 104));
              drv::ClickItem(d, IDCANCEL);
            }),
            2);
  EXPECT_EQ(Group(46), 1);  // Cancel restored it

  EXPECT_EQ(Open([](HWND d) {
              drv::ClickItem(d, 106);
              drv::ClickItem(d, 113);
              drv::ClickItem(d, 116);  // the setup answers at once: the field names the printer
              EXPECT_EQ(drv::ItemText(d, 115), "Recording");
              drv::ClickItem(d, IDOK);
            }),
            1);
  EXPECT_EQ(Group(46), 0);
  EXPECT_EQ(Group(54), 1);

  SetByte(305, 10, 1);
  app::SetPrintTextPath("/tmp/ZPRPRINT.TXT");
  Open([](HWND d) {
    EXPECT_EQ(drv::Text(d), "Export");
    EXPECT_EQ(drv::ItemText(d, 115), "Text file  '/tmp/ZPRPRINT.TXT'");
    EXPECT_FALSE(drv::Enabled(d, 116));
    drv::ClickItem(d, IDCANCEL);
  });
  app::SetPrintTextPath({});
}

// The output files are named before anything is written: the PDF printer's file beside the active project file
// and named after it (in the print dialog and in the job), following the active file; the export's whole path.
TEST_F(PrintDialogTest, TheDialogNamesTheFileThePrintoutGoesTo) {
  namespace drv = platform::testing;
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "print-output";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "other");
  UsePrinter(gdi::PrintBackendKind::kPdf, gdi::kPdfPrinterName, {});
  app::Slot(0).name = "PLANT.ZPR";
  app::Slot(0).path = (folder / "plant.ZPR").string();
  SetByte(305, 10, 0);
  const std::string pdf = (folder / "plant.pdf").string();
  Open([&](HWND d) {
    EXPECT_EQ(drv::ItemText(d, 115), "PDF file '" + pdf + "'");
    drv::ClickItem(d, IDCANCEL);
  });
  ASSERT_EQ(app::PrintStartJob(), 1);
  app::PrintLine("a line");
  app::PrintEndJob(true);
  EXPECT_TRUE(std::filesystem::exists(pdf));

  app::Slot(0).path = (folder / "other" / "line 2.ZPR").string();
  Open([&](HWND d) {
    EXPECT_EQ(drv::ItemText(d, 115), "PDF file '" + (folder / "other" / "line 2.pdf").string() + "'");
    drv::ClickItem(d, IDCANCEL);
  });

  SetByte(305, 10, 1);
  Open([&](HWND d) {
    EXPECT_EQ(drv::ItemText(d, 115), "Text file  '" + (folder / "other" / "ZPRPRINT.TXT").string() + "'");
    drv::ClickItem(d, IDCANCEL);
  });
  std::filesystem::remove_all(folder);
}

// A PDF that is there already is not overwritten unasked: the question names it; No keeps the file and the
// dialog (for another file or Cancel), Yes prints over it. A file not there yet is not asked about.
TEST_F(PrintDialogTest, AnExistingPdfIsOverwrittenOnlyAfterYes) {
  namespace drv = platform::testing;
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "print-overwrite";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  UsePrinter(gdi::PrintBackendKind::kPdf, gdi::kPdfPrinterName, {});
  app::Slot(0).name = "PLANT.ZPR";
  app::Slot(0).path = (folder / "plant.ZPR").string();
  SetByte(305, 10, 0);
  const std::filesystem::path pdf = folder / "plant.pdf";
  std::vector<std::string> questions;
  int answer = 2;
  drv::OnDialogIdle(4, [&](HWND q) {
    questions.push_back(drv::Text(q) + "|" + drv::ItemText(q, 100));
    EndDialog(q, answer);
  });
  struct Case {
    bool exists;
    int answer;          // 1 Yes, 2 No
    int result;          // of the print dialog
    std::size_t asked;   // questions so far
  };
  for (const Case& c : {Case{false, 2, 1, 0}, Case{true, 2, 2, 1}, Case{true, 1, 1, 2}}) {
    SCOPED_TRACE(testing::Message() << c.exists << c.answer);
    std::filesystem::remove(pdf);
    if (c.exists) std::ofstream(pdf) << "kept";
    answer = c.answer;
    int oks = 0;
    EXPECT_EQ(Open([&](HWND d) {
                // OK once; a dialog still open after it (the answer No) is cancelled.
                drv::ClickItem(d, oks++ == 0 ? IDOK : IDCANCEL);
              }),
              c.result);
    EXPECT_EQ(oks, c.result == 1 ? 1 : 2) << "No keeps the dialog open";
    ASSERT_EQ(questions.size(), c.asked);
  }
  EXPECT_EQ(questions.back(), "Warning file operation:|File exists already!\n'" + pdf.string() + "'\nOverwrite file?");
  std::ifstream in(pdf);
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "kept") << "the print dialog writes nothing itself";
  std::filesystem::remove_all(folder);
}

}  // namespace
