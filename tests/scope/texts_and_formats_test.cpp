#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scope/core/lang_texts.h"
#include "scope/core/value_format.h"

namespace {

using namespace scope;

TEST(LangTexts, RowsByLanguageCode) {
  struct Case {
    int row, code;
    const char* text;
  };
  const Case kCases[] = {
      {343, 255, "average value: %s %s"},
      {343, 2, "average value: %s %s"},
      {343, 1, "Mittelwert: %s %s"},
      {369, 0, "Alle Fangen"},
      {369, 255, "catch all"},
      {371, 1, "Marker %d (M%d)"},
      {371, 255, "marker %d (M%d)"},
      {372, 255, "measurement values"},
      {372, 0, "Messwerte"},
      {356, 255, "max value: ---"},
      {355, 255, "max. value: %s %s bei %s"},
      {348, 255, "gradient: %.6f %s/\xB5s"},
      {125, 255, "unable to allocate memory (system overloads !)"},
      {407, 255, "channel %d\n%s - %s\n%s %s / DIV"},
      {408, 255, "shows / hides the trace"},
      {409, 255, "moves the trace upward"},
      {0, 255, ""},
      {496, 255, ""},
      {497, 255, ""},
      {-1, 255, ""},
      {100000, 1, ""},
  };
  for (const Case& c : kCases) EXPECT_STREQ(GetLangText(c.row, c.code), c.text) << c.row << "/" << c.code;
}

TEST(LangTexts, EveryUsedRowHasBothColumns) {
  for (int row : {125}) EXPECT_GT(std::strlen(GetLangText(row, 0)), 0u);
  for (int row = 343; row <= 409; ++row) {
    if (row >= 373 && row <= 374) continue;
    EXPECT_GT(std::strlen(GetLangText(row, 255)), 0u) << row;
    EXPECT_GT(std::strlen(GetLangText(row, 0)), 0u) << row;
  }
}

TEST(ValueFormat, RoundHalfAwayFromZero) {
  struct Case {
    double in;
    int out;
  };
  const Case kCases[] = {{2.5, 3}, {-2.5, -3}, {2.4999, 2}, {-0.5, -1}, {0.49, 0}, {1e12, 2147483647},
                         {-1e12, -2147483648}, {0.0, 0}};
  for (const Case& c : kCases) EXPECT_EQ(RoundHalfAway(c.in), c.out) << c.in;
}

TEST(ValueFormat, NumbersByDecimals) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const Case kCases[] = {
      {3.14159, 0, "3"},        {3.14159, 2, "3.14"},    {3.14159, 6, "3.141590"},
      {3.14159, 9, "3.141590"}, {3.14159, -1, "3.141590"}, {-1.25, 1, "-1.2"},
  };
  for (const Case& c : kCases) EXPECT_EQ(FormatByDecimals(c.value, c.decimals), c.text) << c.decimals;
  // The channel text: 0..5 decimals, "%f" beyond or in the plain form, 0 for a channel without key.
  EXPECT_EQ(ChannelValueText(12.345, 1, 2), "12.35");
  EXPECT_EQ(ChannelValueText(12.345, 1, 6), "12.345000");
  EXPECT_EQ(ChannelValueText(12.345, 1, 1, true), "12.345000");
  EXPECT_EQ(ChannelValueText(12.345, 0, 2), "0.00");
}

TEST(ValueFormat, DataTypeWidthsAndMaxima) {
  struct Case {
    int code, width;
    double max;
  };
  const Case kCases[] = {{1, 1, 1},          {2, 1, 127},        {3, 2, 32767},   {4, 4, 2147483647},
                         {5, 1, 255},        {6, 2, 65535},      {7, 4, 4294967295.0}, {8, 4, 3.37e38},
                         {23, 8, 2147483647}, {0, 8, 1.797693e308}, {17, 8, 1.797693e308}};
  for (const Case& c : kCases) {
    EXPECT_EQ(DataTypeWidth(c.code), c.width) << c.code;
    EXPECT_EQ(DataTypeMax(c.code), c.max) << c.code;
  }
}

TEST(ValueFormat, HexAndBitTexts) {
  struct Case {
    const char* in;
    int width;
    const char* out;
  };
  const Case kBitsToHex[] = {
      {"1010", 1, "0A"},       {"1010", 2, "000A"}, {"1010", 3, "00000A"}, {"1010", 4, "0000000A"},
      {"1010", 8, "0000000A"}, {"11x11", 1, "03"},  {"", 1, "00"},         {"1" "0000000000000000000000000000000" "1", 4, "00000001"},
  };
  for (const Case& c : kBitsToHex) EXPECT_EQ(BitsToHex(c.in, c.width), c.out) << c.in << "@" << c.width;
  const Case kHexToBits[] = {
      {"0A", 1, "00001010"}, {"0a", 2, "0000000000001010"}, {"FF", 1, "11111111"}, {"1FF", 1, "11111111"},
      {"zz", 1, "00000000"},
  };
  for (const Case& c : kHexToBits) EXPECT_EQ(HexToBits(c.in, c.width), c.out) << c.in << "@" << c.width;
  EXPECT_EQ(HexToBits("80000000", 4), "10000000000000000000000000000000");
  EXPECT_EQ(HexText(0x1234, 1), "34");
  EXPECT_EQ(HexText(0x1234, 2), "1234");
}

TEST(ValueFormat, FieldsOfASeparatedText) {
  EXPECT_EQ(FieldOf("a;bb;;c", ';', 0), "a");
  EXPECT_EQ(FieldOf("a;bb;;c", ';', 1), "bb");
  EXPECT_EQ(FieldOf("a;bb;;c", ';', 2), "");
  EXPECT_EQ(FieldOf("a;bb;;c", ';', 3), "c");
  EXPECT_EQ(FieldOf("a;bb;;c", ';', 4), "");
  EXPECT_EQ(FieldOf("abc", ';', 0), "abc");
  EXPECT_EQ(FieldOf("abc", ';', -1), "");
}

TEST(ValueFormat, TimeLabelsByTheTimeBasesDigitTriples) {
  struct Case {
    double time, base;
    const char* number;
    const char* unit;
  };
  const Case kCases[] = {
      {1500, 500, "1500", "\xB5s"},      {-250, 999, "-250", "\xB5s"},
      {1500000, 1000, "1500", "ms"},     {2000, 999999, "2", "ms"},
      {1500000, 1000000, "1.500", "s"},  {-3000, 2000000, "-0.003", "s"},
      {4000000000, 1000000000, "4000.000", "s"},
  };
  for (const Case& c : kCases) {
    const TimeLabel label = MakeTimeLabel(c.time, c.base);
    EXPECT_EQ(label.number, c.number) << c.time << " at " << c.base;
    EXPECT_EQ(label.unit, c.unit) << c.time << " at " << c.base;
  }
}

}  // namespace
