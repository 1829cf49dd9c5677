#include <gtest/gtest.h>

#include <array>

#include "link/link_status.h"
#include "tests/link/uss_fixture.h"

namespace {

using ilink_test::Bytes;
using ilink_test::Frame;
using ilink_test::UssOnFake;
namespace pc = platform::comm;

// A service-4 read of a two-byte element at address 0.
class UssReadReply : public UssOnFake {
 protected:
  void SetUp() override {
    UssOnFake::SetUp();
    ilink::UssSlot& s = LoggedInSlot();
    s.service = 4;
    s.parameter = 36;
    s.index = 2;
    s.data_length = 2;
    scratch_.fill(0xCC);
    s.reply_data = std::span<std::uint8_t>(scratch_);
  }
  std::array<std::uint8_t, 8> scratch_{};
};

TEST_F(UssReadReply, ByteVectorsAndTheirMutationsGiveTheResultCodes) {
  const Bytes good = Frame(0x00, {0x00, 0x12, 0x34});
  ASSERT_EQ(good, (Bytes{0x02, 0x05, 0x00, 0x00, 0x12, 0x34, 0x21}));
  auto with = [&](auto change) {
    Bytes b = good;
    change(b);
    return b;
  };
  const struct {
    const char* what;
    Bytes reply;
    std::uint8_t code;
  } cases[] = {
      {"good", good, ilink::kOk},
      {"wrong STX", with([](Bytes& b) { b[0] = 0x03; }), ilink::kNoStx},
      {"byte cut", with([](Bytes& b) { b.pop_back(); }), ilink::kReplyIncomplete},
      {"only STX", Bytes{0x02}, ilink::kReplyIncomplete},
      {"byte added", with([](Bytes& b) { b.push_back(0x00); }), ilink::kTooManyBytes},
      {"bad BCC", with([](Bytes& b) { b.back() ^= 0x01; }), ilink::kBadBcc},
      {"wrong address", Frame(0x01, {0x00, 0x12, 0x34}), ilink::kWrongSlave},
      {"status 5", Frame(0x00, {0x05}), ilink::kEcho},
      {"echo of the request", Frame(0x00, {0x04, 0x00, 0x24, 0x00, 0x02}), ilink::kEcho},
      {"status 25", Frame(0x00, {25}), 25},
      {"status 18", Frame(0x00, {18}), 18},
      {"status above the inverter's range", Frame(0x00, {36}), ilink::kInverterReserve},
      {"element cut short", Frame(0x00, {0x00, 0x12}), ilink::kSoftwareError},
      {"element too long", Frame(0x00, {0x00, 0x12, 0x34, 0x56}), ilink::kSoftwareError},
  };
  for (const auto& c : cases) {
    scratch_.fill(0xCC);
    ilink::UssSlotAt(0).logged_in = 1;
    Answer(c.reply);
    EXPECT_EQ(ilink::UssCommand(4, 0), c.code) << c.what;
    if (c.code == ilink::kOk) {
      EXPECT_EQ(scratch_[0], 0x12);
      EXPECT_EQ(scratch_[1], 0x34);
    } else {
      EXPECT_EQ(scratch_[0], 0xCC) << c.what << ": a refused reply stores nothing";
      EXPECT_EQ(ilink::UssSlotAt(0).last_error, c.code) << c.what;
    }
  }
}

TEST_F(UssReadReply, NoReplyIsTwelveAndEndsTheLogIn) {
  ilink::UssSlotAt(0).last_error = 9;
  Silence();
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kNoReply);
  const ilink::UssSlot& s = ilink::UssSlotAt(0);
  EXPECT_EQ(s.logged_in, 0);
  EXPECT_EQ(s.last_error, ilink::kNoReply);
  EXPECT_EQ(s.previous_error, 9);
  EXPECT_EQ(CountDelays(500), 1);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kNotLoggedIn);
}

TEST_F(UssReadReply, RequestsRetryAsOftenAsTheTriesAllow) {
  ilink::SetUssDriverSettings(0, 1, 3, 555, 10, 20000, 0, 0);
  Silence();
  Silence();
  Answer(Frame(0x00, {0x00, 0xAB, 0xCD}));
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
  EXPECT_EQ(fake_->writes().size(), 3u);
  EXPECT_EQ(ilink::UssSlotAt(0).tries, 3);
  EXPECT_EQ(scratch_[1], 0xCD);
}

TEST_F(UssReadReply, FirstByteWindowIsHighestAddressPlusOneTimesTheReplyWait) {
  Answer(Frame(0x00, {0x00, 1, 2}), 150'000'000);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
  Answer(Frame(0x00, {0x00, 1, 2}), 260'000'000);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kNoReply);
  ilink::UssCommand(2, 0);
  ilink::SetUssDriverSettings(0, 1, 1, 555, 10, 20000, 1, 0);  // highest address 1: 0.4 s
  ASSERT_EQ(ilink::UssCommand(1, 0), ilink::kOk);
  LoggedInSlot();
  Answer(Frame(0x00, {0x00, 1, 2}), 260'000'000);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
}

