// The file texts of the main window. Until the file commands are part of the program, the title is the
// program's name and the status line its resting text.
#include "app/file_titles.h"

#include "app/main_window.h"
#include "app/shell_state.h"
#include "app/status_line.h"

namespace app {
namespace {

std::uint8_t g_active = 0;

}  // namespace

std::uint8_t GetActiveFile() { return g_active; }

void SetActiveFile(std::uint8_t set) { g_active = set; }

void UpdateFileTitles() {
  if (HWND main = MainWindow()) SetWindowText(main, kMainWindowCaption);
  UpdateStatusLine();
}

void UpdateStatusLine() { SetStatusText(kStatusBarStart); }

}  // namespace app
