// The menu-skip pages: their opener, init, group display and commits.
#include "app/pages/menu_skip_pages.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

#include "app/binding/dialog_binding.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/nav_button_cursor.h"
#include "app/common/shell_state.h"
#include "app/documents/active_file_kind.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/page_navigation.h"
#include "app/pages/page_dialog_box.h"
#include "app/templates/page_templates.h"
#include "model/menu_catalogue.h"
#include "model/menu_skip.h"
#include "model/message_show.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/user_name.h"

namespace app {
namespace {

constexpr std::size_t kGroups = 4;
constexpr std::size_t kMarks = model::kMenuGroupSlots;
constexpr int kGroupTextChars = 20;
constexpr std::uint8_t kMarkNone = 0;
constexpr std::uint8_t kMarkFixedNone = 3;
static_assert(kMenuSkipSlotBytes == kMarks * model::kMenuTextSize);
static_assert(12 * kMenuSkipSlotBytes <= kMenuSkipTextBytes, "a slot for every group index");

struct PageDef {
  int number;
  MenuSkipGroups groups;
};
constexpr std::array<PageDef, 3> kPages = {{{kMenuSkip1Template, {'A', 'B', 'C', 'D'}},
                                            {kMenuSkip2Template, {'E', 'F', 'G', 'H'}},
                                            {kMenuSkip3Template, {'I', 'J', 'L', 'N'}}}};

// The open page (the pages are modal, one at a time).
struct PageState {
  const PageDef* def = nullptr;
  int first = 0;
  int last = 0;
  std::span<char> texts;  // the text block
  int pending = 0;        // the list box whose selection changed and is not committed (0: none)
};
PageState& State() {
  static PageState state;
  return state;
}

bool Skipped(std::uint8_t mark) { return mark != kMarkNone && mark != kMarkFixedNone; }

// The group's slot of entry texts in the text block (80 texts of 17 characters); empty when it does not fit.
std::span<char> Slot(char letter) {
  std::span<char> block = State().texts;
  const std::size_t at = model::GroupLetterToIndex(letter) * kMenuSkipSlotBytes;
  if (block.size() < at + kMenuSkipSlotBytes) return {};
  return block.subspan(at, kMenuSkipSlotBytes);
}

std::uint8_t Set() { return GetActiveFile(); }

// Group g's check box id.
int CheckId(std::size_t g) { return State().first + 2 * static_cast<int>(g); }

// The group of a control of the page (its check box or list box); kGroups for none.
std::size_t GroupOf(int id) {
  const PageState& s = State();
  if (id < s.first || id >= s.last) return kGroups;
  return static_cast<std::size_t>(id - s.first) / 2;
}

// The marks of the group: marks[0] the group, then one per entry; returns how many.
std::size_t ListMarks(char letter, std::array<std::uint8_t, kMarks>& marks) {
  marks.fill(kMarkNone);
  std::uint8_t count = 0;
  if (model::ListMenuEntriesWithSkip(Set(), letter, &count, marks) != 0) return 0;
  return std::min<std::size_t>(count, kMarks);
}

void ShowGroup(HWND dialog, std::size_t g) {
  const char letter = State().def->groups[g];
  std::array<std::uint8_t, kMarks> marks{};
  const std::size_t count = ListMarks(letter, marks);
  const bool group_skipped = count > 0 && Skipped(marks[0]);
  CheckDlgButton(dialog, CheckId(g), group_skipped ? BST_CHECKED : BST_UNCHECKED);
  HWND list = GetDlgItem(dialog, CheckId(g) + 1);
  // Showing the marks again leaves the user's place in the list (caret and scroll position) where it was.
  const LRESULT caret = SendMessage(list, LB_GETCARETINDEX, 0, 0);
  const LRESULT top = SendMessage(list, LB_GETTOPINDEX, 0, 0);
  const int items = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < items && static_cast<std::size_t>(i) + 1 < count; ++i) {
    SendMessage(list, LB_SETSEL, Skipped(marks[static_cast<std::size_t>(i) + 1]) ? TRUE : FALSE, i);
  }
  SendMessage(list, LB_SETCARETINDEX, static_cast<WPARAM>(std::max<LRESULT>(caret, 0)), FALSE);
  SendMessage(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max<LRESULT>(top, 0)), 0);
  EnableWindow(list, group_skipped ? FALSE : TRUE);
}

