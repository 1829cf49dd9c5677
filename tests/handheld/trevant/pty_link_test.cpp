// Trevant on a pseudo-terminal in real time: against the simulated device served by a thread of its own (keys
// reach the device, the display follows), and against TX-Tool's slave worker on the other end of one pair,
// the two sides of the protocol written apart. Also run under ThreadSanitizer.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "handheld/trevant/bedien.h"
#include "handheld/txtool/slave_thread.h"
#include "platform/comm/pseudo_terminal.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"
#include "platform/sys/module_path.h"
#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/vcl/application.h"
#include "sim/handheld/unit_device.h"
#include "tests/handheld/trevant/pty_master_port.h"

namespace trevant {
namespace {

constexpr int kTrevantCom = 46;
constexpr int kSlaveCom = 45;

// The simulated device on the master end of a pseudo-terminal, served by its own thread; the test reaches it
// only under the lock.
class DeviceThread {
 public:
  explicit DeviceThread(platform::comm::PseudoTerminal& pty) : pty_(pty), line_(pty), device_(line_) {
    thread_ = std::thread([this] {
      while (!stop_) {
        if (!pty_.WaitReadable(20)) continue;
        std::lock_guard lock(mutex_);
        device_.ServeOne(200);
      }
    });
  }
  ~DeviceThread() {
    stop_ = true;
    thread_.join();
  }
  template <class F>
  auto With(F f) {
    std::lock_guard lock(mutex_);
    return f(device_);
  }

 private:
  platform::comm::PseudoTerminal& pty_;
  sim::tasto::Line line_;
  sim::tasto::UnitDevice device_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class PtyLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseRealClock();
    Application->Reset();
    if (!pty_.ok()) GTEST_SKIP() << "no pseudo-terminal";
    platform::sys::SetExecutablePathOverride(::testing::TempDir() + "/trevant_pty_" + std::to_string(::getpid()));
  }
  void TearDown() override {
    Application->Reset();
    platform::sys::SetExecutablePathOverride(std::nullopt);
    std::remove((::testing::TempDir() + "/trevant_pty_" + std::to_string(::getpid()) + ".cfg").c_str());
  }
  void Create(int com) {
    form_ = Application->CreateForm<TBedien_>();
    form_->Timer_Startdelay_->SetEnabled(false);
    form_->Show();
    Application->ProcessMessages();
    form_->Port().SetComNumber(com);
    form_->StartLink();
  }
  bool PassUntil(const std::function<bool()>& done, int max = 60) {
    for (int i = 0; i < max && !done(); ++i) form_->LinkPass();
    return done();
  }

