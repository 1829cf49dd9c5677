// The user parameter lists against the simulated inverter in virtual time: a code names a parameter, Read and
// Send move its value, cyclic reading on timers 1006 and 1007 at their own cycle times (and off after a fault,
// shown once), F2 polled by the list's own timer, and Close keeping the link while another online window uses it.
#include <gtest/gtest.h>

#include "app/common/shell_state.h"
#include "app/online/remote_control.h"
#include "app/online/user_lists.h"
#include "app/templates/user_list_templates.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

constexpr int kCode = app::kShortListFirst;  // first row: code, name, value, selection, unit
constexpr int kName = kCode + 1;
constexpr int kValue = kCode + 2;

class UserListTest : public TransferTest {
 protected:
  void Prepare() {
    ConnectInverter();
    PutRaw<std::uint16_t>(305, 160, 1000);
    device().WriteNumber(38, 2, 1500);
  }
  HWND Short() { return app::ModelessWindow(app::Modeless::kShortUserList); }
  HWND Long() { return app::ModelessWindow(app::Modeless::kLongUserList); }
  // The code typed and stored as the edit loses the focus.
  void EnterCode(HWND list, int id, const char* code) {
    SetDlgItemText(list, id, code);
    SendMessage(list, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), 0);
  }
};

TEST_F(UserListTest, ACodeNamesAParameterThatReadAndSendMove) {
  std::string read_value;
  HWND opened = nullptr;
  Run({
      [&] { Prepare(); PostMessage(Main(), WM_COMMAND, 2099, 0); },
      [&] {
        ASSERT_TRUE(IsWindow(Short()));
        EXPECT_EQ(drv::Text(Short()), "Userdefined short parameterlist");
        EXPECT_EQ(app::UserListState(false).cycle_ms, 1123);
        EnterCode(Short(), kCode, "C01");
        EXPECT_EQ(drv::ItemText(Short(), kName).rfind("C01 n-Max", 0), 0u);
        SendMessage(Short(), WM_COMMAND, app::kUserListRead, 0);
        EXPECT_EQ(GetRaw<std::uint16_t>(38, 2), 1500);
        read_value = drv::ItemText(Short(), kValue);
        // A new value sent: the inverter has it.
        device().WriteNumber(38, 2, 1);
        SetDlgItemText(Short(), kValue, read_value.c_str());
        SendMessage(Short(), WM_COMMAND, app::kUserListSend, 0);
        EXPECT_EQ(device().ReadNumber(38, 2), 1500u);
        // Opening again raises the open list.
        opened = Short();
        PostMessage(Main(), WM_COMMAND, 2099, 0);
      },
      [&] {
        EXPECT_EQ(Short(), opened);
        SendMessage(Short(), WM_COMMAND, IDOK, 0);
        EXPECT_EQ(Short(), nullptr);
        EXPECT_EQ(ilink::InverterConnected(), 0);
      },
  });
  EXPECT_EQ(steps_run_, 3u);
  EXPECT_FALSE(read_value.empty());
  EXPECT_TRUE(dialogs_.empty()) << LastMessage();
}

TEST_F(UserListTest, CyclicReadingRunsAtEachListsCycleAndReadAndSendSwitchItOff) {
  Run({
      [&] {
        Prepare();
        PostMessage(Main(), WM_COMMAND, 2099, 0);
        PostMessage(Main(), WM_COMMAND, 2100, 0);
      },
      [&] {
        ASSERT_TRUE(IsWindow(Short()));
        ASSERT_TRUE(IsWindow(Long()));
        EXPECT_EQ(app::UserListState(true).cycle_ms, 1414);
        EnterCode(Short(), kCode, "C01");
        EnterCode(Long(), app::kLongListFirst, "C01");
        SendMessage(Short(), WM_COMMAND, app::kUserListCyclic, 0);
        SendMessage(Long(), WM_COMMAND, app::kUserListCyclic, 0);
        EXPECT_TRUE(app::UserListState(false).cyclic);
        EXPECT_TRUE(drv::Checked(Short(), app::kUserListCyclic));
        device().WriteNumber(38, 2, 900);
        drv::Advance(1123);
        EXPECT_EQ(GetRaw<std::uint16_t>(38, 2), 900);  // the short list read at its cycle
        const std::string long_before = drv::ItemText(Long(), app::kLongListFirst + 2);
        device().WriteNumber(38, 2, 700);
        PutRaw<std::uint16_t>(38, 2, 0);
        drv::Advance(1414 - 1123);
        EXPECT_EQ(GetRaw<std::uint16_t>(38, 2), 700);  // the long list at its own
        SendMessage(Short(), WM_COMMAND, app::kUserListRead, 0);
        SendMessage(Long(), WM_COMMAND, app::kUserListSend, 0);
        EXPECT_FALSE(app::UserListState(false).cyclic);
        EXPECT_FALSE(app::UserListState(true).cyclic);
        EXPECT_FALSE(drv::Checked(Short(), app::kUserListCyclic));
        // Closing one list keeps the link for the other.
        SendMessage(Short(), WM_COMMAND, IDOK, 0);
        EXPECT_EQ(ilink::InverterConnected(), 1);
        SendMessage(Long(), WM_COMMAND, IDOK, 0);
        EXPECT_EQ(ilink::InverterConnected(), 0);
      },
  });
  EXPECT_EQ(steps_run_, 2u);
}

TEST_F(UserListTest, ACyclicReadFaultIsShownOnceAndEndsTheCyclicReading) {
  Run({
      [&] { Prepare(); PostMessage(Main(), WM_COMMAND, 2099, 0); },
      [&] {
        EnterCode(Short(), kCode, "C01");
        SendMessage(Short(), WM_COMMAND, app::kUserListCyclic, 0);
        dialogs_.clear();
        bus_->SetPersistentFault({sim::FaultKind::kDrop, 0});
        drv::Advance(5 * 1123);
        EXPECT_EQ(dialogs_.size(), 1u);
        EXPECT_FALSE(app::UserListState(false).cyclic);
        bus_->SetPersistentFault({});
        SendMessage(Short(), WM_COMMAND, IDOK, 0);
      },
  });
  EXPECT_EQ(steps_run_, 2u);
}

TEST_F(UserListTest, F2HeldAtTheListsTimerSendsTheFocusedRow) {
  Run({
      [&] { Prepare(); PostMessage(Main(), WM_COMMAND, 2099, 0); },
      [&] {
        EnterCode(Short(), kCode, "C01");
        SendMessage(Short(), WM_COMMAND, app::kUserListRead, 0);
        const std::string shown = drv::ItemText(Short(), kValue);
        SetActiveWindow(Short());
        SetFocus(GetDlgItem(Short(), kValue));
        device().WriteNumber(38, 2, 1);
        SetDlgItemText(Short(), kValue, shown.c_str());
        drv::HoldKey(VK_F2);
        drv::Advance(1123);
        drv::ReleaseKey(VK_F2);
        EXPECT_EQ(device().ReadNumber(38, 2), 1500u);
        SendMessage(Short(), WM_COMMAND, IDOK, 0);
      },
  });
  EXPECT_EQ(steps_run_, 2u);
}

}  // namespace
}  // namespace shell_test
