// The positioning pages' shared pieces: the device variant query, the posi record lists and bounds, the code
// labels renumbered per record, the unit written into unit labels, the motor-speed note and the copy dialog's
// typed block numbers.
#include <cstring>

#include "app/documents/device_variant.h"
#include "app/pages/copy_process_block.h"
#include "app/pages/posi_records.h"
#include "app/templates/page_templates.h"
#include "tests/app/pages_fixture.h"

namespace pages_test {
namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(PagesTest, DeviceVariantIsFamilyThreeWithPositioningOptionTwo) {
  struct Case {
    std::uint16_t kind;
    std::uint8_t family;
    std::uint8_t option;
    std::uint8_t other_record_option;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {17, 3, 2, 0, 1}, {17, 3, 1, 2, 0}, {17, 3, 0, 2, 0}, {17, 1, 2, 2, 0}, {17, 2, 2, 2, 0},
      {18, 3, 2, 0, 1}, {18, 3, 0, 2, 0}, {18, 1, 2, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " family " << int{c.family} << " option "
                                    << int{c.option});
    model::InitDataSet(0);
    PutRaw<std::uint16_t>(302, 0, c.kind);
    const std::uint16_t identity = c.kind == 18 ? 5 : 304;
    const std::uint16_t other = c.kind == 18 ? 304 : 5;
    PutRaw<std::uint8_t>(identity, 0, c.family);
    PutRaw<std::uint8_t>(other, 0, c.family);
    PutRaw<std::uint8_t>(identity, 9, c.option);
    PutRaw<std::uint8_t>(other, 9, c.other_record_option);
    EXPECT_EQ(app::CheckDeviceVariant(0), c.expected);
  }
  EXPECT_EQ(app::CheckDeviceVariant(7), 0) << "no such data set";
}

TEST_F(PagesTest, PosiRecordListsAndTheRecordsADeviceOffers) {
  const auto lists = app::PosiRecordLists();
  EXPECT_EQ(lists[0], 72);
  EXPECT_EQ(lists[7], 79);
  EXPECT_EQ(lists[8], 94);
  EXPECT_EQ(lists[31], 117);
  for (int index : {-1, 32, 1000}) EXPECT_EQ(app::PosiRecordList(index), 0) << index;
  EXPECT_EQ(app::PosiRecordList(31), 117);
  for (const auto& [family, maximum] : {std::pair{1, 7}, std::pair{2, 31}, std::pair{3, 7}}) {
    PutRaw<std::uint8_t>(304, 0, static_cast<std::uint8_t>(family));
    EXPECT_EQ(app::PosiRecordMaximum(0), maximum) << family;
  }
}

class PosiLabelsTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    page_ = CreateDialogIndirectParam(nullptr, app::PageTemplate(47), nullptr, PlainProc, 0);
    ASSERT_NE(page_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(page_);
    PagesTest::TearDown();
  }
  std::string Text(int id) const { return drv::ItemText(page_, id); }
  HWND page_ = nullptr;
};

TEST_F(PosiLabelsTest, CodeLabelsFollowTheRecordShown) {
  struct Case {
    int n;
    const char* j10;
    const char* j18;
    const char* l10;
    const char* l11;
  };
  const Case cases[] = {{1, "J10 ", "J18 ", "L10 ", "L11 "},
                        {2, "J20 ", "J28 ", "L20 ", "L12 "},
                        {9, "J90 ", "J98 ", "L90 ", "L19 "},
                        {10, "J100", "J108", "L100", "L20 "},
                        {32, "J320", "J328", "L320", "L42 "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    app::RenumberCodeLabels(page_, c.n);
    EXPECT_EQ(Text(571).substr(0, 4), c.j10);
    EXPECT_EQ(Text(579).substr(0, 4), c.j18);
    EXPECT_EQ(Text(581).substr(0, 4), c.l10);
    EXPECT_EQ(Text(580).substr(0, 4), c.l11);
  }
  EXPECT_NE(Text(571).find("position"), std::string::npos) << "the text after the code stays";
}

TEST_F(PosiLabelsTest, UnitTextsFillTheFirstFourCharactersAndShortLabelsArePadded) {
  struct Case {
    const char* before;
    const char* unit;
    const char* after;
  };
  const Case cases[] = {{"unit/s", "mm", "mm  /s"},       {"unit/s", "degree", "degr/s"},
                        {"u", "inc", "inc "},            {"", "mm", "mm  "},
                        {"unit/s\xB2", "", "    /s\xB2"}};
  for (const Case& c : cases) {
    SetDlgItemText(page_, 584, c.before);
    app::SetFieldText4(page_, 584, c.unit);
    EXPECT_EQ(Text(584), c.after) << c.before << " with " << c.unit;
  }
  app::SetFieldText4(page_, 9999, "mm");  // no such label: nothing happens
}

TEST_F(PosiLabelsTest, MotorSpeedNoteWhenTheRecordsSpeedExceedsC01) {
  double maximum = 1500.0;
  ASSERT_EQ(model::WriteElement(38, 2, &maximum, model::kModeConverted, 0), 0);
  double fast = 1600.0;
  double slow = 1400.0;
  ASSERT_EQ(model::WriteElement(320, 68 + 4 * 3, &fast, model::kModeConverted, 0), 0);
  ASSERT_EQ(model::WriteElement(320, 68, &slow, model::kModeConverted, 0), 0);
  app::ShowMotorSpeedNote(page_, 3, 0);
  EXPECT_EQ(Text(app::kMotorSpeedNoteId), "n-Motor too high! See C01.");
  app::ShowMotorSpeedNote(page_, 0, 0);
  EXPECT_EQ(Text(app::kMotorSpeedNoteId), "");
  app::ShowMotorSpeedNote(page_, 3, 0);
  app::ShowMotorSpeedNote(page_, 40, 0);
  EXPECT_EQ(Text(app::kMotorSpeedNoteId), "") << "an index beyond the records reads nothing";
}

TEST(CopyBlockNumbers, OnlyANumberOfABlockOfTheDeviceIsTaken) {
  struct Case {
    const char* text;
    int maximum;
    int index;
  };
  const Case cases[] = {{"1", 7, 0},   {"8", 7, 7},    {" 3 ", 7, 2},  {"9", 7, -1},  {"0", 7, -1},
                        {"-1", 7, -1}, {"", 7, -1},    {"abc", 7, -1}, {"2x", 7, -1}, {"32", 31, 31},
                        {"33", 31, -1}, {"99999999999999999999", 31, -1}};
  for (const Case& c : cases) EXPECT_EQ(app::ParseBlockNumber(c.text, c.maximum), c.index) << "\"" << c.text << "\"";
  EXPECT_EQ(app::ParseBlockNumber(nullptr, 7), -1);
}

}  // namespace
}  // namespace pages_test
