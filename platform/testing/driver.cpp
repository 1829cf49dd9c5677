#include "platform/testing/driver.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>

#include "platform/sys/clock.h"
#include "platform/testing/scripted_dialogs.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/help.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/menu.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace platform::testing {
namespace {

// Idle rounds one modal loop may spend without ending before the driver calls it stuck.
constexpr int kMaxIdleRounds = 20000;

struct DriverState {
  std::map<int, DialogScript> template_scripts;
  DialogScript any_script;
  std::function<bool()> main_script;
  std::function<void(HWND)> menu_script;
  std::deque<int> box_answers;
  std::function<int(const MessageBoxRecord&)> box_responder;
  std::vector<MessageBoxRecord> boxes;
  std::deque<std::optional<std::string>> file_answers;
  std::function<std::optional<std::string>(const FileDialogRecord&)> file_responder;
  std::vector<FileDialogRecord> files;
  std::vector<HWND> modeless;
  int deadlocks = 0;
  unsigned long long delivered = 0;  // messages delivered to windows, to see whether a script did anything
  int observer = 0;
  bool in_main_script = false;  // the program's own loop runs: actions only queue their input
  HWND idle_modal = nullptr;
  int idle_rounds = 0;
  bool active = false;
};

DriverState& S() {
  static DriverState s;
  return s;
}

bool Answered(HWND modal) {
  return !IsWindow(modal) || platform::win::HasPendingWork() || platform::win::DescribeModal(modal).ended;
}

bool AnswerMessageBoxNow(HWND modal, const platform::win::ModalInfo& info) {
  const auto* request = static_cast<const platform::win::MessageBoxRequest*>(info.request);
  if (!request) return false;
  auto& s = S();
  MessageBoxRecord record{request->owner, request->text, request->caption, request->type, 0};
  int answer = 0;
  if (!s.box_answers.empty()) {
    answer = s.box_answers.front();
    s.box_answers.pop_front();
  } else if (s.box_responder) {
    answer = s.box_responder(record);
  }
  if (!answer) return false;
  record.answer = answer;
  s.boxes.push_back(record);
  HWND button = GetDlgItem(modal, answer);
  if (button) {
    Click(button);
  } else {
    EndDialog(modal, answer);
  }
  return true;
}

bool Idle(const platform::win::IdleContext& context) {
  auto& s = S();
  if (context.kind == platform::win::LoopKind::kMain) {
    if (s.main_script) {
      s.in_main_script = true;
      bool go_on = s.main_script();
      S().in_main_script = false;
      if (!go_on) {
        PostQuitMessage(0);
        return true;
      }
      return platform::win::HasPendingWork();
    }
    return false;
  }
  HWND modal = context.modal;
  if (!IsWindow(modal)) return true;
  if (s.idle_modal != modal) {
    s.idle_modal = modal;
    s.idle_rounds = 0;
  }
  if (++s.idle_rounds > kMaxIdleRounds) {
    ++s.deadlocks;
    if (context.kind == platform::win::LoopKind::kMenu) {
      EndMenu();
    } else {
      EndDialog(modal, -1);
    }
    return true;
  }
  if (context.kind == platform::win::LoopKind::kMenu) {
    if (!s.menu_script) return false;
    unsigned long long before = s.delivered;
    std::function<void(HWND)> script = s.menu_script;
    s.in_main_script = true;  // the menu loop takes the input the script gives
    script(modal);
    S().in_main_script = false;
    return platform::win::HasPendingWork() || S().delivered != before;
  }
  platform::win::ModalInfo info = platform::win::DescribeModal(modal);
  switch (info.kind) {
    case platform::win::ModalKind::kMessageBox:
      if (AnswerMessageBoxNow(modal, info)) return true;
      break;
    case platform::win::ModalKind::kFileOpen:
    case platform::win::ModalKind::kFileSave:
      if (AnswerFileDialogNow(modal, info)) return true;
      break;
    case platform::win::ModalKind::kColor:
    case platform::win::ModalKind::kPrint:
      if (AnswerOtherDialogNow(modal, info)) return true;
      break;
    default: break;
  }
  // A script that made anything happen gets another turn; one that did nothing leaves the dialog waiting, and
  // time passes (timers run) until something happens.
  unsigned long long before = s.delivered;
  auto it = s.template_scripts.find(static_cast<int>(info.template_id));
  if (info.template_id && it != s.template_scripts.end()) {
    DialogScript script = it->second;
    script(modal);
    if (Answered(modal) || S().delivered != before) return true;
  }
  if (S().any_script) {
    DialogScript script = S().any_script;
    script(modal);
    if (Answered(modal) || S().delivered != before) return true;
  }
  return false;
}

void Deadlock(const platform::win::IdleContext& context) {
  ++S().deadlocks;
  if (context.kind == platform::win::LoopKind::kMenu) {
    EndMenu();
    return;
  }
  if (IsWindow(context.modal) && !platform::win::DescribeModal(context.modal).ended) EndDialog(context.modal, -1);
}

void Dispatch(MSG& m) {
  if (platform::win::RunMessageFilters(m)) return;
  // Inside a modal dialog the driver pumps as that dialog's loop would.
  auto modal = platform::win::ModalWindows();
  if (!modal.empty() && IsWindow(modal.back()) && platform::win::DescribeModal(modal.back()).kind != platform::win::ModalKind::kOther &&
      IsDialogMessage(modal.back(), &m))
    return;
  for (HWND d : S().modeless) {
    if (IsWindow(d) && IsDialogMessage(d, &m)) return;
  }
  TranslateMessage(&m);
  DispatchMessage(&m);
}

POINT Middle(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return POINT{r.right / 2, r.bottom / 2};
}

}  // namespace

