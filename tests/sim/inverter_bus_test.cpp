#include "sim/inverter_bus.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "tests/sim/sim_frames.h"

namespace {

using sim_test::Bytes;
using sim_test::Frame;
using sim_test::One;

const Bytes kLogin0 = {0x02, 0x0A, 0x40, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x48};

TEST(InverterBus, MirrorsTheLogInOfItsOwnAddressesOnly) {
  sim::InverterBus bus({0, 5});
  EXPECT_EQ(One(bus.Feed(kLogin0)), kLogin0);
  const Bytes login5 = Frame(0x45, {0, 1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(One(bus.Feed(login5)), login5);
  EXPECT_TRUE(bus.Feed(Frame(0x46, {0, 1, 2, 3, 4, 5, 6, 7})).empty());
}

TEST(InverterBus, CollectsTelegramsAcrossChunksAndIgnoresBadOnes) {
  sim::InverterBus bus({0});
  Bytes bad = kLogin0;
  bad.back() ^= 1;
  EXPECT_TRUE(bus.Feed(bad).empty());
  Bytes noise = {0x55, 0x02, 0x01};  // garbage, and a start byte with an impossible length
  EXPECT_TRUE(bus.Feed(noise).empty());
  EXPECT_TRUE(bus.Feed(std::span(kLogin0.data(), 5)).empty());
  EXPECT_EQ(One(bus.Feed(std::span(kLogin0.data() + 5, kLogin0.size() - 5))), kLogin0);
  EXPECT_EQ(bus.telegrams(), 1u);
}

TEST(InverterBus, AnswersIdentityReadsHighByteFirst) {
  sim::DeviceIdentity id;
  id.device_type = 42;
  sim::InverterBus bus({0}, id);
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x04, 0x00, 0x05, 0x00, 0x01}))), Frame(0x00, {0x00, 42}));
  // A 16-bit element travels high byte first.
  const std::uint16_t record = 5;
  std::uint16_t element = 0;
  for (std::uint16_t e = 0; e < model::RecordSize(record); ++e) {
    if (model::GetElementType(record, e) == 4) {
      element = e;
      break;
    }
  }
  ASSERT_NE(element, 0) << "record 5 has a 16-bit element";
  ASSERT_TRUE(bus.Device(0)->WriteNumber(record, element, 0x1234));
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x04, 0x00, 0x05, 0x00, static_cast<std::uint8_t>(element)}))),
            Frame(0x00, {0x00, 0x12, 0x34}));
}

// The identity a default simulated inverter reports (record 5) lies within what the program's tables allow for its
// device type once copied into a project's target (record 304): the software version P01 is neither too great nor
// too small, and the type is one the selection list shows.
TEST(InverterBus, TheDefaultIdentityIsOneTheProgramsTablesAccept) {
  sim::InverterBus bus({0});
  std::vector<std::uint8_t> identity(model::RecordSize(5));
  ASSERT_EQ(identity.size(), model::RecordSize(304));
  ASSERT_TRUE(bus.Device(0)->ReadStored(5, 0, identity));
  model::InitDataSet(0);
  ASSERT_EQ(model::WriteRecord(304, identity.data(), model::kModeRaw, 0), 0);
  for (const std::uint16_t element : {std::uint16_t{1}, std::uint16_t{5}}) {
    std::uint8_t value = 0, lower = 0, upper = 0;
    ASSERT_EQ(model::ReadElement(304, element, &value, model::kModeRaw, 0), 0);
    ASSERT_EQ(model::GetElementLowerLimit(304, element, &lower, model::kModeRaw, 0), 0);
    ASSERT_EQ(model::GetElementUpperLimit(304, element, &upper, model::kModeRaw, 0), 0);
    EXPECT_GE(value, lower) << "304." << element;
    EXPECT_LE(value, upper) << "304." << element;
  }
}

// A one-byte element of record 36.
std::uint8_t ByteElementOf36() {
  for (std::uint16_t e = 0; e < model::RecordSize(36); ++e) {
    if (model::GetElementType(36, e) == 2) return static_cast<std::uint8_t>(e);
  }
  return 0xFF;
}

TEST(InverterBus, WritesChangeTheDeviceAndBroadcastsActSilently) {
  sim::InverterBus bus({0, 1});
  const std::uint8_t e = ByteElementOf36();
  ASSERT_NE(e, 0xFF);
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x05, 0x00, 0x24, 0x00, e, 0x7F}))), Frame(0x00, {0x00}));
  EXPECT_EQ(bus.Device(0)->ReadNumber(36, e), 0x7Fu);
  EXPECT_TRUE(bus.Feed(Frame(0x20, {0x05, 0x00, 0x24, 0x00, e, 0x11})).empty());
  EXPECT_EQ(bus.Device(0)->ReadNumber(36, e), 0x11u);
  EXPECT_EQ(bus.Device(1)->ReadNumber(36, e), 0x11u);
}

