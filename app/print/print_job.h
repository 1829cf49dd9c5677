// The print job: a line printer of the program's own on a printer device context (rows at fixed positions, a
// new page after 63 rows, a frame and a three-row header on every page), the printer chosen in the printer
// setup, the modeless abort dialog, and the print dialog that chooses the groups to print.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win/win.h"

namespace app {

inline constexpr int kJobLinesPerPage = 63;
inline constexpr float kJobLineSpacing = 0.1f;
inline constexpr int kJobMarginLeft = 150;
inline constexpr int kJobMarginRight = 70;
inline constexpr int kJobMarginTop = 50;
inline constexpr int kJobMarginBottom = 25;
inline constexpr std::size_t kJobRowLimit = 200;
inline constexpr int kJobHeaderRows = 3;
inline constexpr char kJobDocumentName[] = "ZPR-Tool";
inline constexpr char kDefaultPrinterName[] = "Default printer";
inline constexpr char kNoPrinterText[] = "nicht verf\xfc" "gbar";

// The abort dialog's message: wParam is the number of the page now being printed.
inline constexpr UINT WM_PRINT_PAGE = WM_USER + 30;

// The print dialog (template 8) on the main window: 1 when left with OK, 2 with Cancel.
int OpenPrintDialog();
// Starts a job on the kept printer without a question: 1 started, 0 not (the printer could not be had).
int PrintStartJob();
// Writes one row (at most 200 characters, up to a line feed); a form feed among them starts a new page instead.
void PrintLine(std::string_view text);
// Ends the job: the open page and the document are finished; after a cancel, or when `complete` is false, the
// document is dropped and no output is left. The main window is enabled again.
void PrintEndJob(bool complete = true);
// Whether the user cancelled the running job.
bool PrintJobAborted();
bool PrintJobRunning();
// The abort dialog of the running job (null when none).
HWND PrintAbortDialog();

// The printer setup: the user chooses the printer (and a PDF's output file); the choice is kept for later jobs.
void PrinterSetup();
// With the PDF printer: the file the printout goes to, whole. The user's choice in the printer setup, else the
// active file's name with ".pdf" beside its project file (kept in the printer settings, so that the setup and
// the job use it). Empty for another printer.
std::string ProposePrintOutput();
// "PDF file '<path>'" for the printer field of the print dialog; empty for another printer.
std::string PrintOutputText();
// The chosen printer's name, else "Default printer"; cut to size - 1 characters.
std::string GetPrinterName(std::size_t size);
void FreePrinterSettings();

void SetLinesPerPage(int lines);  // at least 1
// Taken only when 0 <= spacing <= 3: 1, else 0 and unchanged.
int SetLineSpacing(float spacing);
void SetFrameEnabled(bool on);
// (left margin, top margin, width - right margin, height - bottom margin) of the running job's device.
RECT GetPrintArea();
// The frame (when on) and the header of the current page.
void PrintPageFrame();
// The rows' line height of the running job (device units).
int PrintLineHeight();

}  // namespace app
