#include "model/message_dialog_layout.h"

#include <gtest/gtest.h>

namespace model {
namespace {

TEST(ShapeOfMessageText, CountsLinesLongestLineAndTotal) {
  struct Case {
    const char* text;
    int lines, longest, total;
  } const cases[] = {
      {"ab\ncdef", 2, 4, 7},
      {"abc", 1, 3, 3},
      {"", 1, 0, 0},
      {"trailing\n", 2, 8, 9},
      {"\n\n", 3, 0, 2},
  };
  for (const Case& c : cases) {
    const MessageTextShape s = ShapeOfMessageText(c.text);
    EXPECT_EQ(s.lines, c.lines) << c.text;
    EXPECT_EQ(s.longest, c.longest) << c.text;
    EXPECT_EQ(s.total, c.total) << c.text;
  }
}

MessageDialogMetrics Metrics() {
  MessageDialogMetrics m;
  m.text_extent = SIZE{70, 16};
  m.title_width = 60;
  m.button = SIZE{75, 23};
  m.frame_width = 4;
  m.owner = RECT{100, 100, 700, 500};
  m.screen_width = 1024;
  m.screen_height = 768;
  m.present_height = 100;
  return m;
}

// "ab\ncdef": h = 16 * 3 * 1.5 = 72, w = 150 * 4 / 7 = 85.
TEST(LayoutMessageDialog, OneButtonDialog) {
  const MessageDialogLayout l = LayoutMessageDialog(ShapeOfMessageText("ab\ncdef"), Metrics());
  EXPECT_EQ(l.text_height, 72);
  EXPECT_EQ(l.text_width, 85);
  // W = max(85, 60) + 20 = 105, raised to twice the button width; H = 2 * 23 + 72 + 20.
  EXPECT_EQ(l.dialog.left, 325);
  EXPECT_EQ(l.dialog.top, 231);
  EXPECT_EQ(l.dialog.right - l.dialog.left, 150);
  EXPECT_EQ(l.dialog.bottom - l.dialog.top, 138);
  EXPECT_EQ(l.button1.x, 33);  // (150 - 75) / 2 - 4
  EXPECT_EQ(l.button1.y, 80);  // 138 - 57.5
  EXPECT_EQ(l.text.left, 47);  // (150 - 85 + 80) / 2 - 25
  EXPECT_EQ(l.text.top, 20);
  EXPECT_EQ(l.text.right - l.text.left, 100);
  EXPECT_EQ(l.text.bottom - l.text.top, 46);  // 72 * 0.65
}

TEST(LayoutMessageDialog, TwoButtonsUnderAWideTitle) {
  MessageDialogMetrics m = Metrics();
  m.title_width = 300;
  m.has_button2 = true;
  const MessageDialogLayout l = LayoutMessageDialog(ShapeOfMessageText("ab\ncdef"), m);
  EXPECT_EQ(l.dialog.right - l.dialog.left, 320);
  EXPECT_EQ(l.button1.x, 52);   // (320 - 150) / 3 - 4
  EXPECT_EQ(l.button2.x, 179);  // 2 * 52 + 75
  EXPECT_EQ(l.button2.y, l.button1.y);
}

TEST(LayoutMessageDialog, NoticeIsLowerAndItsTextFullHeight) {
  MessageDialogMetrics m = Metrics();
  m.notice = true;
  const MessageDialogLayout l = LayoutMessageDialog(ShapeOfMessageText("ab\ncdef"), m);
  EXPECT_EQ(l.dialog.bottom - l.dialog.top, 82);
  EXPECT_EQ(l.text.bottom - l.text.top, 72);
}

TEST(LayoutMessageDialog, StaysOnTheScreen) {
  MessageDialogMetrics m = Metrics();
  m.owner = RECT{900, 600, 1300, 900};
  MessageDialogLayout l = LayoutMessageDialog(ShapeOfMessageText("ab\ncdef"), m);
  EXPECT_EQ(l.dialog.left, 1024 - 150);
  EXPECT_EQ(l.dialog.top, 768 - 100);  // held by the height the dialog had before
  m.owner = RECT{-500, -400, -300, -300};
  l = LayoutMessageDialog(ShapeOfMessageText("ab\ncdef"), m);
  EXPECT_EQ(l.dialog.left, 0);
  EXPECT_EQ(l.dialog.top, 0);
  m.screen_width = 100;  // narrower than the dialog: never below 0
  l = LayoutMessageDialog(ShapeOfMessageText("ab\ncdef"), m);
  EXPECT_EQ(l.dialog.left, 0);
}

TEST(LayoutMessageDialog, EmptyTextDoesNotDivideByZero) {
  MessageDialogMetrics m = Metrics();
  m.text_extent = SIZE{0, 16};
  const MessageDialogLayout l = LayoutMessageDialog(ShapeOfMessageText(""), m);
  EXPECT_EQ(l.text_width, 80);
  EXPECT_EQ(l.text_height, 48);
}

}  // namespace
}  // namespace model
