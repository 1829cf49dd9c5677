// The scope control window: state display, timer 1002, Start/Stop, Read, Export, and its close routine.
#include "app/scope/scope_control.h"

#include <array>
#include <cstring>
#include <ctime>
#include <string>

#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/link_fault.h"
#include "app/common/shell_state.h"
#include "app/common/wait_cursor.h"
#include "app/documents/file_name_dialog.h"
#include "app/documents/file_titles.h"
#include "app/online/transfer_dialog.h"
#include "app/scope/scope_library.h"
#include "app/templates/scope_templates.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/scope_export.h"
#include "model/check_support.h"
#include "model/derived_elements.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kFileGroup = 5;
constexpr std::int8_t kScopeGroup = 7;
constexpr std::int8_t kActionGroup = 10;
constexpr std::int8_t kInternalGroup = 13;
constexpr std::int32_t kMsgNoRecording = 17;
constexpr std::int32_t kMsgNoTimer = 12;
constexpr std::uint8_t kTransferScopeState = 6;
constexpr std::uint8_t kStopErrorFree = 24;
constexpr std::uint8_t kStartErrorFree = 19;
constexpr std::uint8_t kStateStarted = 2;
constexpr std::uint8_t kStateReady = 5;
constexpr std::uint16_t kHelpContext = 35;
constexpr const char* kStart = "S&tart";
constexpr const char* kStop = "S&top";

struct ControlState {
  ScopeControlView view;
  std::uint8_t auto_read = 0;
  HWND nested = nullptr;       // the settings or comments dialog while it runs
  bool close_pending = false;  // a close asked for while that dialog ran
};

ControlState& State() {
  static ControlState s;
  return s;
}

HWND& Window() { return ModelessWindow(Modeless::kScopeControl); }

std::uint8_t ReadSettingByte(std::uint16_t element, std::uint8_t fallback) {
  std::uint8_t value = fallback;
  if (model::ReadElement(305, element, &value, model::kModeRaw, GetActiveFile()) != 0) return fallback;
  return value;
}

UINT ReadRefreshInterval() {
  std::uint16_t ms = 0;
  if (model::ReadElement(305, 160, &ms, model::kModeRaw, GetActiveFile()) != 0 || ms == 0) {
    return kScopeDefaultRefreshMs;  // an interval of 0 would tick without pause
  }
  return ms;
}

std::uint8_t ScopeState() {
  std::uint8_t state = 0;
  model::ReadElement(33, 59, &state, model::kModeRaw, GetActiveFile());
  return state;
}

void WriteScopeState(std::uint8_t state) { model::WriteElement(33, 59, &state, model::kModeRaw, GetActiveFile()); }

void ShowState(HWND window) {
  const std::uint8_t state = ScopeState();
  SetDlgItemText(window, kScopeStateField, ScopeStateText(state));
  EnableWindow(GetDlgItem(window, kScopeReadButton), state == kStateReady);
  ControlState& s = State();
  if (state == kStateReady && s.auto_read == 1 && s.view.pending_read) {
    s.view.pending_read = false;
    PostMessage(window, WM_COMMAND, kScopeReadButton, 0);
  }
  SetDlgItemText(window, kScopeStartStopButton, state == 1 || state == kStateReady ? kStart : kStop);
  EnableWindow(GetDlgItem(window, kScopeStartStopButton), state != 0);
}

// Reads the inverter's scope state into the active data set; false after a failure.
bool ReadScopeStateOnline() { return ilink::TransferParameterSet(kTransferScopeState, GetActiveFile()) == ilink::kOk; }

// The trigger time of the recording just read: the local time of the read, into "K40 trigger-time".
void StampScopeTriggerTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%d.%m.%Y %H:%M:%S", &local);
  model::WriteElement(317, 2563, text.data(), model::kModeRaw, GetActiveFile());
}

void OnInit(HWND window) {
  PlaceDialog(window, 0, kPlaceBelowMenu);
  ControlState& s = State();
  s.view.timer_ticked = false;
  s.close_pending = false;
  ShowState(window);
  LoadScopeLibrary();
  Window() = window;
  s.view.refresh_ms = ReadRefreshInterval();
  s.auto_read = ReadSettingByte(144, 0);
  if (model::HasScopeData(GetActiveFile()) != 1) {
    model::ShowMessage(model::kShowModal, kScopeGroup, kMsgNoRecording);
    s.view.poll = true;
    if (ReadScopeStateOnline()) {
      model::RebuildDerivedElements(GetActiveFile());
      UpdateStatusLine();
    }
  } else {
    LoadScopeLibrary();
    ShowScopeData(1);
    s.view.poll = false;
  }
  if (SetTimer(window, kScopeControlTimer, kScopeFirstTickMs, nullptr) == 0) {
    model::MessageBoxByNumber(window, model::kShowFault, kInternalGroup, kMsgNoTimer);
  }
}

void OnTimer(HWND window) {
  ControlState& s = State();
  KillTimer(window, kScopeControlTimer);
  SetTimer(window, kScopeControlTimer, s.view.refresh_ms, nullptr);
  s.view.timer_ticked = true;
  PostHelpIfF1Held();
  if (GetActiveWindow() != window) {
    SetDlgItemText(window, kScopeStateField, " ...");
    return;
  }
  if (!s.view.poll) return;
  BeginWaitCursor();
  if (!ReadScopeStateOnline()) WriteScopeState(0);
  EndWaitCursor();
  ShowState(window);
}

