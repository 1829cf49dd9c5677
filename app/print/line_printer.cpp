// The line printer: the job's start on the kept printer, rows at fixed positions, new pages with frame and
// header, the message pump that keeps the abort dialog live, and the job's end (or its drop after a cancel).
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/common/app_instance.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/print/print_content.h"
#include "app/print/print_job.h"
#include "app/print/print_job_state.h"
#include "app/print/print_state.h"
#include "app/templates/print_templates.h"
#include "model/message_show.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/print_dialog.h"

namespace app {
namespace job {

PrintJobState& Job() {
  static PrintJobState state;
  return state;
}

}  // namespace job

namespace {

using job::Job;

constexpr DWORD kJobDialogFlags = 0x14110C;  // the setup's flags and a device context returned
constexpr std::uint16_t kSettingsRecord = 305;
constexpr std::uint16_t kNoFrameElement = 54;
constexpr std::int32_t kMsgNoFont = 32;
constexpr int kRowOffset = 10;
constexpr int kRuleRow = 2;
constexpr std::size_t kFileLineLimit = 81;

// The job goes to the kept printer without a question: the dialog is confirmed as soon as it opens.
UINT_PTR JobHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) PostMessage(dialog, WM_COMMAND, IDOK, 0);
  return 0;
}

// Dispatches what is waiting while the user has not cancelled; the abort dialog's messages go through it.
void Pump() {
  auto& j = Job();
  MSG msg;
  while (!j.aborted && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // left for the main loop
      return;
    }
    if (j.abort_dialog && IsDialogMessage(j.abort_dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

BOOL AbortProcedure(HDC, int) {
  Pump();
  return Job().aborted ? FALSE : TRUE;
}

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Job().aborted = false;
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL) Job().aborted = true;
      return TRUE;
    case WM_PRINT_PAGE: {
      char text[64];
      std::snprintf(text, sizeof text, "%s %i", "Printing of page", static_cast<int>(wparam));
      SetDlgItemText(dialog, kAbortText, text);
      return TRUE;
    }
    default: return FALSE;
  }
}

int RowY(int row) {
  const auto& j = Job();
  return static_cast<int>(std::lround((1.0 + j.spacing) * j.line_height * row + kJobMarginTop + kRowOffset));
}

// The print font (fixed pitch, the line height) made and selected; the context loses it at each new frame.
void SelectPrintFont() {
  auto& j = Job();
  if (j.font) DeleteObject(j.font);
  LOGFONT font{};
  font.lfHeight = j.line_height;
  font.lfWeight = FW_NORMAL;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strcpy(font.lfFaceName, "System");
  j.font = CreateFontIndirect(&font);
  if (!j.font) {
    model::ShowMessage(model::kShowFault, 13, kMsgNoFont);
    return;
  }
  SelectObject(j.dc, j.font);
}

void NewPage() {
  auto& j = Job();
  ++j.pages;
  if (j.abort_dialog) SendMessage(j.abort_dialog, WM_PRINT_PAGE, static_cast<WPARAM>(j.pages + 1), 0);
  j.line = 0;
  Escape(j.dc, NEWFRAME, 0, nullptr, nullptr);
  SelectPrintFont();
  PrintPageFrame();
}

// The data set the header's file line names: the one being printed, else the active one.
std::uint8_t PrintedSet() { return print::State().open ? print::State().set : GetActiveFile(); }

void ReleaseJob() {
  auto& j = Job();
  if (MainWindow()) EnableWindow(MainWindow(), TRUE);
  if (j.abort_dialog) DestroyWindow(j.abort_dialog);
  j.abort_dialog = nullptr;
  if (j.dc) DeleteDC(j.dc);
  j.dc = nullptr;
  if (j.font) DeleteObject(j.font);
  j.font = nullptr;
  SetHelpContext(j.saved_help);
}

// The line output of the printed documentation: its rows go to this job.
class JobLineOutput final : public PrintLineOutput {
 public:
  bool StartJob() override { return PrintStartJob() == 1; }
  void Line(std::string_view text) override { PrintLine(text); }
  bool EndJob(bool complete) override {
    PrintEndJob(complete);
    return true;
  }
};

}  // namespace

PrintLineOutput& PrintJobLineOutput() {
  static JobLineOutput output;
  return output;
}