TEST_F(UssReadReply, LineErrorWhileWaitingEndsWithItsCode) {
  fake_->SetResponder([](pc::FakePort& p, std::span<const std::uint8_t>) { p.InjectErrors(pc::kErrRxParity, 20'000'000); });
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kParityError);
  EXPECT_EQ(ilink::UssSlotAt(0).last_error, ilink::kParityError);
}

TEST_F(UssReadReply, ReplyRestMustFollowWithinItsAllowance) {
  // STX and LGE at once, the rest far too late: 9.
  const Bytes r = Frame(0x00, {0x00, 1, 2});
  fake_->SetResponder([&](pc::FakePort& p, std::span<const std::uint8_t>) {
    p.Deliver(std::span(r.data(), 2));
    p.Deliver(std::span(r.data() + 2, r.size() - 2), 80'000'000);
  });
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kReplyIncomplete);
  // The late rest of one reply is no start of the next: every late reply is a time-out, and a prompt one after
  // them is read.
  ilink::UssSlotAt(0).logged_in = 1;
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kReplyIncomplete);
  fake_->SetResponder(nullptr);
  Answer(r);
  ilink::UssSlotAt(0).logged_in = 1;
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
  EXPECT_EQ(scratch_[1], 2);
}

TEST_F(UssOnFake, LowestBaudRateAllowsTheFullCappedTimeForALongRest) {
  ilink::UssCommand(2, 0);
  ilink::SetUssDriverSettings(0, 0, 1, 555, 10, 20000, 0, 0);
  ASSERT_EQ(ilink::UssCommand(1, 0), ilink::kOk);
  EXPECT_EQ(fake_->settings().baud, 4800u);
  std::array<std::uint8_t, 256> buf{};
  ilink::UssSlot& s = LoggedInSlot();
  s.service = 6;
  s.parameter = 33;
  s.index = 0;
  s.record_size = 240;
  s.reply_data = std::span<std::uint8_t>(buf);
  Bytes net(198, 0x5A);
  net[0] = 0x00;
  const Bytes r = Frame(0x00, net);  // LGE 200: 200 x 344 steps would pass 65535
  ASSERT_EQ(r[1], 200);
  fake_->SetResponder([&](pc::FakePort& p, std::span<const std::uint8_t>) {
    p.Deliver(std::span(r.data(), 2));
    p.Deliver(std::span(r.data() + 2, r.size() - 2), 400'000'000);  // nominal 65535 steps: ~655 ms
  });
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
  EXPECT_EQ(s.received, 197);
}

TEST_F(UssOnFake, SendFaultsGiveTheirCodes) {
  ilink::UssSlot& s = LoggedInSlot();
  s.service = 3;
  fake_->InjectErrors(pc::kErrFrame);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kLineErrorBeforeSend);
  LoggedInSlot();
  fake_->SetOutQueue(3);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kTransmitBusy);
  fake_->SetOutQueue(0);
  fake_->LimitWrites(4);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kSendIncomplete);
  fake_->LimitWrites(1000);
  fake_->FailWrites(true);
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kSendIncomplete);
  fake_->FailWrites(false);
  // The transmit queue never drains: 44 after 2000 ms.
  fake_->SetResponder([](pc::FakePort& p, std::span<const std::uint8_t>) { p.SetOutQueue(8); });
  const DWORD t0 = GetTickCount();
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kSendIncomplete);
  EXPECT_GE(GetTickCount() - t0, 2000u);
}

TEST_F(UssOnFake, RequestLengthsFollowTheServiceAndTooMuchDataSendsNothing) {
  std::array<std::uint8_t, 245> data{};
  ilink::UssSlot& s = LoggedInSlot();
  s.service = 5;
  s.parameter = 0x0135;
  s.index = 0x0102;
  s.request_data = std::span<std::uint8_t>(data);
  s.data_length = 244;
  Answer(Frame(0x00, {0x00}));
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
  ASSERT_EQ(fake_->writes().size(), 1u);
  const Bytes sent = fake_->writes()[0];
  EXPECT_EQ(sent.size(), 253u);
  EXPECT_EQ(sent[1], 251);
  EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 8), (Bytes{0x02, 251, 0x00, 0x05, 0x01, 0x35, 0x01, 0x02}));
  s.data_length = 245;
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kTooMuchData);
  EXPECT_EQ(fake_->writes().size(), 1u);

  const struct {
    std::uint8_t service;
    std::uint16_t length;
    std::uint8_t lge;
  } lengths[] = {{1, 2, 10}, {2, 2, 12}, {3, 0, 6}, {4, 4, 7}, {5, 4, 11}, {6, 0, 7}, {8, 12, 15}, {10, 4, 12},
                 {11, 8, 12}};
  for (const auto& l : lengths) {
    s.service = l.service;
    s.data_length = l.length;
    s.request_data = std::span<std::uint8_t>(data);
    ASSERT_EQ(ilink::BuildUssRequest(s), ilink::kOk) << int(l.service);
    EXPECT_EQ(ilink::UssLastRequest()[1], l.lge) << int(l.service);
  }
  for (std::uint8_t refused : {0, 9, 12, 255}) {
    s.service = refused;
    EXPECT_EQ(ilink::BuildUssRequest(s), ilink::kSoftwareError) << int(refused);
  }
}

