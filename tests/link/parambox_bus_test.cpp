// Block reads and writes on the simulated box: contents, control bytes, acknowledge polling, the bus timing.
#include <numeric>

#include "tests/link/parambox_fixture.h"

namespace ilink_test {
namespace {

using BoxBus = BoxOnFake;

TEST_F(BoxBus, ABlockWrittenAcrossBlockBoundariesReadsBackEqual) {
  Open();
  Bytes data(40);
  std::iota(data.begin(), data.end(), std::uint8_t{7});
  // 0x2F0..0x317 crosses from block 2 into block 3 of the chip.
  ASSERT_EQ(ilink::BoxWriteBlock(0x2F0, 40, data.data()), ilink::kBoxOk);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), box_->memory().begin() + 0x2F0));
  EXPECT_EQ(box_->eeprom().write_cycles(), 40u);  // one write cycle a byte
  EXPECT_EQ(box_->eeprom().refused(), 39u);       // every byte after the first polls its predecessor's cycle
  Bytes back(40);
  ASSERT_EQ(ilink::BoxReadBlock(0x2F0, 40, back.data()), ilink::kBoxOk);
  EXPECT_EQ(back, data);
}

TEST_F(BoxBus, TheLastAddressTravelsInControlByteAE) {
  Open();
  const std::uint8_t value = 0x5A;
  ASSERT_EQ(ilink::BoxWriteBlock(2047, 1, &value), ilink::kBoxOk);
  EXPECT_EQ(box_->memory()[2047], 0x5A);
  std::uint8_t back = 0;
  ASSERT_EQ(ilink::BoxReadBlock(2047, 1, &back), ilink::kBoxOk);
  EXPECT_EQ(back, 0x5A);
  const auto& controls = box_->eeprom().control_bytes();
  ASSERT_FALSE(controls.empty());
  EXPECT_EQ(controls.front(), 0xAE);
  EXPECT_EQ(controls.back(), 0xA1);  // reads always send 0xA1 after the repeated start
}

TEST_F(BoxBus, BlocksBeyondTheBoxAreRefusedUntouched) {
  Open();
  box_->ResetTiming();
  const Bytes data(4, 0x11);
  Bytes buffer(4, 0x99);
  EXPECT_EQ(ilink::BoxWriteBlock(2046, 4, data.data()), ilink::kBoxWriteError);
  EXPECT_EQ(ilink::BoxWriteBlock(2048, 1, data.data()), ilink::kBoxWriteError);
  EXPECT_EQ(ilink::BoxReadBlock(2045, 4, buffer.data()), ilink::kBoxReadError);
  EXPECT_EQ(ilink::BoxReadBlock(4000, 1, buffer.data()), ilink::kBoxReadError);
  EXPECT_EQ(box_->memory()[2046], 0xFF);
  EXPECT_EQ(buffer, Bytes(4, 0x99));
  EXPECT_EQ(box_->line_changes(), 0u) << "nothing went onto the bus";
  EXPECT_EQ(ilink::BoxReadBlock(2044, 4, buffer.data()), ilink::kBoxOk);  // the last four bytes fit
}

// The acknowledge comes only at attempt k: up to the ninth the byte goes through, the tenth answers 4
// even though it is acknowledged.
TEST_F(BoxBus, AcknowledgePollingGivesUpAtTheTenthAttempt) {
  Open();
  box_->eeprom().SetWriteCycle(0, 0);  // only the injected refusals count
  struct Case {
    std::uint32_t refusals;
    std::uint8_t result;
  };
  for (const Case c : {Case{0, 0}, Case{1, 0}, Case{8, 0}, Case{9, 4}, Case{20, 4}}) {
    box_->eeprom().RefuseNext(c.refusals);
    const std::uint8_t value = static_cast<std::uint8_t>(0x40 + c.refusals);
    EXPECT_EQ(ilink::BoxWriteBlock(100, 1, &value), c.result) << c.refusals << " refusals";
    if (c.result == 0) {
      EXPECT_EQ(box_->memory()[100], value);
    }
    box_->eeprom().RefuseNext(c.refusals);
    std::uint8_t back = 0;
    EXPECT_EQ(ilink::BoxReadBlock(100, 1, &back), c.result) << c.refusals << " refusals, read";
    box_->eeprom().RefuseNext(0);
  }
  // After a given-up attempt the bus is free again.
  const std::uint8_t value = 0x77;
  EXPECT_EQ(ilink::BoxWriteBlock(101, 1, &value), ilink::kBoxOk);
  EXPECT_EQ(box_->memory()[101], 0x77);
}

TEST_F(BoxBus, PollingWaitsOutATimedWriteCycle) {
  Open();
  // Busy 2 ms after each write: several refused attempts per byte, but fewer than ten.
  box_->eeprom().SetWriteCycle(0, 2'000'000);
  const Bytes data = {1, 2, 3, 4, 5};
  ASSERT_EQ(ilink::BoxWriteBlock(500, 5, data.data()), ilink::kBoxOk);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), box_->memory().begin() + 500));
  EXPECT_GE(box_->eeprom().refused(), 4u);
  // A write cycle longer than ten attempts take is a box that does not answer.
  box_->eeprom().SetWriteCycle(0, 50'000'000);
  EXPECT_EQ(ilink::BoxWriteBlock(600, 2, data.data()), ilink::kBoxNoAnswer);
  EXPECT_EQ(box_->memory()[601], 0xFF);
}

TEST_F(BoxBus, EveryLineChangeIsFollowedByT4) {
  Open();
  box_->ResetTiming();
  const std::uint8_t value = 3;
  std::uint8_t back = 0;
  ASSERT_EQ(ilink::BoxWriteBlock(9, 1, &value), ilink::kBoxOk);
  ASSERT_EQ(ilink::BoxReadBlock(9, 1, &back), ilink::kBoxOk);
  EXPECT_GT(box_->line_changes(), 100u);
  EXPECT_GE(box_->shortest_gap_ns(), std::int64_t{kT4} * 5000);
}

TEST_F(BoxBus, AClosedPortIsNoAnswer) {
  const std::uint8_t value = 1;
  std::uint8_t back = 0;
  EXPECT_EQ(ilink::BoxWriteBlock(0, 1, &value), ilink::kBoxNoAnswer);
  EXPECT_EQ(ilink::BoxReadBlock(0, 1, &back), ilink::kBoxNoAnswer);
}

}  // namespace
}  // namespace ilink_test
