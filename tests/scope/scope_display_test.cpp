#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/afx/string_format.h"
#include "platform/backend/capture.h"
#include "platform/win/cursor_image.h"
#include "platform/win/input_injection.h"
#include "platform/win/win.h"
#include "tests/scope/failing_allocation.h"
#include "tests/scope/scope_host.h"

namespace {

namespace drv = platform::testing;
using scope_test::ScopeHostTest;

constexpr double kPi = 3.14159265358979323846;

std::vector<double> Sine() {
  std::vector<double> v(1000);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = 100 * std::sin(2 * kPi * static_cast<double>(i) / 250);
  return v;
}
std::vector<double> Square() {
  std::vector<double> v(1000);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = (i / 100) % 2 ? -50 : 50;
  return v;
}
std::vector<double> Ramp() {
  std::vector<double> v(1000);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<double>(i);
  return v;
}
std::vector<double> Counter() {
  std::vector<double> v(1000);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<double>(i % 16);
  return v;
}

class ScopeDisplayTest : public ScopeHostTest {
 protected:
  // The scope window at 640 x 480; 1000 samples a channel at 1 ms, trigger at sample 200: 200 ms a division,
  // the trigger one division in, and the plot showing -200 ms .. 1800 ms.
  void Open() {
    window_ = scope_.OpenWindow(host_);
    ASSERT_NE(window_, nullptr);
    scope_.SetWindowPos(0, 0, 640, 480);
    display_ = scope_test::Display(window_);
    drv::PumpUntilIdle();
    layout_ = scope_test::PlotOf(display_);
    ASSERT_TRUE(layout_.valid);
  }
  void FeedAll() {
    scope_.ResetScopeData();
    scope_.Feed(0, 11, "sine", "V", Sine(), 3, 0, 1);
    scope_.Feed(1, 12, "square", "A", Square(), 3, 0, 0);
    scope_.Feed(2, 13, "ramp", "rpm", Ramp(), 6, 0, 1);
    scope_.Feed(4, 15, "bits", "", Counter(), 5, 4, 0);
    scope_.SetTimeBase(1000);
    scope_.SetTriggerFrame(200);
  }
  void Activate() {
    ASSERT_EQ(scope_.ActivateWindow(), 1);
    drv::PumpUntilIdle();
  }
  int GridX(int i) const { return layout_.plot.left + i * layout_.x_step; }
  int MiddleY() const { return layout_.middle_y(); }
  // Pixels of a colour in the plot, from one capture of the display.
  int CountPixels(COLORREF colour) const {
    const auto shot = platform::backend::CaptureWindow(display_);
    if (!shot) return -1;
    const std::uint32_t rgb = platform::gdi::ToPixel(colour);
    int n = 0;
    for (int y = layout_.plot.top; y < layout_.plot.bottom; ++y)
      for (int x = layout_.plot.left; x < layout_.plot.right; ++x) n += shot->Pixel(x, y) == rgb;
    return n;
  }
  // Picks a command of the display's context menu (opened by the right button at the plot's middle) and gives
  // the menu as the user saw it: one line per item, "text|id|checked".
  std::vector<std::string> PickFromMenu(UINT command) {
    std::vector<std::string> items;
    platform::win::SetPopupMenuResponder([&](HMENU menu, HWND) {
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[80] = "";
        GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        items.push_back(std::string(text) + "|" + std::to_string(GetMenuItemID(menu, i)) +
                        ((state & MF_CHECKED) ? "|x" : "|"));
      }
      return command;
    });
    platform::win::InjectMouse(display_, WM_RBUTTONDOWN, GridX(5), MiddleY());
    platform::win::InjectMouse(display_, WM_RBUTTONUP, GridX(5), MiddleY());
    drv::PumpUntilIdle();
    platform::win::SetPopupMenuResponder(nullptr);
    return items;
  }
  // The read-out of a captured channel at a plot point: capture it by the menu, click there.
  std::string ReadOut(int slot, int x) {
    PickFromMenu(32782 + static_cast<UINT>(slot));
    drv::ClickAt(display_, x, MiddleY());
    return scope_test::StatusText(window_);
  }

  HWND window_ = nullptr;
  HWND display_ = nullptr;
  scope::PlotLayout layout_;
};

