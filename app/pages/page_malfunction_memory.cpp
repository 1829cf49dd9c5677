// The S.. Malfunction memory page: one stored malfunction at a time (entry 1..10 of the count stored), browsed
// with "&<" and "&>" or by typing the entry's number; display only.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/binding/binding_support.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/pages/parameter_pages.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::uint16_t kMalfunctionRecord = 318;
constexpr std::uint16_t kCountElement = 0;
constexpr std::uint8_t kFirstEntryList = 33;  // list 33 + n shows entry n
constexpr int kEntries = 10;
constexpr int kNextEntry = 172;
constexpr int kPreviousEntry = 173;
constexpr int kEntryEdit = 174;
constexpr int kEntryTextLimit = 50;
constexpr UINT kLostFocus = 512;  // EN_KILLFOCUS

// The malfunctions stored, read raw from the active file (a failed read counts as 0).
long MalfunctionCount() {
  std::array<std::uint8_t, 1100> bytes{};  // room for any element
  if (model::ReadElement(kMalfunctionRecord, kCountElement, bytes.data(), model::kModeRaw, GetActiveFile()) != 0) {
    return 0;
  }
  const std::uint16_t size = binding::ElementSize(kMalfunctionRecord, kCountElement);
  long count = 0;
  for (int i = std::min<int>(size, 4) - 1; i >= 0; --i) count = (count << 8) | bytes[static_cast<std::size_t>(i)];
  return count;
}

// The number typed into the entry edit: its leading decimal integer; nothing when there is none.
std::optional<long> TypedEntry(HWND dialog) {
  std::array<char, kEntryTextLimit + 1> text{};
  GetDlgItemText(dialog, kEntryEdit, text.data(), kEntryTextLimit + 1);
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.data(), &end, 10);
  if (end == text.data() || errno == ERANGE) return std::nullopt;
  return value;
}

void ShowEntry(PageState& page, int entry) {
  page.entry = std::clamp(entry, 1, kEntries);
  page.list = static_cast<std::uint8_t>(kFirstEntryList + page.entry);
  SetDlgItemText(page.dialog, kEntryEdit, std::to_string(page.entry).c_str());
  FillPage(page, 0);
}

INT_PTR OnInit(PageState& page) {
  SetDlgItemText(page.dialog, kEntryEdit, std::to_string(page.entry).c_str());
  SetFocus(GetDlgItem(page.dialog, IDOK));
  return FALSE;
}

bool OnCommand(PageState& page, int id, HWND, UINT code) {
  const long count = MalfunctionCount();
  if (id == kNextEntry) {
    ShowEntry(page, page.entry < count ? page.entry + 1 : page.entry);
  } else if (id == kPreviousEntry) {
    ShowEntry(page, page.entry - 1);
  } else if (id == kEntryEdit && code == kLostFocus) {
    const std::optional<long> typed = TypedEntry(page.dialog);
    const bool valid = typed.has_value() && *typed >= 1 && *typed <= count;
    ShowEntry(page, valid ? static_cast<int>(std::min<long>(*typed, kEntries)) : page.entry);
  } else {
    return false;
  }
  return true;
}

}  // namespace

const ParameterPage kMalfunctionMemoryPage{13, 0, {.set1 = 34, .set2 = 34}, PageCommitRule::kNoStore,
                                           PageExit::kNavigate, {.init = OnInit, .command = OnCommand}};

INT_PTR OpenMalfunctionMemoryDialog() {
  if (MalfunctionCount() == 0) {
    model::MessageBoxByNumber(MainWindow(), 3, kFaultMemoryGroup, kMsgFaultMemoryEmpty);
    return 0;
  }
  return RunParameterPage(kMalfunctionMemoryPage);
}

}  // namespace app
