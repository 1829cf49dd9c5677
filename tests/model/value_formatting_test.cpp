#include "model/value_formatting.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "identity_fixture.h"
#include "model/element_attributes.h"

namespace {

using model::FormatValue;

struct FormatCase {
  double value;
  std::uint8_t kind;
  std::uint8_t decimals;
  const char* text;
};

const FormatCase kFormatCases[] = {
    // Kind 1, decimals 0: truncated, not rounded.
    {-3.7, 1, 0, "-3"},
    {3.7, 1, 0, "3"},
    {4294967295.0, 1, 0, "4294967295"},
    {5e9, 1, 0, "4294967295"},   // saturates instead of an undefined cast
    {-3e9, 1, 0, "-2147483648"},
    {std::numeric_limits<double>::quiet_NaN(), 1, 0, "0"},
    // Places: the value is rounded half away from zero first, then printed.
    {1.25, 1, 1, "1.3"},
    {-1.25, 1, 1, "-1.3"},
    {1.25, 1, 7, "1.250"},
    {1.25, 1, 255, "1.250"},
    {0.125, 1, 2, "0.13"},   // printf alone would give 0.12
    {2.675, 1, 2, "2.68"},
    {0.285, 1, 2, "0.28"},
    {1.0005, 1, 3, "1.001"},
    {-0.04, 1, 1, "0.0"},    // no negative zero
    {1e300, 1, 3, nullptr},  // checked for length only
    // Kind 9: the low 16 bits in capital hex without leading zeros.
    {255.0, 9, 0, "FF"},
    {43981.0, 9, 0, "ABCD"},
    {40000.9, 9, 0, "9C40"},
    {65552.0, 9, 0, "10"},
    {-1.0, 9, 0, "FFFF"},
    // Kinds 10 and 13: bit groups.
    {32769.0, 10, 0, "1000 0000 0000 0001"},
    {-1.0, 10, 0, "1111 1111 1111 1111"},
    {1.0, 13, 0, "0000 0000 0000 0000 0000 0000 0000 0001 "},
    {2147483648.0, 13, 0, "1000 0000 0000 0000 0000 0000 0000 0000 "},
};

TEST(FormatValueTest, CaseTable) {
  for (const FormatCase& c : kFormatCases) {
    char out[400];
    ASSERT_EQ(FormatValue(c.value, c.kind, c.decimals, out, sizeof out), 0) << c.value;
    if (c.text != nullptr) {
      EXPECT_STREQ(out, c.text) << "value " << c.value << " kind " << int{c.kind} << " decimals " << int{c.decimals};
    } else {
      EXPECT_EQ(std::strlen(out), 301u + 4u);  // 301 digits, point, three places
    }
  }
}

TEST(FormatValueTest, UnservedKindLeavesTheBufferAlone) {
  for (std::uint8_t kind : {0, 2, 3, 6, 11, 12, 14}) {
    char out[8] = "keep";
    EXPECT_EQ(FormatValue(1.0, kind, 0, out, sizeof out), 1);
    EXPECT_STREQ(out, "keep");
  }
}

TEST(FormatValueTest, CutsToSizeMinusOne) {
  char out[8] = "xxxxxxx";
  EXPECT_EQ(FormatValue(1234.5, 1, 1, out, 4), 0);
  EXPECT_STREQ(out, "123");
  EXPECT_EQ(FormatValue(1234.5, 1, 1, out, 1), 0);
  EXPECT_STREQ(out, "");
}

TEST(FormatValueTest, RefusesSizeBelowOne) {
  char out[4] = "abc";
  EXPECT_EQ(FormatValue(1.0, 1, 0, out, 0), 1);
  EXPECT_EQ(FormatValue(1.0, 1, 0, out, -5), 1);
  EXPECT_STREQ(out, "abc");
}

// Puts the numeric locale back however the test ends.
class NumericLocaleGuard {
 public:
  NumericLocaleGuard() {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    saved_ = current != nullptr ? current : "C";
  }
  ~NumericLocaleGuard() { std::setlocale(LC_NUMERIC, saved_.c_str()); }