TEST_F(ScopeDisplayTest, DrawsGridTracesTriggerAndMarginsOfTheFedChannels) {
  Open();
  // Before any data: background and grid only.
  EXPECT_EQ(platform::backend::WindowPixel(display_, 1, 1), 0x000000u);
  for (int i = 0; i <= 10; ++i)
    EXPECT_EQ(platform::backend::WindowPixel(display_, GridX(i), layout_.plot.top + 3), 0x606060u) << i;
  EXPECT_EQ(platform::backend::WindowPixel(display_, GridX(1) + 3, layout_.plot.top + layout_.y_step), 0x606060u);
  EXPECT_EQ(CountPixels(0x0000FF), 0) << "no trigger line without a trace";

  FeedAll();
  Activate();
  ASSERT_TRUE(platform::backend::SaveWindowPng(display_, ZPR_BIN_DIR "/../scope_display.png"));
  // The trigger line on the first grid line, over the plot's full height.
  for (int y = layout_.plot.top; y < layout_.plot.bottom; y += 7)
    EXPECT_EQ(platform::backend::WindowPixel(display_, GridX(1), y), 0x0000FFu) << y;
  // Every fed channel is drawn in its slot's colour; slot 3 holds nothing.
  for (COLORREF c : {0x00FF00u, 0xFF0000u, 0x00FFFFu, 0xFF00FFu}) EXPECT_GT(CountPixels(c), 100) << std::hex << c;
  EXPECT_EQ(CountPixels(0xFFFF00), 0);
  // Ground-line indicators in the left margin, the trigger's T below the plot.
  int indicators = 0;
  for (int y = 0; y < layout_.plot.bottom; ++y)
    indicators += platform::backend::WindowPixel(display_, 3, y) == 0x00FF00u;
  EXPECT_GT(indicators, 0);
  EXPECT_EQ(platform::backend::WindowPixel(display_, GridX(1), layout_.plot.bottom + 5), 0x0000FFu);
  EXPECT_EQ(platform::backend::WindowPixel(display_, GridX(1) + 8, layout_.plot.bottom + 5), 0x000000u);

  // A new colour shows at once.
  scope_.SetScopeColor(0, 0x4080C0);
  drv::PumpUntilIdle();
  EXPECT_EQ(CountPixels(0x00FF00), 0);
  EXPECT_GT(CountPixels(0x4080C0), 100);

  // A display narrower than its margins and one pixel a division shows the background only.
  scope_.SetScopeColor(100, 0x102030);
  MoveWindow(display_, 0, 0, 41, 300, TRUE);
  drv::PumpUntilIdle();
  int others = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 41; ++x) others += platform::backend::WindowPixel(display_, x, y) != 0x102030u;
  EXPECT_EQ(others, 0);
}

TEST_F(ScopeDisplayTest, DataFedBeforeTheWindowOpensIsShownByTheActivation) {
  FeedAll();
  EXPECT_EQ(scope_.ActivateWindow(), 0);
  Open();
  EXPECT_EQ(CountPixels(0x00FF00), 0);
  Activate();
  EXPECT_GT(CountPixels(0x00FF00), 100);
  // The channel records stay: a reset after activation leaves the display as it was until the next one.
  scope_.ResetScopeData();
  InvalidateRect(display_, nullptr, FALSE);
  drv::PumpUntilIdle();
  EXPECT_GT(CountPixels(0x00FF00), 100);
  Activate();
  EXPECT_EQ(CountPixels(0x00FF00), 0);
}

// Channels without samples, a time base of 0 or below and a range beyond the buffer draw nothing and break
// nothing.
TEST_F(ScopeDisplayTest, EmptyChannelsAndNoTimeBaseDrawNothing) {
  Open();
  struct Case {
    const char* what;
    int time_base;
    unsigned count;
  };
  const Case kCases[] = {{"no samples", 1000, 0}, {"time base 0", 0, 500}, {"negative time base", -1000, 500}};
  for (const Case& c : kCases) {
    scope_.ResetScopeData();
    scope_.SetChannelKey(0, 1);
    scope_.SetChannelDatacount(0, c.count);
    const std::vector<double> values(c.count + 1, 40.0);
    scope_.SetChannelData(0, 0, c.count + 1, values.data());  // one beyond: refused
    scope_.SetChannelData(0, 1, 0xFFFFFFFFu, values.data());  // wraps around: refused
    scope_.SetTimeBase(c.time_base);
    scope_.SetTriggerFrame(2147483647);
    Activate();
    EXPECT_EQ(CountPixels(0x00FF00), 0) << c.what;
    EXPECT_EQ(CountPixels(0x0000FF), 0) << c.what;
    PickFromMenu(32782);
    drv::ClickAt(display_, GridX(3), MiddleY());
    EXPECT_EQ(scope_test::StatusText(window_), "") << c.what;
  }
}

