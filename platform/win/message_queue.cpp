// The window thread's message queue: posted messages (any thread), input, WM_PAINT and WM_TIMER made on retrieval,
// WM_QUIT, and the cross-thread sends and calls it serves; the workers' own queues; SendMessage, the loops' waiting,
// modal loops, and the message filters. The thread model is described in threads.h.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include <unistd.h>

#include "platform/gdi/standard_controls.h"
#include "platform/sys/clock.h"
#include "platform/sys/dynamic_library.h"
#include "platform/sys/user_name.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/queue.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/idle.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/termination.h"
#include "platform/win/threads.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

using platform::win::detail::Lookup;
using platform::win::detail::Window;

namespace platform::win::detail {
namespace {

// A SendMessage from another thread (fn empty), or a RunOnWindowThread call, waiting for the window thread.
struct CrossCall {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  std::function<void()> fn;
  LRESULT result = 0;
  std::exception_ptr error;
  bool done = false;
  bool detached = false;  // nobody waits: PostToWindowThread
};

struct RegisteredFilter {
  HMODULE module;  // the module whose code added it: dropped when that library is unloaded
  MessageFilter filter;
};

struct QueueState {
  std::mutex mu;
  std::condition_variable cv;
  std::deque<MSG> posted;
  bool quit_pending = false;
  int quit_code = 0;
  std::deque<std::shared_ptr<CrossCall>> calls;
  std::condition_variable calls_done;
  int workers = 0;  // under mu
  std::deque<MSG> input;
  std::atomic<bool> ui_bound{false};
  std::atomic<DWORD> ui_thread{0};  // the thread that made the first window
  DWORD last_time = 0;
  POINT last_pos{0, 0};
  int in_send = 0;
  std::vector<HWND> modal;
  IdleHandler idle;
  DeadlockHandler deadlock;
  EventWaiter waiter;
  std::function<void()> wake;
  std::map<int, RegisteredFilter> filters;
  int next_filter = 1;
};

QueueState& Q() {
  static QueueState q;
  return q;
}

// A worker's queue: thread messages and its WM_QUIT.
struct ThreadQueue {
  DWORD id = 0;
  std::mutex mu;
  std::condition_variable cv;
  std::deque<MSG> posted;
  bool quit_pending = false;
  int quit_code = 0;
};

struct ThreadRegistry {
  std::mutex mu;
  std::map<DWORD, std::shared_ptr<ThreadQueue>> queues;
};

ThreadRegistry& Threads() {
  static ThreadRegistry r;
  return r;
}

// Owns the calling worker's queue; the queue leaves the registry when the thread ends.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueHolder() {
    if (!queue) return;
    auto& r = Threads();
    std::lock_guard lock(r.mu);
    r.queues.erase(queue->id);
  }
};
thread_local QueueHolder t_queue;
thread_local int t_serving_send = 0;

ThreadQueue& OwnQueue() {
  if (!t_queue.queue) {
    auto q = std::make_shared<ThreadQueue>();
    q->id = GetCurrentThreadId();
    auto& r = Threads();
    std::lock_guard lock(r.mu);
    r.queues[q->id] = q;
    t_queue.queue = std::move(q);
  }
  return *t_queue.queue;
}

std::shared_ptr<ThreadQueue> QueueOfThread(DWORD id) {
  auto& r = Threads();
  std::lock_guard lock(r.mu);
  auto it = r.queues.find(id);
  return it == r.queues.end() ? nullptr : it->second;
}

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));

// Takes a worker's next message (its lock held); false when none matches.
bool TakeWorkerMessage(ThreadQueue& t, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  if (filter && filter != kThreadMessagesOnly) return false;  // a worker has no windows
  for (auto it = t.posted.begin(); it != t.posted.end(); ++it) {
    if ((min || max) && (it->message < min || it->message > max)) continue;
    if (out) *out = *it;
    if (remove) t.posted.erase(it);
    return true;
  }
  if (t.quit_pending && t.posted.empty()) {
    if (out) *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(t.quit_code), 0, 0, {0, 0}};
    if (remove) t.quit_pending = false;
    return true;
  }
  return false;
}

bool RetrieveOnWorker(MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  ThreadQueue& t = OwnQueue();
  std::lock_guard lock(t.mu);
  if (!TakeWorkerMessage(t, out, filter, min, max, remove)) return false;
  if (out && out->time == 0) out->time = GetTickCount();
  return true;
}

