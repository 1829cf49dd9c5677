// Printer DCs and print jobs: StartDoc/StartPage/EndPage/EndDoc/AbortDoc, the STARTDOC, NEWFRAME and ENDDOC
// escapes with an abort procedure, and the back ends a job goes to (a PDF file, a recording log, a text file).
// Output is written to "<file>.tmp" and renamed at the end of the document: an aborted job leaves no file.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/wintypes.h"

using ABORTPROC = BOOL (*)(HDC dc, int error);

struct DOCINFOA {
  int cbSize;
  LPCSTR lpszDocName;
  LPCSTR lpszOutput;  // a file name overrides the printer's output path
  LPCSTR lpszDatatype;
  DWORD fwType;
};
using DOCINFO = DOCINFOA;

// Escape codes.
inline constexpr int NEWFRAME = 1;
inline constexpr int ABORTDOC = 2;
inline constexpr int QUERYESCSUPPORT = 8;
inline constexpr int SETABORTPROC = 9;
inline constexpr int STARTDOC = 10;
inline constexpr int ENDDOC = 11;
inline constexpr int GETPHYSPAGESIZE = 12;

// Spooler results.
inline constexpr int SP_ERROR = -1;
inline constexpr int SP_APPABORT = -2;
inline constexpr int SP_USERABORT = -3;
inline constexpr int SP_OUTOFDISK = -4;

int StartDocA(HDC dc, const DOCINFOA* info);
inline int StartDoc(HDC dc, const DOCINFOA* info) { return StartDocA(dc, info); }
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
int SetAbortProc(HDC dc, ABORTPROC proc);
// STARTDOC (in: document name of in_size bytes), NEWFRAME, ENDDOC, ABORTDOC, SETABORTPROC (in: the procedure),
// QUERYESCSUPPORT (in: an int escape code), GETPHYSPAGESIZE (out: POINT).
int Escape(HDC dc, int escape, int in_size, LPCSTR in, LPVOID out);
// "DISPLAY" gives a screen-compatible memory DC; any other device a printer DC on the default printer.
HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const void* devmode);
inline HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* devmode) {
  return CreateDCA(driver, device, output, devmode);
}

namespace platform::gdi {

enum class PrintBackendKind { kPdf, kRecording, kText, kPng };

struct PrinterSettings {
  PrintBackendKind kind = PrintBackendKind::kPdf;
  std::string name = "PDF file";
  // The file written at the end of the document; empty: the document name with ".pdf" or ".txt" in the current
  // directory (the recording back end writes a file only when given one). PNG pages go to "<stem>-<n>.png".
  std::string output_path;
  bool send_to_lp = false;  // hand the finished PDF to the CUPS client "lp" when one exists
  std::string lp_destination;  // the CUPS printer for "lp -d"; empty: the client's default
  int dpi = 300;            // device units per inch (A4 at 300 dpi: 2480 x 3508)
  int width = 2480;
  int height = 3508;
  int png_dpi = 100;        // resolution of PNG pages
};

// The printer that new printer DCs use. At start a PDF printer, unless the environment variable ZPR_PRINTER is
// "text", "png" or "recording"; ZPR_PRINT_OUTPUT names the output file.
void SetDefaultPrinter(const PrinterSettings& settings);
PrinterSettings DefaultPrinter();
HDC CreatePrinterDC(const PrinterSettings& settings);

// The lines of the recording back end's documents since the last take (also written to its file when a path is
// set): "STARTDOC ZPR-Tool", "PAGE 1", "TEXT 160,60 'abc' h=49 w=400 fixed", "POLYLINE 150,50 150,3483",
// "ENDPAGE 1", "ENDDOC" or "ABORTDOC".
std::vector<std::string> TakePrintRecording();

}  // namespace platform::gdi