// The group's entry texts into its slot; the check box takes the heading, the list box the entries.
void LoadGroup(HWND dialog, std::size_t g) {
  const char letter = State().def->groups[g];
  const std::span<char> slot = Slot(letter);
  std::array<model::MenuEntryText, kMarks> texts{};
  std::uint8_t count = 0;
  if (slot.empty() || model::ListMenuEntries(Set(), letter, &count, texts) != 0) count = 0;
  const std::size_t n = std::min<std::size_t>(count, kMarks);
  for (std::size_t i = 0; i < n; ++i) {
    std::memcpy(slot.data() + i * model::kMenuTextSize, texts[i].data(), model::kMenuTextSize);
    slot[i * model::kMenuTextSize + model::kMenuTextSize - 1] = '\0';
  }
  SetDlgItemText(dialog, CheckId(g), n > 0 ? slot.data() : "");
  EnableWindow(GetDlgItem(dialog, CheckId(g)), n > 0 ? TRUE : FALSE);
  HWND list = GetDlgItem(dialog, CheckId(g) + 1);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 1; i < n; ++i) {
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(slot.data() + i * model::kMenuTextSize));
  }
}

// Writing needs a project; false (and the group shown as stored) when the file stays what it is.
bool MayWrite(HWND dialog, std::size_t g) {
  const std::uint8_t kind = EnsureActiveFileKind(dialog, kKindProject, kAskModifyValue);
  if (kind == kKindAlready || kind == kKindConverted) return true;
  if (kind != kKindQuestionOpen) ShowGroup(dialog, g);
  return false;
}

// The check box's state becomes the skip of the group named by its text.
void CommitCheckBox(HWND dialog, std::size_t g) {
  if (!MayWrite(dialog, g)) return;
  char text[kGroupTextChars + 1] = {};
  GetDlgItemText(dialog, CheckId(g), text, kGroupTextChars);
  const bool checked = IsDlgButtonChecked(dialog, CheckId(g)) == BST_CHECKED;
  model::SetMenuSkip(Set(), text, checked ? model::kSkipMarked : model::kSkipNotMarked);
  model::TouchMenuSkipRecord(Set());
  ShowGroup(dialog, g);
}

// The list's selection becomes the marks of the entries whose marks the user may change (stored 0 or 1).
void CommitList(HWND dialog, std::size_t g) {
  State().pending = 0;
  if (!MayWrite(dialog, g)) return;
  const char letter = State().def->groups[g];
  std::array<std::uint8_t, kMarks> stored{};
  const std::size_t count = ListMarks(letter, stored);
  std::array<std::uint8_t, kMarks> wanted{};
  std::array<int, kMarks> selected{};
  const LRESULT n = SendDlgItemMessage(dialog, CheckId(g) + 1, LB_GETSELITEMS, static_cast<WPARAM>(kMarks),
                                       reinterpret_cast<LPARAM>(selected.data()));
  for (LRESULT i = 0; i < std::clamp<LRESULT>(n, 0, kMarks); ++i) {
    const int item = selected[static_cast<std::size_t>(i)];
    if (item >= 0 && static_cast<std::size_t>(item) + 1 < kMarks) wanted[static_cast<std::size_t>(item) + 1] = 1;
  }
  bool changed = false;
  for (std::size_t entry = 1; entry < count; ++entry) {
    if (stored[entry] > model::kSkipMarked || stored[entry] == wanted[entry]) continue;
    // A mark that cannot be set is passed over; the group is shown as stored below.
    if (model::SetMenuSkipByIndex(Set(), letter, static_cast<std::uint16_t>(entry + 1), wanted[entry]) == 0) {
      changed = true;
    }
  }
  // The marks are written raw: the data set is marked as changed as a check box's commit does.
  if (changed) model::TouchMenuSkipRecord(Set());
  ShowGroup(dialog, g);
}

void Init(HWND dialog) {
  PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
  RestoreNavButtonCursor(dialog, kPreviousButton, kNextButton);
  model::SaveMenuSkipMarks(Set());
  for (std::size_t g = 0; g < kGroups; ++g) {
    LoadGroup(dialog, g);
    ShowGroup(dialog, g);
  }
}

