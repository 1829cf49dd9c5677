// The parameter-page frame: opener, procedure and the init, activate, command, refresh, fill and commit
// handlers shared by every page.
#include "app/pages/parameter_page_frame.h"

#include <algorithm>
#include <array>

#include "app/binding/dialog_binding.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/nav_button_cursor.h"
#include "app/common/shell_state.h"
#include "app/common/window_messages.h"
#include "app/documents/active_file_kind.h"
#include "app/documents/device_variant.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/page_navigation.h"
#include "app/pages/page_dialog_box.h"
#include "app/templates/page_templates.h"
#include "model/device_identity.h"

namespace app {
namespace {

constexpr std::uint8_t kFamilyRpm = 2;
constexpr std::uint8_t kFamilyPositioning = 3;
constexpr int kCaptionLimit = 98;
constexpr int kEditChanged = 768;    // EN_CHANGE
constexpr int kEditLostFocus = 512;  // EN_KILLFOCUS
constexpr int kEditGotFocus = 256;   // EN_SETFOCUS
constexpr int kClicked = 0;          // BN_CLICKED
constexpr int kSelectionChanged = 1; // CBN_SELCHANGE

// Set while a store runs, for every page: a commit that starts meanwhile is skipped.
bool g_storing = false;

bool MayWrite(std::uint8_t kind) { return kind == kKindAlready || kind == kKindConverted; }

std::uint8_t Set() { return GetActiveFile(); }

std::uint8_t Store(PageState& page, int control, std::uint8_t restore) {
  if (page.page->binding != nullptr) return page.page->binding->store(page, control, restore);
  return StoreDialogToParameters(page.dialog, page.first, page.last, control, page.list, Set(), restore);
}

void RunCommitted(PageState& page, int id, UINT code, std::uint8_t result) {
  if (page.page->hooks.committed != nullptr) page.page->hooks.committed(page, id, code, result);
}

void ApplyCaptionRule(HWND dialog) {
  std::array<char, kCaptionLimit + 1> text{};
  GetWindowText(dialog, text.data(), kCaptionLimit);
  const std::string caption = text.data();
  if (caption.find('?') == std::string::npos) return;
  SetWindowText(dialog, CaptionForParameterSet(caption, GetActiveParamSet()).c_str());
}

INT_PTR OnInit(PageState& page) {
  ApplyCaptionRule(page.dialog);
  PlaceDialog(page.dialog, kPlaceCentred, kPlaceCentred);
  RestoreNavButtonCursor(page.dialog, kPreviousButton, kNextButton);
  FillPage(page, page.page->rule == PageCommitRule::kNoStore ? 0 : 1);
  const INT_PTR result = page.page->hooks.init != nullptr ? page.page->hooks.init(page) : TRUE;
  if (result == FALSE) return FALSE;
  // The first tab stop as the fill left it (a disabled first control is passed over); its text is selected.
  if (HWND first = GetNextDlgTabItem(page.dialog, nullptr, FALSE); first != nullptr) {
    SetFocus(first);
    SendMessage(first, EM_SETSEL, 0, -1);
  }
  return FALSE;
}

void OnActivate(PageState& page) {
  SetDefaultHelpContext(static_cast<std::uint16_t>(page.number), page.first, page.last);
}

void ReleaseBackup(PageState& page) {
  if (!page.backup_held) return;
  page.backup_held = false;
  ReleaseDialogBuffers(page.dialog);
}

void EndPage(PageState& page, int id, bool release) {
  if (page.page->hooks.ending != nullptr) page.page->hooks.ending(page, id);
  if (release) ReleaseBackup(page);
  const bool cancel = id == IDCANCEL && page.page->rule != PageCommitRule::kNoStore;
  EndDialog(page.dialog, cancel ? IDCANCEL : IDOK);
  if (cancel || page.page->exit != PageExit::kNavigate) return;
  RememberNavButton(page.dialog, kPreviousButton, kNextButton);
  GoToNextPage(static_cast<std::uint32_t>(page.number), static_cast<std::uint32_t>(id));
}

void Cancel(PageState& page) {
  CommitPage(page, 0, 1);
  EndPage(page, IDCANCEL, true);
}

// OK, Previous, Next of a page with the frame's rule.
void Leave(PageState& page, int id) {
  if (page.pending != 0) {
    const int control = page.pending;
    if (MayWrite(EnsureActiveFileKind(page.dialog, kKindProject, kAskModifyValue))) {
      RunCommitted(page, control, kClicked, CommitPage(page, control, 0));
    } else {
      FillPage(page, 0);
    }
  }
  EndPage(page, id, true);
}

// OK, Previous, Next of the comments page: everything is stored, and the page stays open on a refusal.
void LeaveDirect(PageState& page, int id) {
  if (CommitPage(page, 0, 0) == kPageRefused) {
    if (page.return_focus != nullptr) SetFocus(page.return_focus);
    return;
  }
  EndPage(page, id, true);
}

void CommitControl(PageState& page, int id, HWND control, UINT code) {
  page.return_focus = control;
  const std::uint8_t result = CommitPage(page, id, 0);
  if (result == kPageRefused && control != nullptr) SetFocus(control);
  RunCommitted(page, id, code, result);
}

void OnControl(PageState& page, int id, HWND control, UINT code) {
  if (code == kClicked || code == kSelectionChanged) {
    const std::uint8_t kind = EnsureActiveFileKind(page.dialog, kKindProject, kAskModifyValue);
    if (!MayWrite(kind)) {
      FillPage(page, 0);
      return;
    }
    CommitControl(page, id, control, code);
  } else if (code == kEditChanged) {
    page.pending = id;
  } else if (code == kEditLostFocus && page.pending != 0) {
    page.pending = 0;
    const std::uint8_t kind = EnsureActiveFileKind(page.dialog, kKindProject, kAskModifyValue);
    if (kind == kKindQuestionOpen) return;
    if (!MayWrite(kind)) {
      FillPage(page, 0);
      return;
    }
    CommitControl(page, id, control, code);
  } else if (code == kEditGotFocus && control != nullptr) {
    SendMessage(control, EM_SETSEL, 0, -1);
  }
}

void OnControlDirect(PageState& page, int id, HWND control, UINT code) {
  if (code == kClicked || code == kEditLostFocus) {
    CommitControl(page, id, control, code);
  } else if (code == kEditGotFocus && control != nullptr) {
    SendMessage(control, EM_SETSEL, 0, -1);
  }
}

INT_PTR OnCommand(PageState& page, int id, HWND control, UINT code) {
  const PageCommitRule rule = page.page->rule;
  if (id >= IDOK && id <= kNextButton) {
    if (rule == PageCommitRule::kNoStore) {
      EndPage(page, id, false);
    } else if (id == IDCANCEL) {
      Cancel(page);
    } else if (rule == PageCommitRule::kDirect) {
      LeaveDirect(page, id);
    } else {
      Leave(page, id);
    }
    return TRUE;
  }
  SetHelpContextFromCommand(static_cast<std::uint16_t>(page.number), page.first, page.last, id,
                            static_cast<std::uint16_t>(code));
  if (page.page->hooks.command != nullptr && page.page->hooks.command(page, id, control, code)) return TRUE;
  if (rule == PageCommitRule::kPending) OnControl(page, id, control, code);
  if (rule == PageCommitRule::kDirect) OnControlDirect(page, id, control, code);
  return TRUE;
}

// F2 held: the focused control's value is committed and sent to the inverter.
void OnRefresh(PageState& page) {
  if (page.page->rule != PageCommitRule::kPending) return;
  const int id = GetDlgCtrlID(GetFocus());
  const std::uint8_t kind = EnsureActiveFileKind(page.dialog, kKindProject, kAskModifyValue);
  if (!MayWrite(kind)) {
    FillPage(page, 0);
    return;
  }
  if (CommitPage(page, id, 0) == kPageRefused) return;
  if (page.page->binding != nullptr) {
    page.page->binding->send(page, id);
    return;
  }
  SendControlParameterOnline(page.dialog, page.first, page.last, id, page.list, Set());
}

INT_PTR CALLBACK ParameterPageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* page = reinterpret_cast<PageState*>(lparam);
    SetWindowLongPtr(dialog, DWLP_USER, lparam);
    page->dialog = dialog;
    return OnInit(*page);
  }
  PageState* page = PageStateOf(dialog);
  if (page == nullptr) return FALSE;
  if (page->page->hooks.message != nullptr) {
    INT_PTR result = FALSE;
    if (page->page->hooks.message(*page, message, wparam, lparam, result)) return result;
  }
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(*page);
      return FALSE;
    case WM_COMMAND:
      return OnCommand(*page, LOWORD(wparam), reinterpret_cast<HWND>(lparam), HIWORD(wparam));
    case WM_PAGE_REFRESH:
      OnRefresh(*page);
      return TRUE;
    case WM_DESTROY:
      // A page destroyed without its buttons (the program ending) gives its backup back all the same.
      ReleaseBackup(*page);
      SetWindowLongPtr(dialog, DWLP_USER, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::string CaptionForParameterSet(std::string caption, std::uint8_t param_set) {
  std::replace(caption.begin(), caption.end(), '?', param_set == 1 ? '2' : '1');
  return caption;
}

int PageTemplateNumber(const ParameterPage& page, std::uint8_t family) {
  return family == kFamilyRpm && page.family2_number != 0 ? page.family2_number : page.number;
}

std::uint8_t PageListFor(const ParameterPage& page, std::uint8_t family, bool variant, std::uint8_t param_set) {
  const PageListChoice& l = page.lists;
  const bool second = param_set == 1;
  std::uint8_t list = 0;
  if (family == kFamilyRpm) list = second ? l.family2_set2 : l.family2_set1;
  if (family == kFamilyPositioning && variant) list = second ? l.variant_set2 : l.variant_set1;
  if (family == kFamilyPositioning && list == 0) list = second ? l.family3_set2 : l.family3_set1;
  if (list == 0) list = second ? l.set2 : l.set1;
  return list;
}

INT_PTR RunParameterPage(const ParameterPage& page) { return RunParameterPageOn(page, MainWindow()); }

INT_PTR RunParameterPageOn(const ParameterPage& page, HWND owner) {
  const std::uint8_t set = Set();
  const std::uint8_t family = model::GetDeviceFamily(set);
  PageState state;
  state.page = &page;
  state.family = family;
  state.number = PageTemplateNumber(page, family);
  state.list = PageListFor(page, family, CheckDeviceVariant(set) != 0, GetActiveParamSet());
  const PageDefinition* def = FindPageDefinition(state.number);
  if (def == nullptr) return -1;
  state.first = def->first;
  state.last = def->last;
  // The template of the list bound now stands under the page's number (the layout follows the list).
  return PageDialogBox(state.number, state.list, owner, ParameterPageProc, reinterpret_cast<LPARAM>(&state));
}

std::uint8_t FillPage(PageState& page, std::uint8_t backup) {
  const std::uint8_t result = page.page->binding != nullptr
                                  ? page.page->binding->fill(page, backup)
                                  : FillDialogFromParameters(page.dialog, page.first, page.last, page.list, Set(), backup);
  if (backup != 0) page.backup_held = true;
  page.pending = 0;
  if (page.page->hooks.filled != nullptr) page.page->hooks.filled(page);
  return result;
}

std::uint8_t CommitPage(PageState& page, int control, std::uint8_t restore) {
  if (g_storing) {
    // A message box of the running commit let this one in; the control stays pending so its typed value is
    // stored once the running commit is done.
    if (restore == 0 && control != 0) page.pending = control;
    return kPageCommitSkipped;
  }
  g_storing = true;
  page.pending = control == page.pending ? 0 : page.pending;
  std::uint8_t result = Store(page, control, restore);
  if (restore == 0 && page.pending != 0) {
    const int kept = page.pending;
    page.pending = 0;
    const std::uint8_t kept_result = Store(page, kept, 0);
    if (result == kPageStored) result = kept_result;
  }
  g_storing = false;
  FillPage(page, 0);
  return result == kPageStored ? kPageStored : kPageRefused;
}

bool PageCommitRunning() { return g_storing; }

void SetPageCommitRunning(bool running) { g_storing = running; }

PageState* PageStateOf(HWND dialog) {
  if (dialog == nullptr || !IsWindow(dialog)) return nullptr;
  return reinterpret_cast<PageState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

}  // namespace app
