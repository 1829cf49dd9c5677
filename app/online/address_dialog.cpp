// The inverter address dialog (template 75) and the node search (template 76).
#include <array>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "app/binding/binding_support.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/link_fault.h"
#include "app/common/wait_cursor.h"
#include "app/documents/file_titles.h"
#include "app/online/dialog_pump.h"
#include "app/online/link_dialogs.h"
#include "app/templates/link_templates.h"
#include "link/bus_search.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/stop_watch.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kDataGroup = 12;
constexpr std::int8_t kShellGroup = 13;
constexpr std::int32_t kMsgTooBig = 4;
constexpr std::int32_t kMsgTooSmall = 5;
constexpr std::int32_t kMsgWrongValue = 6;
constexpr std::int32_t kMsgNoMemory = 16;
constexpr char kAddressName[] = "inverter address";
constexpr std::uint16_t kSettingsRecord = 305;
constexpr std::uint16_t kAddressElement = 42;
constexpr std::uint8_t kLinkSet = 0;

// The address the link uses (data set 0); 0 when unreadable.
int ReadAddress() {
  std::uint8_t address = 0;
  if (model::ReadElement(kSettingsRecord, kAddressElement, &address, model::kModeRaw, kLinkSet) != 0) return 0;
  return address;
}

// Into data set 0, which the link reads, and the active set, whose address the menus show.
void WriteAddress(std::uint8_t address) {
  model::WriteElement(kSettingsRecord, kAddressElement, &address, model::kModeRaw, kLinkSet);
  if (GetActiveFile() != kLinkSet) {
    model::WriteElement(kSettingsRecord, kAddressElement, &address, model::kModeRaw, GetActiveFile());
  }
}

struct AddressState {
  bool changed = false;
  bool storing = false;
};

AddressState& Address() {
  static AddressState s;
  return s;
}

void ShowAddress(HWND dialog) {
  const std::string text = std::to_string(ReadAddress());
  Address().storing = true;  // the EN_CHANGE of this text is no change by the user
  SetDlgItemText(dialog, kAddressField, text.c_str());
  Address().storing = false;
  Address().changed = false;
}

// Reads the typed address; a text that is no whole number is a wrong value. False after a refusal.
bool StoreAddress(HWND dialog) {
  AddressState& s = Address();
  if (s.storing) return true;
  const std::string text = binding::ItemText(dialog, kAddressField);
  std::size_t begin = text.find_first_not_of(' ');
  std::size_t end = text.find_last_not_of(' ');
  long value = 0;
  bool number = begin != std::string::npos;
  if (number) {
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') ++first;
    const auto parsed = std::from_chars(first, last, value);
    number = parsed.ec == std::errc() && parsed.ptr == last;
  }
  std::int32_t refusal = 0;
  if (!number) {
    refusal = kMsgWrongValue;
  } else if (value > kHighestInverterAddress) {
    refusal = kMsgTooBig;
  } else if (value < 0) {
    refusal = kMsgTooSmall;
  }
  s.storing = true;
  if (refusal != 0) {
    model::ShowMessage(model::kShowFault, kDataGroup, refusal, kAddressName);
  } else {
    WriteAddress(static_cast<std::uint8_t>(value));
  }
  s.storing = false;
  ShowAddress(dialog);
  return refusal == 0;
}

INT_PTR CALLBACK AddressProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG:
      Address() = AddressState{};
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      ShowAddress(dialog);
      SetFocus(GetDlgItem(dialog, kAddressField));
      SendDlgItemMessage(dialog, kAddressField, EM_SETSEL, 0, -1);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      switch (id) {
        case IDOK:
        case kAddressStartButton:
          if (StoreAddress(dialog)) {
            EndDialog(dialog, id);
          } else {
            SetFocus(GetDlgItem(dialog, kAddressField));
          }
          return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        case kAddressSearchButton:
          OpenNodeSearchDialog(dialog);
          ShowAddress(dialog);
          return TRUE;
        case kAddressField:
          if (code == EN_CHANGE && !Address().storing) Address().changed = true;
          if (code == EN_SETFOCUS) SendDlgItemMessage(dialog, kAddressField, EM_SETSEL, 0, -1);
          if (code == EN_KILLFOCUS && Address().changed && !StoreAddress(dialog)) {
            SetFocus(GetDlgItem(dialog, kAddressField));
          }
          return TRUE;
        default: return TRUE;
      }
    }
    default: return FALSE;
  }
}