  platform::testing::Session session_;
  platform::comm::PseudoTerminal pty_;
  TBedien_* form_ = nullptr;
};

template <std::size_t N>
std::array<std::uint8_t, 17> Line(const char (&text)[N]) {
  std::array<std::uint8_t, 17> a{};
  std::copy(text, text + N - 1, a.begin());
  return a;
}

TEST_F(PtyLinkTest, KeysReachTheDeviceAndTheDisplayFollowsIt) {
  platform::sys::UseRealClock();
  ::setenv(("COM" + std::to_string(kTrevantCom)).c_str(), pty_.slave_path().c_str(), 1);
  DeviceThread device(pty_);
  device.With([](sim::tasto::UnitDevice& d) {
    d.script().line1 = Line("Frequenz  50.0Hz");
    d.script().line2 = Line("\x8A" "trom  12.5A");
    d.script().led = 0x30;
  });
  Create(kTrevantCom);
  ASSERT_TRUE(PassUntil([&] { return form_->LinkState() == kStateRun; }));
  ASSERT_TRUE(platform::testing::ClickControl(*form_, "Taste_F2"));
  form_->LinkPass();
  EXPECT_EQ(form_->DisplayLines()[0], "Frequenz  50.0Hz");
  EXPECT_EQ(form_->DisplayLines()[1], "Strom  12.5A");
  EXPECT_TRUE(form_->Led_Hand_->Active());
  EXPECT_TRUE(form_->Led_Ein_->Active());
  EXPECT_FALSE(form_->Led_F1_->Active());
  device.With([](sim::tasto::UnitDevice& d) {
    d.script().line1 = Line("Frequenz  49.9Hz");
    d.script().led = 0x01;
  });
  form_->LinkPass();
  EXPECT_EQ(form_->DisplayLines()[0], "Frequenz  49.9Hz");
  EXPECT_TRUE(form_->Led_F1_->Active());
  EXPECT_FALSE(form_->Led_Ein_->Active());
  const auto keys = device.With([](sim::tasto::UnitDevice& d) { return d.log().keys; });
  EXPECT_NE(std::find(keys.begin(), keys.end(), kKeyF1 + 1), keys.end());
  EXPECT_EQ(keys.back(), 0);
  ::unsetenv(("COM" + std::to_string(kTrevantCom)).c_str());
}

TEST_F(PtyLinkTest, AgainstTxToolsSlaveWorkerOnOnePseudoTerminalPair) {
  platform::sys::UseRealClock();
  // TX-Tool's worker on the slave end, Trevant on the master end.
  ::setenv(("COM" + std::to_string(kSlaveCom)).c_str(), pty_.slave_path().c_str(), 1);
  platform::comm::InstallPort("COM" + std::to_string(kTrevantCom), std::make_shared<PtyMasterPort>(pty_));
  std::vector<std::string> statuses, messages;
  txtool::SlaveEvents events;
  events.status = [&](const std::string& t) { statuses.push_back(t); };
  events.message = [&](const std::string& t) { messages.push_back(t); };
  auto shared = std::make_shared<txtool::UnitShared>();
  auto* worker = TThread::Create<txtool::TSlaveThread>(true, shared, events);
  worker->Port().SetComNumber(kSlaveCom);
  worker->Resume();
  Create(kTrevantCom);
  const auto job = [&] {
    std::lock_guard lock(shared->mutex);
    return std::pair(shared->job.job, shared->job.pending);
  };

  std::vector<std::uint8_t> leds;  // F1..F4 as bits, pass by pass
  bool key_sent = false;
  for (int i = 0; i < 80 && (leds.size() < 12 || job().second != 0); ++i) {
    form_->LinkPass();
    TThread::CheckSynchronize();
    if (form_->LinkState() == kStateRun && !form_->DisplayLines()[0].empty()) {
      leds.push_back(static_cast<std::uint8_t>(form_->Led_F1_->Active() | form_->Led_F2_->Active() << 1 |
                                               form_->Led_F3_->Active() << 2 | form_->Led_F4_->Active() << 3));
      if (!key_sent) key_sent = platform::testing::ClickControl(*form_, "Taste_Enter");  // answered ok
    }
  }
  EXPECT_TRUE(key_sent);
  EXPECT_EQ(form_->LinkState(), kStateRun);
  EXPECT_EQ(form_->DisplayLines()[0], "PC angeschlossen");
  EXPECT_EQ(form_->DisplayLines()[1], "TX-Tool 4.5     ");
  ASSERT_GE(leds.size(), 12u);
  // The worker's LED byte cycles 1, 2, 8, 4: F1, F2, F4, F3.
  const std::vector<std::uint8_t> cycle = {1, 2, 8, 4};
  const auto at = std::find(cycle.begin(), cycle.end(), leds[0]);
  ASSERT_NE(at, cycle.end());
  for (std::size_t i = 0; i < leds.size(); ++i) {
    EXPECT_EQ(leds[i], cycle[(static_cast<std::size_t>(at - cycle.begin()) + i) % 4]) << i;
  }
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), txtool::kTextConnecting), statuses.end());
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), txtool::kTextConnected), statuses.end());
  // The first job (15, identify) was asked, cleared by Trevant and reported done: no failure, nothing pending.
  EXPECT_EQ(job(), std::pair(txtool::kJobIdentify, std::uint8_t{0}));
  EXPECT_TRUE(messages.empty()) << messages.front();

  worker->Terminate();
  for (int i = 0; i < 2000 && TThread::Count() > 0; ++i) {
    TThread::CheckSynchronize();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(TThread::Count(), 0);
  platform::comm::InstallPort("COM" + std::to_string(kTrevantCom), nullptr);
  ::unsetenv(("COM" + std::to_string(kSlaveCom)).c_str());
}

}  // namespace
}  // namespace trevant
