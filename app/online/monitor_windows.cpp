// The online-window list, the cyclic poll and the function keys while modal loops wait.
#include "app/online/monitor_windows.h"

#include <algorithm>
#include <vector>

#include "app/common/help_context.h"
#include "app/common/shell_messages.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/online/value_log.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "model/derived_elements.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr UINT kQuelloxRead = 2007;
constexpr UINT kQuelloxWrite = 2008;
constexpr UINT kIdleDialog = 0;
constexpr UINT kIdleMenu = 2;
// Message groups of the link's, the identity check's and the data set's status codes.
constexpr std::int8_t kLinkGroup = 1;
constexpr std::int8_t kIdentityGroup = 2;
constexpr std::int8_t kDataGroup = 12;

struct OnlineState {
  std::array<HWND, kOnlineSlots> windows{};
  std::uint16_t interval = kDefaultPollInterval;
  std::uint8_t log_mode = 0;
  std::array<std::uint8_t, kOnlineSlots> log_kinds{};
};

OnlineState& Online() {
  static OnlineState state;
  return state;
}

void CloseAllOnlineWindows() {
  for (HWND w : Online().windows) {
    if (w != nullptr) PostMessage(w, WM_COMMAND, IDOK, 0);
  }
}

void SetQuelloxItems(UINT state) {
  if (HMENU menu = Shell().menu) {
    EnableMenuItem(menu, kQuelloxRead, MF_BYCOMMAND | state);
    EnableMenuItem(menu, kQuelloxWrite, MF_BYCOMMAND | state);
  }
}

std::uint8_t LogKindOf(HWND window) {
  struct KindRow {
    Modeless kind;
    std::uint8_t log;
  };
  constexpr KindRow kRows[] = {
      {Modeless::kDriveMonitor, kLogDrive},         {Modeless::kControlInterfaceMonitor, kLogControlInterface},
      {Modeless::kProcessDataMonitor, kLogProcessData}, {Modeless::kPositioningMonitor, kLogPositioning},
      {Modeless::kFieldbusMonitor, kLogFieldbus},
  };
  for (const KindRow& row : kRows) {
    if (window != nullptr && ModelessWindow(row.kind) == window) return row.log;
  }
  return kLogOther;
}

// An unreadable interval, or 0 (which would poll without pause and starve the windows), counts as 2000 ms.
std::uint16_t ReadPollInterval() {
  std::uint16_t interval = 0;
  if (model::ReadElement(305, 160, &interval, model::kModeRaw, 0) != 0 || interval == 0) return kDefaultPollInterval;
  return interval;
}

// Reads the monitor values once; false after a link fault (already shown).
bool PollOnce() {
  const std::uint8_t set = GetActiveFile();
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
    return false;
  }
  if (const std::uint8_t code = ilink::ReadMonitorParameters(set); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
    return false;
  }
  if (const std::uint8_t code = model::RebuildDerivedElements(set); code != 0) {
    model::ShowMessage(model::kShowFault, kDataGroup, code);
    return false;
  }
  return true;
}

}  // namespace

void RegisterMonitorWindow(HWND window, bool full) {
  OnlineState& s = Online();
  const auto free_slot = std::find(s.windows.begin(), s.windows.end(), nullptr);
  if (free_slot != s.windows.end()) *free_slot = window;
  if (CountOpenMonitors() == 1) {
    SetQuelloxItems(MF_GRAYED);
    if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
      model::ShowMessage(model::kShowFault, kLinkGroup, code);
      CloseAllOnlineWindows();
      return;
    }
  } else if (!full) {
    return;
  }
  const std::uint8_t kind = full ? 7 : 3;
  const std::uint8_t set = GetActiveFile();
  if (const std::uint8_t code = ilink::TransferParameterSet(kind, set); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
    CloseAllOnlineWindows();
    return;
  }
  if (const std::uint8_t code = ilink::CheckInverterIdentity(kind, set); code != 0) {
    model::ShowMessage(model::kShowFault, kIdentityGroup, code);
    CloseAllOnlineWindows();
    return;
  }
  UpdateStatusLine();
  s.interval = ReadPollInterval();
  if (SetTimer(MainWindow(), kPollTimer, kFirstPollDelay, nullptr) == 0) {
    model::MessageBoxByNumber(window, 3, 13, kMsgNoTimer);
  }
}

