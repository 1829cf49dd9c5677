// The thread model of the window layer.
//
// The window thread. Windows belong to the thread that created them, and the layer has one such thread: the
// thread that created the first window (until then, the process's main thread). Creating a window on any other
// thread fails (null, ERROR_ACCESS_DENIED). Everything that touches windows, dialogs, menus, timers, GDI objects
// of windows or the test driver runs on the window thread.
//
// Queues. Every thread that runs a message loop has its own queue. The window thread's queue holds what is posted
// to its windows, its thread messages, input, WM_PAINT, WM_TIMER and its WM_QUIT. A worker's queue holds only the
// thread messages posted to it (PostThreadMessage with its id, PostMessage(nullptr, ...) from itself) and its own
// WM_QUIT: a worker's PeekMessage/GetMessage never sees the window thread's messages, and GetMessage on a worker
// blocks until something is posted to it.
//
// Posting. PostMessage to a window works from any thread and goes to the window thread's queue; it wakes that
// thread's wait (and the display backend's). PostThreadMessage reaches any thread that has a queue (a thread gets
// one on its first message call) and fails with ERROR_INVALID_THREAD_ID for any other id.
//
// Sending. SendMessage on the window thread calls the procedure directly. From another thread it queues the call
// for the window thread and waits: the window thread runs it the next time it looks at its queue (GetMessage,
// PeekMessage, WaitMessage, a modal loop, the driver's pump) or waits in WaitServingCalls. The result comes back
// to the sender; a window gone by then gives 0. InSendMessage is TRUE while such a call runs.
//
// RunOnWindowThread(fn) is the same for any code (the form layer's Synchronize): runs fn on the window thread and
// waits; an exception fn throws is raised again in the caller. On the window thread it just calls fn.
//
// Waiting for a worker. A worker that waits in SendMessage or RunOnWindowThread needs the window thread to serve
// it, so the window thread never joins a worker with a plain join: it waits in WaitServingCalls until the worker
// has finished (the thread class's WaitFor does so).
//
// Workers and the virtual clock. Workers started through StartWorker (or that hold a WorkerScope) are counted;
// while one runs, the window thread whose queue is empty with no timer armed waits for it to post or send instead
// of reporting a deadlock. Each thread reads the virtual clock on its own: a read advances that thread's own step
// and Sleep moves only the sleeper, while AdvanceVirtualClock (the test, or the window thread waiting for its next
// timer) moves every thread. So the window thread's timeline does not depend on how often a worker reads the clock,
// and every thread's busy wait still ends.
#pragma once

#include <functional>
#include <thread>

#include "platform/sys/wintypes.h"

inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;

// The thread that owns the window (the window thread); 0 for no window. pid, when given, gets the process id.
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* pid);

namespace platform::win {

// Whether the calling thread is the window thread.
bool IsWindowThread();
// The window thread's id (GetCurrentThreadId of that thread).
DWORD WindowThreadId();

// Runs fn on the window thread and waits for it (see above).
void RunOnWindowThread(const std::function<void()>& fn);
// Hands fn to the window thread without waiting: it runs, in the order handed, wherever the window thread serves
// cross-thread calls. On the window thread it just calls fn. An exception fn throws is dropped (nobody waits for
// it).
void PostToWindowThread(std::function<void()> fn);

// Window thread: runs every cross-thread send and call that waits now; returns how many ran.
int ServeCrossThreadCalls();
// Window thread: waits until done() holds, running cross-thread sends and calls meanwhile. done() is checked on
// every wake-up (WakeWindowThread, a post, a send, a worker's end) and at least every few milliseconds.
void WaitServingCalls(const std::function<bool()>& done);
// Wakes the window thread's waits (after a change that a done() of WaitServingCalls looks at).
void WakeWindowThread();

// Counts the calling code as a running worker for its lifetime (see above).
class WorkerScope {
 public:
  WorkerScope();
  ~WorkerScope();
  WorkerScope(const WorkerScope&) = delete;
  WorkerScope& operator=(const WorkerScope&) = delete;
};
// How many workers run now.
int RunningWorkers();
// Starts body on a new thread, counted as a worker from this call until body returns.
std::thread StartWorker(std::function<void()> body);

}  // namespace platform::win