// The file-dialog answers live with the driver's other scripts.
std::deque<std::optional<std::string>>& FileAnswers() { return S().file_answers; }
std::function<std::optional<std::string>(const FileDialogRecord&)>& FileResponder() { return S().file_responder; }
std::vector<FileDialogRecord>& FileRecords() { return S().files; }

Session::Session() {
  S() = DriverState{};
  S().active = true;
  platform::sys::UseVirtualClock();
  platform::win::SetIdleHandler(Idle);
  platform::win::SetDeadlockHandler(Deadlock);
  S().observer = platform::win::AddMessageObserver([](HWND, UINT, WPARAM, LPARAM) { ++S().delivered; });
}

Session::~Session() {
  for (HWND t : [] {
         std::vector<HWND> all;
         EnumWindows([](HWND h, LPARAM p) {
           reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
           return TRUE;
         }, reinterpret_cast<LPARAM>(&all));
         return all;
       }()) {
    if (IsWindow(t)) DestroyWindow(t);
  }
  platform::win::KillAllTimers();
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  for (int vk = 0; vk < 256; ++vk) platform::win::SetKeyHeld(vk, false);
  ReleaseCapture();
  platform::win::SetIdleHandler(nullptr);
  platform::win::SetDeadlockHandler(nullptr);
  platform::win::RemoveMessageObserver(S().observer);
  platform::win::SetPopupMenuResponder(nullptr);
  ClearOtherAnswers();
  platform::win::ClearHelpRequests();
  S() = DriverState{};
}

int PumpUntilIdle(int limit) {
  int n = 0;
  MSG m;
  while (n < limit && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    ++n;
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    Dispatch(m);
  }
  return n;
}

void Advance(int milliseconds) {
  long long left = static_cast<long long>(milliseconds) * 1'000'000;
  PumpUntilIdle();
  while (left > 0) {
    long long next = platform::win::NanosUntilNextTimer();
    if (next < 0 || next > left) {
      platform::sys::AdvanceVirtualClock(left);
      left = 0;
    } else {
      platform::sys::AdvanceVirtualClock(next);
      left -= std::max(next, 1LL);
    }
    PumpUntilIdle();
  }
}

void AddModelessDialog(HWND dialog) { S().modeless.push_back(dialog); }

void RemoveModelessDialog(HWND dialog) {
  auto& v = S().modeless;
  v.erase(std::remove(v.begin(), v.end(), dialog), v.end());
}

// Inside a main-loop script the program's own loop takes the input (with its accelerators and modeless
// dialogs); elsewhere the driver pumps it at once.
void Pump() {
  if (!S().in_main_script) PumpUntilIdle();
}

void ClickAt(HWND window, int x, int y) {
  platform::win::InjectMouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  Pump();
  if (!IsWindow(window)) return;
  platform::win::InjectMouse(window, WM_LBUTTONUP, x, y, 0);
  Pump();
}

void Click(HWND control) {
  if (!IsWindow(control)) return;
  POINT p = Middle(control);
  ClickAt(control, p.x, p.y);
}

void ClickItem(HWND dialog, int id) { Click(GetDlgItem(dialog, id)); }

void Type(HWND control, std::string_view text) {
  if (!IsWindow(control)) return;
  HWND focus = GetFocus();
  if (focus != control && !IsChild(control, focus)) Click(control);
  for (char c : text) {
    platform::win::InjectChar(static_cast<BYTE>(c));
    Pump();
  }
}

void PressKey(int vk, bool shift, bool ctrl) {
  if (shift) platform::win::InjectKey(WM_KEYDOWN, VK_SHIFT);
  if (ctrl) platform::win::InjectKey(WM_KEYDOWN, VK_CONTROL);
  platform::win::InjectKey(WM_KEYDOWN, vk);
  Pump();
  platform::win::InjectKey(WM_KEYUP, vk);
  if (ctrl) platform::win::InjectKey(WM_KEYUP, VK_CONTROL);
  if (shift) platform::win::InjectKey(WM_KEYUP, VK_SHIFT);
  Pump();
}

void HoldKey(int vk) { platform::win::SetKeyHeld(vk, true); }
void ReleaseKey(int vk) { platform::win::SetKeyHeld(vk, false); }

