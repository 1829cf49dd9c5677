#include "platform/comm/fake_port.h"

#include <gtest/gtest.h>

#include "platform/sys/clock.h"

namespace {

using platform::comm::FakePort;

class FakePortTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::sys::UseVirtualClock(1000); }
  void TearDown() override { platform::sys::UseRealClock(); }
  FakePort port_;
};

TEST_F(FakePortTest, DeliveredBytesBecomeReadableAtTheirTime) {
  const std::uint8_t reply[] = {1, 2, 3};
  port_.Deliver(reply, 5'000'000);
  std::uint8_t buf[8];
  EXPECT_EQ(port_.Read(buf, sizeof buf), 0);
  platform::sys::AdvanceVirtualClock(5'000'000);
  EXPECT_EQ(port_.Read(buf, 2), 2);
  EXPECT_EQ(port_.Read(buf, sizeof buf), 1);
  EXPECT_EQ(buf[0], 3);
}

TEST_F(FakePortTest, WaitReadableMovesVirtualTimeToTheNextByteWithinTheWait) {
  const std::uint8_t b[] = {7};
  port_.Deliver(b, 50'000'000);
  EXPECT_FALSE(port_.WaitReadable(10));
  EXPECT_TRUE(port_.WaitReadable(100));
}

TEST_F(FakePortTest, ResponderSeesWhatWasAcceptedAndShortWritesCut) {
  std::vector<std::uint8_t> seen;
  port_.SetResponder([&](FakePort& p, std::span<const std::uint8_t> w) {
    seen.assign(w.begin(), w.end());
    const std::uint8_t answer[] = {0xAA};
    p.Deliver(answer);
  });
  port_.LimitWrites(2);
  const std::uint8_t out[] = {1, 2, 3, 4};
  EXPECT_EQ(port_.Write(out, 4, 1000), 2);
  EXPECT_EQ(seen, (std::vector<std::uint8_t>{1, 2}));
  std::uint8_t buf[2];
  EXPECT_EQ(port_.Read(buf, 2), 1);
  port_.FailWrites(true);
  EXPECT_EQ(port_.Write(out, 4, 1000), -1);
}

TEST_F(FakePortTest, ScriptedRepliesAnswerWritesInTurn) {
  port_.QueueReply({0x10}, 2'000'000);
  port_.QueueReply({});
  port_.QueueReply({0x30});
  const std::uint8_t out[] = {1};
  std::uint8_t buf[4];
  port_.Write(out, 1, 0);
  EXPECT_EQ(port_.Read(buf, 4), 0);
  EXPECT_TRUE(port_.WaitReadable(5));
  EXPECT_EQ(port_.Read(buf, 4), 1);
  port_.Write(out, 1, 0);
  EXPECT_FALSE(port_.WaitReadable(5));
  port_.Write(out, 1, 0);
  EXPECT_EQ(port_.Read(buf, 4), 1);
  EXPECT_EQ(buf[0], 0x30);
  EXPECT_EQ(port_.queued_replies(), 0u);
}

TEST_F(FakePortTest, InjectedErrorsAreReportedOnceAndPersistentOnesAlways) {
  port_.InjectErrors(platform::comm::kErrFrame);
  port_.SetPersistentErrors(platform::comm::kErrTxFull);
  platform::comm::QueueStatus s;
  ASSERT_TRUE(port_.Status(&s));
  EXPECT_EQ(s.errors, platform::comm::kErrFrame | platform::comm::kErrTxFull);
  ASSERT_TRUE(port_.Status(&s));
  EXPECT_EQ(s.errors, platform::comm::kErrTxFull);
  port_.FailStatus(true);
  EXPECT_FALSE(port_.Status(&s));
}

TEST_F(FakePortTest, OutputLinesReachTheDeviceAndInputLinesTheProgram) {
  int changes = 0;
  port_.SetLineHook([&](FakePort& p) {
    ++changes;
    p.SetModemInput(platform::comm::kModemRing, p.rts());
  });
  port_.SetOutputLine(platform::comm::OutputLine::kRts, true);
  std::uint32_t ms = 0;
  ASSERT_TRUE(port_.GetModemStatus(&ms));
  EXPECT_EQ(ms, platform::comm::kModemRing);
  port_.SetOutputLine(platform::comm::OutputLine::kDtr, true);
  EXPECT_TRUE(port_.dtr());
  EXPECT_EQ(changes, 2);
}

}  // namespace
