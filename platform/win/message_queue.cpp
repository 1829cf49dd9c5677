// The program's one message queue: posted messages (any thread), input (UI thread), WM_PAINT and WM_TIMER made
// on retrieval, WM_QUIT; SendMessage, the loops' waiting, modal loops, and the message filters.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "platform/gdi/standard_controls.h"
#include "platform/sys/clock.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/queue.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/idle.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

using platform::win::detail::Lookup;
using platform::win::detail::Window;

namespace platform::win::detail {
namespace {

struct QueueState {
  std::mutex mu;
  std::condition_variable cv;
  std::deque<MSG> posted;
  bool quit_pending = false;
  int quit_code = 0;
  std::deque<MSG> input;
  std::atomic<bool> ui_bound{false};
  std::thread::id ui_thread;  // the thread that made the first window
  DWORD last_time = 0;
  POINT last_pos{0, 0};
  int in_send = 0;
  std::vector<HWND> modal;
  IdleHandler idle;
  DeadlockHandler deadlock;
  EventWaiter waiter;
  std::function<void()> wake;
  std::map<int, MessageFilter> filters;
  int next_filter = 1;
};

QueueState& Q() {
  static QueueState q;
  return q;
}

bool Matches(const MSG& m, HWND filter, UINT min, UINT max) {
  if (filter == reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1))) {
    if (m.hwnd) return false;
  } else if (filter) {
    if (m.hwnd != filter && !IsDescendant(filter, m.hwnd)) return false;
  }
  if (min || max) {
    if (m.message < min || m.message > max) return false;
  }
  return true;
}

bool FindPaint(HWND hwnd, HWND filter, MSG* out) {
  Window* w = Lookup(hwnd);
  if (!w || !(w->style & WS_VISIBLE) || w->destroying) return false;
  if (w->has_update && (!filter || filter == hwnd || IsDescendant(filter, hwnd))) {
    *out = MSG{hwnd, WM_PAINT, 0, 0, 0, {0, 0}};
    return true;
  }
  std::vector<HWND> children = w->children;
  for (HWND c : children)
    if (FindPaint(c, filter, out)) return true;
  return false;
}

void DefaultDeadlock(const IdleContext& context) {
  std::fprintf(stderr,
               "window layer: the queue is empty and nothing can arrive (loop kind %d, modal window %s); "
               "a test must answer this loop through the idle hook\n",
               static_cast<int>(context.kind), Describe(context.modal).c_str());
  std::abort();
}

}  // namespace

void BindUiThread() {
  QueueState& q = Q();
  if (q.ui_bound.load()) return;
  q.ui_thread = std::this_thread::get_id();
  q.ui_bound.store(true);
}

bool Retrieve(MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  QueueState& q = Q();
  MSG m{};
  bool found = false;
  {
    std::lock_guard<std::mutex> lock(q.mu);
    for (auto it = q.posted.begin(); it != q.posted.end();) {
      if (it->hwnd && !Lookup(it->hwnd)) {
        it = q.posted.erase(it);
        continue;
      }
      if (Matches(*it, filter, min, max)) {
        m = *it;
        if (remove) q.posted.erase(it);
        found = true;
        break;
      }
      ++it;
    }
    if (!found && q.quit_pending && q.posted.empty()) {
      m = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quit_code), 0, 0, {0, 0}};
      if (remove) q.quit_pending = false;
      found = true;
    }
  }
  if (!found) {
    for (auto it = q.input.begin(); it != q.input.end();) {
      // Keys go to the window that has the focus when they are taken, as typed text follows a Tab.
      if (!it->hwnd && it->message >= WM_KEYFIRST && it->message <= WM_KEYLAST) {
        it->hwnd = GetFocus() ? GetFocus() : GetActiveWindow();
        if (!it->hwnd) {
          it = q.input.erase(it);
          continue;
        }
      }
      if (it->hwnd && !Lookup(it->hwnd)) {
        it = q.input.erase(it);
        continue;
      }
      if (Matches(*it, filter, min, max)) {
        m = *it;
        if (remove) q.input.erase(it);
        found = true;
        if (remove) OnInputRetrieved(m);
        break;
      }
      ++it;
    }
  }
  if (!found && (!(min || max) || (WM_PAINT >= min && WM_PAINT <= max))) {
    for (HWND t : TopLevelWindows()) {
      if (FindPaint(t, filter, &m)) {
        found = true;
        break;
      }
    }
  }
  if (!found) found = DueTimer(filter, min, max, remove, &m);
  if (!found) return false;
  if (m.time == 0) m.time = GetTickCount();
  if (m.pt.x == 0 && m.pt.y == 0) m.pt = CursorPos();
  if (remove) {
    q.last_time = m.time;
    q.last_pos = m.pt;
  }
  if (out) *out = m;
  return true;
}

