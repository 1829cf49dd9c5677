#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/backend/capture.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text.h"
#include "platform/win/input_injection.h"
#include "platform/win/win.h"
#include "tests/scope/scope_panel_fixture.h"

namespace {

namespace drv = platform::testing;
using scope_test::ScopePanelTest;
using scope_test::TreeTexts;

// The panel's tool-tip control.
HWND ToolTips() {
  HWND tips = nullptr;
  EnumWindows(
      [](HWND w, LPARAM out) -> BOOL {
        char name[64] = "";
        GetClassName(w, name, sizeof name);
        if (std::string(name) != TOOLTIPS_CLASS) return TRUE;
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tips));
  return tips;
}

// The text the panel's tool tip shows for a control.
std::string TipText(HWND panel, int id) {
  HWND tips = ToolTips();
  if (!tips) return "(no tool tip control)";
  char text[400] = "";
  TOOLINFO info{};
  info.cbSize = sizeof info;
  info.hwnd = panel;
  info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(panel, id));
  info.lpszText = text;
  SendMessage(tips, TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&info));
  return text;
}

// The width of a button's text in the font it is drawn with.
int ButtonTextWidth(HWND button, const std::string& text) {
  HDC dc = GetDC(button);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(button, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(button, dc);
  return size.cx;
}

TEST_F(ScopePanelTest, ButtonsWithCtrlAndShiftScaleAndMoveTheSelectedChannelAndTheTime) {
  OpenAndFeed();
  EXPECT_EQ(Item(1290), "200 ms / DIV");
  // No channel selected: read-outs empty, the trace buttons do nothing.
  EXPECT_EQ(Item(1292), "");
  EXPECT_EQ(Item(1289), "");
  EXPECT_FALSE(drv::Enabled(panel_, 1049));
  EXPECT_EQ(Item(1104), "ramp");
  EXPECT_FALSE(drv::Enabled(panel_, 1105)) << "slot 1 holds nothing";

  // The ramp 0..999 gets the step above round(1000 / 8) = 125: 200 rpm a division.
  Click(1104);
  EXPECT_EQ(Item(1292), "ramp");
  EXPECT_EQ(Item(1289), "200.0 rpm / DIV");
  struct Step {
    int id;
    bool ctrl, shift;
    int readout;
    const char* text;
  };
  const Step kSteps[] = {
      {1060, false, false, 1289, "500.0 rpm / DIV"},  {1059, false, false, 1289, "200.0 rpm / DIV"},
      {1059, false, false, 1289, "100.0 rpm / DIV"},  {1060, true, false, 1289, "200.0 rpm / DIV"},
      {1067, false, false, 1290, "100 ms / DIV"},     {1067, false, false, 1290, "50 ms / DIV"},
      {1066, false, false, 1290, "100 ms / DIV"},     {1066, true, false, 1290, "100 ms / DIV"},
      {1067, false, false, 1290, "50 ms / DIV"},      {1066, true, false, 1290, "100 ms / DIV"},
  };
  for (const Step& s : kSteps) {
    Click(s.id, s.ctrl, s.shift);
    EXPECT_EQ(Item(s.readout), s.text) << s.id << (s.ctrl ? " ctrl" : "");
  }

  // The ramp's zero line moves with the trace buttons: its margin indicator (x 2..5) follows.
  const auto zero_line = [&] {
    const scope::PlotLayout layout = scope_test::PlotOf(display_);
    for (int y = layout.plot.top; y < layout.plot.bottom; ++y)
      if (platform::backend::WindowPixel(display_, 4, y) == 0x00FF00u) return y - layout.middle_y();
    return -9999;
  };
  const scope::PlotLayout layout = scope_test::PlotOf(display_);
  const int start = zero_line();
  Click(1049);
  EXPECT_EQ(zero_line(), start - layout.y_step) << "up one division";
  Click(1048, false, true);
  EXPECT_EQ(zero_line(), start - layout.y_step + 1) << "down one pixel";
  Click(1048, true, false);
  EXPECT_EQ(zero_line(), start - layout.y_step / 2) << "down to the next grid line";
  Click(1049, true, true);
  EXPECT_EQ(zero_line(), 0) << "centred";

  // OFF hides the trace; the wave's capture selects it in the panel.
  Click(1515);
  EXPECT_TRUE(drv::Checked(panel_, 1515));
  Click(1106);
  EXPECT_EQ(Item(1292), "wave");
  EXPECT_FALSE(drv::Checked(panel_, 1515));
  EXPECT_EQ(Item(1289), "50 V / DIV");
}

TEST_F(ScopePanelTest, ToolTipsTellEveryControlsRows) {
  OpenAndFeed();
  HWND tips = ToolTips();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessage(tips, TTM_GETTOOLCOUNT, 0, 0), 42);
  const auto tip = [&](int id) { return TipText(panel_, id); };
  struct Case {
    int id;
    const char* text;
  };
  const Case kCases[] = {
      {1001, "trigger and channel selection to use in the next scope shot"},
      {1004, "selects the color for channel 3"},
      {1104, "channel 1\nramp - rpm\n200.0 rpm / DIV"},
      {1049, "moves the trace upward\nshift: moves the trace by one pixel\nstrg: move the trace to the next grid "
             "line\nstrg+shift: moves the trace to the center"},
      {1060, "scales the channel up / down\nstrg: autoscaling of the selected channel"},
      {1065, "moves the scope shot to the right\nshift: moves the scope shot by one pixel\nstrg: moves the scope "
             "shot to the next grid line\nstrg+shift: moves the scope shot to the center"},
      {1071, "moves the selected marker to the right (A, B or A+B)\nshift: moves the marker by one pixel"},
      {1129, "selects both markerpoints (A and B) for simultaneous moving"},
      {1762, "marker selection"},
      {1515, "shows / hides the trace"},
  };
  for (const Case& c : kCases) EXPECT_EQ(tip(c.id), c.text) << c.id;
}