void PostToWorker(ThreadQueue& t, const MSG& m) {
  {
    std::lock_guard lock(t.mu);
    t.posted.push_back(m);
  }
  t.cv.notify_all();
}

// Wakes the window thread wherever it waits: its queue's condition and the display backend's wait.
void WakeUi(QueueState& q) {
  std::function<void()> wake;
  {
    std::lock_guard<std::mutex> lock(q.mu);
    wake = q.wake;
  }
  q.cv.notify_all();
  if (wake) wake();
}

// Queues a call for the window thread and waits until it has run; an exception it raised is taken over here, under
// the lock, so that it is released on this thread only.
std::exception_ptr RunCrossThread(const std::shared_ptr<CrossCall>& call) {
  QueueState& q = Q();
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.calls.push_back(call);
  }
  WakeUi(q);
  std::unique_lock<std::mutex> lock(q.mu);
  q.calls_done.wait(lock, [&] { return call->done; });
  return std::exchange(call->error, nullptr);
}

bool WorkWaiting(const QueueState& q) { return !q.posted.empty() || q.quit_pending || !q.calls.empty(); }

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
  // The children bottom first, so that the ones above paint last. The search only looks: no window comes or
  // goes meanwhile, so the lists are walked where they are.
  const std::vector<HWND>& children = w->children;
  for (auto c = children.rbegin(); c != children.rend(); ++c)
    if (FindPaint(*c, filter, out)) return true;
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
  q.ui_thread.store(GetCurrentThreadId());
  q.ui_bound.store(true);
}