void QueueInput(const MSG& msg) {
  MSG m = msg;
  m.time = GetTickCount();
  Q().input.push_back(m);
}

bool WaitForWork(const IdleContext& context) {
  QueueState& q = Q();
  if (q.idle) {
    IdleHandler idle = q.idle;
    if (idle(context)) return true;
  }
  if (HasPendingWork()) return true;
  long long next = NanosUntilNextTimer();
  if (q.waiter) {
    EventWaiter waiter = q.waiter;
    if (waiter(next)) return true;
    if (HasPendingWork()) return true;
  }
  if (next >= 0) {
    if (platform::sys::IsVirtualClock()) {
      platform::sys::AdvanceVirtualClock(next);
    } else {
      std::unique_lock<std::mutex> lock(q.mu);
      q.cv.wait_for(lock, std::chrono::nanoseconds(next), [&] { return !q.posted.empty() || q.quit_pending; });
    }
    return true;
  }
  if (!platform::sys::IsVirtualClock() && !q.waiter) {
    // Real time with no display: only another thread can post something now.
    std::unique_lock<std::mutex> lock(q.mu);
    q.cv.wait(lock, [&] { return !q.posted.empty() || q.quit_pending; });
    return true;
  }
  if (q.deadlock) {
    DeadlockHandler handler = q.deadlock;
    handler(context);
  } else {
    DefaultDeadlock(context);
  }
  return HasPendingWork();
}

bool RunModalLoop(HWND modal, LoopKind kind, const std::function<bool()>& done, const std::function<void()>& on_idle,
                  const std::function<bool(MSG&)>& intercept) {
  QueueState& q = Q();
  q.modal.push_back(modal);
  bool ok = true;
  bool idle_sent = false;
  bool is_dialog = kind == LoopKind::kModalDialog && Lookup(modal) && Lookup(modal)->dialog;
  while (!done()) {
    MSG m;
    if (Retrieve(&m, nullptr, 0, 0, true)) {
      if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        ok = false;
        break;
      }
      idle_sent = false;
      if (intercept && intercept(m)) continue;
      if (RunMessageFilters(m)) continue;
      if (is_dialog && Lookup(modal) && IsDialogMessage(modal, &m)) continue;
      TranslateMessage(&m);
      DispatchMessage(&m);
      continue;
    }
    if (!idle_sent) {
      idle_sent = true;
      if (on_idle) on_idle();
      continue;
    }
    IdleContext context{kind, modal, static_cast<int>(q.modal.size())};
    if (!WaitForWork(context)) {
      ok = false;
      break;
    }
  }
  q.modal.erase(std::find(q.modal.begin(), q.modal.end(), modal));
  return ok;
}

}  // namespace platform::win::detail

namespace platform::win {

void SetIdleHandler(IdleHandler handler) { detail::Q().idle = std::move(handler); }
void SetDeadlockHandler(DeadlockHandler handler) { detail::Q().deadlock = std::move(handler); }
std::vector<HWND> ModalWindows() { return detail::Q().modal; }
void SetEventWaiter(EventWaiter waiter) { detail::Q().waiter = std::move(waiter); }
void SetWakeHook(std::function<void()> wake) { detail::Q().wake = std::move(wake); }

bool HasPendingWork() { return detail::Retrieve(nullptr, nullptr, 0, 0, false); }

int AddMessageFilter(MessageFilter filter) {
  auto& q = detail::Q();
  int id = q.next_filter++;
  q.filters[id] = std::move(filter);
  return id;
}

void RemoveMessageFilter(int id) { detail::Q().filters.erase(id); }

bool RunMessageFilters(MSG& msg) {
  auto& q = detail::Q();
  if (q.filters.empty()) return false;
  std::vector<MessageFilter> copy;
  for (auto& [id, f] : q.filters) copy.push_back(f);
  for (auto& f : copy)
    if (f(msg)) return true;
  return false;
}

}  // namespace platform::win

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (hwnd == HWND_BROADCAST) {
    for (HWND t : platform::win::detail::TopLevelWindows()) platform::win::detail::CallProc(t, message, wparam, lparam);
    return 0;
  }
  if (!Lookup(hwnd)) return 0;
  auto& q = platform::win::detail::Q();
  ++q.in_send;
  LRESULT r = platform::win::detail::CallProc(hwnd, message, wparam, lparam);
  --q.in_send;
  return r;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto& q = platform::win::detail::Q();
  bool ui = q.ui_bound.load() && std::this_thread::get_id() == q.ui_thread;
  if (hwnd == HWND_BROADCAST) {
    if (!ui) return FALSE;
    for (HWND t : platform::win::detail::TopLevelWindows()) PostMessage(t, message, wparam, lparam);
    return TRUE;
  }
  if (ui && hwnd && !IsWindow(hwnd)) return FALSE;
  std::function<void()> wake;
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.posted.push_back(MSG{hwnd, message, wparam, lparam, 0, {0, 0}});
    if (!ui) wake = q.wake;
  }
  q.cv.notify_all();
  if (wake) wake();
  return TRUE;
}

