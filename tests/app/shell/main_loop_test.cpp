// The program's own loop: the modeless windows of its list get their keyboard navigation, the others do not;
// the layer's message filters see every message first.
#include <gtest/gtest.h>

#include "app/shell/main_loop.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {
namespace {

INT_PTR CALLBACK ModelessProc(HWND, UINT m, WPARAM, LPARAM) { return m == WM_INITDIALOG; }

constexpr DialogItemTemplate kItems[] = {
    {101, WC_BUTTON, "One", BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 40, 14},
    {102, WC_BUTTON, "Two", BS_PUSHBUTTON | WS_TABSTOP, 50, 5, 40, 14},
};
constexpr DialogTemplate kModeless{WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 100, 30, "monitor", kItems};

// Tab in a window of the list moves the focus to its next control; the control bits window is not in the list,
// so Tab there reaches the button as a plain key.
TEST_F(ShellTest, TabNavigatesOnlyTheModelessWindowsOfTheLoopsList) {
  struct Row {
    app::Modeless kind;
    bool navigates;
  };
  const Row rows[] = {{app::Modeless::kRemoteControl, true},  {app::Modeless::kDriveMonitor, true},
                      {app::Modeless::kStatusBits, true},     {app::Modeless::kScopeControl, true},
                      {app::Modeless::kControlBits, false},   {app::Modeless::kShortUserList, false},
                      {app::Modeless::kComparisonResult, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.kind));
    HWND focus_after = nullptr;
    HWND dialog = nullptr;
    Run({
        [&] {
          dialog = CreateDialogIndirectParam(GetModuleHandle(nullptr), &kModeless, Main(), ModelessProc, 0);
          app::ModelessWindow(row.kind) = dialog;
          SetFocus(GetDlgItem(dialog, 101));
        },
        [&] { drv::PressKey(VK_TAB); },
        [&] { focus_after = GetFocus(); },
    });
    EXPECT_EQ(focus_after == GetDlgItem(dialog, 102), row.navigates);
    DestroyWindow(dialog);
  }
}

TEST_F(ShellTest, MessageFiltersSeeTheLoopsMessagesBeforeDispatch) {
  int seen = 0;
  const int id = platform::win::AddMessageFilter([&](MSG& msg) {
    if (msg.message != WM_APP + 7) return false;
    ++seen;
    return true;  // consumed: the window never gets it
  });
  int dispatched = 0;
  const int observer = platform::win::AddMessageObserver([&](HWND, UINT m, WPARAM, LPARAM) { dispatched += m == WM_APP + 7; });
  Run({[] { PostMessage(Main(), WM_APP + 7, 0, 0); }, [] {}});
  platform::win::RemoveMessageFilter(id);
  platform::win::RemoveMessageObserver(observer);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(dispatched, 0);
}

}  // namespace
}  // namespace shell_test
