// The remote-control window of template 30: opening (operation input switched to serial), its init, timer 1003,
// its commands and the stop sequence.
#include "app/online/remote_control.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/binding/bound_fields.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/link_fault.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/online/monitor_windows.h"
#include "app/online/remote_control_parts.h"
#include "app/templates/remote_templates.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/uss_abandon.h"
#include "model/element_access.h"
#include "model/message_show.h"
#include "model/record_layout.h"
#include "platform/sys/clock.h"

namespace app {
namespace {

constexpr std::int8_t kIdentityGroup = 2;
constexpr std::int8_t kRemoteGroup = 7;
constexpr std::int8_t kActionGroup = 10;
constexpr std::int32_t kMsgInputRestored = 15;
constexpr std::uint16_t kHelpContext = 30;
constexpr byte kRemoteList = 3;
constexpr std::uint8_t kTransferRemote = 4;
// SwitchOperationInputSerial results (group 2).
constexpr std::uint8_t kInputNotSerial = 5;
constexpr std::uint8_t kInputSerial = 18;
constexpr std::uint8_t kInputSwitched = 20;
constexpr std::uint8_t kInputRestored = 22;
constexpr std::uint8_t kInputNotRestored = 23;
constexpr std::uint8_t kLinkInterrupted = 24;
constexpr std::uint8_t kEnableStillOn = 25;
constexpr std::uint8_t kInputLeftSerial = 26;
constexpr std::uint8_t kInputCheck = 0;
constexpr std::uint8_t kInputToSerial = 1;
constexpr std::uint8_t kInputBack = 2;
// The stop at an end from outside: its steps begin within this time, so that the end takes about a second.
constexpr DWORD kEndStopBudgetMs = 1000;

struct RemoteState {
  RemoteControlView view;
  BoundFields fields{kRemoteReference, kRemoteBoundEnd, kRemoteList, 0, false};
  bool sending = false;
};

RemoteState& State() {
  static RemoteState s;
  return s;
}

HWND& Window() { return ModelessWindow(Modeless::kRemoteControl); }

bool Ask(std::int8_t group, std::int32_t number) {
  return model::ShowMessage(model::kShowQuestion, group, number) == model::kQuestionYes;
}

// The reference value or the positioning controls, by the positioning mode; again after every fill, which
// enables the bound controls by their rows.
void ShowModeControls(HWND window) {
  const bool positioning = RemotePositioningInUse(GetActiveFile());
  EnableWindow(GetDlgItem(window, kRemoteReference), !positioning);
  for (int id : {kRemoteProcessBlock, kRemotePosiStart, kRemotePosiStep, kRemoteTeachIn, kRemoteReferencing}) {
    EnableWindow(GetDlgItem(window, id), positioning);
  }
}

void Refill(HWND window) {
  State().fields.Fill(window, 0);
  ShowModeControls(window);
}

// The remote values (record 306) drive the inverter; they are no project data: storing them does not make the
// file modified. The other entries of change list 0 stay, in their order.
void ForgetRemoteValueChanges(std::uint8_t set) {
  constexpr std::uint32_t kRemoteRecord = 306;
  std::vector<std::uint32_t> kept;
  std::uint32_t entry = 0;
  while (model::ChangeListCount(set, 0) != 0 && model::ChangeListPop(set, 0, &entry) == 0) {
    if ((entry & 0xFFFFu) != kRemoteRecord) kept.push_back(entry);
  }
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) model::ChangeListPush(set, 0, &*it);
}

void SetStatus(HWND window, const char* text) { SetDlgItemText(window, kRemoteStatus, text); }

// Refused before the window opened: the link and the Quellox items go back when nothing else holds them.
void ReleaseLink() {
  if (CountOpenMonitors() != 0 || IsWindow(Window()) || IsWindow(ModelessWindow(Modeless::kRemoteControl2))) return;
  EnableQuelloxMenu();
  ShowLinkFault(ilink::DisconnectInverter(0));
}

// Steps 6 to 8 of the opening: the operation input checked and switched to serial. False when refused.
bool SwitchToSerial(std::uint8_t set) {
  const std::uint8_t identity = ilink::CheckInverterIdentity(kTransferRemote, set);
  if (identity == kInputNotSerial) {
    CloseAllMonitors();
    if (!Ask(kIdentityGroup, kInputNotSerial)) return false;
  } else if (identity != 0) {
    CloseAllMonitors();
    model::ShowMessage(model::kShowFault, kIdentityGroup, identity);
    return false;
  }
  ilink::ConnectInverter(0);
  std::uint8_t result = ilink::SwitchOperationInputSerial(kInputCheck, set);
  if (result != kInputSerial) {
    CloseAllMonitors();
    if (!Ask(kIdentityGroup, result)) return false;
  }
  ilink::ConnectInverter(0);
  result = ilink::SwitchOperationInputSerial(kInputToSerial, set);
  while (result != kInputSerial && result != kInputSwitched) {
    CloseAllMonitors();
    if (result == kLinkInterrupted) {
      model::ShowMessage(model::kShowFault, kIdentityGroup, kLinkInterrupted);
      return false;
    }
    if (!Ask(kIdentityGroup, result)) return false;
    ilink::ConnectInverter(0);
    result = ilink::SwitchOperationInputSerial(kInputToSerial, set);
  }
  return true;
}

// The values that keep the drive still: reference 0, enable and the binary inputs off.
void ClearRemoteValues(std::uint8_t set) {
  std::array<std::uint8_t, 8> zero{};
  for (std::uint16_t element = 0; element < zero.size(); ++element) {
    if (element == 1) continue;  // the second byte of the reference value
    model::WriteElement(306, element, &zero[element], model::kModeRaw9, set);
  }
}

// The stop: the remote values cleared (a later cyclic send cannot enable again) and control word 0 sent; the
// window shows the values the drive was last sent. When the stop cannot be sent, that is the values of before:
// they go back into the record, and the status says they are not confirmed. The link's code.
std::uint8_t SendStopCode(HWND window) {
  const std::uint8_t set = GetActiveFile();
  std::vector<std::uint8_t> sent(model::RecordSize(306));
  const bool kept = !sent.empty() && model::ReadRecord(306, sent.data(), model::kModeRaw9, set) == 0;
  ClearRemoteValues(set);
  const std::uint8_t code = ilink::SendControlWord(0, set);
  State().view.stop_failed = code != ilink::kOk;
  if (code != ilink::kOk && kept) model::WriteRecord(306, sent.data(), model::kModeRaw9, set);
  if (IsWindow(window)) Refill(window);
  return code;
}

// The stop of Stop and close. False when it could not be sent; the window says so.
bool SendStop(HWND window) {
  const std::uint8_t code = SendStopCode(window);
  if (code == ilink::kOk) return true;
  if (IsWindow(window)) {
    SetStatus(window,
              "The stop could not be sent (link fault): the drive may still be enabled. Shown are the values last "
              "sent, not confirmed. Press Stop and close again, or switch off Enable at the inverter.");
  }
  ShowLinkFault(code);
  return false;
}

void StopTimer(HWND window) {
  KillTimer(window, kRemoteTimer);
  State().view.timer_on = false;
}

void DestroyRemoteWindow(HWND window) {
  StopTimer(window);
  CloseAllMonitors();
  if (Window() == window) Window() = nullptr;
  // The window fills and stores its fields without backups: there are no binding buffers of its own to release.
  DestroyWindow(window);
  if (CountOpenMonitors() == 0 && !IsWindow(ModelessWindow(Modeless::kRemoteControl2))) EnableQuelloxMenu();
}

// Stop and close. With `forced` (the program ends) the window closes also when the stop could not be sent.
void StopAndClose(HWND window, bool forced) {
  RemoteState& s = State();
  const bool stop_failed_before = s.view.stop_failed;
  StopTimer(window);
  if (!SendStop(window) && !forced && !stop_failed_before) return;
  const std::uint8_t set = GetActiveFile();
  std::uint8_t result = ilink::SwitchOperationInputSerial(kInputBack, set);
  while (result == kEnableStillOn) {
    if (!Ask(kIdentityGroup, kEnableStillOn)) {
      StopTimer(window);
      CloseAllMonitors();
      model::ShowMessage(model::kShowModal, kIdentityGroup, kInputLeftSerial);
      DestroyRemoteWindow(window);
      ShowLinkFault(ilink::DisconnectInverter(0));
      return;
    }
    result = ilink::SwitchOperationInputSerial(kInputBack, set);
  }
  if (result == kInputNotRestored) model::ShowMessage(model::kShowFault, kIdentityGroup, kInputNotRestored);
  if (result == kInputRestored) model::ShowMessage(model::kShowModal, kRemoteGroup, kMsgInputRestored);
  DestroyRemoteWindow(window);
  ShowLinkFault(ilink::DisconnectInverter(0));
}

// A failed send stops the cyclic sending and the drive.
bool SendCycle(HWND window) {
  const std::uint8_t code = ilink::SendControlWord(1, GetActiveFile());
  if (code == ilink::kOk) return true;
  StopTimer(window);
  const std::uint8_t stop = SendStopCode(window);
  SetStatus(window, stop == ilink::kOk
                        ? "Cyclic sending stopped after a link fault; the drive was stopped."
                        : "Cyclic sending stopped after a link fault; the stop could not be sent: the drive may "
                          "still be enabled. Shown are the values last sent, not confirmed. Switch off Enable at the "
                          "inverter.");
  ShowLinkFault(code);
  return false;
}

void OnTimer(HWND window) {
  KillTimer(window, kRemoteTimer);
  PostHelpIfF1Held();
  if (!SendCycle(window)) return;
  State().view.timer_on = SetTimer(window, kRemoteTimer, State().view.cycle_ms, nullptr) != 0;
}

void OnInit(HWND window) {
  RemoteState& s = State();
  const std::uint8_t set = GetActiveFile();
  s.view = RemoteControlView{};
  s.view.cycle_ms = CycleTime(kRemoteCycleFactor);
  s.fields = BoundFields{kRemoteReference, kRemoteBoundEnd, kRemoteList, set, false};
  s.fields.Fill(window, 0);
  Window() = window;
  PlaceDialog(window, kPlaceBelowMenu, kPlaceBelowMenu);
  ShowRemoteInputTexts(window, set);
  ShowModeControls(window);
  const bool torque = RemoteTorqueReference(set);
  SetDlgItemText(window, kRemoteReferenceLabel, torque ? "M-ref" : "n-ref");
  SetDlgItemText(window, kRemoteReferenceUnit, torque ? "%" : "rpm");
  s.view.timer_on = SetTimer(window, kRemoteTimer, s.view.cycle_ms, nullptr) != 0;
  if (!s.view.timer_on) model::MessageBoxByNumber(window, model::kShowFault, 13, 12);
}

void RunPositioning(std::uint8_t (*action)(std::uint8_t set)) {
  model::ShowMessage(model::kShowFault, kActionGroup, action(GetActiveFile()));
}

void SendAll(HWND window) {
  RemoteState& s = State();
  if (s.sending) return;
  s.sending = true;
  const bool stored = s.fields.Store(window, 0);
  ForgetRemoteValueChanges(GetActiveFile());
  s.sending = false;
  ShowModeControls(window);
  if (!stored) return;
  ShowLinkFault(ilink::SendControlWord(1, GetActiveFile()));
}

// The process block goes into its positioning parameter (J01) and is written there; any other control is sent
// with the control word.
void SendControl(int id) {
  const std::uint8_t set = GetActiveFile();
  if (id != kRemoteProcessBlock) {
    ShowLinkFault(ilink::SendControlWord(1, set));
    return;
  }
  std::uint8_t block = 0;
  if (model::ReadElement(306, 8, &block, model::kModeRaw9, set) != 0 ||
      model::WriteElement(514, 176, &block, model::kModeRaw9, set) != 0) {
    ShowLinkFault(ilink::kSoftwareError);
    return;
  }
  ShowLinkFault(ilink::WriteParameterOnline(set, 514, 176));
}

void OnCommand(HWND window, int id, UINT code) {
  RemoteState& s = State();
  switch (id) {
    case kRemotePosiStart: RunPositioning(ilink::PositioningStartAction); return;
    case kRemotePosiStep: RunPositioning(ilink::PositioningStepAction); return;
    case kRemoteTeachIn: RunPositioning(ilink::TeachInAction); return;
    case kRemoteReferencing: RunPositioning(ilink::ReferenceAction); return;
    case kRemoteSend: SendAll(window); return;
    case kRemoteStopAndClose: StopAndClose(window, false); return;
    default: break;
  }
  if (!s.fields.Holds(id)) return;
  SetHelpContextFromCommand(kHelpContext, kRemoteReference, kRemoteStatus, id, code);
  if (s.sending || s.fields.storing) return;
  const bool store = code == BN_CLICKED || code == EN_KILLFOCUS;
  bool stored = true;
  s.fields.OnCommand(window, id, code, &stored);
  ForgetRemoteValueChanges(GetActiveFile());
  if (!IsWindow(window)) return;
  ShowModeControls(window);
  if (store && stored) SendControl(id);
}

INT_PTR CALLBACK RemoteProc(HWND window, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG: OnInit(window); return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kHelpContext, kRemoteReference, kRemoteStatus);
      return FALSE;
    case WM_TIMER:
      if (wparam == kRemoteTimer) OnTimer(window);
      return TRUE;
    case WM_COMMAND: OnCommand(window, LOWORD(wparam), HIWORD(wparam)); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

std::uint16_t CycleTime(double factor) {
  std::uint16_t base = 0;
  // An unreadable or zero waiting time would send without pause.
  if (model::ReadElement(305, 160, &base, model::kModeRaw, 0) != 0 || base == 0) base = kDefaultRemoteCycle;
  return static_cast<std::uint16_t>(std::min(std::floor(base * factor), 65535.0));
}

void OpenRemoteControl(HWND main) {
  const std::uint8_t set = GetActiveFile();
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  for (Modeless kind : {Modeless::kRemoteControl, Modeless::kRemoteControl2}) {
    if (IsWindow(ModelessWindow(kind))) {
      RaiseWindow(ModelessWindow(kind));
      return;
    }
  }
  if (const std::uint8_t code = ilink::TransferParameterSet(kTransferRemote, set); code != ilink::kOk) {
    CloseAllMonitors();
    ShowLinkFault(code);
    ReleaseLink();
    return;
  }
  DisableQuelloxMenu();
  UpdateStatusLine();
  if (SecondRemoteControlWanted(set)) {
    ShowLinkFault(ilink::DisconnectInverter(0));
    OpenSecondRemoteControl(main);
    return;
  }
  if (!SwitchToSerial(set)) {
    ReleaseLink();
    return;
  }
  HWND window = CreateDialogParam(AppInstance(), MAKEINTRESOURCE(kRemoteTemplate), main, RemoteProc, 0);
  if (window != nullptr) ShowWindow(window, SW_SHOW);
}

void CommandOpenRemoteControl(HWND main, UINT /*id*/) { OpenRemoteControl(main); }

void StopRemoteControlsAtEnd() {
  const DWORD start = GetTickCount();
  ilink::AbandonUssExchange();
  StopSecondRemoteControlAtEnd();
  HWND window = Window();
  if (!IsWindow(window)) return;
  StopTimer(window);
  const std::uint8_t set = GetActiveFile();
  ClearRemoteValues(set);
  // A link that cannot carry the stop will not carry the switch back either.
  if (ilink::SendControlWord(0, set) != ilink::kOk) return;
  if (GetTickCount() - start < kEndStopBudgetMs) ilink::SwitchOperationInputSerial(kInputBack, set);
  ilink::DisconnectInverter(0);
}

void CloseRemoteControlWindows() {
  if (IsWindow(Window())) StopAndClose(Window(), true);
  CloseSecondRemoteControl();
}

RemoteControlView RemoteControlState() { return State().view; }

}  // namespace app