// A channel whose copy cannot be allocated is left empty with the allocation message; the others are shown.
TEST_F(ScopeDisplayTest, AChannelThatFindsNoMemoryStaysEmptyAndTheOthersAreShown) {
  Open();
  FeedAll();
  const std::vector<double> long_one(1237, 40.0);
  scope_.Feed(1, 12, "long", "A", long_one, 3, 0, 0);
  drv::AnswerMessageBox(IDOK);
  {
    scope_test::ScopedFailingAllocation fail(long_one.size() * sizeof(double));
    Activate();
    EXPECT_EQ(scope_test::FailedAllocations(), 1);
  }
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "unable to allocate memory (system overloads !)");
  EXPECT_EQ(drv::MessageBoxes()[0].type & 0xF0u, static_cast<unsigned>(MB_ICONSTOP));
  for (COLORREF c : {0x00FF00u, 0x00FFFFu, 0xFF00FFu}) EXPECT_GT(CountPixels(c), 100) << std::hex << c;
  EXPECT_EQ(CountPixels(0xFF0000), 0) << "slot 1 empty";
  EXPECT_GT(CountPixels(0x0000FF), 0) << "the trigger line";
  const std::vector<std::string> menu = PickFromMenu(0);
  EXPECT_EQ(std::count_if(menu.begin(), menu.end(), [](const std::string& i) { return i.starts_with("Fangen: "); }), 3);
  EXPECT_EQ(std::count(menu.begin(), menu.end(), "Fangen: long|32783|"), 0);
  // The next activation finds memory again: all four, and no further message.
  Activate();
  EXPECT_GT(CountPixels(0xFF0000), 100);
  EXPECT_EQ(drv::MessageBoxes().size(), 1u);
}

TEST_F(ScopeDisplayTest, ContextMenuListsTheModesAndOneCaptureItemPerChannel) {
  Open();
  FeedAll();
  Activate();
  const std::vector<std::string> kFirst = {
      "Selection|32781|x", "|0|", "&Pan|32802|", "Z&oom|32801|", "|0|",
      "Fangen: sine|32782|", "Fangen: square|32783|", "Fangen: ramp|32784|", "Fangen: bits|32786|",
      "|0|", "New &marker|32810|", "New &value marker|32811|",
  };
  EXPECT_EQ(PickFromMenu(32801), kFirst);
  EXPECT_EQ(PickFromMenu(32784)[3], "Z&oom|32801|x");
  EXPECT_EQ(PickFromMenu(32802)[7], "Fangen: ramp|32784|x");
  EXPECT_EQ(PickFromMenu(0)[2], "&Pan|32802|x");
}

TEST_F(ScopeDisplayTest, ZoomAndPanMoveTheTimeUnderTheMouse) {
  Open();
  FeedAll();
  Activate();
  // Three divisions in: 400 ms after the trigger, sample 600.
  EXPECT_EQ(ReadOut(2, GridX(3)), "ramp: 400 ms, 600.0 rpm");
  EXPECT_TRUE(platform::win::CursorClipped());
  drv::ClickAt(display_, GridX(3), MiddleY());
  EXPECT_EQ(scope_test::StatusText(window_), "") << "a second click ends the capture";
  EXPECT_FALSE(platform::win::CursorClipped());

  // Zoom mode: a click at the middle halves the time per division around it (800 ms stays in the middle).
  PickFromMenu(32801);
  drv::ClickAt(display_, GridX(5), MiddleY());
  EXPECT_EQ(ReadOut(2, GridX(3)), "ramp: 600 ms, 800.0 rpm");
  // With Ctrl held it zooms out again; a click left of the middle first brings that point to the middle.
  PickFromMenu(32801);
  drv::HoldKey(VK_CONTROL);
  platform::win::InjectMouse(display_, WM_LBUTTONDOWN, GridX(5), MiddleY(), MK_CONTROL);
  platform::win::InjectMouse(display_, WM_LBUTTONUP, GridX(5), MiddleY(), MK_CONTROL);
  drv::PumpUntilIdle();
  drv::ReleaseKey(VK_CONTROL);
  EXPECT_EQ(ReadOut(2, GridX(3)), "ramp: 400 ms, 600.0 rpm");
  PickFromMenu(32801);
  drv::ClickAt(display_, GridX(4), MiddleY());  // 600 ms to the middle, then 100 ms a division
  EXPECT_EQ(ReadOut(2, GridX(3)), "ramp: 400 ms, 600.0 rpm");
  EXPECT_EQ(ReadOut(2, GridX(1)), "ramp: 200 ms, 400.0 rpm");

  // Pan mode: dragging two divisions to the right from a point off the traces moves the recording with it.
  PickFromMenu(32802);
  const int y = layout_.plot.top + 1;
  platform::win::InjectMouse(display_, WM_LBUTTONDOWN, GridX(1), y);
  platform::win::InjectMouse(display_, WM_MOUSEMOVE, GridX(3), y, MK_LBUTTON);
  platform::win::InjectMouse(display_, WM_LBUTTONUP, GridX(3), y);
  drv::PumpUntilIdle();
  EXPECT_EQ(ReadOut(2, GridX(3)), "ramp: 200 ms, 400.0 rpm");
}