TEST_F(UssOnFake, MemoryRequestsCarryTheirMarkersAndTheValuesLowestByte) {
  std::array<std::uint8_t, 8> data = {0x00, 0x01, 0x23, 0x45, 0xAA, 0xBB, 0xCC, 0xDD};
  ilink::UssSlot& s = LoggedInSlot(0, 3);
  s.request_data = std::span<std::uint8_t>(data);
  s.service = 10;
  ASSERT_EQ(ilink::BuildUssRequest(s), ilink::kOk);
  auto t = ilink::UssLastRequest();
  EXPECT_EQ(Bytes(t.begin(), t.begin() + 13),
            (Bytes{0x02, 12, 0x03, 10, 0x30, 0x00, 0x01, 0x23, 0x45, 0, 0, 0, 0}));
  s.service = 11;
  ASSERT_EQ(ilink::BuildUssRequest(s), ilink::kOk);
  t = ilink::UssLastRequest();
  EXPECT_EQ(Bytes(t.begin(), t.begin() + 13),
            (Bytes{0x02, 12, 0x03, 11, 0x00, 0x00, 0x01, 0x23, 0x45, 0xDD, 0, 0, 0}));
}

TEST_F(UssOnFake, ExchangeStatesAndThePauseAfterEveryCall) {
  EXPECT_EQ(ilink::UssLinkState(), ilink::kLinkOpen);
  EXPECT_EQ(ilink::UssCommand(1, 0), ilink::kSoftwareError);
  EXPECT_EQ(ilink::UssLinkState(), ilink::kLinkOpen);
  delays_.clear();
  ilink::UssSlot& s = LoggedInSlot();
  s.service = 3;
  Answer(Frame(0x00, {0x00, 0x12, 0x34, 0x07}));
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
  EXPECT_EQ(s.status_word, 0x1234);
  EXPECT_EQ(s.status_flags, 0x07);
  ASSERT_FALSE(delays_.empty());
  EXPECT_EQ(delays_.front(), 2.0);  // reply-time base 229 / 100 at 9600 baud
  EXPECT_EQ(delays_.back(), 10.0);  // the pause after the exchange
  EXPECT_EQ(ilink::UssCommand(2, 0), ilink::kOk);
  EXPECT_EQ(ilink::UssCommand(2, 0), ilink::kSoftwareError);
  EXPECT_EQ(ilink::RunUssExchange(3), ilink::kLinkNotOpen);
  EXPECT_EQ(ilink::UssLinkState(), ilink::kLinkClosed);
  EXPECT_EQ(ilink::UssCommand(6, 0), ilink::kSoftwareError);
}

TEST_F(UssOnFake, StaleBytesAreDiscardedBeforeSending) {
  const Bytes stale(600, 0x02);
  fake_->Deliver(stale);
  ilink::UssSlot& s = LoggedInSlot();
  s.service = 3;
  Answer(Frame(0x00, {0x00, 0, 0, 0}));
  EXPECT_EQ(ilink::UssCommand(4, 0), ilink::kOk);
}

TEST_F(UssOnFake, BroadcastSendsToAddressTwentyHexAndWaitsForNothing) {
  ilink::UssSlot& s = LoggedInSlot(0, 4);
  std::uint8_t one = 1;
  s.service = 5;
  s.parameter = 13;
  s.index = 8;
  s.data_length = 1;
  s.request_data = std::span<std::uint8_t>(&one, 1);
  EXPECT_EQ(ilink::UssCommand(5, 0), ilink::kOk);
  ASSERT_EQ(fake_->writes().size(), 1u);
  EXPECT_EQ(fake_->writes()[0][2], 0x20);
  s.service = 4;
  EXPECT_EQ(ilink::UssCommand(5, 0), ilink::kSoftwareError);
}

TEST_F(UssOnFake, SlotsWithoutAddressOrLogInAreRefusedAndRecorded) {
  ilink::UssSlot& s = ilink::UssSlotAt(2);
  s.service = 4;
  EXPECT_EQ(ilink::UssCommand(4, 2), ilink::kNoAddress);
  EXPECT_EQ(s.last_error, ilink::kNoAddress);
  s.address = 2;
  EXPECT_EQ(ilink::UssCommand(4, 2), ilink::kNotLoggedIn);
  EXPECT_EQ(s.last_error, ilink::kNotLoggedIn);
  EXPECT_EQ(s.previous_error, ilink::kNoAddress);
  EXPECT_EQ(ilink::UssCommand(4, 31), ilink::kSoftwareError);
  EXPECT_EQ(ilink::UssCommand(3, 31), ilink::kSoftwareError);
  EXPECT_TRUE(fake_->writes().empty());
}

}  // namespace
