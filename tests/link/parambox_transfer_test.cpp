// Writing a data set into the simulated box and reading it back; refused and broken-off writes.
#include <algorithm>
#include <random>

#include "link/parambox_bus.h"
#include "model/record_layout.h"
#include "model/record_versions.h"
#include "tests/link/parambox_fixture.h"

namespace ilink_test {
namespace {

// The records written for letter 'Q', in box order (the list the tests expect, written out here).
constexpr std::uint16_t kQRecords[] = {3,  4,  17, 304, 15, 11, 42, 43, 40, 41, 38, 39, 53, 54, 48,
                                       49, 34, 35, 55,  56, 57, 58, 512, 514, 522, 59, 60, 46, 47, 458};

class BoxTransfer : public BoxOnFake {
 protected:
  void SetUp() override {
    BoxOnFake::SetUp();
    Load(BoxImage(2, 0x55).Finish());
    // Parameter records of set 0 with contents that are no defaults.
    std::mt19937 rng(1234);
    for (const std::uint16_t record : kQRecords) {
      if (record == 3 || record == 4 || record == 17 || record == 304) continue;
      Bytes bytes(model::RecordSize(record));
      for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
      ASSERT_EQ(model::WriteRecord(record, bytes.data(), model::kModeRaw9, 0), 0) << record;
    }
    PutRaw<std::uint8_t>(17, 0, 0x21);
    PutRaw<std::uint8_t>(304, 1, 42);   // device type
    PutRaw<std::uint8_t>(304, 5, 'E');  // target firmware: written as 'Q'
    PutRaw<std::uint8_t>(4, 0, 'P');    // the set's own layout letter
    Open();
  }
  // Bytes of the box as counted by the simulator (written and read).
  std::uint32_t CountedBytes() const { return box_->eeprom().write_cycles() + box_->eeprom().bytes_read(); }
};

TEST_F(BoxTransfer, AWrittenDataSetReadsBackEqual) {
  std::vector<int> progress;
  ilink::SetBoxProgressHook([&](std::uint8_t p) { progress.push_back(p); });
  ASSERT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxOk);
  EXPECT_EQ(GetRaw<std::uint8_t>(4, 0), 'P') << "the set keeps its own layout letter";
  ASSERT_FALSE(progress.empty());
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.back(), 100);

  const Bytes memory = Memory();
  EXPECT_EQ(memory[8], 0x55);
  // The contents list: records in order, each block RecordElementCount long, from address 10 on.
  std::uint32_t address = 10;
  std::size_t i = 0;
  for (; i < std::size(kQRecords); ++i) {
    const std::size_t at = 10 + 4 * i;
    EXPECT_EQ(memory[at] | (memory[at + 1] << 8), kQRecords[i]);
    EXPECT_EQ(memory[at + 2] | (memory[at + 3] << 8), static_cast<int>(address)) << kQRecords[i];
    address += kQRecords[i] == 3 ? 280 : model::RecordElementCount(kQRecords[i], 'Q', 0);
  }
  EXPECT_EQ(memory[10 + 4 * i] | (memory[11 + 4 * i] << 8), 0) << "end entry";
  EXPECT_EQ(memory[12 + 4 * i] | (memory[13 + 4 * i] << 8), static_cast<int>(address));
  EXPECT_LE(address, 2048u);
  EXPECT_EQ(memory[290], 'Q') << "record 4 in the box carries the box letter";

  ASSERT_EQ(ilink::ReadParameterBox(1), ilink::kBoxOk);
  std::uint8_t by_tool = 0;
  EXPECT_EQ(ilink::CheckParameterBoxHead(2, &by_tool, 1), ilink::kBoxWarnNone);
  EXPECT_EQ(by_tool, 1) << "the box holds a project target";
  ASSERT_EQ(ilink::ReadParameterBoxPart(1, 0), ilink::kBoxOk);
  EXPECT_EQ(progress.back(), 100);
  EXPECT_EQ(GetRaw<std::uint8_t>(4, 0, 1), 'Q');
  for (const std::uint16_t record : kQRecords) {
    if (record == 3 || record == 4) continue;
    const Bytes a = RecordBytes(record, 0), b = RecordBytes(record, 1);
    const std::uint16_t n = model::RecordElementCount(record, 'Q', 0);
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + n, b.begin())) << "record " << record;
  }
}

// The memory stand-in (for fuzzing) answers as the box on the lines does: the same image written, the same
// records read, and not one bit on the lines.
TEST_F(BoxTransfer, TheMemoryStandInWritesAndReadsAsTheBoxOnTheLines) {
  Bytes stand_in = Memory();
  ASSERT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxOk);
  ASSERT_EQ(ilink::ReadParameterBox(1), ilink::kBoxOk);
  ASSERT_EQ(ilink::ReadParameterBoxPart(1, 0), ilink::kBoxOk);
  const Bytes on_lines = Memory();
  std::vector<Bytes> read_on_lines;
  for (const std::uint16_t record : kQRecords) read_on_lines.push_back(RecordBytes(record, 1));

  ASSERT_EQ(model::InitDataSet(1), 0);
  const std::uint32_t counted = CountedBytes();
  ilink::SetBoxMemoryStandIn(stand_in);
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxOk);
  EXPECT_EQ(ilink::ReadParameterBox(1), ilink::kBoxOk);
  EXPECT_EQ(ilink::ReadParameterBoxPart(1, 0), ilink::kBoxOk);
  ilink::SetBoxMemoryStandIn({});
  EXPECT_EQ(CountedBytes(), counted) << "the box on the lines was not asked";
  EXPECT_TRUE(stand_in == on_lines);
  for (std::size_t i = 0; i < std::size(kQRecords); ++i) {
    EXPECT_TRUE(RecordBytes(kQRecords[i], 1) == read_on_lines[i]) << "record " << kQRecords[i];
  }
}

