// Reading the head and identity of the box: every code of the read, blocks that must not overrun their
// records, the part read, re-formatting.
#include "model/record_layout.h"
#include "tests/link/parambox_fixture.h"

namespace ilink_test {
namespace {

Bytes Identity(std::uint8_t family, std::uint8_t type, std::uint8_t board = 0, std::uint8_t positioning = 0) {
  Bytes r5(model::RecordSize(5), 0);
  r5[0] = family;
  r5[1] = type;
  r5[3] = board;
  r5[9] = positioning;
  return r5;
}

// A box written by an inverter: records 4 and 5, no project target.
Bytes DeviceBox(std::uint8_t letter = 'Q', std::uint8_t format = 2, std::uint8_t valid = 0x55) {
  BoxImage image(format, valid);
  image.Add(4, {letter, 7});
  image.Add(17, {0x33, 0x44});
  image.Add(5, Identity(1, 42));
  return image.Finish();
}

using BoxHead = BoxOnFake;

TEST_F(BoxHead, ReadStoresTheHeadAndIdentity) {
  Open();
  Load(DeviceBox('I'));
  ASSERT_EQ(ilink::ReadParameterBox(0), ilink::kBoxOk);
  EXPECT_EQ(GetRaw<std::uint8_t>(1, 0), 2);
  EXPECT_EQ(GetRaw<std::uint8_t>(2, 0), 0x55);
  EXPECT_EQ(GetRaw<std::uint16_t>(3, 0), 3);
  EXPECT_EQ(GetRaw<std::uint16_t>(3, 10), 292);  // record 17 behind record 4's two bytes
  EXPECT_EQ(GetRaw<std::uint8_t>(4, 0), 'I');
  EXPECT_EQ(GetRaw<std::uint8_t>(17, 1), 0x44);
  EXPECT_EQ(GetRaw<std::uint8_t>(5, 1), 42);
  std::uint8_t by_tool = 9;
  ilink::CheckParameterBoxHead(2, &by_tool, 0);
  EXPECT_EQ(by_tool, 0);
}

TEST_F(BoxHead, EachFaultOfTheHeadHasItsCode) {
  Open();
  struct Case {
    const char* what;
    Bytes image;
    std::uint8_t result;
  };
  auto list = [](std::vector<std::pair<std::uint16_t, std::uint16_t>> entries) {
    BoxImage image;
    image.list.insert(image.list.end(), entries.begin(), entries.end());
    image.next = entries.empty() ? 290 : entries.back().second;
    Bytes bytes = image.Finish();
    return bytes;
  };
  auto full_list = [] {
    BoxImage image;
    for (int i = 1; i < 70; ++i) image.Add(static_cast<std::uint16_t>(1000 + i), {1});
    return image.Finish();  // 70 entries, no end
  };
  const Case cases[] = {
      {"format 0", DeviceBox('Q', 0), ilink::kBoxUndefinedFormat},
      {"format 3", DeviceBox('Q', 3), ilink::kBoxUndefinedFormat},
      {"format 1", DeviceBox('Q', 1), ilink::kBoxOk},
      {"format 5", DeviceBox('Q', 5), ilink::kBoxOk},
      {"valid mark cleared", DeviceBox('Q', 2, 0), ilink::kBoxInvalidData},
      {"list without its end", full_list(), ilink::kBoxListTooLarge},
      {"block of 512", list({{4, 290}, {0, 802}}), ilink::kBoxReadError},
      {"block of 511", list({{4, 290}, {0, 801}}), ilink::kBoxOk},
      {"address 2048", list({{4, 2048}, {0, 2050}}), ilink::kBoxReadError},
      {"block past the end", list({{4, 2040}, {0, 2060}}), ilink::kBoxReadError},
      {"list running backwards", list({{4, 300}, {0, 290}}), ilink::kBoxReadError},
      {"bad block of the target", list({{304, 290}, {0, 1000}}), ilink::kBoxReadError},
  };
  for (const Case& c : cases) {
    Load(c.image);
    EXPECT_EQ(ilink::ReadParameterBox(0), c.result) << c.what;
  }
}

TEST_F(BoxHead, AMissingOrVanishingBox) {
  Open();
  Load(DeviceBox());
  box_->SetPresent(false);
  EXPECT_EQ(ilink::ReadParameterBox(0), ilink::kBoxNotFound);
  box_->SetPresent(true);
  box_->SetStuckLow(true);
  EXPECT_EQ(ilink::ReadParameterBox(0), ilink::kBoxNotFound);
  box_->SetStuckLow(false);
  // Pulled during the head, between blocks, during the last block.
  for (const std::uint32_t after : {100u, 290u, 292u, 295u}) {
    box_->SetPresent(true);
    box_->RemoveAfterBytes(after);
    EXPECT_EQ(ilink::ReadParameterBox(0), ilink::kBoxDisconnected) << after;
  }
  box_->SetPresent(true);
  box_->RemoveAfterBytes(10000);
  EXPECT_EQ(ilink::ReadParameterBox(0), ilink::kBoxOk);
}

// A box block is cut at the record's size, and a shorter one leaves the rest of the record as it was.
TEST_F(BoxHead, BlocksNeverOverrunTheirRecords) {
  Open();
  PutRaw<std::uint8_t>(17, 0, 0x11);
  Bytes r5 = RecordBytes(5, 0);
  r5[20] = 'x';  // inside the device-name text
  ASSERT_EQ(model::WriteRecord(5, r5.data(), model::kModeRaw9, 0), 0);
  r5 = RecordBytes(5, 0);  // as the data set holds it (texts terminated)
  const Bytes r304 = RecordBytes(304, 0);
  BoxImage image;
  image.Add(4, Bytes(40, 'Q'));    // 40 bytes for a record of 2
  image.Add(5, Bytes(12, 0x01));   // 12 bytes for a record of 52
  Load(image.Finish());
  ASSERT_EQ(ilink::ReadParameterBox(0), ilink::kBoxOk);
  EXPECT_EQ(GetRaw<std::uint8_t>(4, 0), 'Q');
  EXPECT_EQ(GetRaw<std::uint8_t>(4, 1), 'Q');
  EXPECT_EQ(GetRaw<std::uint8_t>(17, 0), 0x11) << "record 17 is not in this box";
  const Bytes after = RecordBytes(5, 0);
  EXPECT_EQ(Bytes(after.begin(), after.begin() + 12), Bytes(12, 0x01));
  EXPECT_TRUE(std::equal(after.begin() + 12, after.end(), r5.begin() + 12)) << "beyond the short block";
  EXPECT_EQ(RecordBytes(304, 0), r304);
}

TEST_F(BoxHead, ThePartReadTakesTheListedRecordsOfTheVersion) {
  Open();
  const Bytes r251 = RecordBytes(251, 0);
  BoxImage image;
  image.Add(4, {'Q', 22});
  image.Add(15, Bytes(model::RecordSize(15), 0x15));
  image.Add(251, Bytes(10, 0x51));  // not served at 'Q': skipped
  image.Add(355, Bytes(240, 0x35));
  Load(image.Finish());
  box_->SetPresent(false);
  ASSERT_EQ(ilink::ReadParameterBox(0), ilink::kBoxNotFound);
  EXPECT_EQ(ilink::ReadParameterBoxPart(0, 0), ilink::kBoxReadError) << "no head read";
  box_->SetPresent(true);
  ASSERT_EQ(ilink::ReadParameterBox(0), ilink::kBoxOk);
  std::vector<int> progress;
  ilink::SetBoxProgressHook([&](std::uint8_t p) { progress.push_back(p); });
  ASSERT_EQ(ilink::ReadParameterBoxPart(0, 0), ilink::kBoxOk);
  const Bytes filler(model::RecordSize(15), 0x15);
  ASSERT_EQ(model::WriteRecord(15, filler.data(), model::kModeRaw9, 1), 0);
  EXPECT_EQ(RecordBytes(15, 0), RecordBytes(15, 1));  // as the data set holds those bytes
  EXPECT_EQ(RecordBytes(251, 0), r251);
  EXPECT_NE(RecordBytes(355, 0), Bytes(240, 0x35)) << "selector 0 leaves 353..362 alone";
  EXPECT_EQ(progress.size(), 45u);
  EXPECT_EQ(progress.front(), 20 + 80 / 45);
  EXPECT_EQ(progress.back(), 100);
  ASSERT_EQ(ilink::ReadParameterBoxPart(0, 1), ilink::kBoxOk);
  EXPECT_EQ(RecordBytes(355, 0), Bytes(240, 0x35));
  box_->RemoveAfterBytes(1);
  EXPECT_EQ(ilink::ReadParameterBoxPart(0, 1), ilink::kBoxDisconnected);
}

TEST_F(BoxHead, ReformattingBetweenTheTwoFormats) {
  Open();
  struct Case {
    std::uint8_t box_format, to, result, after;
  };
  for (const Case c : {Case{1, 2, 0, 2}, Case{2, 2, 22, 2}, Case{5, 2, 22, 5}, Case{2, 1, 0, 1}, Case{1, 1, 21, 1},
                       Case{2, 3, 11, 2}}) {
    Load(DeviceBox('Q', c.box_format));
    EXPECT_EQ(ilink::SetParameterBoxFormat(c.to), c.result) << int{c.box_format} << " to " << int{c.to};
    EXPECT_EQ(box_->memory()[0], c.after);
    EXPECT_EQ(box_->memory()[8], c.result == 0 ? 0 : 0x55);
    EXPECT_EQ(box_->memory()[290], 'Q') << "contents stay";
  }
  box_->SetPresent(false);
  EXPECT_EQ(ilink::SetParameterBoxFormat(2), ilink::kBoxDisconnected);
}

}  // namespace
}  // namespace ilink_test