// A channel's name on its select button: whole when it fits, else its beginning and "..." within the button's face
// (whole characters only); the tool tip shows it whole.
TEST_F(ScopePanelTest, ChannelButtonsFitTheirNamesAndTheToolTipsShowThemWhole) {
  OpenAndFeed();
  struct Case {
    short slot;
    const char* name;
    bool whole;
  };
  const Case kCases[] = {
      {0, "0 I-motor", false}, {1, "3 fault code", false}, {2, "B520.6 debug", false}, {3, "ramp", true},
      {4, "I", true},
  };
  for (const Case& c : kCases) scope_.Feed(c.slot, c.slot + 1, c.name, "A", scope_test::Ramp());
  ASSERT_EQ(scope_.ActivateWindow(), 1);
  drv::PumpUntilIdle();
  for (const Case& c : kCases) {
    const int id = 1104 + c.slot;
    const std::string text = Item(id);
    const std::string name = c.name;
    if (c.whole) {
      EXPECT_EQ(text, name);
    } else {
      ASSERT_TRUE(text.ends_with("...")) << text;
      const std::string head = text.substr(0, text.size() - 3);
      EXPECT_GE(head.size(), 1u) << text;
      EXPECT_TRUE(name.starts_with(head)) << text;
      // One more character of the name would not have fitted.
      RECT client;
      GetClientRect(GetDlgItem(panel_, id), &client);
      EXPECT_GT(ButtonTextWidth(GetDlgItem(panel_, id), name.substr(0, head.size() + 1) + "..."), client.right - 6)
          << text;
    }
    RECT client;
    GetClientRect(GetDlgItem(panel_, id), &client);
    EXPECT_LE(ButtonTextWidth(GetDlgItem(panel_, id), text), client.right - 6) << text;
    EXPECT_NE(TipText(panel_, id).find("\n" + name + " - A\n"), std::string::npos) << TipText(panel_, id);
  }
  Click(1104);
  EXPECT_EQ(Item(1292), "0 I-motor") << "the read-out shows the name whole";
  ASSERT_TRUE(platform::backend::SaveWindowPng(panel_, ZPR_BIN_DIR "/../scope_channel_names.png"));
}