// ---- node search ----

std::vector<char>& Report() {
  static std::vector<char> report;
  return report;
}

struct SearchState {
  HWND dialog = nullptr;
  bool running = false;
  bool cancel = false;     // Cancel or Close while the search ran: it stops at the next address
  int end_with = 0;        // the button that ends the dialog once the search has stopped
};

SearchState& Search() {
  static SearchState s;
  return s;
}

// The most the search waits: one slave's reply wait (and the pause after it) for each address it covers.
std::string SearchIntroText() {
  std::array<char, 32> seconds{};
  std::snprintf(seconds.data(), seconds.size(), "%.1f sec", ilink::SearchDurationMs() / 1000.0);
  std::string text =
      "All connected nodes from address 0 to the selected highes serial address will be searched. Maximum waiting "
      "time is: ";
  text += seconds.data();
  return text;
}

// The search runs in the dialog's handler; its waits pump the dialog, so it paints and takes Cancel meanwhile.
void RunSearch(HWND dialog) {
  SearchState& s = Search();
  s = SearchState{dialog, true, false, 0};
  UpdateWindow(dialog);
  BeginWaitCursor();
  std::vector<char>& report = Report();
  if (const std::uint8_t connect = ilink::ConnectInverter(kLinkSet); connect != ilink::kOk) {
    ShowLinkFault(connect);
  } else {
    ilink::SetDelayPump([] { PumpDialogOnce(Search().dialog); });
    ilink::SetTransferCancelQuery([] { return Search().cancel; });
    std::array<std::uint8_t, ilink::kSearchAddresses> found{};
    found.fill(ilink::kNotFound);
    const std::uint8_t code = ilink::SearchInverters(GetActiveFile(), report.data(), report.size(), &found);
    ilink::SetTransferCancelQuery(nullptr);
    ilink::SetDelayPump(nullptr);
    // The first inverter that answered becomes the address of both sets; none found changes nothing.
    if (found[0] != ilink::kNotFound) {
      for (std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) {
        model::WriteElement(kSettingsRecord, kAddressElement, &found[0], model::kModeRaw, set);
      }
    }
    SetDlgItemText(dialog, kNodeSearchReport, report.data());
    // Addresses without an inverter are the report's business; a fault is shown only when nothing answered.
    if (found[0] == ilink::kNotFound && code != ilink::kOk && code != ilink::kCancelled) ShowLinkFault(code);
    ShowLinkFault(ilink::DisconnectInverter(kLinkSet));
  }
  EndWaitCursor();
  s.running = false;
  if (s.end_with != 0) EndDialog(dialog, s.end_with);
}

INT_PTR CALLBACK SearchProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG:
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      SetDlgItemText(dialog, kNodeSearchText, SearchIntroText().c_str());
      PostMessage(dialog, WM_COMMAND, kNodeSearchStart, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kNodeSearchStart:
          if (!Search().running) RunSearch(dialog);
          return TRUE;
        case IDOK:
        case IDCANCEL:
          if (Search().running) {
            Search().cancel = true;
            Search().end_with = LOWORD(wparam);
          } else {
            EndDialog(dialog, LOWORD(wparam));
          }
          return TRUE;
        default: return TRUE;
      }
    default: return FALSE;
  }
}

}  // namespace

bool OpenInverterAddressDialog(HWND owner) {
  return DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kAddressTemplate), owner, AddressProc, 0) ==
         kAddressStartButton;
}

void OpenNodeSearchDialog(HWND owner) {
  std::vector<char>& report = Report();
  try {
    report.assign(kNodeReportBytes, '\0');
  } catch (const std::bad_alloc&) {
    model::MessageBoxByNumber(owner, model::kShowFault, kShellGroup, kMsgNoMemory);
    return;
  }
  DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kNodeSearchTemplate), owner, SearchProc, 0);
  std::vector<char>().swap(report);
}

void CommandChangeAddress(HWND main, UINT id) {
  const bool start = OpenInverterAddressDialog(main);
  UpdateFileTitles();
  if (start) PostMessage(main, WM_COMMAND, id == 2020 ? 2005 : 2006, 0);
}

}  // namespace app
