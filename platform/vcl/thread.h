// Worker threads of the form layer.
// - A thread is made by TThread::Create<T>(create_suspended, ...): the layer keeps it, starts it unless it was
//   created suspended (Resume starts it then), and joins every thread still running when the application ends
//   (the end of Run, Reset, or the process's exit): Terminate, release a suspension, then join.
// - Suspend is cooperative: the thread stops at its next suspension point (CheckSuspended, which the pauses of
//   a worker call) until Resume; a thread that suspends itself stops at once.
// - Only the window thread touches forms: a worker hands work to it with Synchronize (the layer's
//   RunOnWindowThread) and waits for it, or with Queue and goes on. The window thread never joins a worker with a plain join: it waits
//   serving the workers' calls, so a worker inside Synchronize is never left waiting. Once the application is
//   ending, a new Synchronize runs nothing and returns false.
// - A running thread counts as a worker of the window layer (the window thread's idle wait waits for it instead
//   of calling the program stuck); a suspended one does not, as it will not post anything until resumed.
// - With FreeOnTerminate the thread is destroyed on the window thread once Execute and OnTerminate are done.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/vcl/types.h"
#include "platform/win/threads.h"

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
using enum TThreadPriority;

class TThread : public TObject {
 public:
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  template <class T, class... Args>
  static T* Create(bool create_suspended, Args&&... args) {
    auto made = std::unique_ptr<T>(new T(std::forward<Args>(args)...));
    T* raw = made.get();
    Adopt(std::move(made), create_suspended);
    return raw;
  }
  // Terminates, releases and joins the thread, then destroys it (on the window thread).
  static void Free(TThread* thread);
  // Terminates and joins every thread the layer keeps, and destroys them (the end of the application).
  static void JoinAll();
  // The number of threads the layer keeps.
  static int Count();

  void Resume();
  void Suspend();
  bool Suspended() const { return suspend_requested_.load(); }
  void Terminate();
  bool Terminated() const { return terminated_.load(); }
  // Waits until Execute has returned (the window thread runs the workers' Synchronize calls meanwhile);
  // ReturnValue.
  int WaitFor();
  bool Finished() const { return finished_.load(); }

  TThreadPriority Priority() const { return priority_; }
  // Kept only: raising a thread's priority needs rights a program does not have.
  void SetPriority(TThreadPriority priority) { priority_ = priority; }
  bool FreeOnTerminate() const { return free_on_terminate_.load(); }
  void SetFreeOnTerminate(bool on) { free_on_terminate_ = on; }
  // Runs on the window thread after Execute returned.
  TNotifyEvent OnTerminate;
  // The message of an exception that ended Execute ("" when none).
  std::string FatalException() const;

  // The suspension point of the calling thread: waits while its TThread is suspended (and not terminated);
  // does nothing on any other thread.
  static void CheckSuspended();
  // Runs work on the window thread and waits for it; an exception it raises is raised here. False when the
  // application is ending and the work did not run.
  static bool Synchronize(const std::function<void()>& work);
  // Hands work to the window thread without waiting for it (on the window thread it runs at once). Work handed
  // runs in order; once the application is ending it is dropped, also when it was handed before.
  static void Queue(std::function<void()> work);
  // Runs the work that workers handed to the window thread now and destroys the FreeOnTerminate threads that
  // are done (the window thread's loops do both on their own).
  static void CheckSynchronize();

 protected:
  TThread();
  virtual void Execute() = 0;
  int ReturnValue = 0;

 private:
  static void Adopt(std::unique_ptr<TThread> thread, bool create_suspended);
  void Start();
  void Body();
  void Join();

  std::thread thread_;
  std::optional<platform::win::WorkerScope> worker_;  // counted while started and not suspended
  std::atomic<bool> started_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<bool> suspend_requested_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> free_on_terminate_{false};
  TThreadPriority priority_ = tpNormal;
  mutable std::mutex mutex_;
  std::condition_variable resumed_;
  std::string fatal_;
};
