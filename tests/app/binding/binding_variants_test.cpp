// The binding's variants: user parameter lists (a code per row and the parameter it names), the menu jump
// target (a code and two values in the target's units), the copy of a process block, and the work text.
#include "tests/app/binding_fixture.h"

#include "platform/sys/global_memory.h"

namespace binding_test {
namespace {

void SetCode(std::uint16_t record, std::uint16_t element, const char* code) {
  std::array<char, 1025> buffer{};
  std::strncpy(buffer.data(), code, 16);
  ASSERT_EQ(model::WriteElement(record, element, buffer.data(), model::kModeRaw, 0), 0);
}
void SetU16(std::uint16_t record, std::uint16_t element, std::uint16_t value) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, 0), 0);
}
std::uint16_t U16(std::uint16_t record, std::uint16_t element) {
  std::uint16_t value = 0;
  model::ReadElement(record, element, &value, model::kModeRaw, 0);
  return value;
}

constexpr int kUserFirst = 200;
constexpr int kUserLast = 210;
// A code number: the letter's place in the alphabet in the high byte, the number in the low byte.
constexpr std::uint16_t kCodeOfA01 = (1 << 8) | 1;
constexpr std::uint16_t kCodeOfA14 = (1 << 8) | 14;
const app::JumpTargetIds kJump{300, 303, 301, 302, 304};

class VariantsTest : public BindingTest {
 protected:
  std::uint8_t FillUser(std::uint8_t backup = 1) {
    return app::FillUserListDialog(dialog_, kUserFirst, kUserLast, kUserList, 0, backup);
  }
  std::uint8_t StoreUser(int control, std::uint8_t restore = 0) {
    return app::StoreUserListDialog(dialog_, kUserFirst, kUserLast, control, kUserList, 0, restore);
  }
  std::uint8_t FillJump(std::uint8_t backup = 1) { return app::FillJumpTargetDialog(dialog_, kJumpList, 0, kJump, 0, backup); }
  std::uint8_t StoreJump(int control, std::uint8_t restore = 0) {
    return app::StoreJumpTargetDialog(dialog_, kJumpList, 0, kJump, control, 0, restore);
  }
};

TEST_F(VariantsTest, AUserListShowsTheParameterEachCodeNames) {
  SetCode(15, 4, "A01");
  SetCode(15, 21, "A04");
  SetByte(306, 8, 42);
  SetByte(305, 47, 2);
  ASSERT_EQ(FillUser(), 0) << LastMessage();
  EXPECT_EQ(Text(200), "A01");
  EXPECT_EQ(Text(201), "A01 block");
  EXPECT_EQ(Text(202), "42");
  EXPECT_EQ(Text(204), "blk");
  EXPECT_TRUE(drv::Visible(dialog_, 202));
  EXPECT_FALSE(drv::Visible(dialog_, 203));
  EXPECT_EQ(Text(206), "A04 combo");
  EXPECT_FALSE(drv::Visible(dialog_, 207));
  EXPECT_TRUE(drv::Visible(dialog_, 208));
  EXPECT_EQ(ComboSelection(208), 2);

  SetCode(15, 4, "Q77");
  ASSERT_EQ(FillUser(0), 0);
  EXPECT_EQ(Text(201), "") << "a code that names nothing";
  EXPECT_FALSE(drv::Visible(dialog_, 202));
  EXPECT_FALSE(drv::Visible(dialog_, 203));
  EXPECT_FALSE(drv::Visible(dialog_, 204));
}

