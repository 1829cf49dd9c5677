// What the mouse and time do to controls: presses on a window's own scroll bar (arrows and track repeat while
// held, the thumb dragged), the caret that blinks on the virtual clock, and a tool tip's delays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/caret.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/double_click.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

LRESULT Host(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class MouseAndTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(drv::RegisterTestWindowClass("MouseTimeHost", Host));
    host_ = CreateWindowEx(0, "MouseTimeHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 250, nullptr, nullptr, nullptr, nullptr);
  }
  drv::Session session_;
  HWND host_ = nullptr;
};

// A multi-line edit of 40 lines with its own vertical bar; points on the bar in the host's client coordinates.
struct BarEdit {
  HWND edit;
  RECT bar;  // in the host's client coordinates
  explicit BarEdit(HWND host) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "Zeile " + std::to_string(i) + (i < 39 ? "\r\n" : "");
    edit = CreateWindowEx(0, WC_EDIT, text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | WS_VSCROLL, 10,
                          10, 150, 160, host, nullptr, nullptr, nullptr);
    SendMessage(edit, EM_SCROLLCARET, 0, 0);  // sets the bar's range
    RECT c{};
    GetClientRect(edit, &c);
    POINT o{0, 0};
    MapWindowPoints(edit, host, &o, 1);
    bar = RECT{o.x + c.right, o.y, o.x + c.right + GetSystemMetrics(SM_CXVSCROLL), o.y + c.bottom};
  }
  int Middle() const { return (bar.left + bar.right) / 2; }
  int First() const { return static_cast<int>(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0)); }
};

std::vector<WORD> Codes(const platform::testing::MessageLog& log) {
  std::vector<WORD> codes;
  for (const auto& e : log.Entries()) codes.push_back(LOWORD(e.wparam));
  return codes;
}

TEST_F(MouseAndTimeTest, PressesOnAScrollBarScrollItsWindow) {
  BarEdit b(host_);
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  struct Case {
    const char* name;
    int y_from_top;  // -1: just above the bottom arrow's end
    int held_ms;
    std::vector<WORD> codes;
  };
  const Case cases[] = {
      {"down arrow, a click", -1, 0, {SB_LINEDOWN, SB_ENDSCROLL}},
      {"down arrow held: repeats after 400 ms, then every 100 ms", -1, 620,
       {SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}},
      {"track below the thumb", arrow + 100, 0, {SB_PAGEDOWN, SB_ENDSCROLL}},
      {"up arrow", arrow / 2, 0, {SB_LINEUP, SB_ENDSCROLL}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SendMessage(b.edit, EM_LINESCROLL, 0, 5 - b.First());
    platform::testing::MessageLog log(b.edit, {WM_VSCROLL});
    const int y = c.y_from_top < 0 ? b.bar.bottom - 2 : b.bar.top + c.y_from_top;
    platform::win::InjectMouse(host_, WM_LBUTTONDOWN, b.Middle(), y, MK_LBUTTON);
    drv::PumpUntilIdle();
    if (c.held_ms) drv::Advance(c.held_ms);
    platform::win::InjectMouse(host_, WM_LBUTTONUP, b.Middle(), y, 0);
    drv::PumpUntilIdle();
    EXPECT_EQ(Codes(log), c.codes);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  // The page and line codes moved the text: after "up arrow" the first line is 4.
  EXPECT_EQ(b.First(), 4);
}

TEST_F(MouseAndTimeTest, TheThumbIsDraggedAndLetGo) {
  BarEdit b(host_);
  SendMessage(b.edit, EM_LINESCROLL, 0, -b.First());
  platform::testing::MessageLog log(b.edit, {WM_VSCROLL});
  const int arrow = GetSystemMetrics(SM_CYVSCROLL);
  const int grab = b.bar.top + arrow + 3;  // on the thumb at the track's start
  platform::win::InjectMouse(host_, WM_LBUTTONDOWN, b.Middle(), grab, MK_LBUTTON);
  drv::PumpUntilIdle();
  // Dragged to the track's end (and beyond: the thumb stops there), off the bar sideways too.
  platform::win::InjectMouse(host_, WM_MOUSEMOVE, b.Middle() + 40, b.bar.bottom - arrow / 2, MK_LBUTTON);
  platform::win::InjectMouse(host_, WM_MOUSEMOVE, b.Middle(), b.bar.bottom + 50, MK_LBUTTON);
  drv::PumpUntilIdle();
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(b.edit, SB_VERT, &si);
  const int last_first = b.First();
  EXPECT_EQ(last_first, si.nMax - static_cast<int>(si.nPage) + 1);  // the last page
  platform::win::InjectMouse(host_, WM_LBUTTONUP, b.Middle(), b.bar.bottom + 50, 0);
  drv::PumpUntilIdle();
  const std::vector<WORD> codes = Codes(log);
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes.front(), SB_THUMBTRACK);
  EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  EXPECT_EQ(HIWORD(log.Entries()[codes.size() - 2].wparam), last_first);
  EXPECT_EQ(GetScrollPos(b.edit, SB_VERT), last_first);
  // Back to the top by a drag up.
  platform::win::InjectMouse(host_, WM_LBUTTONDOWN, b.Middle(), b.bar.bottom - arrow - 3, MK_LBUTTON);
  drv::PumpUntilIdle();
  platform::win::InjectMouse(host_, WM_MOUSEMOVE, b.Middle(), b.bar.top - 30, MK_LBUTTON);
  platform::win::InjectMouse(host_, WM_LBUTTONUP, b.Middle(), b.bar.top - 30, 0);
  drv::PumpUntilIdle();
  EXPECT_EQ(b.First(), 0);
}

TEST_F(MouseAndTimeTest, TheCaretBlinksWhileTheEditHasTheFocus) {
  HWND edit = CreateWindowEx(0, WC_EDIT, "1500", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20, host_, nullptr,
                             nullptr, nullptr);
  HWND other = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 100, 20, host_, nullptr,
                              nullptr, nullptr);
  EXPECT_FALSE(platform::win::CaretOn(edit));
  SetFocus(edit);
  const int period = static_cast<int>(GetCaretBlinkTime());
  std::vector<bool> phases;
  for (int i = 0; i < 4; ++i) {
    phases.push_back(platform::win::CaretOn(edit));
    drv::Advance(period);
  }
  EXPECT_EQ(phases, (std::vector<bool>{true, false, true, false}));
  // Typing shows it again for a whole period.
  drv::PressKey(VK_END);
  EXPECT_TRUE(platform::win::CaretOn(edit));
  drv::Advance(period - 10);
  EXPECT_TRUE(platform::win::CaretOn(edit));
  // The program's timers do not count it, and the caret goes with the focus.
  EXPECT_EQ(platform::win::TimerCount(), 0);
  SetFocus(other);
  EXPECT_FALSE(platform::win::CaretOn(edit));
  EXPECT_TRUE(platform::win::CaretOn(other));
}

