// RebuildDerivedElements, the operating-time texts and the fault-memory sort.
#include <array>
#include <cstring>
#include <string>

#include "model/data_set.h"
#include "model/derived_elements.h"
#include "tests/model/action_test_support.h"

namespace model {
namespace {

using testing::ActionTest;

std::string Text(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  std::array<char, 1024> text{};
  EXPECT_EQ(ReadElement(record, element, text.data(), kModeRaw, set), 0);
  return text.data();
}

class DerivedElementsTest : public ActionTest {
 protected:
  // Data read from a device (file kind 18) at layout letter `layout`.
  static void FromDevice(std::uint8_t layout) {
    Put(302, 0, kFileKindReverseDoc);
    Put(4, 0, layout);
  }
};

TEST_F(DerivedElementsTest, VersionTextFromTheIdentityBytes) {
  struct Case {
    std::uint8_t version, kind, build;
    const char* text;
  };
  const Case cases[] = {
      {0xBC, 0x22, 0x03, "E 11.12 B3      "},  // major 11, minor 12, kind 2, revision 2, build 3
      {0x41, 0x01, 0x00, "V  4.1 A        "},
      {0x41, 0x10, 0x07, "D  4.1  7       "},
      {0x0A, 0x35, 0x00, "   0.10 E       "},
  };
  FromDevice(60);
  for (const Case& c : cases) {
    Put(5, 5, c.version);
    Put(5, 6, c.kind);
    Put(5, 7, c.build);
    ASSERT_EQ(RebuildDerivedElements(0), 0);
    EXPECT_EQ(Text(320, 0), c.text);
  }
}

TEST_F(DerivedElementsTest, NewerDevicesSupplyTheirVersionText) {
  FromDevice('C');
  ASSERT_EQ(WriteElement(5, 12, "X7.25 rev 3", kModeRaw, 0), 0);
  ASSERT_EQ(RebuildDerivedElements(0), 0);
  EXPECT_EQ(Text(320, 0), "X7.25 rev 3");
}

TEST_F(DerivedElementsTest, OperatingTimes) {
  Put(32, 0, 1234);
  Put(32, 2, 5);
  Put(32, 3, 6);
  Put(32, 12, 65535);
  Put(32, 14, 59);
  Put(32, 15, 59);
  ASSERT_EQ(FormatOperatingTimes(0), 0);
  EXPECT_EQ(Text(319, 0), "1234h 5min 6sec");
  EXPECT_EQ(Text(319, 81), "65535h 59min 59sec");
  // Older layouts count in record 10, which this layout does not hold: no text rather than a failed rebuild.
  Put(4, 0, 60);
  ASSERT_EQ(FormatOperatingTimes(0), 0);
  EXPECT_EQ(Text(319, 0), "");
  EXPECT_EQ(Text(319, 81), "");
}

TEST_F(DerivedElementsTest, RebuildOfAProjectLeavesTheTextsAndRecalculatesTheMotors) {
  ASSERT_EQ(WriteElement(320, 0, "kept", kModeRaw, 0), 0);
  Put(33, 64, 1);
  Put(33, 65, 9);
  Put(320, 18, 0.0);
  Put(55, 26, (33u << 16) | 0);
  Put(55, 30, 0);
  ASSERT_EQ(RebuildDerivedElements(0), 0);
  EXPECT_EQ(Text(320, 0), "kept");
  EXPECT_EQ(Get(33, 65), 0);
  EXPECT_DOUBLE_EQ(GetDouble(320, 18), static_cast<double>(3.5f) / 3.51);
  EXPECT_EQ(Get(33, 136), 2);
}

TEST_F(DerivedElementsTest, GuardOfTheFaultSort) {
  EXPECT_EQ(SortFaultMemory(2), 1);
  Put(4, 0, 51);
  EXPECT_EQ(SortFaultMemory(0), 14);
  FromDevice(51);
  EXPECT_EQ(RebuildDerivedElements(0), 14);
}

class FaultSortTest : public DerivedElementsTest {
 protected:
  // A fault entry of record 336 + i: used flag, code, stamp (h, min, s), value, flags.
  static void Entry(std::uint16_t i, bool used, std::uint8_t code, std::uint32_t seconds, std::int16_t value = 0,
                    std::uint8_t byte18 = 0, std::uint8_t byte17 = 0, std::uint16_t word14 = 0) {
    std::array<std::uint8_t, 22> e{};
    e[0] = used ? 1 : 0;
    e[1] = code;
    const auto hours = static_cast<std::uint16_t>(seconds / 3600);
    e[2] = static_cast<std::uint8_t>(hours & 0xFF);
    e[3] = static_cast<std::uint8_t>(hours >> 8);
    e[4] = static_cast<std::uint8_t>(seconds / 60 % 60);
    e[5] = static_cast<std::uint8_t>(seconds % 60);
    std::memcpy(&e[6], &value, 2);
    std::memcpy(&e[14], &word14, 2);
    e[17] = byte17;
    e[18] = byte18;
    ASSERT_EQ(WriteRecord(static_cast<std::uint16_t>(336 + i), e.data(), kModeRaw, 0), 0);
  }
  static std::array<std::uint8_t, 62> Sorted(std::uint16_t position) {
    std::array<std::uint8_t, 62> t{};
    EXPECT_EQ(ReadRecord(static_cast<std::uint16_t>(307 + position), t.data(), kModeRaw, 0), 0);
    return t;
  }
};

TEST_F(FaultSortTest, NewestFirstTiesByRecordZeroStampsKeptUnusedDropped) {
  Put(4, 0, 'Q');
  Entry(0, true, 10, 100);
  Entry(1, false, 11, 999);
  Entry(2, true, 12, 7200 + 500);
  Entry(3, true, 13, 7200 + 500);
  Entry(4, true, 14, 0);
  Put(311, 1, 77);  // behind the last used entry: kept
  ASSERT_EQ(SortFaultMemory(0), 0);
  EXPECT_EQ(Get(318, 0), 4);
  EXPECT_EQ(Sorted(0)[1], 12);
  EXPECT_EQ(Sorted(1)[1], 13);
  EXPECT_EQ(Sorted(2)[1], 10);
  EXPECT_EQ(Sorted(3)[1], 14);
  EXPECT_EQ(Get(311, 1), 77);
}

TEST_F(FaultSortTest, DerivedBytesOfAnEntry) {
  Put(4, 0, 'Q');
  Entry(0, true, 37, 60, 1000, 0x35, 0x81, 1u << 14 | 1u);
  ASSERT_EQ(SortFaultMemory(0), 0);
  const auto t = Sorted(0);
  EXPECT_EQ(t[18], 5);
  EXPECT_EQ(t[61], 3 + 16);  // from the extra-information nibble of the source
  EXPECT_EQ(t[30], 1);
  EXPECT_EQ(t[37], 1);
  EXPECT_EQ(t[31], 0);
  EXPECT_EQ(t[46], 1);
  EXPECT_EQ(t[60], 1);
  double value = 0.0;
  std::memcpy(&value, &t[22], sizeof value);
  // Parameter set 2 (bit 14): record 43's 2 pole pairs, 1000 x 0.7324219 / 2 rounded to a whole rpm.
  EXPECT_DOUBLE_EQ(value, 366.0);

  struct Case {
    std::uint8_t code, byte18, expected;
  };
  for (const Case& c : {Case{52, 0x70, 7}, Case{37, 0x05, 0}, Case{34, 0x25, 34}, Case{34, 0x05, 0},
                        Case{99, 0xF0, 0}}) {
    Entry(0, true, c.code, 60, 0, c.byte18);
    ASSERT_EQ(SortFaultMemory(0), 0);
    EXPECT_EQ(Sorted(0)[61], c.expected) << int(c.code);
  }
}

TEST_F(FaultSortTest, DerivedValueWithoutPolePairsAndInFamily2) {
  Put(4, 0, 'Q');
  Put(42, 26, 0);
  Entry(0, true, 1, 60, -1001);
  ASSERT_EQ(SortFaultMemory(0), 0);
  double value = 0.0;
  std::memcpy(&value, &Sorted(0)[22], sizeof value);
  EXPECT_EQ(value, 999999999.0);
  Put(304, 0, 2);
  ASSERT_EQ(SortFaultMemory(0), 0);
  std::memcpy(&value, &Sorted(0)[22], sizeof value);
  EXPECT_EQ(value, -251.0);  // arithmetic shift right by 2
}

}  // namespace
}  // namespace model