TEST_F(VariantsTest, AUserListStoresValuesIntoTheNamedParameterAndCodesIntoItsRows) {
  SetCode(15, 4, "A01");
  SetCode(15, 21, "A04");
  SetByte(306, 8, 42);
  ASSERT_EQ(FillUser(), 0);
  SetText(202, "50");
  EXPECT_EQ(StoreUser(202), 0) << LastMessage();
  EXPECT_EQ(Shown(306, 8), 50.0);
  SetText(202, "abc");
  EXPECT_EQ(StoreUser(202), 1);
  EXPECT_EQ(LastMessage(), "Wrong value (definition gap).\nWrong input from A01 (Range of values: 0 ... 255) ");
  EXPECT_EQ(Shown(306, 8), 50.0);
  ASSERT_TRUE(drv::SelectItem(GetDlgItem(dialog_, 208), 3));
  EXPECT_EQ(StoreUser(208), 0);
  EXPECT_EQ(Shown(305, 47), 3.0);

  // A new code with a value typed beside it: the code is taken, the value does not go to the new parameter.
  SetText(200, "a13");
  SetText(202, "77");
  EXPECT_EQ(StoreUser(0), 0) << LastMessage();
  EXPECT_EQ(String(15, 4), "A13");
  EXPECT_EQ(Shown(306, 8), 50.0);
  EXPECT_NE(Shown(320, 68), 77.0);
  SetText(200, "TOO LONG FOR A CODE");
  EXPECT_EQ(StoreUser(200), 1);
  EXPECT_EQ(LastMessage(), "Value is too big. \n(Parameter U01 code 1)  ");

  EXPECT_EQ(StoreUser(0, 1), 0) << "Cancel";
  EXPECT_EQ(String(15, 4), "A01");
  EXPECT_EQ(app::ReleaseDialogBuffers(dialog_), 0);
}

TEST_F(VariantsTest, F2InAUserListSendsTheParameterOfTheValueControl) {
  SetCode(15, 4, "A01");
  SetCode(15, 21, "A04");
  ASSERT_EQ(FillUser(0), 0);
  struct Case {
    int control;
    std::uint8_t result;
    std::vector<OnlineCall> calls;
  };
  const Case cases[] = {{202, 0, {{0, 306, 8}}}, {203, 0, {}},  {200, 0, {}},
                        {208, 0, {{0, 305, 47}}}, {207, 0, {}}, {kUserLast, 1, {}}};
  for (const Case& c : cases) {
    g_online_calls.clear();
    EXPECT_EQ(app::SendUserListParameterOnline(dialog_, kUserFirst, kUserLast, c.control, kUserList, 0), c.result)
        << c.control;
    EXPECT_EQ(g_online_calls, c.calls) << c.control;
  }
  SetText(200, "Q77");
  EXPECT_EQ(app::SendUserListParameterOnline(dialog_, kUserFirst, kUserLast, 202, kUserList, 0), 1);
}

TEST_F(VariantsTest, AJumpTargetShowsItsCodeNameUnitAndValues) {
  SetU16(304, 46, kCodeOfA01);
  SetU16(307, 2, 10);
  SetU16(307, 14, 200);
  ASSERT_EQ(FillJump(), 0) << LastMessage();
  EXPECT_EQ(Text(300), "A01");
  EXPECT_EQ(Text(303), "A01 block");
  EXPECT_EQ(Text(304), "blk");
  EXPECT_EQ(Text(301), "10");
  EXPECT_EQ(Text(302), "200");
  EXPECT_TRUE(drv::Enabled(dialog_, 301));
  EXPECT_EQ(SendDlgItemMessage(dialog_, 300, EM_GETLIMITTEXT, 0, 0), 4) << "a letter and three digits";
  SetU16(304, 46, 0);
  ASSERT_EQ(FillJump(0), 0);
  EXPECT_EQ(Text(300), "");
  EXPECT_EQ(Text(303), "");
  EXPECT_FALSE(drv::Enabled(dialog_, 301));
}

TEST_F(VariantsTest, AJumpTargetStoresCodesAndValuesAndRefusesWhatNamesNothing) {
  SetU16(304, 46, kCodeOfA01);
  SetU16(307, 2, 10);
  SetU16(307, 14, 200);
  ASSERT_EQ(FillJump(), 0);
  SetText(301, "20");
  EXPECT_EQ(StoreJump(301), 0) << LastMessage();
  EXPECT_EQ(U16(307, 2), 20);
  SetText(302, "abc");
  EXPECT_EQ(StoreJump(302), 1);
  EXPECT_EQ(LastMessage(), "Wrong value (definition gap).\nWrong input from A01");
  EXPECT_EQ(U16(307, 14), 200);

  SetText(300, "z99");
  EXPECT_EQ(StoreJump(300), 1);
  EXPECT_EQ(LastMessage(), "Wrong value (definition gap).\n(Parameter U50 F1-jump to)  ");
  EXPECT_EQ(U16(304, 46), kCodeOfA01) << "a code that names nothing keeps the target";
  SetText(300, "a14");
  EXPECT_EQ(StoreJump(300), 0) << LastMessage();
  EXPECT_EQ(U16(304, 46), kCodeOfA14);
  EXPECT_EQ(U16(307, 2), 0) << "the new target's lower limit";
  EXPECT_EQ(U16(307, 14), 65535) << "the new target's upper limit";

  EXPECT_EQ(StoreJump(0, 1), 0) << "Cancel";
  EXPECT_EQ(U16(304, 46), kCodeOfA01);
  EXPECT_EQ(U16(307, 2), 10);
  EXPECT_EQ(U16(307, 14), 200);
  g_online_calls.clear();
  EXPECT_EQ(app::SendJumpTargetParameterOnline(dialog_, kJumpList, 0, kJump, 302, 0), 0);
  EXPECT_EQ(g_online_calls, (std::vector<OnlineCall>{{0, 307, 14}}));
  EXPECT_EQ(app::ReleaseDialogBuffers(dialog_), 0);
}