TEST_F(MouseAndTimeTest, ATipShowsAfterItsDelayAndGoesAfterItsTime) {
  HWND tip = CreateWindowEx(0, TOOLTIPS_CLASS, "", WS_POPUP, 0, 0, 0, 0, host_, nullptr, nullptr, nullptr);
  TOOLINFO a{sizeof(TOOLINFO), 0, host_, 1, RECT{0, 0, 50, 50}, nullptr, const_cast<char*>("Drehzahl"), 0};
  TOOLINFO b{sizeof(TOOLINFO), 0, host_, 2, RECT{50, 0, 100, 50}, nullptr, const_cast<char*>("Strom"), 0};
  SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&a));
  SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&b));
  auto move = [&](int x) {
    MSG m{host_, WM_MOUSEMOVE, 0, MAKELPARAM(x, 10), 0, {0, 0}};
    SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
  };
  auto shown = [&] { return std::string(platform::win::ShownToolTip(tip)); };
  SendMessage(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 400);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 400);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 4000);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 80);
  move(10);
  drv::Advance(390);
  EXPECT_EQ(shown(), "");
  move(12);  // moving on the same tool does not restart the wait
  drv::Advance(20);
  EXPECT_EQ(shown(), "Drehzahl");
  // To the next tool while a tip shows: after the reshow delay.
  move(60);
  EXPECT_EQ(shown(), "");
  drv::Advance(90);
  EXPECT_EQ(shown(), "Strom");
  // The tip goes by itself after its time, and stays away while the pointer stays on the tool.
  drv::Advance(4010);
  EXPECT_EQ(shown(), "");
  move(62);
  drv::Advance(1000);
  EXPECT_EQ(shown(), "");
  // Leaving the tool before the delay ends shows nothing.
  move(200);
  move(10);
  drv::Advance(100);
  move(200);
  drv::Advance(1000);
  EXPECT_EQ(shown(), "");
  // A time of -1 puts the default back.
  SendMessage(tip, TTM_SETDELAYTIME, TTDT_INITIAL, static_cast<LPARAM>(-1));
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), static_cast<LRESULT>(GetDoubleClickTime()));
}

}  // namespace