// The target's firmware letter picks the box letter and with it the record list.
TEST_F(BoxTransfer, TheTargetLetterChoosesTheList) {
  struct Case {
    std::uint8_t target, box_letter;
    std::size_t records;  // list entries before the end entry
    std::uint16_t last;
  };
  for (const Case c : {Case{'@', '@', 22, 58}, Case{'A', 'A', 22, 58}, Case{'B', 'C', 27, 458},
                       Case{'C', 'F', 27, 458}, Case{'K', 'Q', 30, 458}}) {
    PutRaw<std::uint8_t>(304, 5, c.target);
    ASSERT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxOk) << c.target;
    const Bytes memory = Memory();
    EXPECT_EQ(memory[290], c.box_letter) << c.target;
    const std::size_t end = 10 + 4 * c.records;
    EXPECT_EQ(memory[end] | (memory[end + 1] << 8), 0) << c.target;
    EXPECT_EQ(memory[end - 4] | (memory[end - 3] << 8), c.last) << c.target;
    EXPECT_EQ(memory[8], 0x55);
  }
}

TEST_F(BoxTransfer, OnlyFamilyOneIsWritten) {
  for (const std::uint8_t family : {2, 3}) {
    PutRaw<std::uint8_t>(304, 0, family);
    box_->ResetTiming();
    EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxFamilyNotServed);
    EXPECT_EQ(box_->line_changes(), 0u);
  }
}

// Target 'D' writes the 'I' list, which for family 1 is larger than the box: refused before anything is
// written, so the box keeps its valid contents.
TEST_F(BoxTransfer, ADataSetLargerThanTheBoxIsRefusedUntouched) {
  PutRaw<std::uint8_t>(304, 5, 'D');
  const Bytes before = Memory();
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxWriteError);
  EXPECT_EQ(Memory(), before);
  EXPECT_EQ(GetRaw<std::uint8_t>(4, 0), 'P');
  EXPECT_EQ(box_->eeprom().write_cycles(), 0u);
}

TEST_F(BoxTransfer, TheFormatMustSuitTheLetter) {
  // Current letters need format 2; mode 1 always writes 'Q'.
  box_->memory()[0] = 1;
  EXPECT_EQ(ilink::WriteParameterBox(0, 1), ilink::kBoxFormattedOld);
  // An old target ('3') needs format 1 and writes the short list.
  PutRaw<std::uint8_t>(304, 5, '3');
  box_->memory()[0] = 2;
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxFormattedCurrent);
  EXPECT_EQ(box_->eeprom().write_cycles(), 0u);
  box_->memory()[0] = 1;
  ASSERT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxOk);
  const Bytes memory = Memory();
  EXPECT_EQ(memory[290], '3');
  const std::uint16_t old_list[] = {3, 4, 17, 304, 15, 11, 254, 251, 0};
  for (std::size_t i = 0; i < std::size(old_list); ++i) EXPECT_EQ(memory[10 + 4 * i], old_list[i] & 0xFF);
}

TEST_F(BoxTransfer, AWriteBrokenOffLeavesTheBoxInvalid) {
  box_->RemoveAfterBytes(200);
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxDisconnected);
  EXPECT_EQ(box_->memory()[8], 0);
  box_->SetPresent(true);
  EXPECT_EQ(ilink::ReadParameterBox(1), ilink::kBoxInvalidData);

  // A box that stops answering mid-way: bus failure, the valid mark cleared all the same.
  box_->memory()[8] = 0x55;
  box_->eeprom().SetWriteCycle(0, 1'000'000'000);  // the first write cycle never ends
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxNoAnswer);
  EXPECT_EQ(box_->memory()[8], 0);
}

// A box pulled just before the valid mark acknowledges everything from then on; only checking afterwards
// tells the write did not land.
TEST_F(BoxTransfer, ABoxPulledAtTheValidMarkIsNoSuccess) {
  const std::uint32_t start = CountedBytes();
  ASSERT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxOk);
  const std::uint32_t total = CountedBytes() - start;  // 10 head, 2 cleared mark, blocks, 2 mark, 2 check
  box_->memory()[8] = 0x55;
  box_->RemoveAfterBytes(total - 4);
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxDisconnected);
  EXPECT_EQ(box_->memory()[8], 0);
}

TEST_F(BoxTransfer, AnAbsentBoxIsNotWritten) {
  box_->SetPresent(false);
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxDisconnected);
  box_->SetPresent(true);
  box_->SetStuckLow(true);
  EXPECT_EQ(ilink::WriteParameterBox(0, 0), ilink::kBoxDisconnected);
  EXPECT_EQ(box_->eeprom().write_cycles(), 0u);
}

}  // namespace
}  // namespace ilink_test