// Up and Down move the capture between the slots with data; below the first there is none. The arrows reach
// the display through the scope window's keyboard navigation.
TEST_F(ScopeDisplayTest, ArrowKeysMoveTheCaptureBetweenChannels) {
  Open();
  FeedAll();
  Activate();
  ASSERT_EQ(ReadOut(2, GridX(3)), "ramp: 400 ms, 600.0 rpm");
  POINT p{GridX(3), MiddleY()};
  ClientToScreen(display_, &p);
  SetCursorPos(p.x, p.y);
  ASSERT_EQ(GetFocus(), display_);
  const std::string sine = afx::Format("sine: 400 ms, %.1f V", 100 * std::sin(2 * kPi * 600 / 250));
  struct Step {
    int key;
    std::string status;
  };
  const Step kSteps[] = {
      {VK_UP, "bits: 400 ms, 08hex,00001000bin "},
      {VK_UP, ""},
      {VK_DOWN, "bits: 400 ms, 08hex,00001000bin "},
      {VK_DOWN, "ramp: 400 ms, 600.0 rpm"},
      {VK_DOWN, "square: 400 ms, 50 A"},
      {VK_DOWN, sine},
      {VK_DOWN, ""},
  };
  for (const Step& s : kSteps) {
    drv::PressKey(s.key);
    EXPECT_EQ(scope_test::StatusText(window_), s.status);
    EXPECT_TRUE(IsWindow(window_));
  }
  EXPECT_EQ(GetFocus(), display_) << "the arrows did not move the focus";
  // Leaving the capture mode by the menu ends the read-out.
  drv::PressKey(VK_UP);
  ASSERT_NE(scope_test::StatusText(window_), "");
  PickFromMenu(32781);
  EXPECT_EQ(scope_test::StatusText(window_), "");
}

TEST_F(ScopeDisplayTest, SelectionCapturesTheTraceUnderThePointerWhileTheButtonIsDown) {
  Open();
  scope_.ResetScopeData();
  scope_.Feed(0, 1, "level", "%", std::vector<double>(1000, 50.0), 6, 0, 0);
  scope_.SetTimeBase(1000);
  Activate();
  // A constant 50 with range -1..50: 10 a division, the zero line 2.5 divisions below the middle; 50 lies
  // 5 divisions above the zero line.
  const int y = MiddleY() - layout_.y_step * 5 / 2;
  platform::win::InjectMouse(display_, WM_LBUTTONDOWN, GridX(2), y + 8);
  drv::PumpUntilIdle();
  EXPECT_EQ(scope_test::StatusText(window_), "level: 200 ms, 50 %");
  EXPECT_TRUE(platform::win::CursorClipped());
  platform::win::InjectMouse(display_, WM_MOUSEMOVE, GridX(3), y, MK_LBUTTON);
  drv::PumpUntilIdle();
  EXPECT_EQ(scope_test::StatusText(window_), "level: 400 ms, 50 %");
  platform::win::InjectMouse(display_, WM_LBUTTONUP, GridX(3), y);
  drv::PumpUntilIdle();
  EXPECT_EQ(scope_test::StatusText(window_), "");
  EXPECT_FALSE(platform::win::CursorClipped());
  // Beyond reach of the trace a press captures nothing.
  platform::win::InjectMouse(display_, WM_LBUTTONDOWN, GridX(2), y + 30);
  drv::PumpUntilIdle();
  EXPECT_EQ(scope_test::StatusText(window_), "");
  EXPECT_FALSE(platform::win::CursorClipped());
}

// The pointer shows the mode: the arrow for selection, the library's own pictures for zoom (in, out with Ctrl),
// pan and capture.
TEST_F(ScopeDisplayTest, EachMouseModeShowsItsCursor) {
  Open();
  FeedAll();
  Activate();
  struct Case {
    UINT command;
    bool ctrl;
    HCURSOR cursor;
  };
  auto own = [&](int id) { return LoadCursor(scope_.module, MAKEINTRESOURCE(id)); };
  const Case kCases[] = {
      {32781, false, LoadCursor(nullptr, IDC_ARROW)}, {32801, false, own(270)}, {32801, true, own(271)},
      {32802, false, own(272)},                      {32783, false, own(273)},
  };
  for (const Case& c : kCases) {
    PickFromMenu(c.command);
    platform::win::InjectMouse(display_, WM_MOUSEMOVE, GridX(2), MiddleY(), c.ctrl ? MK_CONTROL : 0);
    drv::PumpUntilIdle();
    EXPECT_EQ(GetCursor(), c.cursor) << c.command << (c.ctrl ? " with Ctrl" : "");
    if (c.cursor != LoadCursor(nullptr, IDC_ARROW)) {
      EXPECT_TRUE(platform::win::CursorImageOf(GetCursor()).has_value()) << c.command;
    }
  }
}

}  // namespace
