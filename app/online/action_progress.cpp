// The guided motor actions (phase test, autotuning): the progress dialog that runs the remote action's states on
// timer 1005 and on Next, shows each state's text of message group 14, and aborts the action on Cancel.
#include <array>
#include <string>

#include "app/binding/dialog_binding.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/online/link_dialogs.h"
#include "app/templates/link_templates.h"
#include "link/online_services.h"
#include "model/derived_elements.h"
#include "model/element_access.h"
#include "model/message_show.h"
#include "model/message_text.h"
#include "model/parameter_codes.h"
#include "platform/sys/clock.h"

namespace app {
namespace {

constexpr std::int8_t kStateTextGroup = 14;
constexpr std::int32_t kMsgSwitchOffEnable = 14;
constexpr std::uint16_t kHelpContext = 51;
constexpr std::uint16_t kDefaultInterval = 2000;
constexpr std::uint16_t kLastState = 17;
constexpr byte kPhaseTestList = 64;
constexpr byte kAutotuningList = 63;

// A state that waits for Next, and where Next leads.
struct NextRow {
  std::uint16_t state;
  std::uint16_t next;
};
constexpr std::array<NextRow, 7> kNextRows = {{{0, 1}, {2, 1}, {3, 1}, {8, 5}, {10, 9}, {12, 11}, {15, 14}}};

// A state that follows the remote action's result: done, busy, interrupted and any other result.
struct ResultRow {
  std::uint16_t state;
  std::uint16_t done;
  std::uint16_t busy;
  std::uint16_t interrupted;
  std::uint16_t other;
};
constexpr std::uint16_t kStay = 0xFFFE;
constexpr std::array<ResultRow, 8> kResultRows = {{
    {1, 4, 3, 2, 2},
    {4, 5, kStay, kStay, kStay},
    {5, 6, 5, 8, 8},
    {7, 9, 8, 8, 8},
    {9, 11, 9, 17, 10},
    {11, 13, 12, 12, 12},
    {13, 16, 14, 14, 14},
    {14, 16, 14, 15, 15},
}};

struct ProgressState {
  std::uint8_t action = kPhaseTest;
  std::uint16_t state = 0;
  std::uint32_t start_tick = 0;  // when state 5 was entered
  UINT interval = kDefaultInterval;
  bool stepping = false;
};

ProgressState& State() {
  static ProgressState s;
  return s;
}

byte ListOf(std::uint8_t action) { return action == kPhaseTest ? kPhaseTestList : kAutotuningList; }

UINT ReadInterval() {
  std::uint16_t ms = 0;
  if (model::ReadElement(305, 160, &ms, model::kModeRaw, 0) != 0) return kDefaultInterval;
  return ms;
}

void Display(HWND dialog) {
  const ProgressState& s = State();
  FillDialogFromParameters(dialog, kActionStateText, kActionBoundEnd, ListOf(s.action), GetActiveFile(), 0);
  if (s.state > kLastState) return;
  std::string text = model::BuildMessageText(kStateTextGroup, s.state);
  if (text.empty()) text = "error";
  SetDlgItemText(dialog, kActionStateText, text.c_str());
}

void Step(HWND dialog, bool next_pressed) {
  ProgressState& s = State();
  if (s.stepping) return;
  s.stepping = true;
  const std::uint8_t set = GetActiveFile();
  if (s.state == kStateSucceeded) {
    model::RebuildDerivedElements(set);
  } else if (ActionStateRunsRemote(s.state)) {
    const std::uint8_t result = ilink::RunRemoteAction(s.action, static_cast<std::uint8_t>(s.state), set);
    const std::uint16_t before = s.state;
    s.state = NextActionState({s.state, next_pressed, GetTickCount() - s.start_tick}, result);
    if (before == 4 && s.state == 5) s.start_tick = GetTickCount();
  }
  s.stepping = false;
  if (IsWindow(dialog)) Display(dialog);
}

void OnInit(HWND dialog) {
  ProgressState& s = State();
  s.state = 0;
  s.stepping = false;
  PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
  s.interval = ReadInterval();
  std::array<char, 64> name{};
  if (model::FindDescriptorByCode(name.data(), static_cast<std::uint8_t>(name.size()),
                                  s.action == kPhaseTest ? "B40" : "B41") == 0) {
    std::string caption = "Action: ";
    caption += name.data();
    SetWindowText(dialog, caption.c_str());
  }
  Display(dialog);
  if (SetTimer(dialog, kActionTimer, s.interval, nullptr) == 0) {
    model::MessageBoxByNumber(dialog, model::kShowFault, 13, 12);
  }
}

void OnCancel(HWND dialog) {
  KillTimer(dialog, kActionTimer);
  ilink::RunRemoteAction(kAbortAction, static_cast<std::uint8_t>(State().state), GetActiveFile());
  EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kHelpContext, kActionStateText, kActionBoundEnd);
      return FALSE;
    case WM_TIMER:
      if (wparam != kActionTimer) return FALSE;
      KillTimer(dialog, kActionTimer);
      PostHelpIfF1Held();
      Step(dialog, false);
      if (IsWindow(dialog)) SetTimer(dialog, kActionTimer, State().interval, nullptr);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kActionNextButton:
          if (State().state == kStateSucceeded || State().state == kStateInterrupted) {
            KillTimer(dialog, kActionTimer);
            EndDialog(dialog, IDOK);
          } else {
            Step(dialog, true);
          }
          return TRUE;
        case IDCANCEL: OnCancel(dialog); return TRUE;
        default: return TRUE;
      }
    default: return FALSE;
  }
}

}  // namespace

bool ActionStateRunsRemote(std::uint16_t state) { return state < kStateSucceeded; }

std::uint16_t NextActionState(const ActionStep& step, std::uint8_t result) {
  if (step.state > kLastState) return kStateInvalid;
  for (const NextRow& row : kNextRows) {
    if (row.state == step.state) return step.next_pressed ? row.next : step.state;
  }
  if (step.state == 6) return step.ms_since_start > kEnablePauseMs ? 7 : 6;
  for (const ResultRow& row : kResultRows) {
    if (row.state != step.state) continue;
    const std::uint16_t to = result == kActionDone          ? row.done
                             : result == kActionBusy        ? row.busy
                             : result == kActionInterrupted ? row.interrupted
                                                            : row.other;
    return to == kStay ? step.state : to;
  }
  return step.state;  // 16 and 17 wait for Next
}

std::uint16_t ActionProgressState() { return State().state; }

void OpenActionProgressDialog(HWND owner, std::uint8_t action) {
  State().action = action == kPhaseTest ? kPhaseTest : kAutotuning;
  const INT_PTR result =
      DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kActionProgressTemplate), owner, ProgressProc, 0);
  if (result == IDCANCEL) model::MessageBoxByNumber(owner, model::kShowFault, kStateTextGroup, kMsgSwitchOffEnable);
}

}  // namespace app
