// The page binding on the headless layer: fill, store, restore, release and send over a list with a row of
// every kind.
#include "tests/app/binding_fixture.h"

#include "model/function_tables.h"
#include "model/record_layout.h"
#include "platform/sys/global_memory.h"

namespace binding_test {
namespace {

void SetU32(std::uint16_t record, std::uint16_t element, std::uint32_t value) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, 0), 0);
}
void SetU16(std::uint16_t record, std::uint16_t element, std::uint16_t value) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, 0), 0);
}
void SetString(std::uint16_t record, std::uint16_t element, const char* text) {
  std::array<char, 1025> buffer{};
  std::strncpy(buffer.data(), text, buffer.size() - 1);
  ASSERT_EQ(model::WriteElement(record, element, buffer.data(), model::kModeRaw, 0), 0);
}

TEST_F(BindingTest, FillShowsEveryKindOfRow) {
  SetByte(306, 8, 42);
  SetByte(305, 44, 1);
  SetByte(305, 46, 2);
  SetByte(305, 47, 1);
  SetByte(305, 48, 1);
  SetString(15, 4, "MAYER");
  SetU32(55, 26, 8);
  SetU16(305, 54, 0);
  SetByte(305, 45, 1);
  SetByte(305, 153, 1);
  SetShown(320, 68, 1.25);
  SetU16(254, 0, 0x1A2B);
  SetU16(254, 54, 5);
  SetByte(305, 52, 0);
  ASSERT_EQ(Fill(), 0);
  EXPECT_TRUE(sink_.texts.empty()) << LastMessage();
  EXPECT_EQ(Text(kNumber), "42");
  EXPECT_TRUE(drv::Checked(dialog_, kCheck));
  EXPECT_FALSE(drv::Checked(dialog_, kRadio0));
  EXPECT_FALSE(drv::Checked(dialog_, kRadio1));
  EXPECT_TRUE(drv::Checked(dialog_, kRadio2));
  EXPECT_EQ(ComboItems(kCombo), (std::vector<std::string>{"0:zero", "1:one", "2:two", "3:three"}));
  EXPECT_EQ(ComboSelection(kCombo), 1);
  EXPECT_EQ(Text(kShown), "1:on");
  EXPECT_EQ(Text(kString), "MAYER");
  EXPECT_EQ(SendDlgItemMessage(dialog_, kString, EM_GETLIMITTEXT, 0, 0), 16) << "element size less 1";
  EXPECT_TRUE(drv::Checked(dialog_, kBit));
  EXPECT_EQ(ComboItems(kNegative), (std::vector<std::string>{"-1:minus", "0:zero", "1:plus"}));
  EXPECT_EQ(ComboSelection(kNegative), 0) << "stored 0 shows as -1, entry 1";
  EXPECT_EQ(Text(kRadioShown), "1:b");
  EXPECT_EQ(Text(kSpeed), "1.3");
  EXPECT_EQ(Text(kHex), "1A2B");
  EXPECT_EQ(Text(kBits), "0000 0000 0000 0101");
  EXPECT_EQ(Text(kCheckShown), "0:inactive");
  for (int id : {kNumber, kCheck, kRadio0, kRadio2, kCombo, kString, kBit, kNegative, kSpeed, kHex, kBits}) {
    EXPECT_TRUE(drv::Enabled(dialog_, id)) << id;
  }
  for (int id : {kShown, kUnavailable, kRadioShown, kCheckShown}) EXPECT_FALSE(drv::Enabled(dialog_, id)) << id;
  EXPECT_EQ(app::CountUsedBackupSlots(), 1u);
  EXPECT_EQ(app::ReleaseDialogBuffers(dialog_), 0);
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

TEST_F(BindingTest, AValueWithoutTextShowsWrongSelectionAndStoringKeepsIt) {
  SetByte(305, 47, 7);
  SetByte(305, 48, 7);
  ASSERT_EQ(Fill(0), 0);
  EXPECT_EQ(Text(kShown), "Wrong selection:7");
  EXPECT_EQ(ComboItems(kCombo), (std::vector<std::string>{"0:zero", "1:one", "2:two", "3:three", "Wrong selection:7"}));
  EXPECT_EQ(ComboSelection(kCombo), 4);
  ASSERT_EQ(Store(), 0) << LastMessage();
  EXPECT_EQ(Shown(305, 47), 7.0) << "the extra item stores nothing";
  ASSERT_TRUE(drv::SelectItem(GetDlgItem(dialog_, kCombo), 2));
  ASSERT_EQ(Store(kCombo), 0);
  EXPECT_EQ(Shown(305, 47), 2.0);
}

TEST_F(BindingTest, SelectionsStoreTheValueOfTheirItem) {
  ASSERT_EQ(Fill(0), 0);
  ASSERT_TRUE(drv::SelectItem(GetDlgItem(dialog_, kNegative), 2));
  ASSERT_EQ(Store(kNegative), 0);
  EXPECT_EQ(Shown(305, 54), 1.0);
  std::uint16_t raw = 0;
  model::ReadElement(305, 54, &raw, model::kModeRaw, 0);
  EXPECT_EQ(raw, 2) << "displayed 1 is stored 2";
  CheckDlgButton(dialog_, kCheck, BST_CHECKED);
  CheckDlgButton(dialog_, kBit, BST_UNCHECKED);
  CheckRadioButton(dialog_, kRadio0, kRadio2, kRadio1);
  SetU32(55, 26, 0xFF);
  ASSERT_EQ(Store(), 0) << LastMessage();
  EXPECT_EQ(Shown(305, 44), 1.0);
  EXPECT_EQ(Shown(305, 46), 1.0);
  EXPECT_EQ(Shown(55, 26), 0xF7) << "only bit 3 is cleared";
}

TEST_F(BindingTest, TypedNumbersAreReadInTheFormTheyAreShown) {
  struct Case {
    int id;
    const char* text;
    std::uint16_t record;
    std::uint16_t element;
    double stored;
  };
  const Case cases[] = {
      {kSpeed, "1,5", 320, 68, 1.5},     {kSpeed, "2.5", 320, 68, 2.5},   {kSpeed, "-3", 320, 68, -3.0},
      {kNumber, " 17 ", 306, 8, 17.0},   {kNumber, "+9", 306, 8, 9.0},    {kHex, "ff", 254, 0, 255.0},
      {kHex, "1A2B", 254, 0, 6699.0},    {kBits, "0000 0000 0000 1001", 254, 54, 9.0},
      {kBits, "11", 254, 54, 3.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Fill(0), 0);
    SetText(c.id, c.text);
    EXPECT_EQ(Store(c.id), 0) << LastMessage();
    EXPECT_EQ(Shown(c.record, c.element), c.stored);
  }
}

TEST_F(BindingTest, AnUntouchedFieldIsNotWrittenBackRounded) {
  SetShown(320, 68, 1.25);
  ASSERT_EQ(Fill(0), 0);
  ASSERT_EQ(Text(kSpeed), "1.3");
  ASSERT_EQ(Store(), 0);
  EXPECT_EQ(Shown(320, 68), 1.25);
}

TEST_F(BindingTest, StoreWithAControlNoRowOwnsStoresOnlyTheRadioGroups) {
  ASSERT_EQ(Fill(0), 0);
  SetText(kNumber, "77");
  CheckRadioButton(dialog_, kRadio0, kRadio2, kRadio2);
  EXPECT_EQ(Store(6), 0);
  EXPECT_EQ(Shown(305, 46), 2.0);
  EXPECT_NE(Shown(306, 8), 77.0);
  CheckRadioButton(dialog_, kRadio0, kRadio2, kRadio0);
  CheckDlgButton(dialog_, kRadio0, BST_UNCHECKED);
  EXPECT_EQ(Store(kNumber), 1) << "no radio button checked";
  EXPECT_EQ(LastMessage(), "Internal error: Error at back-reading of checkbox!");
}

TEST_F(BindingTest, ARunThatDisagreesWithTheListIsReportedAndControlsBeyondItAreLeftAlone) {
  SetByte(305, 52, 1);
  EXPECT_EQ(app::FillDialogFromParameters(dialog_, kFirst, kLast - 1, kPageList, 0, 0), 1);
  EXPECT_EQ(LastMessage(), "Internal error: Contradiction between the resources\nand the data structure module DSB!");
  EXPECT_EQ(Text(kNumber), "0") << "every value it can is shown";
  EXPECT_EQ(Text(kCheckShown), "") << "id 116 lies beyond the run";
  EXPECT_EQ(app::FillDialogFromParameters(dialog_, kFirst, kLast, 200, 0, 0), 1);
  EXPECT_EQ(LastMessage(), "Internal error: This menu group does not exist!");
}

TEST_F(BindingTest, CancelPutsBackEditableRowsThatChangedWithoutTheAvailabilityCheck) {
  SetByte(306, 8, 10);
  SetByte(305, 45, 0);
  SetByte(305, 48, 0);
  const std::string user = String(15, 4);
  ASSERT_EQ(Fill(), 0);
  SetText(kNumber, "20");
  ASSERT_EQ(Store(kNumber), 0);
  SetByte(305, 45, 1);  // not available: only a write without the check puts it back
  SetByte(305, 48, 1);  // read-only row: not restored
  SetString(15, 4, "CHANGED");
  ASSERT_EQ(Store(0, 1), 0) << LastMessage();
  EXPECT_EQ(Shown(306, 8), 10.0);
  EXPECT_EQ(Shown(305, 45), 0.0);
  EXPECT_EQ(Shown(305, 48), 1.0);
  EXPECT_EQ(String(15, 4), user);
}

TEST_F(BindingTest, AFillThatFailedRestoresOnlyTheRowsItBackedUp) {
  static const char* name[] = {"A50 x", ""};
  static const ParameterDescriptor rows[] = {{306, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading},
                                             {306, 8, 1, 0, 1, 0, 0.0, name},
                                             {999, 0, 1, 0, 1, 0, 0.0, name},
                                             {254, 0, 1, 0, 1, 0, 0.0, name},
                                             {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
  slots_[10] = {rows, 0, true};
  model::SetMenuListTableForTest(slots_);
  SetByte(306, 8, 10);
  SetU16(254, 0, 500);
  EXPECT_EQ(app::FillDialogFromParameters(dialog_, kFirst, kFirst + 3, 10, 0, 1), 1);
  EXPECT_EQ(LastMessage(), "Wrong address. (Bnam, Badr) \n");
  SetByte(306, 8, 11);
  SetU16(254, 0, 600);
  app::StoreDialogToParameters(dialog_, kFirst, kFirst + 3, 0, 10, 0, 1);
  EXPECT_EQ(Shown(306, 8), 10.0) << "backed up before the failure";
  EXPECT_EQ(Shown(254, 0), 600.0) << "no backup: left as it is, not zeroed";
}

bool g_refuse_conversion = false;
std::uint8_t RefusingOffset(const double* in, double* out, double parameter, std::uint8_t type, std::uint8_t decimals,
                            std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  if (g_refuse_conversion && direction == 0) return 13;
  return OffsetConverter(in, out, parameter, type, decimals, direction, set, record);
}

TEST_F(BindingTest, ARestoreGoesOnPastARefusedRowAndReportsIt) {
  SetU16(305, 54, 3);
  SetU16(254, 0, 100);
  ASSERT_EQ(Fill(), 0);
  SetU16(305, 54, 4);
  SetU16(254, 0, 200);
  model::ConverterTableType converters = model::ConverterTable();
  converters[kOffsetConverter] = RefusingOffset;
  model::SetConverterTable(converters);
  g_refuse_conversion = true;
  EXPECT_EQ(Store(0, 1), 1);
  g_refuse_conversion = false;
  EXPECT_EQ(LastMessage(), "Software error in scaling function");
  EXPECT_EQ(Shown(254, 0), 100.0) << "the row after the refused one is restored";
}

TEST_F(BindingTest, BackupSlotsAreCountedOwnedAndReleased) {
  std::vector<HWND> pages;
  for (int i = 0; i < 8; ++i) {
    pages.push_back(CreateDialogIndirectParam(nullptr, &kPageDialog, nullptr, PlainProc, 0));
    ASSERT_EQ(app::FillDialogFromParameters(pages.back(), kFirst, kLast, kPageList, 0, 1), 0);
  }
  EXPECT_EQ(app::CountUsedBackupSlots(), 8u);
  EXPECT_EQ(Fill(), 0) << "the ninth page runs without a backup";
  EXPECT_EQ(LastMessage(), "Internal error: All backup-memory is used by other windows!");
  EXPECT_EQ(Store(0, 1), 1);
  EXPECT_EQ(LastMessage(), "Internal error: Backup-memory is reserved from other window! From this memory you can "
                           "not restore the data.");
  EXPECT_EQ(app::ReleaseDialogBuffers(dialog_), 1);
  EXPECT_EQ(LastMessage(), "Internal error: Backup-memory is reserved from another window! Can not be released here!");
  ASSERT_EQ(app::FillDialogFromParameters(pages[0], kFirst, kLast, kPageList, 0, 1), 0);
  EXPECT_EQ(app::CountUsedBackupSlots(), 8u) << "a second fill with backup renews the page's own slot";
  for (HWND page : pages) EXPECT_EQ(app::ReleaseDialogBuffers(page), 0);
  EXPECT_EQ(app::ReleaseDialogBuffers(dialog_), 1);
  EXPECT_EQ(LastMessage(), "Internal error: There is no backup-memory reserved, which can be released!");
}

TEST_F(BindingTest, MemoryFailuresOfTheBackupAreReported) {
  struct Case {
    platform::sys::GlobalOp op;
    const char* message;
    std::size_t slots_after_release;
  };
  const Case cases[] = {
      {platform::sys::GlobalOp::kUnlock, "Internal error: Backup-memory can not be unlocked!", 1},
      {platform::sys::GlobalOp::kFree, "Internal error: Backup-memory can not be released!", 1},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Fill(), 0);
    platform::sys::InjectGlobalMemoryFailure(c.op, 0);
    EXPECT_EQ(app::ReleaseDialogBuffers(dialog_), 1);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(app::CountUsedBackupSlots(), c.slots_after_release);
    platform::sys::ClearGlobalMemoryFailures();
    EXPECT_EQ(app::ReleaseDialogBuffers(dialog_), 0);
  }
  platform::sys::InjectGlobalMemoryFailure(platform::sys::GlobalOp::kAlloc, 0);
  EXPECT_EQ(Fill(), 0) << "the page opens without a backup";
  EXPECT_EQ(LastMessage(), "Internal error: Backup-memory can not be reserved!");
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
  platform::sys::ClearGlobalMemoryFailures();
}

TEST_F(BindingTest, F2SendsTheParameterOfTheControl) {
  struct Case {
    int control;
    std::uint8_t answer;
    std::uint8_t result;
    std::vector<OnlineCall> calls;
    const char* message;
  };
  const Case cases[] = {
      {kNumber, 0, 0, {{0, 306, 8}}, ""},
      {kRadio1, 0, 0, {{0, 305, 46}}, ""},
      {kReserved, 0, 0, {}, ""},
      {kSpeed, 0, 1, {},
       "This parameter cannot be send with F2 into the inverter.\nPlease use the command 'File / send to inverter'."},
      {kFirst - 1, 0, 1, {}, ""},
      {kLast, 0, 1, {}, ""},
      {kNumber, 13, 1, {{0, 306, 8}}, "The answer of a wrong slave was received."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    g_online_calls.clear();
    sink_.texts.clear();
    g_online_answer = c.answer;
    EXPECT_EQ(app::SendControlParameterOnline(dialog_, kFirst, kLast, c.control, kPageList, 0), c.result);
    EXPECT_EQ(g_online_calls, c.calls);
    EXPECT_EQ(LastMessage(), c.message);
  }
  EXPECT_EQ(app::SendControlParameterOnline(dialog_, kFirst, kFirst, kFirst, kPageList, 0), 1);
  EXPECT_EQ(app::SendControlParameterOnline(dialog_, kFirst, kLast - 1, kLast - 2, kPageList, 0), 1)
      << "the run passes last";
}

TEST_F(BindingTest, SingleElementsForOtherWindows) {
  SetByte(306, 8, 42);
  SetByte(305, 47, 1);
  SetU16(305, 54, 0);
  char out[64] = "untouched";
  EXPECT_EQ(app::ElementDisplayText(out, sizeof out, 306, 8, 1, 1, 0), 0);
  EXPECT_STREQ(out, "42 blk");
  EXPECT_EQ(app::ElementDisplayText(out, sizeof out, 305, 47, 1, 1, 0), 0);
  EXPECT_STREQ(out, "1:one") << "a text that carries its number gets it once";
  EXPECT_EQ(app::ElementDisplayText(out, sizeof out, 305, 54, 1, 1, 0), 0);
  EXPECT_STREQ(out, "-1:minus");
  EXPECT_EQ(app::ElementDisplayText(out, sizeof out, 305, 47, 1, 0, 0), 0);
  EXPECT_STREQ(out, "1 ");
  std::strcpy(out, "untouched");
  EXPECT_EQ(app::ElementDisplayText(out, 49, 306, 8, 1, 1, 0), 0);
  EXPECT_STREQ(out, "untouched") << "a buffer below 50 gets nothing";
  EXPECT_EQ(app::ElementDisplayText(out, sizeof out, 1, 0, 1, 1, 0), 1);

  EXPECT_EQ(app::SelectionTextOfElement(305, 54, kPageList, 0, out, sizeof out), 0);
  EXPECT_STREQ(out, "-1:minus");
  EXPECT_EQ(app::SelectionTextOfElement(305, 47, kPageList, 0, out, 4), 0);
  EXPECT_STREQ(out, "1:o");
  SetByte(305, 47, 9);
  EXPECT_EQ(app::SelectionTextOfElement(305, 47, kPageList, 0, out, sizeof out), 6);
  EXPECT_EQ(app::SelectionTextOfElement(306, 8, kPageList, 0, out, sizeof out), 6) << "not a selection";

  double value = 0.0;
  double lower = 0.0;
  double upper = 0.0;
  EXPECT_EQ(app::ReadValueAndLimits(dialog_, 306, 8, &value, &lower, &upper), 1);
  EXPECT_EQ(value, 42.0);
  EXPECT_EQ(lower, 0.0);
  EXPECT_EQ(upper, 255.0);
  EXPECT_EQ(app::ReadValueAndLimits(dialog_, 999, 0, &value, &lower, &upper), 0);
  EXPECT_EQ(LastMessage(), "Wrong address. (Bnam, Badr) \n%s");

  EXPECT_FALSE(app::IsTextElementSet(0));
  SetString(317, 2644, " ");
  EXPECT_FALSE(app::IsTextElementSet(0)) << "the default remark is a blank";
  SetString(317, 2644, "remark");
  EXPECT_TRUE(app::IsTextElementSet(0));
  EXPECT_FALSE(app::IsTextElementSet(1));
}

}  // namespace
}  // namespace binding_test
