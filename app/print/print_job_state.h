// The state of the print job and of the kept printer settings, shared by the files of the print job.
#pragma once

#include "platform/gdi/print_dialog.h"
#include "platform/win/win.h"

namespace app::job {

struct PrintJobState {
  HGLOBAL dev_mode = nullptr;  // kept from the last printer setup
  HGLOBAL dev_names = nullptr;
  HDC dc = nullptr;
  int width = 0;
  int height = 0;
  int lines_per_page = 63;
  float spacing = 0.1f;
  int line_height = 0;
  bool frame = true;
  int pages = 0;  // pages finished
  int line = 0;   // rows written on the current page
  bool aborted = false;
  HWND abort_dialog = nullptr;
  std::uint16_t saved_help = 0;
  HFONT font = nullptr;
};

PrintJobState& Job();

// The print dialog over the main window on the kept printer settings, with these flags and hook; the settings
// chosen there are kept again. PrintDlg's result; the device context in *dc when asked for and given.
BOOL ShowPrintDialog(DWORD flags, LPPRINTHOOKPROC hook, HDC* dc = nullptr);

}  // namespace app::job