TEST_F(VariantsTest, CopyingAProcessBlockCountsTheRowsItsTargetRefuses) {
  SetByte(306, 8, 42);
  SetCode(15, 4, "MAYER");
  SetByte(305, 44, 1);
  std::size_t refused = 99;
  EXPECT_EQ(app::CopyProcessBlock(dialog_, kBlockAList, kBlockBList, 0, &refused), 0);
  EXPECT_EQ(refused, 0u);
  EXPECT_EQ(Shown(254, 0), 42.0);
  EXPECT_EQ(String(15, 21), "MAYER");
  EXPECT_EQ(Shown(305, 47), 1.0);

  SetU16(254, 0, 500);  // more than the byte of block A holds
  SetCode(15, 21, "OTHER");
  EXPECT_EQ(app::CopyProcessBlock(dialog_, kBlockBList, kBlockAList, 0, &refused), app::kCopyRowsRefused);
  EXPECT_EQ(refused, 1u);
  EXPECT_EQ(Shown(306, 8), 42.0);
  EXPECT_EQ(String(15, 4), "OTHER") << "the rows after the refused one are copied";

  EXPECT_EQ(app::CopyProcessBlock(dialog_, kBlockAList, 200, 0), 1);
  EXPECT_EQ(LastMessage(), "Internal error: This menu group does not exist!");
  platform::sys::InjectGlobalMemoryFailure(platform::sys::GlobalOp::kAlloc, 0);
  EXPECT_EQ(app::CopyProcessBlock(dialog_, kBlockAList, kBlockBList, 0), 1);
  EXPECT_EQ(LastMessage(), "Internal error: Backup-memory can not be reserved!");
  platform::sys::ClearGlobalMemoryFailures();
}

TEST_F(VariantsTest, TheWorkTextLivesInMoveableMemoryFromAllocToFree) {
  const std::size_t before = platform::sys::LiveGlobalBlocks();
  ASSERT_EQ(app::AllocWorkText(), 0);
  EXPECT_EQ(app::WorkText().size(), 1025u);
  EXPECT_EQ(platform::sys::LiveGlobalBlocks(), before + 1);
  SetCode(15, 4, "A04");
  SetByte(305, 47, 9);
  static const ParameterDescriptor kReadOnlyUser[] = {{15, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading},
                                                     {15, 4, 7, 0, 0, 0, 0.0, kTCode1},
                                                     {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
  slots_[10] = {kReadOnlyUser, 0, true};
  model::SetMenuListTableForTest(slots_);
  ASSERT_EQ(app::FillUserListDialog(dialog_, kUserFirst, kUserFirst + 5, 10, 0, 0), 0);
  EXPECT_EQ(Text(202), "Wrong selection:9");
  EXPECT_STREQ(app::WorkText().data(), "Wrong selection:9");
  app::FreeWorkText();
  EXPECT_TRUE(app::WorkText().empty());
  EXPECT_EQ(platform::sys::LiveGlobalBlocks(), before);
  platform::sys::InjectGlobalMemoryFailure(platform::sys::GlobalOp::kLock, 0);
  EXPECT_EQ(app::AllocWorkText(), 1);
  EXPECT_EQ(LastMessage(), "Internal error: Backup-memory can not be reserved!");
  EXPECT_EQ(platform::sys::LiveGlobalBlocks(), before);
  platform::sys::ClearGlobalMemoryFailures();
}

}  // namespace
}  // namespace binding_test