TEST(InverterBus, RefusesUnknownServicesAndParameters) {
  sim::InverterBus bus({0});
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x09}))), Frame(0x00, {18}));
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x04, 0x03, 0xE7, 0x00, 0x00}))), Frame(0x00, {19}));
  const std::uint8_t e = ByteElementOf36();
  bus.Device(0)->SetElementError(36, e, 26);
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x05, 0x00, 0x24, 0x00, e, 0x01}))), Frame(0x00, {26}));
}

TEST(InverterBus, RecordPiecesHoldWholeElementsBelowTheLimitAndTheServedBytes) {
  sim::InverterBus bus({0});
  // The longest record the layout has: its first piece stays below 244 bytes.
  std::uint16_t record = 0;
  for (const auto& row : model::RecordLayoutTable()) {
    if (row.record != 0 && model::RecordSize(row.record) > 244 && model::RecordSize(row.record) < 1000) {
      record = row.record;
      break;
    }
  }
  ASSERT_NE(record, 0);
  const Bytes reply = One(bus.Feed(Frame(0x00, {0x06, static_cast<std::uint8_t>(record >> 8),
                                                static_cast<std::uint8_t>(record), 0x00, 0x00})));
  ASSERT_GE(reply.size(), 5u);
  const std::size_t data = reply[1] - 3u;
  EXPECT_LT(data, 244u);
  EXPECT_NE(model::GetElementType(record, static_cast<std::uint16_t>(data)), 255) << "ends on an element";
  bus.Device(0)->SetServedBytes(record, 10);
  const Bytes short_reply = One(bus.Feed(Frame(0x00, {0x06, static_cast<std::uint8_t>(record >> 8),
                                                      static_cast<std::uint8_t>(record), 0x00, 0x00})));
  EXPECT_LE(short_reply[1] - 3u, 10u);
}

TEST(InverterBus, FaultScriptShapesTheNextReplies) {
  sim::InverterBus bus({0});
  const Bytes request = Frame(0x00, {0x04, 0x00, 0x05, 0x00, 0x01});
  const Bytes good = One(bus.Feed(request));
  const struct {
    sim::Fault fault;
    Bytes expected;
  } cases[] = {
      {{sim::FaultKind::kDrop}, {}},
      {{sim::FaultKind::kEcho}, request},
      {{sim::FaultKind::kStatus, 25}, Frame(0x00, {25})},
      {{sim::FaultKind::kTruncate}, Bytes(good.begin(), good.end() - 1)},
      {{sim::FaultKind::kStall}, Bytes(good.begin(), good.begin() + 2)},
      {{sim::FaultKind::kWrongAddress}, Frame(0x01, Bytes(good.begin() + 3, good.end() - 1))},
  };
  for (const auto& c : cases) {
    bus.QueueFault(c.fault);
    EXPECT_EQ(One(bus.Feed(request)), c.expected) << int(c.fault.kind);
  }
  EXPECT_EQ(One(bus.Feed(request)), good);
  bus.QueueFault({sim::FaultKind::kAlterMirror});
  const Bytes mirror = One(bus.Feed(kLogin0));
  ASSERT_EQ(mirror.size(), kLogin0.size());
  EXPECT_NE(mirror, kLogin0);
}

TEST(InverterBus, DelaysSplitTheReplyAfterItsLength) {
  sim::InverterBus bus({0});
  bus.SetFirstByteDelay(3'000'000);
  bus.SetRestDelay(1'000'000);
  const auto out = bus.Feed(kLogin0);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].bytes.size(), 2u);
  EXPECT_EQ(out[0].delay_ns, 3'000'000);
  EXPECT_EQ(out[1].delay_ns, 1'000'000);
}

}  // namespace

namespace {

TEST(InverterDevice, ActionsEndAfterTheirPollsWithTheirResult) {
  sim::InverterBus bus({0});
  sim::InverterDevice& d = *bus.Device(0);
  d.SetActionBehaviour(2, 24);
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x05, 0x00, 13, 0x00, 3, 1}))), Frame(0x00, {0x00}));
  const Bytes poll = Frame(0x00, {0x04, 0x00, 13, 0x00, 3});
  EXPECT_EQ(One(bus.Feed(poll)), Frame(0x00, {0x00, 1}));
  EXPECT_EQ(One(bus.Feed(poll)), Frame(0x00, {0x00, 1}));
  EXPECT_EQ(One(bus.Feed(poll)), Frame(0x00, {0x00, 0}));
  EXPECT_EQ(d.ReadNumber(33, 66), 24u);
}

TEST(InverterDevice, OperationInputIsRefusedWhileEnabled) {
  sim::InverterBus bus({0});
  sim::InverterDevice& d = *bus.Device(0);
  ASSERT_TRUE(d.WriteNumber(36, 9, 1));
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x05, 0x00, 55, 0x00, 6, 2}))), Frame(0x00, {25}));
  ASSERT_TRUE(d.WriteNumber(36, 9, 0));
  EXPECT_EQ(One(bus.Feed(Frame(0x00, {0x05, 0x00, 55, 0x00, 6, 2}))), Frame(0x00, {0x00}));
}

}  // namespace
