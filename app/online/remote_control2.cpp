// The second remote-control window (template 77): the values of record 306 that the remote-control exchange
// (service 8) sends and gets back, exchanged on timer 1003 at the unscaled cycle time.
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/binding/binding_support.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/link_fault.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/online/monitor_windows.h"
#include "app/online/remote_control.h"
#include "app/online/remote_control_parts.h"
#include "app/templates/remote_templates.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kDataGroup = 12;
constexpr std::int32_t kMsgWrongValue = 6;
constexpr std::uint16_t kHelpContext = 77;
constexpr std::uint16_t kRemoteRecord = 306;
constexpr std::uint16_t kSendFirst = 8;
constexpr std::uint16_t kSendEnd = 20;

// A row of the window: its text, its bytes in record 306 (least significant first) and whether it is sent.
struct ExchangeRow {
  const char* text;
  std::uint16_t offset;
  std::uint8_t size;
  bool is_signed;
  bool sent;
};
constexpr std::array<ExchangeRow, kRemote2Rows> kRows = {{
    {"E45 control word", 8, 2, false, true},
    {"reference value", 10, 2, true, true},
    {"position reference", 12, 4, true, true},
    {"process block number", 16, 2, false, true},
    {"reserve", 18, 2, false, true},
    {"status word", 20, 2, false, false},
    {"device state", 22, 1, false, false},
    {"actual value", 23, 2, true, false},
    {"actual position", 25, 4, true, false},
}};

struct Remote2State {
  bool hex = false;
  UINT cycle_ms = 0;
};

Remote2State& State() {
  static Remote2State s;
  return s;
}

HWND& Window() { return ModelessWindow(Modeless::kRemoteControl2); }

int TextId(std::size_t row) { return kRemote2First + 2 * static_cast<int>(row); }
int ValueId(std::size_t row) { return TextId(row) + 1; }

std::uint8_t Byte(std::uint16_t offset) {
  std::uint8_t value = 0;
  model::ReadElement(kRemoteRecord, offset, &value, model::kModeRaw9, GetActiveFile());
  return value;
}

void PutByte(std::uint16_t offset, std::uint8_t value) {
  model::WriteElement(kRemoteRecord, offset, &value, model::kModeRaw9, GetActiveFile());
}

std::string ValueText(const ExchangeRow& row, bool hex) {
  std::uint32_t raw = 0;
  for (std::uint8_t i = 0; i < row.size; ++i) raw |= std::uint32_t{Byte(static_cast<std::uint16_t>(row.offset + i))} << (8 * i);
  std::array<char, 16> text{};
  if (hex) {
    std::snprintf(text.data(), text.size(), "%X", static_cast<unsigned>(raw));
  } else if (row.is_signed) {
    const int bits = 8 * row.size;
    const long value = bits < 32 && (raw >> (bits - 1)) != 0 ? static_cast<long>(raw) - (1L << bits)
                                                             : static_cast<long>(static_cast<std::int32_t>(raw));
    std::snprintf(text.data(), text.size(), "%ld", value);
  } else {
    std::snprintf(text.data(), text.size(), "%lu", static_cast<unsigned long>(raw));
  }
  return text.data();
}

void ShowRows(HWND window, bool sent_rows) {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    if (kRows[i].sent != sent_rows) continue;
    SetDlgItemText(window, TextId(i), kRows[i].text);
    SetDlgItemText(window, ValueId(i), ValueText(kRows[i], State().hex).c_str());
  }
}

// The typed values into record 306; false (focus on the row) for a text that is not a number of the row.
bool StoreRows(HWND window) {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const ExchangeRow& row = kRows[i];
    if (!row.sent) continue;
    const std::string text = binding::ItemText(window, ValueId(i));
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, State().hex ? 16 : 10);
    const long long bits = 8LL * row.size;
    const long long low = row.is_signed && !State().hex ? -(1LL << (bits - 1)) : 0;
    const long long high = row.is_signed && !State().hex ? (1LL << (bits - 1)) - 1 : (1LL << bits) - 1;
    while (end != nullptr && *end == ' ') ++end;
    if (text.empty() || errno != 0 || end == nullptr || *end != '\0' || value < low || value > high) {
      model::ShowMessage(model::kShowFault, kDataGroup, kMsgWrongValue, row.text);
      SetFocus(GetDlgItem(window, ValueId(i)));
      return false;
    }
    const auto raw = static_cast<std::uint32_t>(value);
    for (std::uint8_t b = 0; b < row.size; ++b) {
      PutByte(static_cast<std::uint16_t>(row.offset + b), static_cast<std::uint8_t>(raw >> (8 * b)));
    }
  }
  return true;
}

