// The two user parameter list windows (templates 62 and 63).
#include "app/online/user_lists.h"

#include <array>

#include "app/binding/dialog_binding.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/link_fault.h"
#include "app/common/shell_state.h"
#include "app/common/wait_cursor.h"
#include "app/documents/active_file_kind.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/online/monitor_windows.h"
#include "app/online/remote_control.h"
#include "app/templates/user_list_templates.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::uint8_t kTransferIdentity = 7;

struct ListKind {
  std::uint8_t long_list;
  int template_number;
  int first;
  int rows;
  byte table;
  UINT_PTR timer;
  double factor;
  int place_y;
  Modeless slot;
};
constexpr std::array<ListKind, 2> kKinds = {{
    {0, kShortListTemplate, kShortListFirst, kShortListRows, 120, kShortListTimer, kShortListFactor, kPlaceBelowMenu,
     Modeless::kShortUserList},
    {1, kLongListTemplate, kLongListFirst, kLongListRows, 121, kLongListTimer, kLongListFactor, kPlaceBottomRight,
     Modeless::kLongUserList},
}};

struct ListState {
  UserListView view;
  bool storing = false;
  int last_focus = 0;
};

std::array<ListState, 2>& States() {
  static std::array<ListState, 2> states;
  return states;
}

const ListKind& KindOf(HWND window) {
  return ModelessWindow(Modeless::kLongUserList) == window ? kKinds[1] : kKinds[0];
}
ListState& StateOf(const ListKind& kind) { return States()[kind.long_list]; }
int Last(const ListKind& kind) { return kind.first + 5 * kind.rows; }

void Refill(HWND window, const ListKind& kind) {
  FillUserListDialog(window, kind.first, Last(kind), kind.table, GetActiveFile(), 0);
}

void SetCyclic(HWND window, const ListKind& kind, bool on) {
  StateOf(kind).view.cyclic = on;
  CheckDlgButton(window, kUserListCyclic, on ? BST_CHECKED : BST_UNCHECKED);
}

// One read of the list; false after a fault (shown).
bool ReadList(HWND window, const ListKind& kind) {
  BeginWaitCursor();
  const std::uint8_t code = ilink::ReadUserListOnline(kind.long_list, GetActiveFile());
  EndWaitCursor();
  ShowLinkFault(code);
  Refill(window, kind);
  return code == ilink::kOk;
}

void Read(HWND window, const ListKind& kind) {
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  ReadList(window, kind);
}

bool StoreControl(HWND window, const ListKind& kind, int id) {
  ListState& s = StateOf(kind);
  if (s.storing) return true;
  s.storing = true;
  const bool stored =
      StoreUserListDialog(window, kind.first, Last(kind), id, kind.table, GetActiveFile(), 0) == kBindingOk;
  s.storing = false;
  if (!stored && id != 0 && IsWindow(window)) SetFocus(GetDlgItem(window, id));
  // A new code shows another parameter's name and value.
  if (stored && id != 0 && (id - kind.first) % 5 == 0 && IsWindow(window)) Refill(window, kind);
  return stored;
}

void Send(HWND window, const ListKind& kind) {
  SetCyclic(window, kind, false);
  if (!StoreControl(window, kind, 0)) return;
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  BeginWaitCursor();
  const std::uint8_t code = ilink::WriteUserListOnline(kind.long_list, GetActiveFile());
  EndWaitCursor();
  ShowLinkFault(code);
  Refill(window, kind);
}

// F2: the focused row's parameter written online (into a project only).
void SendFocusedRow(HWND window, const ListKind& kind) {
  const int id = StateOf(kind).last_focus;
  if (id < kind.first || id >= Last(kind)) return;
  const std::uint8_t file = EnsureActiveFileKind(window, kKindProject, kAskModifyValue);
  if (file != kKindAlready && file != kKindConverted) return;
  if (!StoreControl(window, kind, id)) return;
  SendUserListParameterOnline(window, kind.first, Last(kind), id, kind.table, GetActiveFile());
  Refill(window, kind);
}

// Nothing else online: the link is closed.
bool OtherOnlineWindowOpen(const ListKind& kind) {
  if (CountOpenMonitors() != 0) return true;
  for (Modeless other : {Modeless::kRemoteControl, Modeless::kRemoteControl2, Modeless::kScopeControl,
                         kKinds[1 - kind.long_list].slot}) {
    if (IsWindow(ModelessWindow(other))) return true;
  }
  return false;
}

void Close(HWND window, const ListKind& kind) {
  SetCyclic(window, kind, false);
  StoreControl(window, kind, StateOf(kind).last_focus);
  ReleaseDialogBuffers(window);
  ModelessWindow(kind.slot) = nullptr;
  KillTimer(window, kind.timer);
  DestroyWindow(window);
  if (!OtherOnlineWindowOpen(kind)) ShowLinkFault(ilink::DisconnectInverter(0));
}