 private:
  std::string saved_;
};

TEST(FormatValueTest, PrintsAPointUnderACommaLocale) {
  const NumericLocaleGuard guard;
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    // The build tree may hold one (tests/CMakeLists.txt makes it with localedef).
    ::setenv("LOCPATH", ZPR_BIN_DIR "/../locale", 1);
    const bool made = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
    if (!made) GTEST_SKIP() << "no German locale installed";
  }
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5") << "the locale in force writes a decimal comma";
  char out[32];
  EXPECT_EQ(FormatValue(1.25, 1, 1, out, sizeof out), 0);
  EXPECT_STREQ(out, "1.3");
  EXPECT_EQ(FormatValue(-12.3456, 1, 3, out, sizeof out), 0);
  EXPECT_STREQ(out, "-12.346");
}

class ElementAttributesTest : public identity_test::IdentityFixture {};

TEST_F(ElementAttributesTest, PolePairSelectorFollowsTheMotorRecordOfTheSet) {
  using identity_test::PutRaw;
  ASSERT_TRUE(PutRaw(42, 26, 2));
  EXPECT_EQ(model::GetElementAttributes(40, 255, 0), 0);
  ASSERT_TRUE(PutRaw(42, 26, 3));
  EXPECT_EQ(model::GetElementAttributes(40, 255, 0), 1);
  // Parameter-set-2 records read record 43; records 33, 52, 306 read element 68 of record 33.
  EXPECT_EQ(model::GetElementAttributes(41, 255, 0), 0);
  ASSERT_TRUE(PutRaw(43, 26, 4));
  EXPECT_EQ(model::GetElementAttributes(41, 255, 0), 1);
  EXPECT_EQ(model::GetElementAttributes(52, 255, 0), 0);
  ASSERT_TRUE(PutRaw(33, 68, 3));
  EXPECT_EQ(model::GetElementAttributes(306, 255, 0), 1);
  SetIdentity({.family = 2});
  EXPECT_EQ(model::GetElementAttributes(40, 255, 0), 0);
}

TEST_F(ElementAttributesTest, PositionRecordsScaleByPolePairsTimesFactor) {
  using identity_test::PutRaw;
  if (!identity_test::HasType(254, 54, model::kTypeU16)) GTEST_SKIP() << identity_test::TypeNote(254, 54, "u16");
  struct Case {
    int p, q;
    std::uint8_t decimals;
  };
  for (const Case c : {Case{2, 500, 2}, Case{2, 49, 0}, Case{1, 100, 1}, Case{5, 1999, 2}, Case{20, 500, 3}}) {
    ASSERT_TRUE(PutRaw(254, 65, c.p));
    ASSERT_TRUE(PutRaw(254, 54, c.q));
    EXPECT_EQ(model::GetElementAttributes(254, 255, 0), c.decimals) << c.p << " x " << c.q;
  }
}

TEST_F(ElementAttributesTest, ComputedAndPlainSelectors) {
  EXPECT_EQ(model::GetElementAttributes(512, 254, 9), 0);  // unreadable: 0
  EXPECT_EQ(model::GetElementAttributes(40, 253, 0), 1);
  SetIdentity({.family = 2});
  EXPECT_EQ(model::GetElementAttributes(40, 253, 0), 0);
  for (std::uint8_t selector : {0, 1, 2, 3, 7, 252}) EXPECT_EQ(model::GetElementAttributes(40, selector, 0), selector);
}

TEST_F(ElementAttributesTest, PositionDecimalsSelectorReadsI06) {
  if (!identity_test::PutRaw(512, 76, 3)) GTEST_SKIP() << identity_test::TypeNote(512, 76, "u8");
  EXPECT_EQ(model::GetElementAttributes(512, 254, 0), 3);
}

}  // namespace
