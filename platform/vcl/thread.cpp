#include "platform/vcl/thread.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

#include "platform/vcl/application.h"
#include "platform/vcl/no_destructor.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

constexpr const char* kSyncClass = "ZprVclSync";
constexpr UINT kSyncMessage = WM_USER + 0x7F02;

struct SyncRequest {
  std::function<void()> work;
  bool done = false;
  bool cancelled = false;
  std::exception_ptr error;
};

struct ThreadState {
  std::mutex mutex;
  std::condition_variable changed;  // a request was done or cancelled, or a thread finished
  std::vector<std::unique_ptr<TThread>> threads;
  std::deque<std::shared_ptr<SyncRequest>> requests;
  std::atomic<bool> ending{false};
  HWND sync_window = nullptr;
  bool exit_hook = false;
};

ThreadState& S() {
  static NoDestructor<ThreadState> state;
  return *state;
}

thread_local TThread* t_current = nullptr;

LRESULT CALLBACK SyncProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kSyncMessage) {
    TThread::CheckSynchronize();
    return 0;
  }
  return DefWindowProc(hwnd, message, wparam, lparam);
}

// The window that takes the workers' requests; made on the window thread.
HWND SyncWindow() {
  ThreadState& s = S();
  if (s.sync_window && IsWindow(s.sync_window)) return s.sync_window;
  if (!Application->OnWindowThread()) return nullptr;
  HINSTANCE instance = GetModuleHandle(nullptr);
  WNDCLASS probe;
  if (!GetClassInfo(instance, kSyncClass, &probe)) {
    WNDCLASS wc{0, SyncProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, kSyncClass};
    RegisterClass(&wc);
  }
  HWND made = CreateWindowEx(0, kSyncClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  std::lock_guard lock(s.mutex);
  s.sync_window = made;
  return made;
}

void CancelRequests() {
  ThreadState& s = S();
  std::lock_guard lock(s.mutex);
  for (auto& r : s.requests) r->cancelled = true;
  s.requests.clear();
  s.changed.notify_all();
}

void JoinAtExit() {
  // The process ends: no worker may outlive the statics it uses, and none waits on the window thread now.
  ThreadState& s = S();
  s.ending = true;
  CancelRequests();
  std::vector<TThread*> threads;
  {
    std::lock_guard lock(s.mutex);
    for (auto& t : s.threads) threads.push_back(t.get());
  }
  for (TThread* t : threads) t->Terminate();
  for (TThread* t : threads) t->WaitFor();
}

// A FreeOnTerminate thread asks the window thread to destroy it once it is done.
void FreeIfKept(TThread* thread) {
  ThreadState& s = S();
  bool kept;
  {
    std::lock_guard lock(s.mutex);
    kept = std::any_of(s.threads.begin(), s.threads.end(), [&](const auto& t) { return t.get() == thread; });
  }
  if (kept) TThread::Free(thread);
}

}  // namespace

TThread::TThread() = default;

TThread::~TThread() {
  Terminate();
  Join();
}

void TThread::Adopt(std::unique_ptr<TThread> thread, bool create_suspended) {
  ThreadState& s = S();
  SyncWindow();
  TThread* raw = thread.get();
  raw->suspend_requested_ = create_suspended;
  {
    std::lock_guard lock(s.mutex);
    s.threads.push_back(std::move(thread));
    if (!s.exit_hook) {
      s.exit_hook = true;
      std::atexit(JoinAtExit);
    }
  }
  if (!create_suspended) raw->Start();
}

int TThread::Count() {
  std::lock_guard lock(S().mutex);
  return static_cast<int>(S().threads.size());
}

void TThread::Start() {
  std::lock_guard lock(mutex_);
  if (started_) return;
  started_ = true;
  thread_ = std::thread([this] { Body(); });
}

void TThread::Body() {
  t_current = this;
  try {
    Execute();
  } catch (const std::exception& e) {
    std::lock_guard lock(mutex_);
    fatal_ = e.what();
  } catch (...) {
    std::lock_guard lock(mutex_);
    fatal_ = "unknown exception";
  }
  if (OnTerminate) {
    try {
      Synchronize([this] { OnTerminate(this); });
    } catch (...) {
    }
  }
  const bool free_me = free_on_terminate_ && !S().ending;
  {
    std::lock_guard lock(S().mutex);
    finished_ = true;
    S().changed.notify_all();
  }
  if (free_me) {
    auto request = std::make_shared<SyncRequest>();
    request->work = [this] { FreeIfKept(this); };
    HWND window;
    {
      std::lock_guard lock(S().mutex);
      S().requests.push_back(request);
      window = S().sync_window;
    }
    PostMessage(window, kSyncMessage, 0, 0);
  }
  t_current = nullptr;
}

