// Worker threads: created suspended, resumed, suspended at their suspension points, terminated and joined, and
// reporting to a form through the window thread. Run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;
using namespace std::chrono_literals;

// Pumps the window thread until done() holds (bounded by wall time: these tests run real threads).
template <class Done>
bool PumpUntil(Done done) {
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    drv::PumpUntilIdle();
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

// A worker as the handheld tool's slave thread is: it counts its rounds, reports each tenth to the form on the
// window thread, and stops at its suspension point while suspended.
class TCounter : public TThread {
 public:
  explicit TCounter(TDemoForm* form, int rounds = 1 << 30) : form_(form), rounds_(rounds) {}
  std::atomic<int> count{0};
  std::atomic<int> reported{0};

 protected:
  void Execute() override {
    while (!Terminated() && count < rounds_) {
      CheckSuspended();
      const int n = ++count;
      if (form_ && n % 10 == 0) {
        Synchronize([&] {
          form_->Pro_Status->SetPosition(n / 10);
          form_->Lab_Status->SetCaption("Lese Datensatz ...");
          ++reported;
        });
      }
      std::this_thread::sleep_for(100us);
    }
    ReturnValue = count;
  }

 private:
  TDemoForm* form_;
  int rounds_;
};

using ThreadTest = VclTest;

TEST_F(ThreadTest, ACreatedSuspendedThreadRunsOnlyAfterResume) {
  auto* t = TThread::Create<TCounter>(true, nullptr, 100);
  std::this_thread::sleep_for(5ms);
  EXPECT_TRUE(t->Suspended());
  EXPECT_EQ(t->count, 0);
  t->SetPriority(tpHigher);
  t->Resume();
  EXPECT_EQ(t->WaitFor(), 100);
  EXPECT_TRUE(t->Finished());
  EXPECT_EQ(TThread::Count(), 1);
  TThread::Free(t);
  EXPECT_EQ(TThread::Count(), 0);
}

TEST_F(ThreadTest, AWorkerReportsToAFormThroughTheWindowThread) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Show();
  form->Pro_Status->SetMax(1000);
  auto* t = TThread::Create<TCounter>(false, form, 200);
  std::atomic<bool> terminated_seen{false};
  t->OnTerminate = [&](TObject*) { terminated_seen = Application->OnWindowThread(); };
  ASSERT_TRUE(PumpUntil([&] { return t->Finished(); }));
  EXPECT_EQ(t->reported, 20);
  EXPECT_EQ(form->Pro_Status->Position(), 20);
  EXPECT_EQ(form->Lab_Status->Caption(), "Lese Datensatz ...");
  EXPECT_TRUE(terminated_seen);
  EXPECT_EQ(t->WaitFor(), 200);
}

TEST_F(ThreadTest, SuspendStopsTheWorkerAtItsSuspensionPointUntilResume) {
  auto* t = TThread::Create<TCounter>(false, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return t->count > 5; }));
  t->Suspend();
  std::this_thread::sleep_for(20ms);
  const int parked = t->count;
  std::this_thread::sleep_for(30ms);
  EXPECT_LE(t->count - parked, 1);
  t->Resume();
  ASSERT_TRUE(PumpUntil([&] { return t->count > parked + 5; }));
  t->Terminate();
  t->WaitFor();
  EXPECT_TRUE(t->Terminated());
}

TEST_F(ThreadTest, TheEndOfTheApplicationJoinsWorkersEvenWhenTheyWaitForTheWindowThread) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  auto* suspended = TThread::Create<TCounter>(false, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return suspended->count > 0; }));
  suspended->Suspend();
  // This one asks the window thread, which does not pump: the end of the application serves it while joining.
  auto* waiting = TThread::Create<TCounter>(false, form);
  ASSERT_TRUE(PumpUntil([&] { return waiting->reported > 0; }));
  TThread::JoinAll();
  EXPECT_EQ(TThread::Count(), 0);
  EXPECT_GE(form->Pro_Status->Position(), 1);
}

// A worker that hands its reports to the window thread without waiting for them.
class TQueuer : public TThread {
 public:
  explicit TQueuer(std::vector<int>* seen) : seen_(seen) {}
  std::atomic<int> queued{0};

 protected:
  void Execute() override {
    for (int i = 0; i < 5; ++i) {
      Queue([this, i] { seen_->push_back(i); });
      ++queued;
    }
  }

 private:
  std::vector<int>* seen_;  // touched on the window thread only
};

TEST_F(ThreadTest, QueuedWorkRunsOnTheWindowThreadInOrderWithoutTheWorkerWaiting) {
  std::vector<int> seen;
  auto* t = TThread::Create<TQueuer>(false, &seen);
  // The window thread serves nothing meanwhile: the worker hands all five and ends.
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (t->queued < 5 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(t->queued, 5);
  EXPECT_TRUE(seen.empty());
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 5; }));
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
  t->WaitFor();
  // On the window thread the work runs at once.
  TThread::Queue([&] { seen.push_back(5); });
  EXPECT_EQ(seen.size(), 6u);
}

TEST_F(ThreadTest, WorkQueuedBeforeTheEndOfTheApplicationIsDropped) {
  std::vector<int> seen;
  auto* t = TThread::Create<TQueuer>(false, &seen);
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (t->queued < 5 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
  TThread::JoinAll();
  drv::PumpUntilIdle();
  TThread::CheckSynchronize();
  EXPECT_TRUE(seen.empty());
}

class TFailing : public TThread {
 protected:
  void Execute() override {
    Synchronize([] { throw Exception("Kommunikationsfehler !"); });
  }
};

TEST_F(ThreadTest, ExceptionsOfSynchronizedWorkAndOfExecuteStayWithTheThread) {
  auto* t = TThread::Create<TFailing>(false);
  ASSERT_TRUE(PumpUntil([&] { return t->Finished(); }));
  EXPECT_EQ(t->FatalException(), "Kommunikationsfehler !");
  EXPECT_TRUE(drv::MessageBoxes().empty());
}

TEST_F(ThreadTest, AFreeOnTerminateThreadIsDestroyedOnTheWindowThreadWhenDone) {
  auto* t = TThread::Create<TCounter>(true, nullptr, 10);
  t->SetFreeOnTerminate(true);
  t->Resume();
  ASSERT_TRUE(PumpUntil([] { return TThread::Count() == 0; }));
}

// Free of a FreeOnTerminate thread waits for its end, while the end queues the thread for the window thread's own
// free: the thread is destroyed once, by Free, and nothing reads it afterwards.
TEST_F(ThreadTest, FreeOfAFreeOnTerminateThreadDestroysItOnce) {
  for (int rounds : {0, 1, 50}) {
    auto* t = TThread::Create<TCounter>(true, nullptr, rounds);
    t->SetFreeOnTerminate(true);
    t->Resume();
    if (rounds > 0) std::this_thread::sleep_for(1ms);
    TThread::Free(t);
    EXPECT_EQ(TThread::Count(), 0);
    drv::PumpUntilIdle();
  }
}

TEST_F(ThreadTest, ANeverStartedThreadIsFreedWithoutRunning) {
  auto* t = TThread::Create<TCounter>(true, nullptr, 10);
  TThread::Free(t);
  EXPECT_EQ(TThread::Count(), 0);
}

}  // namespace
}  // namespace vcltest