BOOL PostThreadMessage(DWORD, UINT message, WPARAM wparam, LPARAM lparam) {
  auto& q = platform::win::detail::Q();
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.posted.push_back(MSG{nullptr, message, wparam, lparam, 0, {0, 0}});
  }
  q.cv.notify_all();
  return TRUE;
}

void PostQuitMessage(int exit_code) {
  auto& q = platform::win::detail::Q();
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.quit_pending = true;
    q.quit_code = exit_code;
  }
  q.cv.notify_all();
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max) {
  if (!msg) return -1;
  if (hwnd && hwnd != reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1)) && !IsWindow(hwnd)) return -1;
  for (;;) {
    if (platform::win::detail::Retrieve(msg, hwnd, filter_min, filter_max, true)) return msg->message != WM_QUIT;
    auto& q = platform::win::detail::Q();
    platform::win::IdleContext context{platform::win::LoopKind::kMain, q.modal.empty() ? nullptr : q.modal.back(),
                                       static_cast<int>(q.modal.size())};
    if (!platform::win::detail::WaitForWork(context)) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(-1), 0, GetTickCount(), {0, 0}};
      return FALSE;
    }
  }
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove) {
  MSG m;
  if (!platform::win::detail::Retrieve(&m, hwnd, filter_min, filter_max, (remove & PM_REMOVE) != 0)) return FALSE;
  if (msg) *msg = m;
  return TRUE;
}

BOOL WaitMessage() {
  if (platform::win::HasPendingWork()) return TRUE;
  auto& q = platform::win::detail::Q();
  platform::win::IdleContext context{platform::win::LoopKind::kMain, q.modal.empty() ? nullptr : q.modal.back(),
                                     static_cast<int>(q.modal.size())};
  return platform::win::detail::WaitForWork(context) ? TRUE : FALSE;
}

namespace platform::win::detail {
// The character a key gives with the current shift state (input.cpp); 0 for none.
int CharForKey(int vk);
}  // namespace platform::win::detail

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
  int ch = platform::win::detail::CharForKey(static_cast<int>(msg->wParam));
  if (ch <= 0) return FALSE;
  UINT char_message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  auto& q = platform::win::detail::Q();
  {
    std::lock_guard<std::mutex> lock(q.mu);
    // The character comes right after its key, ahead of anything posted later.
    q.posted.push_front(MSG{msg->hwnd, char_message, static_cast<WPARAM>(ch), msg->lParam, msg->time, msg->pt});
  }
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if ((msg->message == WM_TIMER) && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  Window* w = Lookup(msg->hwnd);
  if (!w) return 0;
  if (msg->message == WM_PAINT) {
    // The frame (caption, menu bar, border) of a window is drawn with its client area.
    {
      platform::gdi::PaintWindowFrame(msg->hwnd);
      w = Lookup(msg->hwnd);
      if (!w) return 0;
    }
    unsigned serial = w->update_serial;
    LRESULT r = platform::win::detail::CallProc(msg->hwnd, WM_PAINT, 0, 0);
    // A procedure that does not paint must not make WM_PAINT come back for ever.
    Window* after = Lookup(msg->hwnd);
    if (after && after->has_update && after->update_serial == serial) ValidateRect(msg->hwnd, nullptr);
    return r;
  }
  return platform::win::detail::CallProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessageTime() { return platform::win::detail::Q().last_time; }

DWORD GetMessagePos() {
  POINT p = platform::win::detail::Q().last_pos;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y))));
}

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(std::hash<std::thread::id>{}(std::this_thread::get_id()) & 0x7FFFFFFF);
}

BOOL InSendMessage() { return FALSE; }