// The dark pixels of a control, one string a row.
std::vector<std::string> DarkPixels(HWND control) {
  const auto shot = platform::backend::CaptureWindow(control);
  std::vector<std::string> rows;
  for (int y = 0; shot && y < shot->height(); ++y) {
    std::string row;
    for (int x = 0; x < shot->width(); ++x) {
      const std::uint32_t p = shot->Pixel(x, y);
      row += ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) < 3 * 0x80 ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

// With the focus, a "-" button (time scale down, channel scale down) keeps its dash as it was, alone on its row
// inside the face: the focus frame runs along the face's border, clear of it.
TEST_F(ScopePanelTest, TheFocusFrameKeepsClearOfTheMinusCaption) {
  OpenAndFeed();
  Click(1104);  // a channel selected: its scale buttons are enabled
  for (const int id : {1067, 1059}) {
    HWND button = GetDlgItem(panel_, id);
    SetFocus(display_);
    drv::PumpUntilIdle();
    const std::vector<std::string> plain = DarkPixels(button);
    SetFocus(button);
    drv::PumpUntilIdle();
    const std::vector<std::string> focused = DarkPixels(button);
    ASSERT_EQ(plain.size(), focused.size());
    ASSERT_GT(plain.size(), 8u);
    const int width = static_cast<int>(plain.front().size());
    // The dash: the one row of the face with dark pixels when the button has no focus.
    int dash_row = -1;
    for (int y = 3; y + 3 < static_cast<int>(plain.size()); ++y)
      if (plain[static_cast<std::size_t>(y)].substr(3, static_cast<std::size_t>(width - 6)).find('#') != std::string::npos) {
        EXPECT_EQ(dash_row, -1) << id << ": one row";
        dash_row = y;
      }
    ASSERT_GE(dash_row, 0) << id;
    const std::string face = plain[static_cast<std::size_t>(dash_row)].substr(2, static_cast<std::size_t>(width - 4));
    EXPECT_EQ(focused[static_cast<std::size_t>(dash_row)].substr(2, static_cast<std::size_t>(width - 4)), face)
        << id << ": the dash's row\n" << plain[static_cast<std::size_t>(dash_row)] << "\n"
        << focused[static_cast<std::size_t>(dash_row)];
    // The focus frame is there, around the dash.
    int frame = 0;
    for (std::size_t y = 0; y < focused.size(); ++y)
      for (int x = 3; x < width - 3; ++x)
        frame += focused[y][static_cast<std::size_t>(x)] == '#' && plain[y][static_cast<std::size_t>(x)] == '.';
    EXPECT_GT(frame, 12) << id;
  }
  ASSERT_TRUE(platform::backend::SaveWindowPng(panel_, ZPR_BIN_DIR "/../scope_panel_focus.png"));
}

TEST_F(ScopePanelTest, MarkersAreMadeDraggedAndMeasuredInTheTree) {
  OpenAndFeed();
  Pick(32810);  // a new time marker: M1, shown, A one division left of the middle, B on the ramp's last sample
  EXPECT_EQ(Item(1559), "M1");
  EXPECT_TRUE(drv::Checked(panel_, 1559));
  const scope::PlotLayout layout = scope_test::PlotOf(display_, true, false);
  ASSERT_TRUE(layout.valid);
  const auto grid_x = [&](double i) { return layout.plot.left + static_cast<int>(i * layout.x_step); };
  EXPECT_GT(WhiteInColumn(grid_x(4), layout), 10);
  EXPECT_GT(WhiteInColumn(layout.plot.left + layout.XPixels(4995), layout), 10) << "B at 799 ms";

  // A dragged from 600 ms to 700 ms, B stays at 799 ms: samples 900 and 999 of the ramp.
  const int y = layout.plot.top + layout.y_step / 2;
  platform::win::InjectMouse(display_, WM_LBUTTONDOWN, grid_x(4) + 2, y, MK_LBUTTON);
  platform::win::InjectMouse(display_, WM_MOUSEMOVE, grid_x(5), y, MK_LBUTTON);
  platform::win::InjectMouse(display_, WM_LBUTTONUP, grid_x(4.5) + 2, y);
  drv::PumpUntilIdle();
  EXPECT_EQ(WhiteInColumn(grid_x(4), layout), 0);
  EXPECT_GT(WhiteInColumn(grid_x(4.5), layout), 10);
  EXPECT_TRUE(drv::Checked(panel_, 1127)) << "A was dragged";

  Click(1073);
  HWND measure = drv::FindDialog(400);
  ASSERT_NE(measure, nullptr);
  EXPECT_EQ(drv::Text(measure), "measurement values") << "its own caption";
  HWND tree = GetDlgItem(measure, 1723);
  double sum = 0;
  for (int i = 900; i <= 999; ++i) sum += i;
  char integral[80];
  std::snprintf(integral, sizeof integral, "integral: %.6f rpm*s", sum * 1000 * 1e-6);
  char average[80];
  std::snprintf(average, sizeof average, "average value: %.1f rpm", sum / 100);
  std::vector<std::string> ramp = {
      "      interval: 900 ms bis 999 ms (99 ms)",
      "      value in M1A: 900.0 rpm",
      "      value in M1B: 999.0 rpm",
      "      value difference: 99.0 rpm",
      "      gradient: 1.000000 rpm/ms",
      std::string("      ") + average,
      std::string("      ") + integral,
      "      min value: 900.0 rpm bei 900 ms",
      "      max. value: 999.0 rpm bei 999 ms",
  };
  const std::vector<std::string> texts = TreeTexts(tree);
  ASSERT_EQ(texts.size(), 1u + 2 * (1 + 1 + 11));
  EXPECT_EQ(texts[0], "catch all");
  EXPECT_EQ(texts[1], "  1: ramp");
  EXPECT_EQ(texts[2], "    marker 1 (M1)");
  for (std::size_t i = 0; i < ramp.size(); ++i) EXPECT_EQ(texts[3 + i], ramp[i]);
  EXPECT_EQ(texts[14], "  3: wave");
  // The window opens beside the scope window, not over its display, and inside the screen.
  RECT scope_rect, measure_rect;
  GetWindowRect(window_, &scope_rect);
  GetWindowRect(measure, &measure_rect);
  EXPECT_TRUE(measure_rect.left >= scope_rect.right || measure_rect.right <= scope_rect.left);
  EXPECT_GE(measure_rect.left, 0);
  EXPECT_LE(measure_rect.right, GetSystemMetrics(SM_CXSCREEN));

  // While the ramp is captured, the wave's item shows its own read-out at the same time; the end of the capture
  // gives the item its name back.
  Pick(32782);  // capture slot 0
  drv::ClickAt(display_, grid_x(4), y);
  EXPECT_EQ(scope_test::StatusText(window_), "ramp: 600 ms, 800.0 rpm");
  EXPECT_EQ(TreeTexts(tree)[14], "  wave: 600 ms, 100 V");
  EXPECT_EQ(TreeTexts(tree)[1], "  1: ramp");
  // The mouse moves on to about 675 ms (sample 875), where the wave is low.
  platform::win::InjectMouse(display_, WM_MOUSEMOVE, grid_x(4.375), y);
  drv::PumpUntilIdle();
  const std::string moved = TreeTexts(tree)[14];
  EXPECT_TRUE(moved.starts_with("  wave: 6")) << moved;
  EXPECT_TRUE(moved.ends_with(", -100 V")) << moved;
  drv::ClickAt(display_, grid_x(4.375), y);
  EXPECT_EQ(TreeTexts(tree)[14], "  3: wave");
  EXPECT_EQ(TreeTexts(tree)[3], "      ???");
  Pick(32781);  // back to the selection mode

  // A press and release in the selection mode ends the measurements until they are computed again.
  drv::ClickAt(display_, grid_x(8), y);
  EXPECT_EQ(TreeTexts(tree)[3], "      ???");
  // The panel's "right" moves B half a division, 100 ms: beyond the ramp's last sample.
  Click(1128);
  Click(1071);
  EXPECT_EQ(TreeTexts(tree)[3], "      interval: ---");
  EXPECT_EQ(TreeTexts(tree)[4], "      value in M1A: 900.0 rpm");
  EXPECT_EQ(TreeTexts(tree)[5], "      value in M1B: ---");
  // Both points half a division back: 600 ms and 799 ms.
  Click(1129);
  Click(1069);
  EXPECT_EQ(TreeTexts(tree)[4], "      value in M1A: 800.0 rpm");
  EXPECT_EQ(TreeTexts(tree)[5], "      value in M1B: 999.0 rpm");

  // A second marker; the spin control steps between existing markers only; the delete renumbers nothing.
  Pick(32811);
  EXPECT_EQ(Item(1559), "M2");
  EXPECT_TRUE(drv::Visible(panel_, 1053)) << "a value marker moves up and down";
  EXPECT_FALSE(drv::Visible(panel_, 1069));
  Pick(32812);  // delete M2
  EXPECT_EQ(Item(1559), "M1");
  Pick(32810);
  EXPECT_EQ(Item(1559), "M2");
  EXPECT_EQ(TreeTexts(tree).size(), 1u + 2 * (1 + 2 * 12));
  Pick(32810);
  Pick(32810);
  EXPECT_EQ(Item(1559), "M4");
  Click(1559);  // M4 hidden: it stays, and the spin still finds it
  EXPECT_FALSE(drv::Checked(panel_, 1559));
  // Spin: the upper arrow steps to the next marker, the lower to the previous one, over the missing M3.
  RECT spin;
  GetClientRect(GetDlgItem(panel_, 1762), &spin);
  const auto spin_click = [&](bool upper) {
    drv::ClickAt(GetDlgItem(panel_, 1762), spin.right / 2, upper ? 2 : spin.bottom - 3);
    drv::PumpUntilIdle();
    return Item(1559);
  };
  // M3 deleted through the display's menu after selecting it by the spin.
  EXPECT_EQ(spin_click(false), "M3");
  Pick(32812);
  EXPECT_EQ(Item(1559), "M4");
  EXPECT_EQ(spin_click(false), "M2");
  EXPECT_EQ(spin_click(true), "M4");
  EXPECT_EQ(spin_click(true), "M4");
  EXPECT_EQ(spin_click(false), "M2");
  EXPECT_EQ(spin_click(false), "M1");
  EXPECT_EQ(spin_click(false), "M1");
}

TEST_F(ScopePanelTest, BitMaskDialogStartsFromTheWidthAndSwitchesTheBitLanes) {
  OpenAndFeed();
  std::vector<double> counter(1000);
  for (std::size_t i = 0; i < counter.size(); ++i) counter[i] = static_cast<double>((i / 100) % 16);
  struct Case {
    short data_type;
    const char* mask;
    int first_disabled;  // the first bit box that is disabled
  };
  const Case kCases[] = {{5, "FF", 8}, {6, "FFFF", 16}, {7, "FFFFFFFF", 32}};
  for (const Case& c : kCases) {
    scope_.Feed(1, 12, "count", "", counter, c.data_type, 4, 0);
    ASSERT_EQ(scope_.ActivateWindow(), 1);
    drv::PumpUntilIdle();
    Click(1105);
    std::string mask;
    bool binary = true, last_enabled = false, first_disabled = true;
    drv::OnDialogIdle(226, [&](HWND d) {
      mask = drv::ItemText(d, 1406);
      binary = drv::Checked(d, 1526);
      drv::ClickItem(d, 1526);
      last_enabled = drv::Enabled(d, 1527 + c.first_disabled - 1);
      first_disabled = c.first_disabled < 32 && drv::Enabled(d, 1527 + c.first_disabled);
      drv::ClickItem(d, IDCANCEL);
    });
    Click(1072);
    EXPECT_EQ(mask, c.mask) << c.data_type;
    EXPECT_FALSE(binary) << c.data_type;
    EXPECT_TRUE(last_enabled) << c.data_type;
    EXPECT_FALSE(first_disabled) << c.data_type;
  }

  // 16 bits: the mask typed, shown as bits, a box clicked, back to hex; OK switches three lanes on (bits 0..2
  // of a count that steps every 100 samples).
  scope_.Feed(1, 12, "count", "", counter, 6, 4, 0);
  ASSERT_EQ(scope_.ActivateWindow(), 1);
  drv::PumpUntilIdle();
  Click(1106);
  Click(1515);  // the wave off: nothing covers the lanes
  Click(1105);
  std::vector<std::string> texts;
  drv::OnDialogIdle(226, [&](HWND d) {
    drv::ClickItem(d, 1526);
    SetDlgItemText(d, 1406, "0006");
    texts.push_back(std::to_string(drv::Checked(d, 1527 + 1)) + std::to_string(drv::Checked(d, 1527 + 2)) +
                    std::to_string(drv::Checked(d, 1527 + 0)) + std::to_string(drv::Checked(d, 1527 + 15)));
    drv::ClickItem(d, 1126);
    texts.push_back(drv::ItemText(d, 1406));
    drv::ClickItem(d, 1527);
    texts.push_back(drv::ItemText(d, 1406));
    drv::ClickItem(d, 1125);
    texts.push_back(drv::ItemText(d, 1406));
    drv::ClickItem(d, IDOK);
  });
  Click(1072);
  EXPECT_EQ(texts, (std::vector<std::string>{"1100", "0000000000000110", "0000000000000111", "0007"}));
  // Each lane is a stair line in the channel's colour with its label: three lanes, labels B0, B1 and B2.
  const scope::PlotLayout layout = scope_test::PlotOf(display_);
  std::vector<int> rows;
  for (int y = layout.plot.top; y < layout.plot.bottom; ++y) {
    int n = 0;
    for (int x = layout.plot.left; x < layout.plot.right; ++x) n += platform::backend::WindowPixel(display_, x, y) == 0xFF0000u;
    if (n > layout.width() / 8) rows.push_back(y);
  }
  EXPECT_EQ(rows.size(), 6u) << "a low and a high level for each of three lanes";
  ASSERT_TRUE(platform::backend::SaveWindowPng(window_, ZPR_BIN_DIR "/../scope_bit_lanes.png"));
  // The dialog opens again with the trace's own mask and the switch on; the scale steps the lane divisor.
  drv::OnDialogIdle(226, [&](HWND d) {
    texts = {drv::ItemText(d, 1406), std::to_string(drv::Checked(d, 1526))};
    drv::ClickItem(d, IDCANCEL);
  });
  Click(1072);
  EXPECT_EQ(texts, (std::vector<std::string>{"0007", "1"}));
  EXPECT_TRUE(drv::Enabled(panel_, 1060));
  EXPECT_FALSE(drv::Enabled(panel_, 1059));
}

}  // namespace
