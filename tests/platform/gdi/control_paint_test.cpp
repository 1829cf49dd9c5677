// Plain control looks and system colours.
#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "platform/gdi/call_log.h"
#include "platform/gdi/control_paint.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/sys_colors.h"

namespace {

using platform::gdi::testing::Canvas;

int CountIn(const Canvas& c, COLORREF colour, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += GetPixel(c.dc(), x, y) == colour;
  return n;
}

TEST(SystemColours, ClassicSchemeCanBeChangedAndBrushesFollow) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(99), 0u);
  const INT index = COLOR_GRAYTEXT;
  const COLORREF old = GetSysColor(index);
  const COLORREF mine = RGB(10, 20, 30);
  ASSERT_TRUE(SetSysColors(1, &index, &mine));
  EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), mine);
  Canvas c(2, 1);
  const RECT r{0, 0, 1, 1};
  FillRect(c.dc(), &r, GetSysColorBrush(COLOR_GRAYTEXT));
  const RECT s{1, 0, 2, 1};
  FillRect(c.dc(), &s, reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_GRAYTEXT + 1)));
  EXPECT_EQ(GetPixel(c.dc(), 0, 0), mine);
  EXPECT_EQ(GetPixel(c.dc(), 1, 0), mine);
  EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_GRAYTEXT)));  // a no-op on a system brush
  EXPECT_NE(GetObjectType(reinterpret_cast<HGDIOBJ>(GetSysColorBrush(COLOR_GRAYTEXT))), 0u);
  SetSysColors(1, &index, &old);
}

TEST(ControlPaint, ButtonTextIsCentredAndGreyWhenDisabled) {
  Canvas c(80, 24);
  platform::gdi::PaintPushButton(c.dc(), RECT{0, 0, 80, 24}, {"OK", nullptr, false, false, false, true});
  EXPECT_GT(CountIn(c, RGB(0, 0, 0), 30, 5, 50, 19), 10);
  EXPECT_EQ(CountIn(c, RGB(0, 0, 0), 3, 3, 25, 21), 0);
  platform::gdi::PaintPushButton(c.dc(), RECT{0, 0, 80, 24}, {"OK", nullptr, false, false, false, false});
  EXPECT_EQ(CountIn(c, RGB(0, 0, 0), 3, 3, 77, 21), 0);
  EXPECT_GT(CountIn(c, GetSysColor(COLOR_GRAYTEXT), 30, 5, 50, 19), 10);
}

TEST(ControlPaint, EditShowsTextSelectionAndCaret) {
  Canvas c(120, 22);
  platform::gdi::EditLook look;
  look.text = "abcdef";
  look.selection_start = 2;
  look.selection_end = 4;
  look.caret = 4;
  look.focused = true;
  platform::gdi::PaintEditField(c.dc(), RECT{0, 0, 120, 22}, look);
  const int x2 = 3 + platform::gdi::EditTextWidth(nullptr, look.text, 2);
  const int x4 = 3 + platform::gdi::EditTextWidth(nullptr, look.text, 4);
  EXPECT_GT(CountIn(c, GetSysColor(COLOR_HIGHLIGHT), x2, 2, x4, 20), 10);
  EXPECT_EQ(CountIn(c, GetSysColor(COLOR_HIGHLIGHT), x4 + 2, 2, 118, 20), 0);
  EXPECT_EQ(platform::gdi::EditPositionAt(nullptr, look.text, 0, x4), 4);
  EXPECT_EQ(platform::gdi::EditPositionAt(nullptr, look.text, 0, 500), 6);
}

TEST(ControlPaint, ListHighlightsTheSelectedRow) {
  Canvas c(80, 60);
  const std::vector<std::string> rows = {"COM1", "COM2", "COM3"};
  platform::gdi::ListLook look;
  look.rows = &rows;
  look.selected = 1;
  platform::gdi::PaintListRows(c.dc(), RECT{0, 0, 80, 60}, look);
  const int h = platform::gdi::ListItemHeight(nullptr);
  EXPECT_EQ(GetPixel(c.dc(), 70, 2 + h + h / 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(c.dc(), 70, 2 + h / 2), GetSysColor(COLOR_WINDOW));
}

TEST(ControlPaint, EditTabsMoveTheTextToTheNextStopOfEightAverageWidths) {
  LOGFONTA lf{};
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  const int step = 8 * platform::gdi::MeasureFontMetrics(lf).tmAveCharWidth;
  const int a = platform::gdi::EditTextWidth(nullptr, "ab", 2);
  ASSERT_LT(a, step);
  EXPECT_EQ(platform::gdi::EditTextWidth(nullptr, "ab\tc", 3), step);
  EXPECT_EQ(platform::gdi::EditTextWidth(nullptr, "ab\t\tc", 4), 2 * step);
  EXPECT_EQ(platform::gdi::EditTextWidth(nullptr, "ab\tc", 4), step + platform::gdi::EditTextWidth(nullptr, "c", 1));
  // The pieces between tabs are drawn at their stops; the tabs themselves are not drawn.
  Canvas c(200, 40);
  platform::gdi::EditLook look;
  look.text = "ab\tc\r\n\td";
  look.multiline = true;
  look.border = false;
  platform::gdi::StartCallLog();
  platform::gdi::PaintEditField(c.dc(), RECT{0, 0, 200, 40}, look);
  std::vector<std::string> texts;
  for (const std::string& call : platform::gdi::TakeCallLog()) {
    if (call.rfind("TextOut", 0) == 0) texts.push_back(call);
  }
  platform::gdi::StopCallLog();
  const int h = platform::gdi::MeasureFontMetrics(lf).tmHeight;
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "TextOut mem 1,1 'ab'",
                       "TextOut mem " + std::to_string(1 + step) + ",1 'c'",
                       "TextOut mem " + std::to_string(1 + step) + "," + std::to_string(1 + h) + " 'd'",
                   }));
}

}  // namespace