bool Retrieve(MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  if (!IsWindowThread()) return RetrieveOnWorker(out, filter, min, max, remove);
  RunPendingTermination();
  ServeCrossThreadCalls();
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
    for (HWND t : TopLevelWindowsInPlace()) {
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

bool TakeDisplayEventsNow() {
  if (!IsWindowThread()) return false;
  QueueState& q = Q();
  if (!q.waiter) return false;
  EventWaiter waiter = q.waiter;
  return waiter(0);
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
  // Virtual time jumps to the program's timers only: the layer's own (a blinking caret) never end a wait.
  if (platform::sys::IsVirtualClock()) next = NanosUntilNextTimer(false);
  if (next >= 0) {
    if (platform::sys::IsVirtualClock()) {
      platform::sys::AdvanceVirtualClock(next);
    } else {
      std::unique_lock<std::mutex> lock(q.mu);
      q.cv.wait_for(lock, std::chrono::nanoseconds(next), [&] { return WorkWaiting(q); });
    }
    return true;
  }
  if (!platform::sys::IsVirtualClock() && !q.waiter) {
    // Real time with no display: only another thread can post something now.
    std::unique_lock<std::mutex> lock(q.mu);
    q.cv.wait(lock, [&] { return WorkWaiting(q); });
    return true;
  }
  if (!q.waiter) {
    // Virtual time with nothing armed: a running worker may still post or send; wait for it, or for its end.
    std::unique_lock<std::mutex> lock(q.mu);
    if (q.workers > 0 || !q.calls.empty()) {
      q.cv.wait(lock, [&] { return WorkWaiting(q) || q.workers == 0; });
      return true;
    }
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
  q.filters[id] = detail::RegisteredFilter{platform::sys::ModuleOfAddress(__builtin_return_address(0)), std::move(filter)};
  return id;
}

namespace {
// A library's filters go before it is closed: dropping them later would run its code after it is unmapped.
[[maybe_unused]] const int kDropFiltersOnUnload =
    platform::sys::AddModuleUnloadListener(platform::sys::UnloadPhase::kBeforeClose, [](HMODULE module) {
      std::erase_if(detail::Q().filters, [&](const auto& e) { return e.second.module == module; });
    });
}  // namespace

void RemoveMessageFilter(int id) { detail::Q().filters.erase(id); }

bool RunMessageFilters(MSG& msg) {
  auto& q = detail::Q();
  if (q.filters.empty()) return false;
  std::vector<MessageFilter> copy;
  for (auto& [id, f] : q.filters) copy.push_back(f.filter);
  for (auto& f : copy)
    if (f(msg)) return true;
  return false;
}

}  // namespace platform::win

namespace platform::win {

bool IsWindowThread() {
  const auto& q = detail::Q();
  const DWORD me = GetCurrentThreadId();
  if (q.ui_bound.load()) return me == q.ui_thread.load();
  return me == static_cast<DWORD>(getpid());  // no window yet: the process's main thread
}

DWORD WindowThreadId() {
  const auto& q = detail::Q();
  return q.ui_bound.load() ? q.ui_thread.load() : static_cast<DWORD>(getpid());
}

int ServeCrossThreadCalls() {
  if (!IsWindowThread()) return 0;
  auto& q = detail::Q();
  int served = 0;
  for (;;) {
    std::shared_ptr<detail::CrossCall> call;
    {
      std::lock_guard<std::mutex> lock(q.mu);
      if (q.calls.empty()) break;
      call = std::move(q.calls.front());
      q.calls.pop_front();
    }
    try {
      if (call->fn) {
        call->fn();
      } else {
        ++detail::t_serving_send;
        call->result = SendMessage(call->hwnd, call->message, call->wparam, call->lparam);
        --detail::t_serving_send;
      }
    } catch (...) {
      if (!call->detached) call->error = std::current_exception();
      if (!call->fn) --detail::t_serving_send;
    }
    {
      std::lock_guard<std::mutex> lock(q.mu);
      call->done = true;
    }
    q.calls_done.notify_all();
    ++served;
  }
  return served;
}

void WaitServingCalls(const std::function<bool()>& done) {
  auto& q = detail::Q();
  for (;;) {
    ServeCrossThreadCalls();
    if (done()) return;
    std::unique_lock<std::mutex> lock(q.mu);
    // done() may turn true without a wake-up (a worker that just ended): look again every few milliseconds.
    q.cv.wait_for(lock, std::chrono::milliseconds(5), [&] { return !q.calls.empty(); });
  }
}

void WakeWindowThread() { detail::WakeUi(detail::Q()); }

void RunOnWindowThread(const std::function<void()>& fn) {
  if (!fn) return;
  if (IsWindowThread()) {
    fn();
    return;
  }
  auto call = std::make_shared<detail::CrossCall>();
  call->fn = fn;
  if (std::exception_ptr error = detail::RunCrossThread(call)) std::rethrow_exception(error);
}

void PostToWindowThread(std::function<void()> fn) {
  if (!fn) return;
  if (IsWindowThread()) {
    fn();
    return;
  }
  auto call = std::make_shared<detail::CrossCall>();
  call->fn = std::move(fn);
  call->detached = true;
  auto& q = detail::Q();
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.calls.push_back(std::move(call));
  }
  detail::WakeUi(q);
}

namespace {
void CountWorker(int delta) {
  auto& q = detail::Q();
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.workers += delta;
  }
  q.cv.notify_all();
}
}  // namespace

WorkerScope::WorkerScope() { CountWorker(1); }
WorkerScope::~WorkerScope() { CountWorker(-1); }

int RunningWorkers() {
  auto& q = detail::Q();
  std::lock_guard<std::mutex> lock(q.mu);
  return q.workers;
}

std::thread StartWorker(std::function<void()> body) {
  CountWorker(1);  // counted from now, so the window thread cannot miss a worker that has not started yet
  return std::thread([body = std::move(body)] {
    struct Uncount {
      ~Uncount() { CountWorker(-1); }
    } uncount;
    body();
  });
}

}  // namespace platform::win

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* pid) {
  if (pid) *pid = static_cast<DWORD>(getpid());
  // A worker must not read the window table: any handle it holds names a window of the window thread.
  if (!platform::win::IsWindowThread()) return hwnd ? platform::win::WindowThreadId() : 0;
  return Lookup(hwnd) ? platform::win::WindowThreadId() : 0;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!platform::win::IsWindowThread()) {
    // The window table belongs to the window thread: the call goes there, and this thread waits for the result.
    auto call = std::make_shared<platform::win::detail::CrossCall>();
    *call = platform::win::detail::CrossCall{hwnd, message, wparam, lparam, {}, 0, nullptr, false};
    if (std::exception_ptr error = platform::win::detail::RunCrossThread(call)) std::rethrow_exception(error);
    std::lock_guard<std::mutex> lock(platform::win::detail::Q().mu);
    return call->result;
  }
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
  const bool ui = platform::win::IsWindowThread();
  if (hwnd == HWND_BROADCAST) {
    if (!ui) return FALSE;
    for (HWND t : platform::win::detail::TopLevelWindows()) PostMessage(t, message, wparam, lparam);
    return TRUE;
  }
  if (!hwnd && !ui) {
    // A worker's thread message: its own queue.
    platform::win::detail::PostToWorker(platform::win::detail::OwnQueue(), MSG{nullptr, message, wparam, lparam, 0, {0, 0}});
    return TRUE;
  }
  if (ui && hwnd && !IsWindow(hwnd)) return FALSE;
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.posted.push_back(MSG{hwnd, message, wparam, lparam, 0, {0, 0}});
  }
  if (ui) {
    q.cv.notify_all();
  } else {
    platform::win::detail::WakeUi(q);
  }
  return TRUE;
}

BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam) {
  const MSG m{nullptr, message, wparam, lparam, 0, {0, 0}};
  if (thread_id == platform::win::WindowThreadId()) {
    auto& q = platform::win::detail::Q();
    {
      std::lock_guard<std::mutex> lock(q.mu);
      q.posted.push_back(m);
    }
    if (platform::win::IsWindowThread()) {
      q.cv.notify_all();
    } else {
      platform::win::detail::WakeUi(q);
    }
    return TRUE;
  }
  if (thread_id == GetCurrentThreadId()) {
    platform::win::detail::PostToWorker(platform::win::detail::OwnQueue(), m);
    return TRUE;
  }
  auto target = platform::win::detail::QueueOfThread(thread_id);
  if (!target) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  platform::win::detail::PostToWorker(*target, m);
  return TRUE;
}

void PostQuitMessage(int exit_code) {
  if (!platform::win::IsWindowThread()) {
    auto& t = platform::win::detail::OwnQueue();
    {
      std::lock_guard lock(t.mu);
      t.quit_pending = true;
      t.quit_code = exit_code;
    }
    t.cv.notify_all();
    return;
  }
  auto& q = platform::win::detail::Q();
  {
    std::lock_guard<std::mutex> lock(q.mu);
    q.quit_pending = true;
    q.quit_code = exit_code;
  }
  q.cv.notify_all();
}

namespace {

// GetMessage and WaitMessage of a worker: block on its own queue.
BOOL WorkerGetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max) {
  if (hwnd && hwnd != platform::win::detail::kThreadMessagesOnly) return -1;  // a worker has no windows
  auto& t = platform::win::detail::OwnQueue();
  std::unique_lock lock(t.mu);
  t.cv.wait(lock, [&] { return platform::win::detail::TakeWorkerMessage(t, nullptr, hwnd, filter_min, filter_max, false); });
  platform::win::detail::TakeWorkerMessage(t, msg, hwnd, filter_min, filter_max, true);
  lock.unlock();
  if (msg->time == 0) msg->time = GetTickCount();
  return msg->message != WM_QUIT;
}

}  // namespace

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max) {
  if (!msg) return -1;
  if (!platform::win::IsWindowThread()) return WorkerGetMessage(msg, hwnd, filter_min, filter_max);
  if (hwnd && hwnd != platform::win::detail::kThreadMessagesOnly && !IsWindow(hwnd)) return -1;
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
  const bool take = (remove & PM_REMOVE) != 0;
  if (!platform::win::detail::Retrieve(&m, hwnd, filter_min, filter_max, take)) {
    // Nothing queued: what the display has delivered by now is taken in, without waiting, and looked at once more,
    // so that a loop that peeks while it works still sees the user's input.
    if (!platform::win::detail::TakeDisplayEventsNow()) return FALSE;
    if (!platform::win::detail::Retrieve(&m, hwnd, filter_min, filter_max, take)) return FALSE;
  }
  if (msg) *msg = m;
  return TRUE;
}

BOOL WaitMessage() {
  if (!platform::win::IsWindowThread()) {
    auto& t = platform::win::detail::OwnQueue();
    std::unique_lock lock(t.mu);
    t.cv.wait(lock, [&] { return !t.posted.empty() || t.quit_pending; });
    return TRUE;
  }
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
  if (!msg || !platform::win::IsWindowThread()) return FALSE;
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
  if (!platform::win::IsWindowThread()) return 0;  // a worker's messages have no window to go to
  if ((msg->message == WM_TIMER || msg->message == WM_SYSTIMER) && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, msg->message, msg->wParam, GetTickCount());
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
  thread_local const DWORD id = static_cast<DWORD>(gettid());
  return id;
}

BOOL InSendMessage() { return platform::win::detail::t_serving_send > 0 ? TRUE : FALSE; }
