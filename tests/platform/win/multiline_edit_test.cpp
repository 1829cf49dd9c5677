// The multi-line edit: its line messages, keys that move by lines and scroll the caret into view, and the
// scroll messages that move the first visible line.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

LRESULT Host(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

TEST(MultiLineEdit, LinesKeysAndScrolling) {
  drv::Session session;
  ASSERT_TRUE(drv::RegisterTestWindowClass("MultiEditHost", Host));
  HWND host = CreateWindowEx(0, "MultiEditHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL | WS_BORDER, 5, 5, 150, 60,
                             host, nullptr, nullptr, nullptr);
  std::string text;
  for (int i = 0; i < 20; ++i) text += "Zeile " + std::to_string(i) + (i < 19 ? "\r\n" : "");
  SetWindowText(edit, text.c_str());
  EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), kEditMultiLineLimit);
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 20);
  const int third = static_cast<int>(SendMessage(edit, EM_LINEINDEX, 2, 0));
  EXPECT_EQ(third, 2 * 9);  // "Zeile 0\r\n" is nine bytes
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(third + 3), 0), 2);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, static_cast<WPARAM>(third + 3), 0), 7);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 20, 0), -1);
  // Down keeps the column; Ctrl+End goes to the end and scrolls the last line into view.
  SetFocus(edit);
  SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(third + 3), third + 3);
  drv::PressKey(VK_DOWN);
  DWORD start = 0, end = 0;
  SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(static_cast<int>(end), third + 9 + 3);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  drv::PressKey(VK_END, false, true);
  const int first = static_cast<int>(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
  EXPECT_GT(first, 0);
  EXPECT_EQ(GetScrollPos(edit, SB_VERT), first);
  SendMessage(edit, EM_LINESCROLL, 0, -100);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SendMessage(edit, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SendMessage(edit, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), first);
  // Ctrl+A selects the whole text.
  drv::PressKey('A', false, true);
  SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, static_cast<DWORD>(text.size()));
  DestroyWindow(host);
}

}  // namespace