void StartStop(HWND window) {
  ControlState& s = State();
  s.view.poll = true;
  std::array<char, 16> label{};
  GetDlgItemText(window, kScopeStartStopButton, label.data(), static_cast<int>(label.size()));
  const std::uint8_t set = GetActiveFile();
  std::uint8_t result = ilink::StopScopeAction(set);
  if (std::strcmp(label.data(), kStop) == 0 || result != kStopErrorFree) {
    if (result != kStopErrorFree) model::ShowMessage(model::kShowFault, kActionGroup, result);
    return;
  }
  if (const std::uint8_t code = ilink::SendScopeSettings(set); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  result = ilink::StartScopeAction(set);
  if (result != kStartErrorFree) {
    model::ShowMessage(model::kShowFault, kActionGroup, result);
    return;
  }
  WriteScopeState(kStateStarted);
  ShowState(window);
  s.view.pending_read = true;
}

void Read() {
  State().view.poll = true;
  if (RunTransferDialog(kTransferReadScope) != kTransferSucceeded) return;
  ShowScopeData(1);
  StampScopeTriggerTime();
  ShowLinkFault(ilink::ConnectInverter(GetActiveFile()));
}

void Export() {
  std::string path;
  if (FileNameDialog(kDialogPrintText, true, &path) != kDialogOk) return;
  BeginWaitCursor();
  const std::uint8_t code = ilink::ExportScopeText(GetActiveFile(), path.c_str());
  EndWaitCursor();
  if (code != 0) model::ShowMessage(model::kShowFault, kFileGroup, code);
}

// Runs a modal dialog of the window with its button disabled; a close asked for meanwhile runs after it.
void RunNested(HWND window, int button, INT_PTR (*dialog)(HWND)) {
  State().view.poll = true;
  EnableWindow(GetDlgItem(window, button), FALSE);
  dialog(window);
  if (IsWindow(window)) EnableWindow(GetDlgItem(window, button), TRUE);
}

void OnCommand(HWND window, int id, UINT code) {
  switch (id) {
    case IDOK:
    case IDCANCEL: CloseScopeControlWindow(); return;
    case kScopeSettingsButton: RunNested(window, id, RunScopeSettingsDialog); return;
    case kScopeCommentsButton: RunNested(window, id, RunScopeCommentsDialog); return;
    case kScopeStartStopButton: StartStop(window); return;
    case kScopeReadButton: Read(); return;
    case kScopeExportButton: Export(); return;
    default: SetHelpContextFromCommand(kHelpContext, kScopeStateField, kScopeExportButton, id, code); return;
  }
}

INT_PTR CALLBACK ControlProc(HWND window, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG: OnInit(window); return TRUE;
    case WM_TIMER:
      if (wparam == kScopeControlTimer) OnTimer(window);
      return TRUE;
    case WM_COMMAND: OnCommand(window, LOWORD(wparam), HIWORD(wparam)); return TRUE;
    case WM_ACTIVATE: {
      SetDefaultHelpContext(kHelpContext, kScopeStateField, kScopeExportButton);
      ControlState& s = State();
      if (LOWORD(wparam) == WA_INACTIVE) {
        s.view.poll = false;
      } else if (s.view.timer_ticked) {
        s.view.poll = true;
      }
      s.auto_read = ReadSettingByte(144, 0);
      return FALSE;
    }
    default: return FALSE;
  }
}

}  // namespace

const char* ScopeStateText(int state) {
  static constexpr std::array<const char*, 6> kTexts = {"no connection",   "inactive",  "started",
                                                        "ready f.trigger", "triggered", "ready"};
  return state >= 0 && state < static_cast<int>(kTexts.size()) ? kTexts[static_cast<std::size_t>(state)] : "";
}

void OpenScopeControl(HWND main) {
  TakeScopeColorsFromSettings();
  if (IsWindow(Window())) {
    RaiseWindow(Window());
    return;
  }
  if (const std::uint8_t code = ilink::ConnectInverter(GetActiveFile()); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  HWND window = CreateDialogParam(AppInstance(), MAKEINTRESOURCE(kScopeControlTemplate), main, ControlProc, 0);
  if (window != nullptr) ShowWindow(window, SW_SHOW);
}

void CommandOpenScopeControl(HWND main, UINT /*id*/) { OpenScopeControl(main); }

void CloseScopeControlWindow() {
  HWND window = Window();
  if (!IsWindow(window)) {
    Window() = nullptr;
    return;
  }
  ControlState& s = State();
  if (s.nested != nullptr) {
    // The dialog's own loop is still on the stack: it stores and ends, and the close runs when it has returned.
    s.close_pending = true;
    SendMessage(s.nested, WM_COMMAND, IDOK, 0);
    return;
  }
  s.close_pending = false;
  KillTimer(window, kScopeControlTimer);
  UnloadScopeLibrary();
  Window() = nullptr;
  DestroyWindow(window);
  s.view.pending_read = false;
  ShowLinkFault(ilink::DisconnectInverter(GetActiveFile()));
}

ScopeControlView ScopeControlState() { return State().view; }

void SetScopeNestedWindow(HWND dialog) { State().nested = dialog; }

bool ScopeClosePending() { return State().close_pending; }

void MarkScopeReadPending() { State().view.pending_read = true; }

void RunPendingScopeClose() {
  if (State().close_pending) CloseScopeControlWindow();
}

}  // namespace app
