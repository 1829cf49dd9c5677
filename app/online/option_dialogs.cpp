// The option dialogs of the link (templates 39, 40, 41): parameters of the settings records of data set 0,
// edited through the dialog binding; "&save options" also writes the INI file.
#include "app/binding/bound_fields.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_messages.h"
#include "app/common/wait_cursor.h"
#include "app/documents/file_titles.h"
#include "app/online/link_dialogs.h"
#include "app/templates/link_templates.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/parambox.h"
#include "link/parambox_codes.h"
#include "model/element_access.h"
#include "model/message_show.h"
#include "model/settings_ini.h"

namespace app {
namespace {

constexpr std::int8_t kLinkGroup = 1;
constexpr std::int8_t kBoxGroup = 3;
constexpr std::int8_t kBoxHeadGroup = 4;
constexpr std::int8_t kConfirmGroup = 8;
constexpr std::int32_t kMsgReformatBox = 4;
constexpr std::uint8_t kMsgBoxReformatted = 23;
constexpr std::uint8_t kSettingsSet = 0;
constexpr std::uint8_t kOldBoxFormat = 1;
constexpr std::uint8_t kCheckForReformat = 2;

enum class OptionKind : std::uint8_t { kInterface, kRemote, kQuellox };

struct OptionState {
  OptionKind kind = OptionKind::kInterface;
  BoundFields fields;
  std::uint8_t kept_port = 0;
  std::uint16_t help = 0;  // the template number
};

OptionState& State() {
  static OptionState s;
  return s;
}

void ShowFault(std::int8_t group, std::uint8_t code) {
  if (code != 0) model::ShowMessage(model::kShowFault, group, code);
}

// "&save options": false after the INI file could not be written (its message shown).
bool SaveIni(HWND dialog) {
  if (model::SaveSettingsIni(AppInstance()) == model::kSettingsDone) return true;
  model::MessageBoxByNumber(dialog, model::kShowFault, 13, kMsgIniWriteError);
  return false;
}

// Interface: the port is tried; a port that cannot be opened is put back as it was.
void InterfaceOk(HWND dialog, int id) {
  OptionState& s = State();
  if (const std::uint8_t code = ilink::ConnectInverter(kSettingsSet); code != ilink::kOk) {
    ShowFault(kLinkGroup, code);
    model::WriteElement(305, 0, &s.kept_port, model::kModeRaw, kSettingsSet);
    ilink::ConnectInverter(kSettingsSet);
    s.fields.Fill(dialog, 0);
  }
  bool failed = false;
  if (const std::uint8_t code = ilink::DisconnectInverter(kSettingsSet); code != ilink::kOk) {
    ShowFault(kLinkGroup, code);
    failed = true;
  }
  std::uint8_t code = ilink::OpenParameterBox(kSettingsSet);
  if (code == ilink::kBoxOk) code = ilink::GetParameterBoxTimings(kSettingsSet);
  ilink::CloseParameterBox();
  if (code != ilink::kBoxOk) {
    ShowFault(kBoxGroup, code);
    failed = true;
  }
  if (failed) return;
  UpdateFileTitles();
  if (id == kSaveOptionsButton && !SaveIni(dialog)) return;
  EndDialog(dialog, IDOK);
}

void QuelloxOk(HWND dialog, int id) {
  std::uint8_t code = ilink::OpenParameterBox(kSettingsSet);
  if (code == ilink::kBoxOk) code = ilink::GetParameterBoxTimings(kSettingsSet);
  if (code != ilink::kBoxOk) {
    ilink::CloseParameterBox();
    ShowFault(kBoxGroup, code);
    return;
  }
  ilink::CloseParameterBox();
  if (id == kSaveOptionsButton && !SaveIni(dialog)) return;
  ReleaseDialogBuffers(dialog);
  EndDialog(dialog, IDOK);
}

// Re-formats the box for the old versions, only after the box was read and its head checked without a fault:
// a box that cannot be read, or is already in the old format, keeps its data.
void ReformatBox(HWND dialog) {
  if (model::ShowMessage(model::kShowQuestion, kConfirmGroup, kMsgReformatBox) != model::kQuestionYes) return;
  BeginWaitCursor();
  std::uint8_t code = ilink::OpenParameterBox(kSettingsSet);
  if (code != ilink::kBoxOk) {
    ShowFault(kBoxGroup, code);
  } else if (code = ilink::ReadParameterBox(kSettingsSet); code != ilink::kBoxOk && code != ilink::kBoxInvalidData) {
    ShowFault(kBoxGroup, code);
  } else if (code = ilink::CheckParameterBoxHead(kCheckForReformat, nullptr, kSettingsSet); code != 0) {
    ShowFault(kBoxHeadGroup, code);
  } else if (code = ilink::SetParameterBoxFormat(kOldBoxFormat); code != ilink::kBoxOk) {
    ShowFault(kBoxGroup, code);
  } else {
    model::ShowMessage(model::kShowFault, kBoxGroup, kMsgBoxReformatted);
  }
  ilink::CloseParameterBox();
  EndWaitCursor();
  ReleaseDialogBuffers(dialog);
  EndDialog(dialog, IDOK);
}

void OnOk(HWND dialog, int id) {
  OptionState& s = State();
  if (!s.fields.Store(dialog, 0)) return;
  switch (s.kind) {
    case OptionKind::kInterface: InterfaceOk(dialog, id); return;
    case OptionKind::kQuellox: QuelloxOk(dialog, id); return;
    case OptionKind::kRemote:
      if (id == kSaveOptionsButton && !SaveIni(dialog)) return;
      ReleaseDialogBuffers(dialog);
      EndDialog(dialog, IDOK);
      return;
  }
}

void OnCancel(HWND dialog) {
  OptionState& s = State();
  if (s.kind != OptionKind::kInterface) {
    // The values as the dialog found them, put back without a word.
    s.fields.storing = true;
    StoreDialogToParameters(dialog, s.fields.first, s.fields.last, 0, s.fields.list, kSettingsSet, 1);
    s.fields.storing = false;
    ReleaseDialogBuffers(dialog);
  }
  EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  OptionState& s = State();
  switch (message) {
    case WM_INITDIALOG:
      model::ReadElement(305, 0, &s.kept_port, model::kModeRaw, kSettingsSet);
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      s.fields.Fill(dialog, s.kind == OptionKind::kInterface ? 0 : 1);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(s.help, s.fields.first, s.fields.last);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      if (s.fields.OnCommand(dialog, id, code)) return TRUE;
      if (id == IDOK || id == kSaveOptionsButton) {
        OnOk(dialog, id);
      } else if (id == IDCANCEL) {
        OnCancel(dialog);
      } else if (id == kQuelloxFormatButton && s.kind == OptionKind::kQuellox) {
        ReformatBox(dialog);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

INT_PTR RunOptions(HWND owner, OptionKind kind, int number, int first, int last, byte list) {
  OptionState& s = State();
  s.kind = kind;
  s.help = static_cast<std::uint16_t>(number);
  s.fields = BoundFields{first, last, list, kSettingsSet, false};
  return DialogBoxParam(AppInstance(), MAKEINTRESOURCE(number), owner, OptionsProc, 0);
}

}  // namespace

INT_PTR OpenInterfaceOptionsDialog(HWND owner) {
  return RunOptions(owner, OptionKind::kInterface, kInterfaceOptionsTemplate, kInterfaceFirst, kInterfaceLast, 56);
}

INT_PTR OpenRemoteOptionsDialog(HWND owner) {
  return RunOptions(owner, OptionKind::kRemote, kRemoteOptionsTemplate, kRemoteOptionsFirst, kRemoteOptionsLast, 55);
}

INT_PTR OpenQuelloxOptionsDialog(HWND owner) {
  return RunOptions(owner, OptionKind::kQuellox, kQuelloxOptionsTemplate, kQuelloxFirst, kQuelloxLast, 59);
}

void CommandOptionsDialog(HWND main, UINT id) {
  if (id == 2110) OpenInterfaceOptionsDialog(main);
  if (id == 2111) OpenRemoteOptionsDialog(main);
  if (id == 2112) OpenQuelloxOptionsDialog(main);
}

}  // namespace app
