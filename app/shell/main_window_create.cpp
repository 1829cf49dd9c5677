// WM_CREATE of the main window.
#include "app/common/ini_color.h"
#include "app/common/shell_state.h"
#include "app/documents/file_commands.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/recent_files.h"
#include "app/shell/application_start.h"
#include "app/shell/logo_bitmap.h"
#include "app/shell/main_commands.h"
#include "app/shell/main_window.h"
#include "app/shell/status_line.h"
#include "link/parambox.h"
#include "link/scope_settings.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/message_show.h"
#include "model/settings_ini.h"
#include "platform/gdi/sys_colors.h"
#include "platform/sys/private_profile.h"

namespace app {
namespace {

constexpr std::int8_t kParameterBoxGroup = 3;

COLORREF g_saved_gray_text = 0;

void FreshDataSets() {
  for (std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) {
    model::InitDataSet(set);
    model::ClearChangeList0(set);
  }
  SetActiveFile(1);
  SetActiveFile(0);
}

// The disabled-text colour of the settings, for this program only.
void ApplyGrayTextColor() {
  g_saved_gray_text = GetSysColor(COLOR_GRAYTEXT);
  const INT index = COLOR_GRAYTEXT;
  const COLORREF colour = ReadIniColor("Colors", "GrayText", g_saved_gray_text);
  SetSysColors(1, &index, &colour);
}

// The box's timings into the settings and the scope's signal list for a fresh data set.
void ReadParameterBoxTimings() {
  if (const std::uint8_t code = ilink::OpenParameterBox(0); code != 0) {
    model::ShowMessage(model::kShowFault, kParameterBoxGroup, code);
  }
  ilink::GetParameterBoxTimings(0);
  ilink::BuildScopeSignalList(0);
  ilink::CloseParameterBox();
}

}  // namespace

void RestoreGrayTextColor() {
  const INT index = COLOR_GRAYTEXT;
  SetSysColors(1, &index, &g_saved_gray_text);
}

bool MainOnCreate(HWND main) {
  ShellState& shell = Shell();
  shell.main = main;
  shell.menu = GetMenu(main);
  if (shell.menu != nullptr) GreyMissingCommands(shell.menu);
  model::SetMessageOwner(main, AppInstance());
  CreateStatusBar(main);
  FreshDataSets();
  {
    // The settings file is read once for everything the start takes from it.
    const platform::sys::ProfileReadOnce read_once;
    if (model::LoadSettingsIni(AppInstance()) != model::kSettingsDone) {
      model::MessageBoxByNumber(main, 3, 13, kMsgIniReadError);
    }
    ResetFileSlots();
    LoadRecentFiles();
    LoadLogoBitmapSettings();
    ApplyGrayTextColor();
  }
  ReadParameterBoxTimings();
  UpdateFileTitles();
  shell.comment_in_file = false;
  shell.comment_unread = false;
  // The project named on the command line, into File 1 (the active file here); a file that cannot be read has
  // shown its message and the program starts with the fresh data set. Its comment flags stand.
  if (const std::string project = TakeStartupProject(); !project.empty()) {
    OpenProjectFile(project);
    UpdateFileTitles();
  }
  return true;
}

}  // namespace app
