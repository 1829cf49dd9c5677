// Code converters: device type and firmware letter to list positions and back, process data codes, and the
// bytes of the packed CAN transmission types, which return the repacked word and write nothing.
#include "model/menu_list_table.h"
#include "tests/model/converter_test_support.h"
#include "tests/model/model_test_support.h"

namespace converter_test {
namespace {

using model::kTypeI16;
using model::kTypeI32;
using model::kTypeU32;
using model::kTypeU8;

constexpr double Code(std::uint32_t record, std::uint32_t element) {
  return static_cast<double>((record << 16) | element);
}

TEST_F(ConverterTest, DeviceTypeAndListPosition) {
  ExpectAll({
      {"type 17 is position 0", 7, 1, 17, 0.0, 0, kTypeU8, 304},
      {"type 0", 7, 1, 0, 4.0, 0, kTypeU8, 304},
      {"type 100 is not listed", 7, 1, 100, 255.0, 0, kTypeU8, 304},
      {"type 101 is beyond the table", 7, 1, 101, kUntouched, 13, kTypeU8, 304},
      {"position 0 stores 39", 7, 0, 0, 39.0, 0, kTypeU8, 304},
      {"position 27 stores 95", 7, 0, 27, 95.0, 0, kTypeU8, 304},
      {"position 39", 7, 0, 39, 255.0, 0, kTypeU8, 304},
      {"position 40 is beyond the table", 7, 0, 40, kUntouched, 13, kTypeU8, 304},
      {"position 255 (from an unlisted type) too", 7, 0, 255, kUntouched, 13, kTypeU8, 304},
      {"a negative position", 7, 0, -1, kUntouched, 13, kTypeU8, 304},
      {"positions are truncated", 7, 0, 1.7, 40.0, 0, kTypeU8, 304},
      {"u8 only", 7, 1, 17, kUntouched, 13, kTypeI16, 304},
  });
}

TEST(ConverterCodeTables, EveryListedPositionComesBack) {
  const auto& to_position = model::DeviceTypeToPosition();
  const auto& to_type = model::PositionToDeviceType();
  for (std::size_t position = 0; position + 1 < to_type.size(); ++position) {
    ASSERT_LT(to_type[position], to_position.size());
    EXPECT_EQ(to_position[to_type[position]], position) << "position " << position;
  }
  EXPECT_EQ(to_type.back(), 255);
  EXPECT_EQ(to_position[98], 255);
}

TEST_F(ConverterTest, FirmwareLetterAndListPosition) {
  std::vector<Case> cases = {
      {"family 1: 'A' reads 6", 8, 1, 65, 6.0, 0, kTypeU8, 304},
      {"family 1: 9 stores 'E'", 8, 0, 9, 69.0, 0, kTypeU8, 304},
      {"family 1: 10 stores 'E'", 8, 0, 10, 69.0, 0, kTypeU8, 304},
      {"family 1: truncated", 8, 0, 2.9, 48.0, 0, kTypeU8, 304},
      {"family 2: below 'E' reads 12", 8, 1, 68, 12.0, 0, kTypeU8, 304, 0, 0, {}, 2},
      {"family 2: 'E' reads 13", 8, 1, 69, 13.0, 0, kTypeU8, 304, 0, 0, {}, 2},
      {"family 2: 12 stores 'D'", 8, 0, 12, 68.0, 0, kTypeU8, 304, 0, 0, {}, 2},
      {"family 2: 0 stores 'E'", 8, 0, 0, 69.0, 0, kTypeU8, 304, 0, 0, {}, 2},
      {"u8 only", 8, 1, 65, kUntouched, 13, kTypeI16, 304},
  };
  // Every threshold of the other families at the letter and below it.
  const std::vector<std::pair<int, int>> reads = {{0, 0},  {32, 0}, {33, 1}, {47, 1}, {48, 2}, {49, 3},
                                                  {50, 4}, {51, 7}, {63, 7}, {64, 5}, {65, 6}, {66, 7},
                                                  {67, 8}, {68, 9}, {255, 9}};
  for (auto [stored, position] : reads) {
    cases.push_back({"threshold", 8, 1, double(stored), double(position), 0, kTypeU8, 304});
  }
  const int stores[] = {33, 34, 48, 49, 50, 64, 65, 66, 67, 69};
  for (int position = 0; position < 10; ++position) {
    cases.push_back({"position", 8, 0, double(position), double(stores[position]), 0, kTypeU8, 304, 0, 0, {}, 3});
  }
  ExpectAll(cases);
}

TEST_F(ConverterTest, ProcessDataCodes) {
  ExpectAll({
      {"output: E45 control word", 21, 1, Code(52, 60), 2.0, 0, kTypeU32, 55},
      {"output: none", 21, 1, 0, 0.0, 0, kTypeU32, 55},
      {"output: I81 last", 22, 1, Code(33, 94), 32.0, 0, kTypeU32, 55},
      {"output: 2147483647 reads 32", 21, 1, 2147483647.0, 32.0, 0, kTypeU32, 55},
      {"output: not in the list reads 33", 21, 1, 12345, 33.0, 0, kTypeU32, 55},
      {"output: position 30 stores G14", 21, 0, 30, Code(46, 28), 0, kTypeU32, 55},
      {"output: position 33 stores 0", 21, 0, 33, 0.0, 0, kTypeU32, 55},
      {"output: a negative position stores 0", 21, 0, -1, 0.0, 0, kTypeU32, 55},
      {"output: record 55 only", 21, 1, 0, kUntouched, 13, kTypeU32, 54},
      {"output: u32 only", 21, 1, 0, kUntouched, 13, kTypeI32, 55},
      {"input: I88 speed", 23, 1, Code(33, 108), 23.0, 0, kTypeU32, 55},
      {"input: E09 rotor position", 24, 1, Code(33, 144), 4.0, 0, kTypeU32, 55},
      {"input: 2147483647 reads 23", 23, 1, 2147483647.0, 23.0, 0, kTypeU32, 55},
      {"input: not in the list reads 24", 23, 1, Code(52, 60), 24.0, 0, kTypeU32, 55},
      {"input: position 7", 23, 0, 7, Code(33, 40), 0, kTypeU32, 55},
      {"input: position 24 stores 0", 23, 0, 24, 0.0, 0, kTypeU32, 55},
      {"input: record 55 only", 23, 0, 1, kUntouched, 13, kTypeU32, 33},
  });
  for (std::uint8_t converter : {21, 23}) {
    const std::size_t count = converter == 21 ? model::kProcessOutputCodeCount : model::kProcessInputCodeCount;
    for (std::size_t position = 0; position < count; ++position) {
      const double in = static_cast<double>(position);
      double code = 0.0, back = 0.0;
      ASSERT_EQ(model::ConverterTable()[converter](&in, &code, 0.0, kTypeU32, 0, 0, 0, 55), 0);
      ASSERT_EQ(model::ConverterTable()[converter](&code, &back, 0.0, kTypeU32, 0, 1, 0, 55), 0);
      EXPECT_EQ(back, in) << "converter " << int{converter} << " position " << position;
    }
  }
}

TEST(ConverterCodeTables, APositionNamesTheElementItStandsFor) {
  struct Case {
    std::uint8_t converter;
    double position;
    const char* name;  // nullptr: no name
  };
  const Case cases[] = {
      {21, 0, "none"},          {21, 2, "E45 control word"},   {22, 31, "P2 G14 begin.winding diameter"},
      {21, 32, "I81 target position"}, {21, 33, "unknown code"}, {23, 7, "E164 n-post ramp"},
      {24, 23, "I88 speed"},    {23, 24, "unknown code"},      {23, -1, "unknown code"},
      {0, 2, nullptr},          {25, 2, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "converter " << int{c.converter} << " position " << c.position);
    const char* name = model::ProcessCodeName(c.converter, c.position);
    if (c.name == nullptr) {
      EXPECT_EQ(name, nullptr);
    } else {
      ASSERT_NE(name, nullptr);
      EXPECT_STREQ(name, c.name);
    }
  }
}

TEST_F(ConverterTest, BytesOfThePackedWord) {
  const std::vector<Put> word = {{458, 4, 0x12345678}};
  ExpectAll({
      {"27: byte 2 of the value", 27, 1, 0x12345678, 0x34, 0, kTypeU32, 458},
      {"27: into byte 2 of (458, 4)", 27, 0, 0xAB, 0x12AB5678, 0, kTypeU32, 458, 0, 0, word},
      {"27: an entry above a byte", 27, 0, 256, kUntouched, 4, kTypeU32, 458, 0, 0, word},
      {"27: a negative entry", 27, 0, -1, kUntouched, 5, kTypeU32, 458, 0, 0, word},
      {"28: byte 3 of the value", 28, 1, 0x12345678, 0x12, 0, kTypeU32, 458},
      {"28: into byte 3", 28, 0, 0xAB, 0xAB345678, 0, kTypeU32, 458, 0, 0, word},
      {"33: byte 2 of (458, 4), not of the input", 33, 1, 0, 0x34, 0, kTypeU32, 458, 0, 0, word},
      {"33: the repacked word", 33, 0, 0xAB, 0x12AB5678, 0, kTypeU32, 458, 0, 0, word},
      {"33: truncated entry", 33, 0, 5.9, 0x12055678, 0, kTypeU32, 458, 0, 0, word},
      {"33: an entry above a byte", 33, 0, 300, kUntouched, 4, kTypeU32, 458, 0, 0, word},
      {"34: byte 3", 34, 1, 0, 0x12, 0, kTypeU32, 458, 0, 0, word},
      {"34: the repacked word", 34, 0, 0xAB, 0xAB345678, 0, kTypeU32, 458, 0, 0, word},
  });
}

TEST_F(ConverterTest, TransmissionTypeConvertersWriteNothingThemselves) {
  ASSERT_TRUE(identity_test::PutRaw(458, 4, 0x12345678));
  const double in = 0xAB;
  double out = 0.0;
  ASSERT_EQ(model::ConvCanReceiveType(&in, &out, 0.0, kTypeU32, 0, 0, 0, 458), 0);
  ASSERT_EQ(model::ConvCanTransmitType(&in, &out, 0.0, kTypeU32, 0, 0, 0, 458), 0);
  EXPECT_EQ(model::testing::ReadRaw<std::uint32_t>(458, 4), 0x12345678u);
}

// Through WriteElement: the range row of (458, 4) judges the repacked word, and a refused entry changes nothing.
TEST_F(ConverterTest, ARefusedTransmissionTypeLeavesTheWord) {
  model::testing::InstallDescriptors({{458, 4, 33, 0.0, 0}});
  ASSERT_TRUE(identity_test::PutRaw(458, 4, 0x12345678));
  const double accepted = 5, wrong = 250, too_small = 0;
  EXPECT_EQ(model::WriteElement(458, 4, &accepted, model::kModeWriteUnchecked, 0), 0);
  EXPECT_EQ(model::testing::ReadRaw<std::uint32_t>(458, 4), 0x12055678u);
  EXPECT_EQ(model::WriteElement(458, 4, &wrong, model::kModeWriteUnchecked, 0), 6);
  EXPECT_EQ(model::WriteElement(458, 4, &too_small, model::kModeWriteUnchecked, 0), 5);
  EXPECT_EQ(model::testing::ReadRaw<std::uint32_t>(458, 4), 0x12055678u);
  double shown = 0.0;
  EXPECT_EQ(model::ReadElement(458, 4, &shown, model::kModeConverted, 0), 0);
  EXPECT_EQ(shown, 5.0);
  model::SetMenuListTableForTest({});
}

}  // namespace
}  // namespace converter_test
