// A USS master on an installed fake port (COM1) and the virtual clock; the device side is a script of replies.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "link/com_port.h"
#include "link/stop_watch.h"
#include "link/uss_driver.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"

namespace ilink_test {

using Bytes = std::vector<std::uint8_t>;

// A telegram with LGE and BCC filled in (written here apart from the driver's own framing).
inline Bytes Frame(std::uint8_t adr, const Bytes& net) {
  Bytes t(3 + net.size());
  t[0] = 0x02;
  t[1] = static_cast<std::uint8_t>(net.size() + 2);
  t[2] = adr;
  std::copy(net.begin(), net.end(), t.begin() + 3);
  std::uint8_t bcc = 0;
  for (std::uint8_t b : t) bcc ^= b;
  t.push_back(bcc);
  return t;
}

class UssOnFake : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseVirtualClock(1000);
    platform::comm::InstallPort("COM1", fake_);
    ilink::SetDelayObserver([this](double ms) { delays_.push_back(ms); });
    ilink::SetUssDriverSettings(0, 1, 1, 555, 10, 20000, 0, 0);
    ilink::UssCommand(2, 0);  // whatever an earlier test left open
    ASSERT_EQ(ilink::UssCommand(0, 0), 0);
    ASSERT_EQ(ilink::UssCommand(1, 0), 0);
  }
  void TearDown() override {
    ilink::UssCommand(2, 0);
    ilink::SetDelayObserver(nullptr);
    platform::comm::InstallPort("COM1", nullptr);
    platform::sys::UseRealClock();
  }
  void Answer(Bytes bytes, std::int64_t delay_ns = 0) { fake_->QueueReply(std::move(bytes), delay_ns); }
  void Silence() { fake_->QueueReply({}); }
  // Slot 0 at bus address 0, logged in without an exchange.
  ilink::UssSlot& LoggedInSlot(std::uint8_t n = 0, std::uint8_t address = 0) {
    ilink::UssSlot& s = ilink::UssSlotAt(n);
    s.address = address;
    s.logged_in = 1;
    return s;
  }
  int CountDelays(double ms) const {
    int n = 0;
    for (double d : delays_) n += d == ms;
    return n;
  }

  std::shared_ptr<platform::comm::FakePort> fake_ = std::make_shared<platform::comm::FakePort>();
  std::vector<double> delays_;
};

}  // namespace ilink_test
