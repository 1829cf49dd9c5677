// The file texts of the main window and the enabling of its menus for the active file's device.
#include "app/documents/file_titles.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "app/common/command_availability.h"
#include "app/common/shell_messages.h"
#include "app/common/shell_state.h"
#include "app/common/status_text.h"
#include "app/documents/device_view.h"
#include "app/documents/file_slots.h"
#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "model/raw_number.h"

namespace app {
namespace {

constexpr UINT kReadCommand = 2005;
constexpr UINT kSendCommand = 2006;
constexpr UINT kFile1Command = 2011;
constexpr int kProjectPopup = 1;
constexpr int kReverseDocPopup = 2;
constexpr std::uint8_t kStatusList = 1;

// Page commands whose enabling follows the device.
constexpr std::array<UINT, 20> kDeviceCommands = {2041, 2042, 2045, 2046, 2047, 2048, 2051, 2055, 2056, 2057, 2089,
                                                  2069, 2070, 2074, 2075, 2076, 2077, 2080, 2087, 2088};

std::int64_t RawOr0(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::int64_t value = 0;
  return model::ReadRawInteger(record, element, set, &value) == 0 ? value : 0;
}

// Every item of the command in the menu tree: a command may sit in more than one pop-up ("N.. Posi switch" is in
// both page pop-ups), and a search by command finds only the first.
void Enable(HMENU menu, UINT id, bool on) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (HMENU sub = GetSubMenu(menu, position)) {
      Enable(sub, id, on);
    } else if (GetMenuItemID(menu, position) == id) {
      EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    }
  }
}

void Check(HMENU menu, UINT id, bool on) { CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

// "...'XX ..." with the two characters after the first apostrophe replaced by the address.
void ShowAddress(HMENU menu, UINT id, std::int64_t address) {
  std::array<char, 128> text{};
  if (GetMenuString(menu, id, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND) <= 0) return;
  char* quote = std::strchr(text.data(), '\'');
  if (quote == nullptr || quote[1] == '\0' || quote[2] == '\0') return;
  std::array<char, 4> digits{};
  std::snprintf(digits.data(), digits.size(), "%2d", static_cast<int>(address % 100));
  quote[1] = digits[0];
  quote[2] = digits[1];
  ModifyMenu(menu, id, MF_BYCOMMAND | MF_STRING, id, text.data());
  Enable(menu, id, CommandAvailable(id));
}

// The selection text of an element's value in a list row ("17:project" gives "project").
std::string SelectionText(const model::MenuListEntry& row, std::uint8_t set) {
  double value = 0.0;
  if (model::ReadElement(row.record, row.element, &value, model::kModeReadConverted, set) != 0) return {};
  const long wanted = static_cast<long>(value);
  for (const char* const* text = row.texts + 1; row.texts != nullptr && **text != '\0'; ++text) {
    char* rest = nullptr;
    const long number = std::strtol(*text, &rest, 10);
    if (rest != *text && *rest == ':' && number == wanted) return rest + 1;
  }
  return {};
}

}  // namespace

void UpdateWindowTitle() {
  HWND main = MainWindow();
  if (main == nullptr) return;
  const std::uint8_t active = GetActiveFile();
  std::string title = kMainWindowCaption;
  title += " - ";
  title += active == 0 ? "File 1: " : "File 2: ";
  title += Slot(active).name;
  SetWindowText(main, title.c_str());
}