void UnregisterMonitorWindow(HWND window) {
  OnlineState& s = Online();
  std::replace(s.windows.begin(), s.windows.end(), window, HWND{nullptr});
  if (CountOpenMonitors() != 0) return;
  SetQuelloxItems(MF_ENABLED);
  if (ModelessWindow(Modeless::kRemoteControl) != nullptr || ModelessWindow(Modeless::kRemoteControl2) != nullptr) {
    return;
  }
  if (const std::uint8_t code = ilink::DisconnectInverter(GetActiveFile()); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
  }
}

std::size_t CountOpenMonitors() {
  const auto& w = Online().windows;
  return static_cast<std::size_t>(std::count_if(w.begin(), w.end(), [](HWND h) { return h != nullptr; }));
}

const std::array<HWND, kOnlineSlots>& OnlineWindows() { return Online().windows; }
std::uint16_t PollInterval() { return Online().interval; }
std::uint8_t LastValueLogMode() { return Online().log_mode; }
const std::array<std::uint8_t, kOnlineSlots>& LastValueLogKinds() { return Online().log_kinds; }

void MainOnTimer(HWND main, UINT_PTR timer) {
  if (timer != kPollTimer) return;
  KillTimer(main, kPollTimer);
  OnlineState& s = Online();
  if (CountOpenMonitors() == 0) return;
  PostHelpIfF1Held();
  const bool ok = PollOnce();
  // A window may close (and leave the list) while another one refreshes: work on a copy and skip the gone.
  const std::array<HWND, kOnlineSlots> listed = s.windows;
  bool any = false;
  for (std::size_t i = 0; i < kOnlineSlots; ++i) {
    const HWND w = listed[i];
    s.log_kinds[i] = LogKindOf(w);
    if (w == nullptr || !IsWindow(w) || std::find(s.windows.begin(), s.windows.end(), w) == s.windows.end()) continue;
    any = true;
    if (ok) {
      SendMessage(w, WM_MONITOR_UPDATE, 0, 0);
    } else {
      PostMessage(w, WM_COMMAND, IDOK, 0);
    }
  }
  if (!ok || !any) return;
  std::uint8_t& protocol = Shell().protocol_state;
  s.log_mode = protocol == kProtocolStart ? kValueLogStart : protocol == kProtocolStop ? kValueLogEntry : kValueLogCyclic;
  if (protocol == kProtocolStart || protocol == kProtocolStop) protocol = kProtocolRunning;
  const std::array<std::uint8_t, kOnlineSlots> kinds = s.log_kinds;
  WriteValueLog(s.log_mode, GetActiveFile(), kinds);
  // A log that reached its maximum has closed the monitors: then the poll stays off.
  if (CountOpenMonitors() == 0) return;
  SetTimer(main, kPollTimer, s.interval, nullptr);
}

void MainOnEnterIdle(UINT reason, HWND /*window*/) {
  const HWND main = MainWindow();
  if (GetKeyState(VK_F1) < 0 && (reason == kIdleDialog || reason == kIdleMenu)) {
    SendMessage(main, WM_COMMAND, kHelpForActiveWindow, 0);
  }
  if (GetKeyState(VK_F2) >= 0 || reason != kIdleDialog) return;
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
    return;
  }
  SendMessage(GetActiveWindow(), WM_PAGE_REFRESH, 0, 0);
  if (const std::uint8_t code = ilink::DisconnectInverter(GetActiveFile()); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
  }
}

void ResetMonitorWindows() { Online() = OnlineState{}; }

}  // namespace app