void TThread::Resume() {
  if (!started_) {
    suspend_requested_ = false;
    Start();
    return;
  }
  std::lock_guard lock(mutex_);
  suspend_requested_ = false;
  resumed_.notify_all();
}

void TThread::Suspend() {
  suspend_requested_ = true;
  if (t_current == this) CheckSuspended();
}

void TThread::Terminate() {
  std::lock_guard lock(mutex_);
  terminated_ = true;
  resumed_.notify_all();
}

void TThread::CheckSuspended() {
  TThread* self = t_current;
  if (!self) return;
  std::unique_lock lock(self->mutex_);
  self->resumed_.wait(lock, [self] { return !self->suspend_requested_ || self->terminated_; });
}

std::string TThread::FatalException() const {
  std::lock_guard lock(mutex_);
  return fatal_;
}

int TThread::WaitFor() {
  if (!started_ || t_current == this) return ReturnValue;
  ThreadState& s = S();
  if (Application->OnWindowThread()) {
    // The worker may wait for the window thread in Synchronize: run its requests while waiting.
    for (;;) {
      CheckSynchronize();
      std::unique_lock lock(s.mutex);
      if (finished_) break;
      s.changed.wait(lock, [&] { return finished_ || !s.requests.empty(); });
    }
  }
  Join();
  return ReturnValue;
}

void TThread::Join() {
  std::thread worker;
  {
    std::lock_guard lock(mutex_);
    if (!thread_.joinable() || thread_.get_id() == std::this_thread::get_id()) return;
    worker = std::move(thread_);
  }
  if (Application->OnWindowThread() && !finished_) {
    ThreadState& s = S();
    for (;;) {
      CheckSynchronize();
      std::unique_lock lock(s.mutex);
      if (finished_) break;
      s.changed.wait(lock, [&] { return finished_ || !s.requests.empty(); });
    }
  }
  worker.join();
}

void TThread::Free(TThread* thread) {
  if (!thread) return;
  thread->Terminate();
  thread->WaitFor();
  std::unique_ptr<TThread> doomed;
  {
    ThreadState& s = S();
    std::lock_guard lock(s.mutex);
    auto it = std::find_if(s.threads.begin(), s.threads.end(), [&](const auto& t) { return t.get() == thread; });
    if (it == s.threads.end()) return;
    doomed = std::move(*it);
    s.threads.erase(it);
  }
}

void TThread::JoinAll() {
  ThreadState& s = S();
  s.ending = true;
  CancelRequests();
  std::vector<std::unique_ptr<TThread>> threads;
  {
    std::lock_guard lock(s.mutex);
    threads.swap(s.threads);
  }
  for (auto& t : threads) t->Terminate();
  for (auto& t : threads) t->WaitFor();
  threads.clear();
  CancelRequests();  // the free requests of the threads just joined
  s.ending = false;
}

bool TThread::Synchronize(const std::function<void()>& work) {
  if (Application->OnWindowThread()) {
    work();
    return true;
  }
  ThreadState& s = S();
  auto request = std::make_shared<SyncRequest>();
  request->work = work;
  HWND window;
  {
    std::lock_guard lock(s.mutex);
    if (s.ending || !s.sync_window) return false;
    s.requests.push_back(request);
    window = s.sync_window;
    s.changed.notify_all();
  }
  PostMessage(window, kSyncMessage, 0, 0);
  std::exception_ptr error;
  {
    std::unique_lock lock(s.mutex);
    s.changed.wait(lock, [&] { return request->done || request->cancelled; });
    if (request->cancelled) return false;
    // The exception is taken over here, under the lock: it is released on this thread only.
    error = std::move(request->error);
  }
  if (error) std::rethrow_exception(error);
  return true;
}

void TThread::CheckSynchronize() {
  if (!Application->OnWindowThread()) return;
  ThreadState& s = S();
  for (;;) {
    std::shared_ptr<SyncRequest> request;
    {
      std::lock_guard lock(s.mutex);
      if (s.requests.empty()) return;
      request = s.requests.front();
      s.requests.pop_front();
    }
    std::exception_ptr error;
    try {
      request->work();
    } catch (...) {
      error = std::current_exception();
    }
    std::lock_guard lock(s.mutex);
    request->error = std::move(error);
    request->done = true;
    s.changed.notify_all();
  }
}