std::string StatusLineText() {
  const std::uint8_t set = GetActiveFile();
  const bool reverse_doc = model::GetFileTypeCode(set) != kKindProject;
  std::array<model::MenuListEntry, model::kMenuListBufferEntries> rows{};
  model::LoadMenuList(kStatusList, rows.data(), set);
  std::string kind;
  std::string device;
  std::string board;
  std::string version;
  std::string interface;
  const std::uint16_t identity = reverse_doc ? 5 : 304;
  for (const model::MenuListEntry& row : rows) {
    if (row.record == 0) break;
    if (row.element == model::kHeadingElement) continue;
    if (row.record == 302 && row.element == 0) kind = SelectionText(row, set);
    else if (row.record == identity && row.element == 1) device = SelectionText(row, set);
    else if (row.record == identity && row.element == 3) {
      const std::int64_t value = RawOr0(identity, 3, set);
      if (value != 0 && value != 10) board = SelectionText(row, set);
    } else if (row.record == 304 && row.element == 5 && !reverse_doc) version = SelectionText(row, set);
    else if (row.record == 305) interface = SelectionText(row, set);
  }
  if (!reverse_doc) {
    const std::size_t cut = (!device.empty() && device[0] == 'S') || (device.size() > 1 && device[1] == 'A') ? 9 : 11;
    if (device.size() > cut) device.resize(cut);
  } else {
    std::array<char, 1024> firmware{};
    if (model::ReadElement(320, 0, firmware.data(), model::kModeRaw, set) == 0) {
      firmware.back() = '\0';
      version = firmware.data();
    }
  }
  const int param_set = GetActiveParamSet() + 1;
  const int address = static_cast<int>(RawOr0(305, 42, set));
  const char* modified = model::ChangeList0Empty(set) == 0 ? "modified" : "";
  std::array<char, 512> text{};
  if (board.empty()) {
    std::snprintf(text.data(), text.size(), "%s   %s   %s   %s %d   %s   %s %d   %s", kind.c_str(), device.c_str(),
                  version.c_str(), "parameter set", param_set, interface.c_str(), "address", address, modified);
  } else {
    std::snprintf(text.data(), text.size(), "%s   %s   %s   %s   %s %d   %s   %s %d   %s", kind.c_str(),
                  device.c_str(), board.c_str(), version.c_str(), "parameter set", param_set, interface.c_str(),
                  "address", address, modified);
  }
  return text.data();
}

void UpdateStatusLine() { SetStatusText(StatusLineText().c_str()); }

void UpdateFileTitles() {
  HMENU menu = Shell().menu;
  const std::uint8_t active = GetActiveFile();
  if (menu != nullptr) {
    const std::int64_t address = RawOr0(305, 42, active);
    ShowAddress(menu, kReadCommand, address);
    ShowAddress(menu, kSendCommand, address);
    for (std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) {
      Slot(set).name = ReadNameElement(set);
      std::string text = set == 0 ? "File &1 " : "File &2 ";
      text += Slot(set).name;
      const UINT id = kFile1Command + set;
      ModifyMenu(menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
      Enable(menu, id, CommandAvailable(id));
    }
    const DeviceView view = ViewOfDataSet(active, GetActiveParamSet());
    for (UINT id : kDeviceCommands) Enable(menu, id, CommandAvailable(id) && DeviceAllowsCommand(view, id));
    Check(menu, kFile1Command, active == 0);
    Check(menu, kFile1Command + 1, active == 1);
    const bool second = GetActiveParamSet() == 1;
    for (UINT id : {2030u, 2060u}) Check(menu, id, !second);
    for (UINT id : {2031u, 2061u}) Check(menu, id, second);
    const bool project = view.kind == kKindProject;
    EnableMenuItem(menu, kProjectPopup, MF_BYPOSITION | (project ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, kReverseDocPopup, MF_BYPOSITION | (project ? MF_GRAYED : MF_ENABLED));
    if (HWND main = MainWindow()) DrawMenuBar(main);
  } else {
    for (std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) Slot(set).name = ReadNameElement(set);
  }
  UpdateWindowTitle();
  UpdateStatusLine();
}

void EnableQuelloxMenu() {
  if (HMENU menu = Shell().menu) {
    for (UINT id : {2007u, 2008u}) Enable(menu, id, CommandAvailable(id));
  }
}

void DisableQuelloxMenu() {
  if (HMENU menu = Shell().menu) {
    for (UINT id : {2007u, 2008u}) Enable(menu, id, false);
  }
}

}  // namespace app
