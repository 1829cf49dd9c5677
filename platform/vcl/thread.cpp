#include "platform/vcl/thread.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/vcl/application.h"
#include "platform/vcl/no_destructor.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

constexpr const char* kReaperClass = "ZprVclThreadReaper";
constexpr UINT kFreeMessage = WM_USER + 0x7F02;

struct ThreadState {
  std::mutex mutex;
  std::vector<std::unique_ptr<TThread>> threads;
  std::atomic<bool> ending{false};
  std::atomic<unsigned> generation{0};  // moves on with every JoinAll: work queued before it is dropped
  HWND reaper = nullptr;  // woken when a FreeOnTerminate thread is done
  std::vector<TThread*> done_free;  // FreeOnTerminate threads that are done, to be destroyed on the window thread
  bool exit_hook = false;
};

ThreadState& S() {
  static NoDestructor<ThreadState> state;
  return *state;
}

thread_local TThread* t_current = nullptr;

// The FreeOnTerminate threads that are done are destroyed by the window thread (its loops by the reaper's
// message, CheckSynchronize directly). Free and JoinAll take a thread off the list when they destroy it, so the
// list never holds a stale pointer.
void ReapDone() {
  ThreadState& s = S();
  std::vector<TThread*> done;
  {
    std::lock_guard lock(s.mutex);
    done.swap(s.done_free);
  }
  for (TThread* t : done) TThread::Free(t);
}

LRESULT CALLBACK ReaperProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kFreeMessage) {
    ReapDone();
    return 0;
  }
  return DefWindowProc(hwnd, message, wparam, lparam);
}

HWND Reaper() {
  ThreadState& s = S();
  if (s.reaper && IsWindow(s.reaper)) return s.reaper;
  if (!platform::win::IsWindowThread()) return nullptr;
  HINSTANCE instance = GetModuleHandle(nullptr);
  WNDCLASS probe;
  if (!GetClassInfo(instance, kReaperClass, &probe)) {
    WNDCLASS wc{0, ReaperProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, kReaperClass};
    RegisterClass(&wc);
  }
  HWND made = CreateWindowEx(0, kReaperClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  std::lock_guard lock(s.mutex);
  s.reaper = made;
  return made;
}

void JoinAtExit() {
  // The process ends: no worker may outlive the statics it uses.
  ThreadState& s = S();
  s.ending = true;
  std::vector<TThread*> threads;
  {
    std::lock_guard lock(s.mutex);
    for (auto& t : s.threads) threads.push_back(t.get());
  }
  for (TThread* t : threads) t->Terminate();
  for (TThread* t : threads) t->WaitFor();
}

}  // namespace

TThread::TThread() = default;

TThread::~TThread() {
  Terminate();
  Join();
}

void TThread::Adopt(std::unique_ptr<TThread> thread, bool create_suspended) {
  ThreadState& s = S();
  Reaper();
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
  worker_.emplace();  // counted from now: the window thread cannot miss a worker that has not begun
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
  HWND reaper = nullptr;
  {
    std::lock_guard lock(S().mutex);
    if (free_on_terminate_ && !S().ending) {
      S().done_free.push_back(this);
      reaper = S().reaper;
    }
  }
  {
    std::lock_guard lock(mutex_);
    worker_.reset();
    finished_ = true;
  }
  platform::win::WakeWindowThread();
  if (reaper) PostMessage(reaper, kFreeMessage, 0, 0);
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
  if (!self->suspend_requested_ || self->terminated_) return;
  // Parked: no longer a running worker for the window thread's wait.
  self->worker_.reset();
  platform::win::WakeWindowThread();
  self->resumed_.wait(lock, [self] { return !self->suspend_requested_ || self->terminated_; });
  self->worker_.emplace();
}

std::string TThread::FatalException() const {
  std::lock_guard lock(mutex_);
  return fatal_;
}

int TThread::WaitFor() {
  if (!started_ || t_current == this) return ReturnValue;
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
  // The worker may wait for the window thread in Synchronize: the window thread serves it while it waits.
  if (platform::win::IsWindowThread()) platform::win::WaitServingCalls([this] { return finished_.load(); });
  worker.join();
}

void TThread::Free(TThread* thread) {
  if (!thread) return;
  ThreadState& s = S();
  auto kept = [&] {
    return std::find_if(s.threads.begin(), s.threads.end(), [&](const auto& t) { return t.get() == thread; });
  };
  {
    // A thread that is no longer kept (already freed) is not touched.
    std::lock_guard lock(s.mutex);
    if (kept() == s.threads.end()) return;
    // Free owns the thread from here: its end no longer queues it for the window thread's own free.
    thread->free_on_terminate_ = false;
    s.done_free.erase(std::remove(s.done_free.begin(), s.done_free.end(), thread), s.done_free.end());
  }
  thread->Terminate();
  thread->WaitFor();
  std::unique_ptr<TThread> doomed;
  {
    std::lock_guard lock(s.mutex);
    auto it = kept();
    if (it == s.threads.end()) return;
    doomed = std::move(*it);
    s.threads.erase(it);
  }
}

void TThread::JoinAll() {
  ThreadState& s = S();
  s.ending = true;
  std::vector<std::unique_ptr<TThread>> threads;
  {
    std::lock_guard lock(s.mutex);
    threads.swap(s.threads);
  }
  for (auto& t : threads) t->Terminate();
  for (auto& t : threads) t->WaitFor();
  {
    std::lock_guard lock(s.mutex);
    s.done_free.clear();
  }
  threads.clear();
  ++s.generation;
  s.ending = false;
}

bool TThread::Synchronize(const std::function<void()>& work) {
  if (platform::win::IsWindowThread()) {
    work();
    return true;
  }
  if (S().ending) return false;
  // The work's exception is carried back here by the worker's own pointer: it is made on the window thread and
  // released on this one, each after the other.
  std::exception_ptr error;
  platform::win::RunOnWindowThread([&] {
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
  });
  if (error) std::rethrow_exception(error);
  return true;
}

void TThread::Queue(std::function<void()> work) {
  if (!work) return;
  if (platform::win::IsWindowThread()) {
    work();
    return;
  }
  if (S().ending) return;
  platform::win::PostToWindowThread([work = std::move(work), generation = S().generation.load()] {
    if (!S().ending && S().generation == generation) work();
  });
}

void TThread::CheckSynchronize() {
  if (!platform::win::IsWindowThread()) return;
  platform::win::ServeCrossThreadCalls();
  ReapDone();
}
