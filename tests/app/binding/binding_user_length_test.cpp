// Entries in the user's length unit through the page binding: at every number of decimal digits (I06) the
// shown limits are accepted and stored as the device steps they stand for, a value beyond them is refused with
// the range in the user's unit, and the element keeps its value then.
#include "tests/app/binding_fixture.h"

namespace binding_test {
namespace {

inline const char* kTUserSpeed[] = {"I35 reference speed 2", "unit/s", ""};
inline const ParameterDescriptor kUserLengthRows[] = {
    {512, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading},
    {512, 26, 1, 254, 1, 16, 0.0, kTUserSpeed},  // 100 edit, i16 of -16384..16384 device steps
    {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
constexpr std::uint8_t kUserLengthList = 10;
constexpr std::int16_t kBefore = 100;
constexpr std::uint8_t kRefusedTooBig = 4;
constexpr std::uint8_t kRefusedTooSmall = 5;
constexpr std::uint8_t kRefusedNoNumber = 6;

class UserLengthBindingTest : public BindingTest {
 protected:
  void SetUp() override {
    BindingTest::SetUp();
    slots_[kUserLengthList] = {kUserLengthRows, 0, true};
    model::SetMenuListTableForTest(slots_);
  }
  std::uint8_t FillRow() { return app::FillDialogFromParameters(dialog_, kFirst, kFirst + 1, kUserLengthList, 0, 0); }
  std::uint8_t StoreRow() { return app::StoreDialogToParameters(dialog_, kFirst, kFirst + 1, 0, kUserLengthList, 0, 0); }
  static std::int16_t Raw() {
    std::int16_t value = 0;
    EXPECT_EQ(model::ReadElement(512, 26, &value, model::kModeRaw, 0), 0);
    return value;
  }
};

TEST_F(UserLengthBindingTest, EntriesAreStoredAsDeviceStepsAtEveryNumberOfDigits) {
  struct Case {
    std::uint8_t digits;  // I06
    const char* shown;    // the fill of the stored 100
    const char* typed;
    std::uint8_t refusal;  // 0: stored
    std::int16_t stored;
    const char* range;  // the refusal's range
  };
  const Case cases[] = {
      {0, "100", "-16384", 0, -16384, ""},
      {0, "100", "16384", 0, 16384, ""},
      {0, "100", "-16385", kRefusedTooSmall, kBefore, "-16384 ... 16384"},
      {0, "100", "-163.84", kRefusedNoNumber, kBefore, "-16384 ... 16384"},
      {1, "10.0", "-1638.4", 0, -16384, ""},
      {1, "10.0", "1638.4", 0, 16384, ""},
      {1, "10.0", "-1638.5", kRefusedTooSmall, kBefore, "-1638.4 ... 1638.4"},
      {2, "1.00", "-163.84", 0, -16384, ""},
      {2, "1.00", "163.84", 0, 16384, ""},
      {2, "1.00", "-5", 0, -500, ""},
      {2, "1.00", "-164", kRefusedTooSmall, kBefore, "-163.84 ... 163.84"},
      {2, "1.00", "163.85", kRefusedTooBig, kBefore, "-163.84 ... 163.84"},
      {3, "0.100", "-16.384", 0, -16384, ""},
      {3, "0.100", "16.384", 0, 16384, ""},
      {3, "0.100", "0.001", 0, 1, ""},
      {3, "0.100", "16.385", kRefusedTooBig, kBefore, "-16.384 ... 16.384"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "I06 " << int{c.digits} << " typed " << c.typed);
    SetByte(512, 76, c.digits);
    const std::int16_t before = kBefore;
    ASSERT_EQ(model::WriteElement(512, 26, &before, model::kModeRaw, 0), 0);
    ASSERT_EQ(FillRow(), 0);
    EXPECT_EQ(Text(kNumber), c.shown);
    sink_.texts.clear();
    SetText(kNumber, c.typed);
    const std::uint8_t result = StoreRow();
    EXPECT_EQ(Raw(), c.stored);
    if (c.refusal == 0) {
      EXPECT_EQ(result, 0) << LastMessage();
      EXPECT_TRUE(sink_.texts.empty());
      continue;
    }
    EXPECT_EQ(result, 1);
    const char* status = c.refusal == kRefusedTooBig     ? "Value is too big. \n"
                         : c.refusal == kRefusedTooSmall ? "Value is too small. \n"
                                                         : "Wrong value (definition gap).\n";
    EXPECT_EQ(LastMessage(), std::string(status) + "Wrong input from I35 reference speed 2 (Range of values: " +
                                 c.range + " unit/s) ");
  }
}

}  // namespace
}  // namespace binding_test
