// The thread model: workers' own queues, cross-thread SendMessage and RunOnWindowThread, the window thread waiting
// for a worker. The ThreadSanitizer build (scripts/tsan) runs these too.
#include "platform/win/threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <vector>

#include "platform/sys/user_name.h"
#include "platform/testing/driver.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

constexpr UINT kDouble = WM_USER + 5;
constexpr UINT kReport = WM_USER + 6;

struct ProcRecord {
  DWORD thread = 0;
  BOOL in_send = FALSE;
  std::vector<WPARAM> reports;
};
ProcRecord g_record;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kDouble) {
    g_record.thread = GetCurrentThreadId();
    g_record.in_send = InSendMessage();
    return static_cast<LRESULT>(w * 2);
  }
  if (m == kReport) {
    g_record.reports.push_back(w);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class Threads : public ::testing::Test {
 protected:
  void SetUp() override {
    g_record = ProcRecord{};
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("TestThreads", Proc));
    hwnd_ = CreateWindowEx(0, "TestThreads", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_TRUE(platform::win::IsWindowThread());
  }
  platform::testing::Session session_;
  HWND hwnd_ = nullptr;
};

TEST_F(Threads, AWorkerLoopSeesOnlyItsOwnQueue) {
  PostMessage(hwnd_, WM_USER + 1, 0, 0);  // the window thread's
  std::promise<DWORD> started;
  std::vector<UINT> seen;
  bool peeked_window_message = true;
  std::thread worker = platform::win::StartWorker([&] {
    MSG m;
    peeked_window_message = PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);
    EXPECT_FALSE(platform::win::IsWindowThread());
    PostMessage(nullptr, WM_APP + 1, 0, 0);  // a thread message to itself
    started.set_value(GetCurrentThreadId());
    while (GetMessage(&m, nullptr, 0, 0) > 0) seen.push_back(m.message);
    seen.push_back(static_cast<UINT>(m.wParam));
  });
  const DWORD id = started.get_future().get();
  EXPECT_NE(id, GetCurrentThreadId());
  EXPECT_TRUE(PostThreadMessage(id, WM_APP + 2, 0, 0));
  EXPECT_TRUE(PostThreadMessage(id, WM_QUIT, 9, 0));
  worker.join();
  EXPECT_FALSE(peeked_window_message);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_APP + 1, WM_APP + 2, 9}));

  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) << "the window thread's message is still there";
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 1));
  SetLastError(0);
  EXPECT_FALSE(PostThreadMessage(id, WM_APP, 0, 0)) << "an ended thread has no queue";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);
}

TEST_F(Threads, SendMessageFromAWorkerRunsOnTheWindowThreadAndReturnsItsResult) {
  std::atomic<bool> finished{false};
  LRESULT result = 0;
  LRESULT stale = -1;
  HWND gone = CreateWindowEx(0, "TestThreads", "g", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  std::thread worker = platform::win::StartWorker([&] {
    result = SendMessage(hwnd_, kDouble, 21, 0);
    stale = SendMessage(gone, kDouble, 1, 0);
    finished = true;
    platform::win::WakeWindowThread();
  });
  platform::win::WaitServingCalls([&] { return finished.load(); });
  worker.join();
  EXPECT_EQ(result, 42);
  EXPECT_EQ(stale, 0) << "a window gone by then answers 0";
  EXPECT_EQ(g_record.thread, GetCurrentThreadId());
  EXPECT_TRUE(g_record.in_send);
  EXPECT_FALSE(InSendMessage());
}

// The program's own loop serves the worker: the window thread waits in GetMessage with nothing armed, and neither
// reports a deadlock nor returns before the worker's send and post have come.
TEST_F(Threads, TheMainLoopWaitsForARunningWorkerInsteadOfADeadlock) {
  std::thread worker = platform::win::StartWorker([&] {
    const LRESULT r = SendMessage(hwnd_, kDouble, 5, 0);
    PostMessage(hwnd_, kReport, static_cast<WPARAM>(r), 0);
  });
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) > 0) DispatchMessage(&m);
  worker.join();
  EXPECT_EQ(g_record.reports, (std::vector<WPARAM>{10}));
  EXPECT_EQ(platform::testing::DeadlockCount(), 0);
  EXPECT_EQ(platform::win::RunningWorkers(), 0);
}

TEST_F(Threads, RunOnWindowThreadRunsThereAndRaisesItsExceptionInTheCaller) {
  DWORD ran_on = 0;
  platform::win::RunOnWindowThread([&] { ran_on = GetCurrentThreadId(); });
  EXPECT_EQ(ran_on, GetCurrentThreadId()) << "on the window thread it is a plain call";

  std::atomic<bool> finished{false};
  bool caught = false;
  std::thread worker = platform::win::StartWorker([&] {
    platform::win::RunOnWindowThread([&] {
      ran_on = GetCurrentThreadId();
      SetWindowText(hwnd_, "from the worker");
    });
    try {
      platform::win::RunOnWindowThread([] { throw std::runtime_error("form gone"); });
    } catch (const std::runtime_error& e) {
      caught = std::string(e.what()) == "form gone";
    }
    finished = true;
  });
  platform::win::WaitServingCalls([&] { return finished.load(); });
  worker.join();
  EXPECT_EQ(ran_on, GetCurrentThreadId());
  char text[32] = {};
  GetWindowText(hwnd_, text, sizeof text);
  EXPECT_STREQ(text, "from the worker");
  EXPECT_TRUE(caught);
}

TEST_F(Threads, WindowsBelongToTheWindowThread) {
  DWORD pid = 0;
  EXPECT_EQ(GetWindowThreadProcessId(hwnd_, &pid), GetCurrentThreadId());
  EXPECT_NE(pid, 0u);
  HWND made = reinterpret_cast<HWND>(1);
  DWORD error = 0;
  std::thread worker = platform::win::StartWorker([&] {
    made = CreateWindowEx(0, "TestThreads", "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    error = GetLastError();
  });
  worker.join();
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(error, ERROR_ACCESS_DENIED);
}

}  // namespace
