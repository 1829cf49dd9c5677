// The scope settings dialog: the eight channels' signals, the sampling period, the pre-trigger share and the
// trigger with its level, all in record 454 of the active data set. A control is stored when it loses the focus
// (a list when its selection changes), OK stores the one that had the focus and restarts a running recording,
// Cancel puts record 454 back as it was at the opening.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/scope/scope_control.h"
#include "app/templates/scope_templates.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/scope_recording.h"
#include "link/scope_settings.h"
#include "link/scope_tables.h"
#include "link/scope_time_base.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/message_show.h"
#include "model/record_layout.h"

namespace app {
namespace {

constexpr std::int8_t kInputErrorGroup = 12;
constexpr std::int8_t kLinkGroup = 1;
constexpr std::int8_t kActionGroup = 10;
constexpr std::int32_t kMsgWrongChannelCount = 18;
constexpr std::uint16_t kHelpContext = 36;
constexpr std::size_t kCodeLimit = 19;
constexpr std::size_t kLevelLimit = 32;
constexpr std::uint16_t kLongestSignalList = 128;
constexpr std::uint8_t kStopErrorFree = 24;
constexpr std::uint8_t kStartErrorFree = 19;
constexpr const char* kHexUnit = "HEX";

// The elements of record 454 with their sizes: what Cancel puts back.
struct SettingsElement {
  std::uint16_t element;
  std::uint8_t size;
};
constexpr std::array<SettingsElement, 23> kSettingsElements = {{
    {0, 1},  {1, 1},  {2, 1},  {3, 1},  {4, 4},  {8, 2},  {10, 2}, {12, 2}, {14, 2}, {16, 2}, {18, 2}, {20, 2},
    {22, 2}, {24, 2}, {26, 2}, {28, 2}, {30, 2}, {32, 2}, {34, 2}, {36, 2}, {38, 2}, {40, 2}, {42, 2},
}};
using SettingsCopy = std::array<std::array<std::uint8_t, 4>, kSettingsElements.size()>;

struct SettingsState {
  SettingsCopy saved{};
  bool storing = false;
  int last_focus = kSettingsPretrigger;
};

SettingsState& State() {
  static SettingsState s;
  return s;
}

std::uint8_t Set() { return GetActiveFile(); }

void CopySettings(SettingsCopy* copy, bool write) {
  for (std::size_t i = 0; i < kSettingsElements.size(); ++i) {
    const SettingsElement& e = kSettingsElements[i];
    if (write) {
      model::WriteElement(454, e.element, (*copy)[i].data(), model::kModeRaw, Set());
    } else {
      model::ReadElement(454, e.element, (*copy)[i].data(), model::kModeRaw, Set());
    }
  }
}

std::string ItemText(HWND dialog, int id, std::size_t limit) {
  std::array<char, 64> text{};
  GetDlgItemText(dialog, id, text.data(), static_cast<int>(std::min(limit + 1, text.size())));
  return text.data();
}

void FillList(HWND dialog, int id, const std::vector<std::string>& names, LRESULT selection) {
  SendDlgItemMessage(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) SendDlgItemMessage(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendDlgItemMessage(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

const char* TriggerKindText(std::uint8_t kind) {
  static constexpr std::array<const char*, 3> kTexts = {"directly", "never", "condition"};
  return kind < kTexts.size() ? kTexts[kind] : "";
}

bool Fill(HWND dialog) {
  const std::uint8_t set = Set();
  ilink::BuildScopeUnitTexts(set);
  if (ilink::ScopeSignalListSize() > kLongestSignalList) {
    model::MessageBoxByNumber(dialog, model::kShowFault, kInputErrorGroup, kMsgWrongChannelCount);
    return false;
  }
  std::vector<std::string> periods;
  for (std::uint8_t i = 0; i < ilink::kScopeSamplingIndices; ++i) periods.emplace_back(ilink::ScopeTimeBaseText(i));
  FillList(dialog, kSettingsPeriod, periods, ilink::GetScopeSamplingIndex(set));
  std::uint8_t byte = 0;
  model::ReadElement(454, 1, &byte, model::kModeRaw, set);
  SetDlgItemInt(dialog, kSettingsPretrigger, byte, FALSE);
  model::ReadElement(454, 2, &byte, model::kModeRaw, set);
  SetDlgItemText(dialog, kSettingsReleasing, TriggerKindText(byte));
  for (std::uint8_t c = 0; c < ilink::kScopeChannels; ++c) {
    std::vector<std::string> names;
    ilink::GetScopeSignalNames(c, &names, set);
    const std::uint16_t selection = ilink::GetScopeSignalSelection(c, set);
    FillList(dialog, kSettingsFirstChannel + 2 * c, names, selection);
    std::string name;
    std::string code;
    ilink::GetScopeSignalTexts(c, &name, &code, set);
    // A code field of another signal keeps what was typed: the user types the code, then picks "user defined".
    if (ilink::ScopeSignalListRow(selection) == ilink::kScopeUserDefinedRow) {
      SetDlgItemText(dialog, kSettingsFirstChannel + 2 * c + 1, code.c_str());
    }
  }
  std::vector<std::string> triggers;
  ilink::GetScopeTriggerNames(&triggers);
  FillList(dialog, kSettingsTrigger, triggers, ilink::GetScopeTriggerSelection(set));
  std::string trigger_code;
  ilink::GetScopeTriggerText(&trigger_code, set);
  if (!trigger_code.empty()) SetDlgItemText(dialog, kSettingsTriggerCode, trigger_code.c_str());
  std::uint8_t decimals = 0;
  std::string unit;
  const std::uint8_t format = ilink::GetScopeTriggerUnit(&decimals, &unit);
  std::array<char, 48> level{};
  if (ilink::IsScopeLevelHex(format)) {
    // The level's bit pattern as a 32-bit word.
    const auto word = static_cast<std::uint32_t>(static_cast<std::int64_t>(ilink::GetScopeTriggerLevel(set)));
    std::snprintf(level.data(), level.size(), "%04lX", static_cast<unsigned long>(word));
    unit = kHexUnit;
  } else if (format != ilink::kScopeLevelNone) {
    std::snprintf(level.data(), level.size(), "%.*f", decimals, ilink::GetScopeTriggerLevel(set));
  }
  SetDlgItemText(dialog, kSettingsLevel, level.data());
  SetDlgItemText(dialog, kSettingsLevelUnit, unit.c_str());
  SetDlgItemInt(dialog, kSettingsSamples, ilink::ScopeSamplesPerRecord(set), FALSE);
  std::array<char, 32> length{};
  ilink::FormatScopeRecordLength(length.data(), length.size(), set);
  SetDlgItemText(dialog, kSettingsRecordLength, length.data());
  return true;
}

LRESULT Selection(HWND dialog, int id) { return SendDlgItemMessage(dialog, id, CB_GETCURSEL, 0, 0); }

// Another trigger row, or another code text for the user-defined one.
bool TriggerChanged(std::uint16_t trigger, const std::string& code, std::uint8_t set) {
  if (trigger != ilink::GetScopeTriggerSelection(set)) return true;
  if (trigger != ilink::kScopeUserDefinedTrigger) return false;
  std::string current;
  ilink::GetScopeTriggerText(&current, set);
  return code != current;
}

// A level's 32-bit word as the trigger element's number: for a signed type a word within the type's width is
// sign-extended from it (FFFF is -1 for 16 bits), a wider one is read as a signed 32-bit word.
std::int64_t WordAsLevel(std::uint32_t word, std::uint8_t set) {
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  model::ReadElement(454, 8, &record, model::kModeRaw, set);
  model::ReadElement(454, 10, &element, model::kModeRaw, set);
  const std::uint8_t type = model::GetElementType(record, element);
  const bool is_signed = type == model::kTypeI8 || type == model::kTypeI16 || type == model::kTypeI32;
  if (!is_signed) return word;
  const unsigned bits = 8u * model::ElementTypeSizeOf(type);
  if (bits == 0 || bits >= 32 || word >> bits != 0) return static_cast<std::int32_t>(word);
  const bool negative = (word >> (bits - 1)) & 1u;
  return negative ? static_cast<std::int64_t>(word) - (std::int64_t{1} << bits) : static_cast<std::int64_t>(word);
}

// A hexadecimal level: the characters below '0' before it are dropped and the hexadecimal digits that follow
// give the level's word; as a decimal text for the level's store. An entry without a hexadecimal digit gives "",
// which the store refuses.
std::string HexLevelAsDecimal(const std::string& text, std::uint8_t set) {
  std::size_t start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) < '0') ++start;
  const char* digits = text.c_str() + start;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(digits, &end, 16);
  if (end == digits) return {};
  return std::to_string(WordAsLevel(static_cast<std::uint32_t>(value), set));
}

// Stores the whole dialog into record 454; false (the message shown) when the trigger or its level is refused.
bool StoreAll(HWND dialog) {
  const std::uint8_t set = Set();
  if (const LRESULT period = Selection(dialog, kSettingsPeriod); period != CB_ERR) {
    const auto index = static_cast<std::uint8_t>(period);
    model::WriteElement(454, 0, &index, model::kModeRaw, set);
  }
  BOOL number = FALSE;
  const UINT share = GetDlgItemInt(dialog, kSettingsPretrigger, &number, FALSE);
  if (number) {
    const auto percent = static_cast<std::uint8_t>(std::min<UINT>(share, 100));
    model::WriteElement(454, 1, &percent, model::kModeRaw, set);
  }
  for (std::uint8_t c = 0; c < ilink::kScopeChannels; ++c) {
    const LRESULT n = Selection(dialog, kSettingsFirstChannel + 2 * c);
    if (n == CB_ERR) continue;  // a list without a selection keeps the channel's signal
    std::string code = ItemText(dialog, kSettingsFirstChannel + 2 * c + 1, kCodeLimit);
    std::transform(code.begin(), code.end(), code.begin(), [](unsigned char ch) { return std::toupper(ch); });
    ilink::SetScopeChannelSignal(c, static_cast<std::uint16_t>(n), code.c_str(), set);
  }
  ilink::RaiseScopeSamplingIndex(set);
  const LRESULT trigger = Selection(dialog, kSettingsTrigger);
  const std::string trigger_code = ItemText(dialog, kSettingsTriggerCode, kCodeLimit);
  if (trigger != CB_ERR && TriggerChanged(static_cast<std::uint16_t>(trigger), trigger_code, set)) {
    if (const std::uint8_t status =
            ilink::SetScopeTrigger(static_cast<std::uint16_t>(trigger), trigger_code.c_str(), set);
        status != 0) {
      model::ShowMessage(model::kShowFault, kInputErrorGroup, status);
      return false;
    }
    return true;  // a new trigger starts from its default level
  }
  ilink::BuildScopeUnitTexts(set);
  const std::uint8_t format = ilink::GetScopeTriggerUnit(nullptr, nullptr);
  if (format == ilink::kScopeLevelNone) return true;
  std::string level = ItemText(dialog, kSettingsLevel, kLevelLimit);
  if (ilink::IsScopeLevelHex(format)) level = HexLevelAsDecimal(level, set);
  if (const std::uint8_t status = ilink::SetScopeTriggerLevel(level.c_str(), set); status != 0) {
    std::vector<std::string> names;
    ilink::GetScopeTriggerNames(&names);
    std::string insert = "Wrong input from: ";
    if (trigger != CB_ERR && static_cast<std::size_t>(trigger) < names.size()) insert += names[static_cast<std::size_t>(trigger)];
    insert += '.';
    model::ShowMessage(model::kShowFault, kInputErrorGroup, status, insert.c_str());
    return false;
  }
  return true;
}

bool Store(HWND dialog) {
  SettingsState& s = State();
  if (s.storing) return true;
  s.storing = true;
  const bool stored = StoreAll(dialog);
  Fill(dialog);
  s.storing = false;
  return stored;
}

// A running recording starts again with the new settings.
void RestartRecording() {
  std::uint8_t state = 0;
  model::ReadElement(33, 59, &state, model::kModeRaw, Set());
  if (state == 0) return;
  const std::uint8_t set = Set();
  if (const std::uint8_t r = ilink::StopScopeAction(set); r != kStopErrorFree) {
    model::ShowMessage(model::kShowFault, kActionGroup, r);
  }
  if (const std::uint8_t code = ilink::SendScopeSettings(set); code != ilink::kOk) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
  }
  if (const std::uint8_t r = ilink::StartScopeAction(set); r != kStartErrorFree) {
    model::ShowMessage(model::kShowFault, kActionGroup, r);
  }
  MarkScopeReadPending();
}

void OnOk(HWND dialog) {
  if (!Store(dialog)) {
    SetFocus(GetDlgItem(dialog, State().last_focus));
    return;
  }
  EndDialog(dialog, IDOK);
}

void OnCancel(HWND dialog) {
  CopySettings(&State().saved, true);
  EndDialog(dialog, IDCANCEL);
}

bool IsList(int id) {
  return id == kSettingsPeriod || id == kSettingsTrigger ||
         (id >= kSettingsFirstChannel && id < kSettingsFirstChannel + 2 * ilink::kScopeChannels &&
          (id - kSettingsFirstChannel) % 2 == 0);
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG:
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      State() = SettingsState{};
      ilink::BuildScopeSignalList(Set());
      CopySettings(&State().saved, false);
      Fill(dialog);
      SetScopeNestedWindow(dialog);
      SetFocus(GetDlgItem(dialog, kSettingsPretrigger));
      return FALSE;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetDefaultHelpContext(kHelpContext, kSettingsPeriod, kSettingsLevelUnit + 1);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      if (id == IDOK) {
        OnOk(dialog);
      } else if (id == IDCANCEL) {
        OnCancel(dialog);
      } else if ((IsList(id) && code == CBN_SELCHANGE) || (!IsList(id) && code == EN_KILLFOCUS)) {
        Store(dialog);
      } else if (code == EN_SETFOCUS || code == CBN_SETFOCUS) {
        State().last_focus = id;
        if (!IsList(id)) SendDlgItemMessage(dialog, id, EM_SETSEL, 0, -1);
      } else {
        SetHelpContextFromCommand(kHelpContext, kSettingsPeriod, kSettingsLevelUnit + 1, id, code);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

INT_PTR RunScopeSettingsDialog(HWND owner) {
  const INT_PTR result = DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kScopeSettingsTemplate), owner, SettingsProc, 0);
  SetScopeNestedWindow(nullptr);
  if (IsWindow(owner)) RaiseWindow(owner);
  if (result == IDOK && !ScopeClosePending()) RestartRecording();
  RunPendingScopeClose();
  return result == IDOK ? 1 : 2;
}

}  // namespace app
