// Menu 2113 "Save options": the settings of data set 0 into the INI file.
#include "app/shell/application_start.h"
#include "app/shell/main_commands.h"
#include "model/message_show.h"
#include "model/settings_ini.h"

namespace app {

void CommandSaveOptions(HWND main, UINT /*id*/) {
  if (model::SaveSettingsIni(AppInstance()) != model::kSettingsDone) {
    model::MessageBoxByNumber(main, 3, 13, kMsgIniWriteError);
  }
}

}  // namespace app