bool Exchange(HWND window) {
  const std::uint8_t code = ilink::ReadRemoteControlRecord(GetActiveFile());
  if (code != ilink::kOk) {
    ShowLinkFault(code);
    return false;
  }
  ShowRows(window, false);
  return true;
}

void OnInit(HWND window) {
  Remote2State& s = State();
  Window() = window;
  CheckDlgButton(window, kRemote2HexFlag, s.hex ? BST_CHECKED : BST_UNCHECKED);
  ShowRows(window, true);
  ShowRows(window, false);
  PlaceDialog(window, kPlaceBelowMenu, kPlaceBelowMenu);
  s.cycle_ms = CycleTime(1.0);
  if (SetTimer(window, kRemoteTimer, s.cycle_ms, nullptr) == 0) {
    model::MessageBoxByNumber(window, model::kShowFault, 13, 12);
  }
}

void OnTimer(HWND window) {
  KillTimer(window, kRemoteTimer);
  PostHelpIfF1Held();
  if (Exchange(window)) SetTimer(window, kRemoteTimer, State().cycle_ms, nullptr);
}

INT_PTR CALLBACK Remote2Proc(HWND window, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG: OnInit(window); return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kHelpContext, kRemote2First, kRemote2HexFlag + 1);
      return FALSE;
    case WM_TIMER:
      if (wparam == kRemoteTimer) OnTimer(window);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
          if (StoreRows(window)) Exchange(window);
          return TRUE;
        case IDCANCEL: CloseSecondRemoteControl(); return TRUE;
        case kRemote2HexFlag:
          if (HIWORD(wparam) == BN_CLICKED && StoreRows(window)) {
            State().hex = IsDlgButtonChecked(window, kRemote2HexFlag) == BST_CHECKED;
            ShowRows(window, true);
            ShowRows(window, false);
          } else {
            CheckDlgButton(window, kRemote2HexFlag, State().hex ? BST_CHECKED : BST_UNCHECKED);
          }
          return TRUE;
        default:
          if (HIWORD(wparam) == EN_SETFOCUS) SendDlgItemMessage(window, LOWORD(wparam), EM_SETSEL, 0, -1);
          return TRUE;
      }
    default: return FALSE;
  }
}

}  // namespace

void OpenSecondRemoteControl(HWND main) {
  const std::uint8_t set = GetActiveFile();
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  std::uint8_t code = ilink::TransferParameterSet(4, set);
  if (code != ilink::kOk) {
    CloseAllMonitors();
    ShowLinkFault(code);
    return;
  }
  code = ilink::CheckInverterIdentity(4, set);
  if (code != 0 && code != 5) {
    CloseAllMonitors();
    model::ShowMessage(model::kShowFault, 2, code);
    return;
  }
  DisableQuelloxMenu();
  HWND window = CreateDialogParam(AppInstance(), MAKEINTRESOURCE(kRemote2Template), main, Remote2Proc, 0);
  if (window != nullptr) ShowWindow(window, SW_SHOW);
}

void StopSecondRemoteControlAtEnd() {
  HWND window = Window();
  if (!IsWindow(window)) return;
  KillTimer(window, kRemoteTimer);
  for (std::uint16_t offset = kSendFirst; offset < kSendEnd; ++offset) PutByte(offset, 0);
  if (ilink::ReadRemoteControlRecord(GetActiveFile()) == ilink::kOk) ilink::DisconnectInverter(0);
}

void CloseSecondRemoteControl() {
  HWND window = Window();
  if (!IsWindow(window)) {
    Window() = nullptr;
    return;
  }
  KillTimer(window, kRemoteTimer);
  // The stop: what is sent to the inverter cleared and exchanged once.
  for (std::uint16_t offset = kSendFirst; offset < kSendEnd; ++offset) PutByte(offset, 0);
  ShowLinkFault(ilink::ReadRemoteControlRecord(GetActiveFile()));
  CloseAllMonitors();
  Window() = nullptr;
  DestroyWindow(window);
  if (CountOpenMonitors() == 0 && !IsWindow(ModelessWindow(Modeless::kRemoteControl))) EnableQuelloxMenu();
  ShowLinkFault(ilink::DisconnectInverter(0));
}

}  // namespace app