void Leave(HWND dialog, int id) {
  PageState& s = State();
  if (s.pending != 0) CommitList(dialog, GroupOf(s.pending));
  EndDialog(dialog, 1);
  RememberNavButton(dialog, kPreviousButton, kNextButton);
  GoToNextPage(static_cast<std::uint32_t>(s.def->number), static_cast<std::uint32_t>(id));
}

INT_PTR CALLBACK MenuSkipProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  PageState& s = State();
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog);
      return TRUE;
    case WM_ACTIVATE:
      SetDefaultHelpContext(static_cast<std::uint16_t>(s.def->number), s.first, s.last);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int code = HIWORD(wparam);
      if (id == IDCANCEL) {
        model::RestoreMenuSkipMarks(Set());
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (id == IDOK || id == kPreviousButton || id == kNextButton) {
        Leave(dialog, id);
        return TRUE;
      }
      SetHelpContextFromCommand(static_cast<std::uint16_t>(s.def->number), s.first, s.last, id,
                                static_cast<std::uint16_t>(code));
      const std::size_t g = GroupOf(id);
      if (g >= kGroups) return TRUE;
      const bool is_check = id == CheckId(g);
      if (is_check && code == BN_CLICKED) CommitCheckBox(dialog, g);
      if (!is_check && code == LBN_SELCHANGE) s.pending = id;
      if (!is_check && code == LBN_KILLFOCUS && s.pending == id) CommitList(dialog, g);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// The text block for the page's life: moveable memory, locked while the page runs.
class TextBlock {
 public:
  TextBlock() {
    block_ = GlobalAlloc(GHND, kMenuSkipTextBytes);
    void* base = block_ != nullptr ? GlobalLock(block_) : nullptr;
    if (base != nullptr) texts_ = {static_cast<char*>(base), kMenuSkipTextBytes};
  }
  TextBlock(const TextBlock&) = delete;
  TextBlock& operator=(const TextBlock&) = delete;
  ~TextBlock() {
    if (block_ == nullptr) return;
    SetLastError(NO_ERROR);
    if (!texts_.empty() && GlobalUnlock(block_) == 0 && GetLastError() != NO_ERROR) {
      model::MessageBoxByNumber(MainWindow(), 3, kBindingErrorGroup, kMsgBackupNotUnlocked);
    }
    if (GlobalFree(block_) != nullptr) model::MessageBoxByNumber(MainWindow(), 3, kBindingErrorGroup, kMsgBackupNotReleased);
  }
  std::span<char> texts() const { return texts_; }

 private:
  HGLOBAL block_ = nullptr;
  std::span<char> texts_;
};

INT_PTR OpenMenuSkipPage(const PageDef& def) {
  TextBlock block;
  if (block.texts().empty()) {
    model::MessageBoxByNumber(MainWindow(), 3, kBindingErrorGroup, kMsgBackupNotReserved);
    return 0;
  }
  const PageDefinition* page = FindPageDefinition(def.number);
  PageState& s = State();
  s = PageState{&def, page->first, page->last, block.texts(), 0};
  const INT_PTR result = PageDialogBox(def.number, 0, MainWindow(), MenuSkipProc);
  s = PageState{};
  return result;
}

}  // namespace

MenuSkipGroups MenuSkipPageGroups(int page_template) {
  for (const PageDef& def : kPages) {
    if (def.number == page_template) return def.groups;
  }
  return {' ', ' ', ' ', ' '};
}

INT_PTR OpenMenuSkip1Dialog() { return OpenMenuSkipPage(kPages[0]); }
INT_PTR OpenMenuSkip2Dialog() { return OpenMenuSkipPage(kPages[1]); }
INT_PTR OpenMenuSkip3Dialog() { return OpenMenuSkipPage(kPages[2]); }

void CommandMenuSkip(HWND, UINT id) {
  constexpr UINT kProjectFirst = 2049;
  constexpr UINT kReverseDocFirst = 2078;
  const UINT part = id >= kReverseDocFirst ? id - kReverseDocFirst : id - kProjectFirst;
  if (part >= kPages.size()) return;
  OpenMenuSkipPage(kPages[part]);
  UpdateFileTitles();
}

}  // namespace app