void OnInit(HWND window, const ListKind& kind) {
  ListState& s = StateOf(kind);
  ModelessWindow(kind.slot) = window;
  PlaceDialog(window, kPlaceBelowMenu, kind.place_y);
  s = ListState{};
  const std::uint8_t set = GetActiveFile();
  ilink::ClearUserList(kind.long_list, set);
  s.view.cycle_ms = CycleTime(kind.factor);
  BeginWaitCursor();
  std::uint8_t code = ilink::TransferParameterSet(kTransferIdentity, set);
  if (code == ilink::kOk) code = ilink::ReadUserListOnline(kind.long_list, set);
  EndWaitCursor();
  ShowLinkFault(code);
  FillUserListDialog(window, kind.first, Last(kind), kind.table, set, 1);
  if (SetTimer(window, kind.timer, s.view.cycle_ms, nullptr) == 0) {
    model::MessageBoxByNumber(window, model::kShowFault, 13, 12);
  }
}

void OnTimer(HWND window, const ListKind& kind) {
  KillTimer(window, kind.timer);
  PostHelpIfF1Held();
  if (GetKeyState(VK_F2) < 0 && GetActiveWindow() == window) SendFocusedRow(window, kind);
  // A failed cyclic read stops the cyclic reading: the fault is shown once.
  if (IsWindow(window) && StateOf(kind).view.cyclic && !ReadList(window, kind)) SetCyclic(window, kind, false);
  if (IsWindow(window)) SetTimer(window, kind.timer, StateOf(kind).view.cycle_ms, nullptr);
}

void OnCommand(HWND window, const ListKind& kind, int id, UINT code) {
  ListState& s = StateOf(kind);
  switch (id) {
    case IDOK:
    case IDCANCEL: Close(window, kind); return;
    case kUserListRead:
      SetCyclic(window, kind, false);
      Read(window, kind);
      return;
    case kUserListSend: Send(window, kind); return;
    case kUserListCyclic:
      if (s.view.cyclic) {
        SetCyclic(window, kind, false);
      } else {
        SetCyclic(window, kind, true);
        Read(window, kind);
      }
      return;
    default: break;
  }
  if (id < kind.first || id >= Last(kind)) return;
  SetHelpContextFromCommand(static_cast<std::uint16_t>(kind.template_number), kind.first, Last(kind) - 1, id, code);
  if (code == EN_SETFOCUS || code == CBN_SETFOCUS) {
    s.last_focus = id;
    if (code == EN_SETFOCUS) SendDlgItemMessage(window, id, EM_SETSEL, 0, -1);
  } else if (code == BN_CLICKED || code == CBN_SELCHANGE || code == EN_KILLFOCUS) {
    StoreControl(window, kind, id);
  }
}

INT_PTR CALLBACK ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: OnInit(window, kKinds[static_cast<std::size_t>(lparam)]); return TRUE;
    case WM_ACTIVATE: {
      const ListKind& kind = KindOf(window);
      if (LOWORD(wparam) != WA_INACTIVE) {
        SetDefaultHelpContext(static_cast<std::uint16_t>(kind.template_number), kind.first, Last(kind) - 1);
      }
      return FALSE;
    }
    case WM_TIMER:
      if (wparam == KindOf(window).timer) OnTimer(window, KindOf(window));
      return TRUE;
    case WM_COMMAND: OnCommand(window, KindOf(window), LOWORD(wparam), HIWORD(wparam)); return TRUE;
    default:
      if (message == WM_PAGE_REFRESH) {
        SendFocusedRow(window, KindOf(window));
        return TRUE;
      }
      return FALSE;
  }
}

void Open(HWND main, const ListKind& kind) {
  if (IsWindow(ModelessWindow(kind.slot))) {
    RaiseWindow(ModelessWindow(kind.slot));
    return;
  }
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) {
    ShowLinkFault(code);
    return;
  }
  HWND window = CreateDialogParam(AppInstance(), MAKEINTRESOURCE(kind.template_number), main, ListProc,
                                  static_cast<LPARAM>(kind.long_list));
  if (window != nullptr) ShowWindow(window, SW_SHOW);
}

}  // namespace

void OpenUserShortParamList(HWND main) { Open(main, kKinds[0]); }
void OpenUserLongParamList(HWND main) { Open(main, kKinds[1]); }

void CommandUserList(HWND main, UINT id) {
  if (id == 2099) OpenUserShortParamList(main);
  if (id == 2100) OpenUserLongParamList(main);
}

UserListView UserListState(bool long_list) { return States()[long_list ? 1 : 0].view; }

}  // namespace app
