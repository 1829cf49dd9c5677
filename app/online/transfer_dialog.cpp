// The transfer dialog's procedure, its percentage bar, the message pump of the running transfer and its Cancel.
#include "app/online/transfer_dialog.h"

#include <array>
#include <memory>

#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/drawing/drawing_layer.h"
#include "app/drawing/instruments.h"
#include "app/online/dialog_pump.h"
#include "app/online/monitor_windows.h"
#include "app/online/transfer_steps.h"
#include "app/templates/transfer_template.h"
#include "link/link_settings_record.h"
#include "link/online_services.h"
#include "link/parambox.h"
#include "link/stop_watch.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/sys/clock.h"

namespace app {
namespace {

// Posted to the dialog by the transfer when it has ended, the outcome in wParam: the only way the dialog ends.
constexpr UINT WM_TRANSFER_ENDED = WM_USER + 20;
constexpr std::uint16_t kBarColour = 3;
constexpr std::uint8_t kFirstPercent = 1;
constexpr std::uint16_t kScopeOnlyElement = 145;

constexpr std::array<const char*, 5> kJobTexts = {
    "identification and reading of Quellox",
    "identification and writing of Quellox",
    "reading data from inverter",
    "sending data to inverter",
    "reading Reverse-docu. data + ZPR-Scope-recording",
};
constexpr char kScopeOnlyText[] = "reading ZPR-Scope-recording only";

using StepsFunction = std::uint8_t (*)(std::uint8_t set);
constexpr std::array<StepsFunction, 5> kModeSteps = {
    transfer::ReadBox, transfer::WriteBox, transfer::ReadInverter, transfer::SendInverter, transfer::ReadScope,
};
static_assert(kModeSteps.size() == kJobTexts.size(), "one job text a mode");

struct TransferState {
  HWND dialog = nullptr;
  std::uint8_t mode = 0;
  bool started = false;
  bool running = false;
  bool cancel = false;
  bool writing = false;  // the device is being written: a stop now would leave it half-written
  std::uint8_t percent = 0;
  PercentBarRecord bar;
};

TransferState& State() {
  static TransferState state;
  return state;
}

DWORD g_drive_wait_limit = kDefaultDriveDisableWaitMs;

bool ScopeRecordingOnly() {
  std::uint8_t only = 0;
  return model::ReadElement(ilink::kLinkSettingsRecordNumber, kScopeOnlyElement, &only, model::kModeRaw, 0) == 0 &&
         only == 1;
}

// The bar fills the frame control inside its black border.
void PlaceBar(HWND dialog) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, kTransferBarFrame), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  PercentBarRecord& bar = State().bar;
  bar = PercentBarRecord{};
  bar.x = static_cast<std::int16_t>(r.left + 1);
  bar.y = static_cast<std::int16_t>(r.top + 1);
  bar.width = static_cast<std::int16_t>(r.right - r.left + 1);
  bar.height = static_cast<std::int16_t>(r.bottom - r.top + 1);
  bar.colour = kBarColour;
  bar.minimum = 0.0f;
  bar.maximum = 100.0f;
}

// Draws the bar on its own DC each time: the drawing layer's one target is never held across a pump.
void DrawBar(bool again) {
  TransferState& s = State();
  if (!IsWindow(s.dialog)) return;
  if (again) s.bar.last = kRedrawMark;
  if (!BeginDrawDC(s.dialog)) return;
  DrawPercentBar(s.bar, static_cast<float>(s.percent));
  EndDrawDC();
}

void PumpTransferMessages() { PumpDialogOnce(State().dialog); }

void RequestCancel(HWND dialog) {
  TransferState& s = State();
  if (!s.running || s.writing) return;
  s.cancel = true;
  EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
}

// Runs the mode's steps with the hooks in place; a transfer that does not succeed puts the data set back.
std::uint8_t RunTransfer(HWND dialog) {
  TransferState& s = State();
  const std::uint8_t set = GetActiveFile();
  const auto saved = std::make_unique<model::ProjectDataSet>(*model::DataSetSlot(set));
  s.running = true;
  UpdateWindow(dialog);
  TransferProgress(kFirstPercent);
  ilink::SetDelayPump(PumpTransferMessages);
  ilink::SetTransferCancelQuery([] { return State().cancel; });
  const bool box = s.mode == kTransferReadBox || s.mode == kTransferWriteBox;
  if (box) {
    ilink::SetBoxProgressHook(TransferProgress);
  } else {
    ilink::SetTransferProgressHook(TransferProgress);
  }
  const std::uint8_t outcome = kModeSteps[s.mode](set);
  ilink::ClearBoxProgressHook();
  ilink::ClearTransferProgressHook();
  ilink::SetTransferCancelQuery(nullptr);
  ilink::SetDelayPump(nullptr);
  s.running = false;
  if (outcome != transfer::kOutcomeDone) {
    *model::DataSetSlot(set) = *saved;
    UpdateFileTitles();
  }
  return outcome;
}

INT_PTR CALLBACK TransferDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  TransferState& s = State();
  switch (message) {
    case WM_INITDIALOG: {
      s.dialog = dialog;
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      const bool scope_only = s.mode == kTransferReadScope && ScopeRecordingOnly();
      SetDlgItemText(dialog, kTransferJobText, scope_only ? kScopeOnlyText : kJobTexts[s.mode]);
      PlaceBar(dialog);
      PostMessage(dialog, WM_START_TRANSFER, 0, 0);
      return TRUE;
    }
    case WM_START_TRANSFER:
      if (s.started) return TRUE;
      s.started = true;
      PostMessage(dialog, WM_TRANSFER_ENDED, RunTransfer(dialog), 0);
      return TRUE;
    case WM_TRANSFER_ENDED:
      EndDialog(dialog, wparam == transfer::kOutcomeDone ? kTransferSucceeded : kTransferFailed);
      return TRUE;
    case WM_COMMAND:
      // OK, Cancel, Escape and the window manager's close only ask the transfer to stop; the dialog ends when it has.
      if (LOWORD(wparam) == IDCANCEL) RequestCancel(dialog);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(dialog, &ps);
      EndPaint(dialog, &ps);
      DrawBar(true);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

namespace transfer {
bool CancelRequested() { return State().cancel; }

std::uint8_t RunningMode() { return State().mode; }

bool BeginDeviceWrite() {
  TransferState& s = State();
  if (s.cancel) return false;
  s.writing = true;
  if (IsWindow(s.dialog)) EnableWindow(GetDlgItem(s.dialog, IDCANCEL), FALSE);
  return true;
}
}  // namespace transfer

INT_PTR RunTransferDialog(std::uint8_t mode) {
  if (mode >= kModeSteps.size()) return kTransferFailed;
  TransferState& s = State();
  if (s.dialog != nullptr) return kTransferFailed;  // one transfer at a time
  s = TransferState{};
  s.mode = mode;
  const INT_PTR result =
      DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kTransferTemplate), MainWindow(), TransferDialogProc, 0);
  const bool ended_by_transfer = s.started && !s.running;
  s.dialog = nullptr;
  return ended_by_transfer && result == kTransferSucceeded ? kTransferSucceeded : kTransferFailed;
}

void TransferProgress(std::uint8_t percent) {
  TransferState& s = State();
  s.percent = percent > 100 ? 100 : percent;
  DrawBar(false);
  if (s.running) PumpTransferMessages();
}

void SetDriveDisableWaitLimit(DWORD milliseconds) { g_drive_wait_limit = milliseconds; }
DWORD DriveDisableWaitLimit() { return g_drive_wait_limit; }

}  // namespace app