int PrintStartJob() {
  auto& j = Job();
  if (j.dc) return 0;  // one job at a time
  j.saved_help = GetHelpContext();
  SetHelpContext(kAbortTemplate);
  // The option lives in the settings data set, as the print dialog stores it.
  const std::uint32_t no_frame = print::RawOr(kSettingsRecord, kNoFrameElement, 0, 0) & 0xFFFF;
  j.frame = no_frame == 0;

  HDC dc = nullptr;
  ProposePrintOutput();  // the file follows the active file unless the user chose one
  if (!job::ShowPrintDialog(kJobDialogFlags, JobHook, &dc) || !dc) {
    SetHelpContext(j.saved_help);
    return 0;
  }
  j.dc = dc;
  j.width = GetDeviceCaps(j.dc, HORZRES);
  j.height = GetDeviceCaps(j.dc, VERTRES);
  j.aborted = false;
  j.pages = 0;
  j.line = 0;
  SetAbortProc(j.dc, AbortProcedure);

  j.abort_dialog = CreateDialog(AppInstance(), MAKEINTRESOURCE(kAbortTemplate), MainWindow(), AbortDialogProc);
  if (j.abort_dialog) {
    SendMessage(j.abort_dialog, WM_PRINT_PAGE, 1, 0);
    ShowWindow(j.abort_dialog, SW_SHOW);
  }
  if (MainWindow()) EnableWindow(MainWindow(), FALSE);

  j.line_height = static_cast<int>(std::lround((j.height - kJobMarginTop - kJobMarginBottom - 2 * kRowOffset) /
                                               ((1.0 + j.spacing) * j.lines_per_page)));
  SelectPrintFont();
  // A document that cannot be started (no folder, no rights) ends the job before anything is written.
  if (Escape(j.dc, STARTDOC, static_cast<int>(std::strlen(kJobDocumentName)), kJobDocumentName, nullptr) <= 0) {
    ReleaseJob();
    return 0;
  }
  PrintPageFrame();
  return 1;
}

void PrintPageFrame() {
  auto& j = Job();
  if (!j.dc) return;
  const int right = j.width - kJobMarginRight;
  const int bottom = j.height - kJobMarginBottom;
  if (j.frame) {
    const POINT frame[] = {{kJobMarginLeft, kJobMarginTop},
                           {kJobMarginLeft, bottom},
                           {right, bottom},
                           {right, kJobMarginTop},
                           {kJobMarginLeft, kJobMarginTop}};
    Polyline(j.dc, frame, 5);
  }
  char head[200];
  std::snprintf(head, sizeof head, "\t%s\t%s %s\t  %s%d", kPrintTitleLine, kPrintProgramName, kPrintProgramVersion,
                "page: ", j.pages + 1);
  const int x = kJobMarginLeft + kRowOffset;
  TabbedTextOut(j.dc, x, RowY(0), head, static_cast<int>(std::strlen(head)), 0, nullptr, x);
  std::string files = "\t";
  files += PrintFileNames(kFileLineLimit, PrintedSet());
  TabbedTextOut(j.dc, x, RowY(1), files.c_str(), static_cast<int>(files.size()), 0, nullptr, x);
  const int rule = RowY(kRuleRow) + kRowOffset;
  MoveToEx(j.dc, kJobMarginLeft, rule, nullptr);
  LineTo(j.dc, right, rule);
  j.line = kJobHeaderRows;
}

void PrintLine(std::string_view text) {
  auto& j = Job();
  if (!j.dc || j.aborted) return;
  text = text.substr(0, std::min(text.size(), kJobRowLimit));
  if (const std::size_t feed = text.find('\n'); feed != std::string_view::npos) text = text.substr(0, feed);
  if (text.find('\f') != std::string_view::npos) {
    NewPage();
  } else {
    TextOut(j.dc, kJobMarginLeft + kRowOffset, RowY(j.line), text.data(), static_cast<int>(text.size()));
    if (++j.line >= j.lines_per_page) NewPage();
  }
  Pump();
}

void PrintEndJob(bool complete) {
  auto& j = Job();
  if (!j.dc) return;
  if (j.aborted || !complete) {
    AbortDoc(j.dc);  // a cancelled or failed printout leaves no output
  } else {
    Escape(j.dc, NEWFRAME, 0, nullptr, nullptr);
    Escape(j.dc, ENDDOC, 0, nullptr, nullptr);
  }
  ReleaseJob();
}

bool PrintJobAborted() { return Job().aborted; }
bool PrintJobRunning() { return Job().dc != nullptr; }
HWND PrintAbortDialog() { return Job().abort_dialog; }

void SetLinesPerPage(int lines) { Job().lines_per_page = lines < 1 ? 1 : lines; }

int SetLineSpacing(float spacing) {
  if (!(spacing >= 0.0f && spacing <= 3.0f)) return 0;
  Job().spacing = spacing;
  return 1;
}

void SetFrameEnabled(bool on) { Job().frame = on; }

RECT GetPrintArea() {
  const auto& j = Job();
  return RECT{kJobMarginLeft, kJobMarginTop, j.width - kJobMarginRight, j.height - kJobMarginBottom};
}

int PrintLineHeight() { return Job().line_height; }

}  // namespace app