bool SelectItem(HWND control, int index) {
  if (!IsWindow(control) || !IsWindowEnabled(control)) return false;
  char name[32];
  GetClassName(control, name, sizeof name);
  std::string cls(name);
  for (char& c : cls) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  int h = platform::win::ListItemHeight(control);
  RECT r{};
  GetClientRect(control, &r);
  if (cls == "combobox") {
    if (index < 0 || index >= SendMessage(control, CB_GETCOUNT, 0, 0)) return false;
    if (!SendMessage(control, CB_GETDROPPEDSTATE, 0, 0)) ClickAt(control, r.right - 4, r.bottom / 2);
    if (!SendMessage(control, CB_GETDROPPEDSTATE, 0, 0)) return false;
    // The row is clicked in the drop-down pop-up, scrolled into view first.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(control, &info) || !IsWindow(info.hwndList)) return false;
    int top = static_cast<int>(SendMessage(info.hwndList, LB_GETTOPINDEX, 0, 0));
    RECT lr{};
    GetClientRect(info.hwndList, &lr);
    const int shown = std::max(1, static_cast<int>(lr.bottom) / std::max(1, h));
    if (index < top || index >= top + shown) {
      SendMessage(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, index - shown + 1)), 0);
      top = static_cast<int>(SendMessage(info.hwndList, LB_GETTOPINDEX, 0, 0));
    }
    ClickAt(info.hwndList, lr.right / 3, (index - top) * h + h / 2);
    return true;
  }
  if (cls == "listbox") {
    if (index < 0 || index >= SendMessage(control, LB_GETCOUNT, 0, 0)) return false;
    int top = static_cast<int>(SendMessage(control, LB_GETTOPINDEX, 0, 0));
    if (index < top) {
      SendMessage(control, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
      top = index;
    }
    ClickAt(control, r.right / 2, (index - top) * h + h / 2);
    return true;
  }
  return false;
}

bool PickMenu(HWND window, unsigned id) {
  bool picked = platform::win::PickMenuCommand(window, id);
  Pump();
  return picked;
}

void OnDialogIdle(int template_id, DialogScript script) { S().template_scripts[template_id] = std::move(script); }
void OnAnyDialogIdle(DialogScript script) { S().any_script = std::move(script); }
void OnMainIdle(std::function<bool()> script) { S().main_script = std::move(script); }
void OnMenuIdle(std::function<void(HWND owner)> script) { S().menu_script = std::move(script); }

void AnswerMessageBox(int answer) { S().box_answers.push_back(answer); }
void OnMessageBox(std::function<int(const MessageBoxRecord&)> responder) { S().box_responder = std::move(responder); }
const std::vector<MessageBoxRecord>& MessageBoxes() { return S().boxes; }

void AnswerFileDialog(std::optional<std::string> path) { S().file_answers.push_back(std::move(path)); }
void OnFileDialog(std::function<std::optional<std::string>(const FileDialogRecord&)> responder) {
  S().file_responder = std::move(responder);
}
const std::vector<FileDialogRecord>& FileDialogs() { return S().files; }

int DeadlockCount() { return S().deadlocks; }

std::string Text(HWND window) {
  int n = GetWindowTextLength(window);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  GetWindowText(window, s.data(), n + 1);
  s.resize(std::char_traits<char>::length(s.c_str()));
  return s;
}

std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

HWND ActiveModal() {
  auto modal = platform::win::ModalWindows();
  return modal.empty() ? nullptr : modal.back();
}

}  // namespace platform::testing

namespace platform::testing {

HWND FindDialog(int template_id) {
  struct Search {
    int id;
    HWND found;
  } search{template_id, nullptr};
  EnumWindows(
      [](HWND top, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        platform::win::ModalInfo info = platform::win::DescribeModal(top);
        if (info.kind != platform::win::ModalKind::kOther && static_cast<int>(info.template_id) == s->id) s->found = top;
        EnumChildWindows(top, [](HWND h, LPARAM q) -> BOOL {
          auto* t = reinterpret_cast<Search*>(q);
          platform::win::ModalInfo i = platform::win::DescribeModal(h);
          if (i.kind != platform::win::ModalKind::kOther && static_cast<int>(i.template_id) == t->id) t->found = h;
          return TRUE;
        }, p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

MenuItemState MenuState(HWND window, unsigned id) {
  MenuItemState out;
  platform::win::MenuItemInfo info = platform::win::DescribeMenuItem(GetMenu(window), id, MF_BYCOMMAND);
  if (!info.found) return out;
  out.found = true;
  out.text = info.text;
  out.grayed = (info.flags & (MF_GRAYED | MF_DISABLED)) != 0;
  out.checked = (info.flags & MF_CHECKED) != 0;
  return out;
}

LRESULT BlankWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

bool RegisterTestWindowClass(const char* name, LRESULT (*proc)(HWND, UINT, WPARAM, LPARAM), int window_extra) {
  static std::set<std::string> registered;
  if (registered.count(name)) return true;
  WNDCLASS wc{};
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = window_extra;
  wc.lpszClassName = name;
  if (RegisterClass(&wc) == 0) return false;
  registered.insert(name);
  return true;
}

}  // namespace platform::testing
