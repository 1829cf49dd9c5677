#include "model/project_line_codec.h"

#include <array>
#include <limits>
#include <optional>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "model/element_type.h"
#include "comma_locale.h"

namespace {

using namespace model;

std::vector<std::uint8_t> Bytes(std::uint8_t type, const void* value, std::size_t n) {
  std::vector<std::uint8_t> b(ElementTypeSizeOf(type), 0);
  std::memcpy(b.data(), value, n);
  return b;
}

std::string Encode(std::uint8_t type, const std::vector<std::uint8_t>& bytes) {
  std::string out;
  EXPECT_EQ(EncodeElementLine(type, bytes, out), kLineDone);
  return out;
}

template <typename T>
T Decode(std::uint8_t type, std::string_view line) {
  std::vector<std::uint8_t> b(ElementTypeSizeOf(type), 0xAA);
  EXPECT_EQ(DecodeElementLine(type, line, b), kLineDone) << line;
  T v{};
  std::memcpy(&v, b.data(), sizeof v);
  return v;
}

TEST(ProjectLineCodec, IntegersWrittenAsTheFileFormatPrintsThem) {
  const std::int8_t i8 = -5;
  const std::int16_t i16 = -1;
  const std::int32_t i32 = -1;
  const std::uint32_t u32 = 4294967295u;
  const std::uint16_t u16 = 85;
  const std::uint8_t u8 = 200;
  EXPECT_EQ(Encode(kTypeI8, Bytes(kTypeI8, &i8, 1)), "251");
  EXPECT_EQ(Encode(kTypeI16, Bytes(kTypeI16, &i16, 2)), "65535");
  EXPECT_EQ(Encode(kTypeI32, Bytes(kTypeI32, &i32, 4)), "-1");
  EXPECT_EQ(Encode(kTypeU32, Bytes(kTypeU32, &u32, 4)), "4294967295");
  EXPECT_EQ(Encode(kTypeU16, Bytes(kTypeU16, &u16, 2)), "85");
  EXPECT_EQ(Encode(kTypeU8, Bytes(kTypeU8, &u8, 1)), "200");
}

TEST(ProjectLineCodec, IntegersReadInTheirWrittenFormsBetweenBlanks) {
  EXPECT_EQ(Decode<std::int8_t>(kTypeI8, "251"), -5);
  EXPECT_EQ(Decode<std::int8_t>(kTypeI8, "-5"), -5);
  EXPECT_EQ(Decode<std::int8_t>(kTypeI8, "255"), -1);
  EXPECT_EQ(Decode<std::int8_t>(kTypeI8, "-128"), INT8_MIN);
  EXPECT_EQ(Decode<std::int16_t>(kTypeI16, "65535"), -1);
  EXPECT_EQ(Decode<std::int16_t>(kTypeI16, " -1 \t"), -1);
  EXPECT_EQ(Decode<std::int32_t>(kTypeI32, "-2147483648"), INT32_MIN);
  EXPECT_EQ(Decode<std::int32_t>(kTypeI32, "2147483647"), INT32_MAX);
  EXPECT_EQ(Decode<std::uint32_t>(kTypeU32, "4294967295"), 4294967295u);
  EXPECT_EQ(Decode<std::uint16_t>(kTypeU16, "65535\r"), 65535);
  EXPECT_EQ(Decode<std::uint8_t>(kTypeU8, "+7"), 7);
  EXPECT_EQ(Decode<std::uint8_t>(kTypeU8Unused, "0"), 0);
}

// What no written file holds is a fault, and the element keeps its bytes: trailing characters, a number beyond
// what the type's written form can take, a negative number in an unsigned type.
TEST(ProjectLineCodec, IntegerLinesNoWrittenFileHoldsAreFaults) {
  const struct {
    std::uint8_t type;
    const char* line;
  } kCases[] = {
      {kTypeU8, "9x0"},          {kTypeU8, "256"},         {kTypeU8, "-1"},
      {kTypeU16, "99999"},       {kTypeU16, "-5"},         {kTypeU16, "12 34"},
      {kTypeU16, "65536"},       {kTypeU32, "4294967296"}, {kTypeU32, "-1"},
      {kTypeU32, "99999999999"}, {kTypeI8, "256"},         {kTypeI8, "-129"},
      {kTypeI16, "65536"},       {kTypeI16, "-32769"},     {kTypeI16, " -1 trailing"},
      {kTypeI32, "2147483648"},  {kTypeI32, "-2147483649"}, {kTypeI32, "99999999999999999999999"},
      {kTypeU16, "1.5"},         {kTypeU16, "0x10"},       {kTypeU32, ""},
      {kTypeU32, "  "},          {kTypeI32, "x12"},        {kTypeI32, "-"},
      {kTypeI32, "+-1"},
  };
  for (const auto& c : kCases) {
    std::array<std::uint8_t, 4> b;
    b.fill(0xAA);
    EXPECT_EQ(DecodeElementLine(c.type, c.line, b), kLineFault) << int(c.type) << " \"" << c.line << '"';
    EXPECT_EQ(b[0], 0xAA) << c.line;
  }
}

TEST(ProjectLineCodec, FloatsUseTheExponentFormInAnyLocale) {
  for (const bool comma : {false, true}) {
    std::optional<testing_support::CommaLocale> locale;
    if (comma) {
      locale.emplace();
      if (!locale->active()) GTEST_SKIP() << "no comma locale could be built";
    }
    SCOPED_TRACE(comma ? "comma locale" : "C locale");
    const float f = 15.0f;
    const double d = -0.000123456;
    EXPECT_EQ(Encode(kTypeF32, Bytes(kTypeF32, &f, 4)), "1.500000e+01");
    EXPECT_EQ(Encode(kTypeF64, Bytes(kTypeF64, &d, 8)), "-1.234560e-04");
    EXPECT_EQ(Decode<float>(kTypeF32, "1.500000e+01"), 15.0f);
    EXPECT_EQ(Decode<float>(kTypeF32, "0.1"), 0.1f);  // rounded to 32 bits
    EXPECT_EQ(Decode<double>(kTypeF64, " +2.5"), 2.5);
    EXPECT_EQ(Decode<float>(kTypeF32, "1e300"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(Decode<double>(kTypeF64, "1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Decode<double>(kTypeF64, "-1e-999"), -0.0);
    EXPECT_EQ(Decode<double>(kTypeF64, "2.5e+00 "), 2.5);
    std::array<std::uint8_t, 8> b{};
    for (const char* fault : {"abc", "1,5e+01", "1.5e+01x", "1.5 2"}) {
      EXPECT_EQ(DecodeElementLine(kTypeF64, fault, b), kLineFault) << fault;
      EXPECT_EQ(DecodeElementLine(kTypeF32, fault, b), kLineFault) << fault;
    }
  }
}

TEST(ProjectLineCodec, HexBlocks) {
  std::vector<std::uint8_t> zeros(240, 0);
  const std::string line = Encode(kTypeBlock240, zeros);
  EXPECT_EQ(line.size(), 720u);
  EXPECT_EQ(line.substr(0, 6), "00 00 ");
  EXPECT_EQ(line.back(), ' ');

  std::vector<std::uint8_t> block(240, 0x55);
  block[0] = 0xAB;
  block[239] = 0x0F;
  EXPECT_EQ(Encode(kTypeBlock240, block).substr(0, 6), "AB 55 ");
  std::vector<std::uint8_t> back(240, 0);
  ASSERT_EQ(DecodeElementLine(kTypeBlock240, Encode(kTypeBlock240, block), back), kLineDone);
  EXPECT_EQ(back, block);

  std::array<std::uint8_t, 5> out{1, 2, 3, 4, 5};
  EXPECT_EQ(HexTextToBytes("ab 1F 9Z", out), 3u);  // lower case and other characters count as 0
  EXPECT_EQ(out, (std::array<std::uint8_t, 5>{0x00, 0x1F, 0x90, 4, 5}));
  EXPECT_EQ(HexTextToBytes("12 34-56 ", out), 2u);  // stops after the group without a blank
  EXPECT_EQ(out[1], 0x34);
  EXPECT_EQ(out[2], 0x90);
  EXPECT_EQ(HexTextToBytes("7", out), 0u);
}

TEST(ProjectLineCodec, TextsNeverAddALine) {
  std::vector<std::uint8_t> t(ElementTypeSizeOf(kTypeText1023), 0);
  std::memcpy(t.data(), "a\r\nb\rc\nd", 8);
  const std::string line = Encode(kTypeText1023, t);
  EXPECT_EQ(line, std::string("a\x0E\x0B") + "b c d");
  std::vector<std::uint8_t> back(1024, 0xAA);
  ASSERT_EQ(DecodeElementLine(kTypeText1023, "a\x0E\x0B" "b", back), kLineDone);
  EXPECT_STREQ(reinterpret_cast<const char*>(back.data()), "a\r\nb");

  std::vector<std::uint8_t> t80(81, 0);
  std::memcpy(t80.data(), "dev\r\ntext", 9);
  EXPECT_EQ(Encode(kTypeText80, t80), "dev  text");
}

TEST(ProjectLineCodec, TextsAreCutToTheirElement) {
  const std::string long_line(2000, 'x');
  const struct {
    std::uint8_t type;
    std::size_t keep;
  } cases[] = {{kTypeText8, 8}, {kTypeText16, 16}, {kTypeText80, 80}, {kTypeText1023, 1023}};
  for (const auto& c : cases) {
    std::vector<std::uint8_t> b(ElementTypeSizeOf(c.type), 0xAA);
    ASSERT_EQ(DecodeElementLine(c.type, long_line, b), kLineDone);
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(b.data())), c.keep);
    // A text that fills its element without terminator is written cut, never beyond the element.
    std::vector<std::uint8_t> full(ElementTypeSizeOf(c.type), 'y');
    EXPECT_EQ(Encode(c.type, full).size(), c.keep);
  }
  std::vector<std::uint8_t> blank(17, 0);
  blank[0] = ' ';
  EXPECT_EQ(Encode(kTypeText16, blank), " ");
  std::vector<std::uint8_t> b(17, 0xAA);
  ASSERT_EQ(DecodeElementLine(kTypeText16, "", b), kLineDone);
  EXPECT_EQ(b, std::vector<std::uint8_t>(17, 0));
}

TEST(ProjectLineCodec, TypesWithoutALineForm) {
  std::array<std::uint8_t, 8> b{};
  std::string out;
  for (std::uint8_t type : {1, 13, 16, 17, 255}) {
    EXPECT_EQ(EncodeElementLine(type, b, out), kLineFault) << int(type);
    EXPECT_EQ(DecodeElementLine(type, "1", b), kLineFault) << int(type);
  }
  EXPECT_TRUE(out.empty());
}

TEST(ProjectLineCodec, UpperCaseN) {
  char text[] = "proj.zpr";
  UpperCaseN(text, 4);
  EXPECT_STREQ(text, "PROJ.zpr");
}

}  // namespace
