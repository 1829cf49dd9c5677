// What a user can type into a bound edit, against every kind of edit row: each refused entry shows its message
// with the refusal's insert and leaves the element as it was; each accepted one stores its value.
#include "tests/app/binding_fixture.h"

#include "model/record_layout.h"

namespace binding_test {
namespace {

constexpr std::uint8_t kAccepted = 0;
constexpr std::uint8_t kTooBig = 4;
constexpr std::uint8_t kTooSmall = 5;
constexpr std::uint8_t kNoNumber = 6;

struct Outcome {
  std::uint8_t status;  // kAccepted, or the refusal's status
  double stored = 0.0;  // the value stored when accepted
};

// One typed entry and what each numeric row makes of it: the byte 0..255 (A01, unit "blk"), the float of
// -2147483647..2147483647 (A13, one decimal, "m/s"), the hexadecimal word (A14) and the bit-group word (A15).
struct Entry {
  const char* text;
  Outcome byte;
  Outcome speed;
  Outcome hex;
  Outcome bits;
};

const std::string kLong = "1" + std::string(50, '0');  // 51 characters: more than an entry holds

const Entry kEntries[] = {
    {"", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {"   ", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {"abc", {kNoNumber}, {kNoNumber}, {kAccepted, 0xABC}, {kNoNumber}},
    {"12x", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {"1.2.3", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {"inf", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {"nan", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {"0x10", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {"1e999", {kNoNumber}, {kNoNumber}, {kTooBig}, {kNoNumber}},
    {kLong.c_str(), {kNoNumber}, {kNoNumber}, {kNoNumber}, {kNoNumber}},
    {" 7 ", {kAccepted, 7}, {kAccepted, 7}, {kAccepted, 7}, {kNoNumber}},
    {"300", {kTooBig}, {kAccepted, 300}, {kAccepted, 0x300}, {kNoNumber}},
    {"-1", {kTooSmall}, {kAccepted, -1}, {kNoNumber}, {kNoNumber}},
    {"99999999999", {kTooBig}, {kTooBig}, {kNoNumber}, {kNoNumber}},
    {"1,5", {kNoNumber}, {kAccepted, 1.5}, {kNoNumber}, {kNoNumber}},
    {"2.5", {kNoNumber}, {kAccepted, 2.5}, {kNoNumber}, {kNoNumber}},
    {"1 0", {kNoNumber}, {kNoNumber}, {kNoNumber}, {kAccepted, 2}},
};

struct Row {
  int id;
  std::uint16_t record;
  std::uint16_t element;
  Outcome Entry::*outcome;
  const char* insert;  // the refusal's insert
};

const Row kRows[] = {
    {kNumber, 306, 8, &Entry::byte, "Wrong input from A01 block (Range of values: 0 ... 255 blk) "},
    {kSpeed, 320, 68, &Entry::speed,
     "Wrong input from A13 speed (Range of values: -2.14748e+09 ... 2.14748e+09 m/s) "},
    {kHex, 254, 0, &Entry::hex, "Wrong input from A14 hex (Range of values: 0 ... 65535 ) "},
    {kBits, 254, 54, &Entry::bits, "Wrong input from A15 bits (Range of values: 0 ... 65535 ) "},
};

std::string StatusText(std::uint8_t status) {
  switch (status) {
    case kTooBig: return "Value is too big. \n";
    case kTooSmall: return "Value is too small. \n";
    default: return "Wrong value (definition gap).\n";
  }
}

TEST_F(BindingTest, EveryTypedEntryIsStoredOrRefusedWithItsMessageAgainstEveryNumericRow) {
  for (const Row& row : kRows) {
    for (const Entry& entry : kEntries) {
      SCOPED_TRACE(testing::Message() << "row " << row.id << " entry \"" << entry.text << "\"");
      SetShown(row.record, row.element, 12.0);
      ASSERT_EQ(Fill(0), 0);
      sink_.texts.clear();
      SetText(row.id, entry.text);
      const Outcome& expected = entry.*row.outcome;
      const std::uint8_t result = Store(row.id);
      if (expected.status == kAccepted) {
        EXPECT_EQ(result, 0) << LastMessage();
        EXPECT_EQ(Shown(row.record, row.element), expected.stored);
        EXPECT_TRUE(sink_.texts.empty());
      } else {
        EXPECT_EQ(result, 1);
        EXPECT_EQ(LastMessage(), StatusText(expected.status) + row.insert);
        EXPECT_EQ(Shown(row.record, row.element), 12.0) << "the element is left as it was";
      }
    }
  }
}

TEST_F(BindingTest, TextEntriesAreStoredUpToTheElementsSizeAndRefusedBeyondIt) {
  struct Case {
    const char* text;
    bool stored;
  };
  const Case cases[] = {{"", true}, {"   ", true}, {"abc 12,5", true}, {"SIXTEEN CHARS OK", true},
                        {"SEVENTEEN CHARS X", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Fill(0), 0);
    SetText(kString, "before");
    ASSERT_EQ(Store(kString), 0);
    sink_.texts.clear();
    SetText(kString, c.text);
    EXPECT_EQ(Store(kString), c.stored ? 0 : 1);
    EXPECT_EQ(String(15, 4), c.stored ? c.text : "before");
    EXPECT_EQ(LastMessage(), c.stored ? "" : "Value is too big. \n(Parameter A07 user)  ");
  }
}

TEST_F(BindingTest, ASelectionOutsideTheLimitsIsRefusedWithTheParameterInsert) {
  // The combo box offers only values with a text; a value its limits refuse comes from an item the user picked
  // while the limits were wider, as after a change of another parameter.
  SetByte(305, 47, 0);
  ASSERT_EQ(Fill(0), 0);
  ASSERT_TRUE(drv::SelectItem(GetDlgItem(dialog_, kCombo), 3));
  static const model::BoundedRangePair kNarrow{{0, 2}, 0, 0, 0, 0};
  const auto& layout = model::RecordLayoutTable();
  model::RangePairTableType pairs = model::RangePairTable();
  pairs[layout[model::FindLayoutEntry(305, 47)].b] = &kNarrow;
  model::SetRangePairTable(pairs);
  EXPECT_EQ(Store(kCombo), 1);
  EXPECT_EQ(LastMessage(), "Value is too big. \n(Parameter A04 combo)  ");
  EXPECT_EQ(Shown(305, 47), 0.0);
}

}  // namespace
}  // namespace binding_test
