// Fonts, text metrics and text output.
#include <gtest/gtest.h>

#include <cstring>

#include "canvas_fixture.h"
#include "platform/gdi/cp1252.h"
#include "platform/gdi/gdi.h"

namespace {

using platform::gdi::testing::Canvas;

LOGFONTA Font(LONG height, LONG weight, BYTE pitch, const char* face = "System") {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfPitchAndFamily = pitch;
  lf.lfQuality = PROOF_QUALITY;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

class TextTest : public ::testing::Test {
 protected:
  void Use(const LOGFONTA& lf) {
    font_ = CreateFontIndirect(&lf);
    old_ = SelectObject(canvas_.dc(), font_);
  }
  void TearDown() override {
    if (font_) {
      SelectObject(canvas_.dc(), old_);
      DeleteObject(font_);
    }
  }
  Canvas canvas_{120, 40};
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(TextTest, PositiveHeightIsTheCellAndNegativeTheCharacterHeight) {
  for (LONG h : {10, 12, 19, 24, 49}) {
    Use(Font(h, FW_BOLD, VARIABLE_PITCH | FF_SWISS));
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetrics(canvas_.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, h);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, h);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    TearDown();
    font_ = nullptr;
  }
  Use(Font(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS));
  TEXTMETRICA tm{};
  GetTextMetrics(canvas_.dc(), &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
}

TEST_F(TextTest, FixedPitchFontsAdvanceEveryCharacterAlike) {
  Use(Font(49, FW_NORMAL, FIXED_PITCH | FF_MODERN));
  SIZE narrow, wide;
  GetTextExtentPoint32(canvas_.dc(), "iiii", 4, &narrow);
  GetTextExtentPoint32(canvas_.dc(), "WWWW", 4, &wide);
  EXPECT_EQ(narrow.cx, wide.cx);
  EXPECT_EQ(narrow.cy, 49);
  TEXTMETRICA tm{};
  GetTextMetrics(canvas_.dc(), &tm);
  EXPECT_EQ(tm.tmPitchAndFamily & 1, 0);  // GDI reports fixed pitch with the bit clear
  EXPECT_EQ(narrow.cx, 4 * tm.tmAveCharWidth);
}

TEST_F(TextTest, ExtentIsTheSumOfTheCharacterAdvances) {
  Use(Font(12, FW_BOLD, VARIABLE_PITCH | FF_SWISS));
  SIZE a, b, ab;
  GetTextExtentPoint32(canvas_.dc(), "Ab", 2, &ab);
  GetTextExtentPoint32(canvas_.dc(), "A", 1, &a);
  GetTextExtentPoint32(canvas_.dc(), "b", 1, &b);
  EXPECT_EQ(ab.cx, a.cx + b.cx);
  SIZE i, w;
  GetTextExtentPoint32(canvas_.dc(), "i", 1, &i);
  GetTextExtentPoint32(canvas_.dc(), "W", 1, &w);
  EXPECT_LT(i.cx, w.cx);  // variable pitch
  SIZE empty{};
  EXPECT_TRUE(GetTextExtentPoint32(canvas_.dc(), "", 0, &empty));
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, 12);
}

TEST_F(TextTest, DeviceFreeMeasurementAgreesWithTheDc) {
  const LOGFONTA lf = Font(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
  Use(lf);
  SIZE on_dc;
  GetTextExtentPoint32(canvas_.dc(), "Cancel", 6, &on_dc);
  const SIZE free = platform::gdi::MeasureText(lf, "Cancel", 6);
  EXPECT_EQ(on_dc.cx, free.cx);
  EXPECT_EQ(on_dc.cy, free.cy);
  const SIZE units = platform::gdi::DialogBaseUnits(lf);
  EXPECT_GE(units.cx, 5);
  EXPECT_LE(units.cx, 8);
  EXPECT_EQ(units.cy, free.cy);
}

TEST_F(TextTest, TextOutDrawsInsideItsCellAndOpaqueModeFillsTheCell) {
  Use(Font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS));
  SetBkMode(canvas_.dc(), TRANSPARENT);
  TextOut(canvas_.dc(), 10, 5, "Hg", 2);
  SIZE ext;
  GetTextExtentPoint32(canvas_.dc(), "Hg", 2, &ext);
  int inside = 0, outside = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool ink = GetPixel(canvas_.dc(), x, y) == RGB(0, 0, 0);
      const bool in_cell = x >= 10 && x < 10 + ext.cx && y >= 5 && y < 5 + ext.cy;
      (in_cell ? inside : outside) += ink;
    }
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
  // Only black and white: no antialiasing.
  EXPECT_EQ(canvas_.Count(RGB(0, 0, 0)) + canvas_.Count(RGB(255, 255, 255)), 120 * 40);

  canvas_.Clear(RGB(255, 255, 255));
  SetBkMode(canvas_.dc(), OPAQUE);
  SetBkColor(canvas_.dc(), RGB(0, 0, 255));
  SetTextColor(canvas_.dc(), RGB(255, 0, 0));
  TextOut(canvas_.dc(), 10, 5, "Hg", 2);
  EXPECT_EQ(canvas_.Count(RGB(0, 0, 255)) + canvas_.Count(RGB(255, 0, 0)), ext.cx * ext.cy);
}

TEST_F(TextTest, TextDrawnTwiceIsTheSamePicture) {
  Use(Font(19, FW_BOLD, VARIABLE_PITCH | FF_SWISS));
  TextOut(canvas_.dc(), 2, 2, "F\xFCr 50 Hz \xB5s", 12);
  const auto first = canvas_.Picture();
  canvas_.Clear(RGB(255, 255, 255));
  TextOut(canvas_.dc(), 2, 2, "F\xFCr 50 Hz \xB5s", 12);
  EXPECT_EQ(canvas_.Picture(), first);
}

TEST_F(TextTest, AlignmentMovesTheCellAroundTheReferencePoint) {
  Use(Font(16, FW_NORMAL, VARIABLE_PITCH | FF_SWISS));
  SIZE ext;
  GetTextExtentPoint32(canvas_.dc(), "MM", 2, &ext);
  SetBkColor(canvas_.dc(), RGB(0, 0, 255));
  SetTextAlign(canvas_.dc(), TA_RIGHT | TA_BOTTOM);
  TextOut(canvas_.dc(), 100, 30, "MM", 2);
  // The opaque cell ends just left of and above the reference point.
  EXPECT_NE(GetPixel(canvas_.dc(), 99, 29), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(canvas_.dc(), 100, 29), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(canvas_.dc(), 99, 30), RGB(255, 255, 255));
  EXPECT_NE(GetPixel(canvas_.dc(), 100 - ext.cx, 30 - ext.cy), RGB(255, 255, 255));
}

TEST_F(TextTest, TabbedTextOutStopsEveryEightAverageWidthsFromTheOrigin) {
  Use(Font(16, FW_NORMAL, FIXED_PITCH | FF_MODERN));
  TEXTMETRICA tm{};
  GetTextMetrics(canvas_.dc(), &tm);
  const DWORD ext = GetTabbedTextExtentA(canvas_.dc(), "a\tb", 3, 0, nullptr);
  EXPECT_EQ(static_cast<int>(ext & 0xFFFF), 8 * tm.tmAveCharWidth + tm.tmAveCharWidth);
  EXPECT_EQ(static_cast<int>(ext >> 16), tm.tmHeight);
  const INT stops[] = {30};
  const LONG drawn = TabbedTextOut(canvas_.dc(), 5, 0, "\tx", 2, 1, stops, 5);
  EXPECT_EQ(drawn & 0xFFFF, 30 + tm.tmAveCharWidth);
}

TEST_F(TextTest, DrawTextMeasuresCentresAndBreaksWords) {
  Use(Font(16, FW_NORMAL, VARIABLE_PITCH | FF_SWISS));
  SIZE ok;
  GetTextExtentPoint32(canvas_.dc(), "OK", 2, &ok);
  RECT calc{0, 0, 0, 0};
  EXPECT_EQ(DrawText(canvas_.dc(), "&OK", -1, &calc, DT_CALCRECT | DT_SINGLELINE), 16);
  EXPECT_EQ(calc.right, ok.cx);  // the prefix is not drawn
  RECT box{0, 0, 120, 40};
  DrawText(canvas_.dc(), "OK", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const int left = (120 - ok.cx) / 2, top = (40 - 16) / 2;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x)
      if (GetPixel(canvas_.dc(), x, y) == RGB(0, 0, 0)) {
        EXPECT_GE(x, left);
        EXPECT_LT(x, left + ok.cx);
        EXPECT_GE(y, top);
        EXPECT_LT(y, top + 16);
      }
  RECT narrow{0, 0, ok.cx * 3, 0};
  EXPECT_EQ(DrawText(canvas_.dc(), "OK OK OK OK", -1, &narrow, DT_CALCRECT | DT_WORDBREAK), 32);
}

TEST(Cp1252, HighCharactersMapToUnicode) {
  EXPECT_EQ(platform::gdi::Cp1252ToUtf8("\xE4\xB5\xB2\x80"), "\xC3\xA4\xC2\xB5\xC2\xB2\xE2\x82\xAC");
  EXPECT_EQ(platform::gdi::UnicodeToCp1252(0x20AC), 0x80);
  EXPECT_EQ(platform::gdi::UnicodeToCp1252(0xDF), 0xDF);
  EXPECT_EQ(platform::gdi::UnicodeToCp1252(0x4E00), -1);
  // Every byte comes back from its code point, the five unassigned ones (which stand for themselves) included.
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(platform::gdi::UnicodeToCp1252(platform::gdi::Cp1252ToUnicode(static_cast<unsigned char>(b))), b) << b;
  }
  EXPECT_EQ(platform::gdi::UnicodeToCp1252(0x80), -1);  // an assigned byte's own number is no code point of it
}

}  // namespace
