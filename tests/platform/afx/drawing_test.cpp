#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/afx/dc.h"
#include "platform/afx/gdi_objects.h"
#include "platform/afx/handle_map.h"
#include "platform/afx/wnd.h"
#include "platform/gdi/bitmap_resources.h"
#include "platform/gdi/call_log.h"
#include "platform/gdi/gdi.h"
#include "platform/testing/driver.h"
#include "platform/win/window.h"

namespace {

// A BMP file of 2 x 1 pixels at 24 bits: a glyph pixel (0xFFF8C0) and a background pixel (0x30405C).
std::vector<std::uint8_t> GlyphBmp() {
  std::vector<std::uint8_t> f(14 + 40 + 8, 0);
  f[0] = 'B';
  f[1] = 'M';
  const std::uint32_t size = static_cast<std::uint32_t>(f.size()), off = 54, hs = 40;
  std::memcpy(&f[2], &size, 4);
  std::memcpy(&f[10], &off, 4);
  std::memcpy(&f[14], &hs, 4);
  const std::int32_t w = 2, h = 1;
  std::memcpy(&f[18], &w, 4);
  std::memcpy(&f[22], &h, 4);
  f[26] = 1;
  f[28] = 24;
  // Blue, green, red per pixel: 0xFFF8C0 is r C0 g F8 b FF; 0x30405C is r 5C g 40 b 30.
  const std::uint8_t pixels[] = {0xFF, 0xF8, 0xC0, 0x30, 0x40, 0x5C, 0, 0};
  std::memcpy(&f[54], pixels, sizeof(pixels));
  return f;
}

constexpr UINT kGlyphs = 9161;

// Paints as the scope display does: the whole picture into a memory bitmap, then one copy to the window.
class BufferedView : public afx::CWnd {
 public:
  COLORREF background = RGB(0, 0, 0);
  COLORREF trace = RGB(0, 255, 0);

 protected:
  const afx::MessageMap* GetMessageMap() const override {
    static constexpr afx::MessageMapEntry kEntries[] = {afx::OnPaint<&BufferedView::OnPaint>()};
    static constexpr afx::MessageMap kMap{&afx::CWnd::kMessageMap, kEntries};
    return &kMap;
  }
  void OnPaint() {
    afx::CPaintDC dc(this);
    RECT client;
    GetClientRect(&client);
    afx::CDC memory;
    memory.CreateCompatibleDC(&dc);
    afx::CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.right, client.bottom);
    HGDIOBJ old_bitmap = memory.SelectObject(bitmap);
    memory.FillSolidRect(client, background);
    afx::CPen pen(PS_SOLID, 1, trace);
    HGDIOBJ old_pen = memory.SelectObject(pen);
    memory.IntersectClipRect(RECT{2, 2, 18, 18});
    memory.MoveTo(0, 10);
    memory.LineTo(client.right, 10);
    memory.SelectClipRgn(nullptr);
    memory.SelectObject(old_pen);
    dc.BitBlt(0, 0, client.right, client.bottom, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old_bitmap);
  }
};

class AfxDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::testing::RegisterTestWindowClass("AfxDrawPlain", DefWindowProc)); }
  void TearDown() override {
    platform::gdi::StopCallLog();
    EXPECT_EQ(afx::BoundWindowCount(), 0u);
  }
  platform::testing::Session session_;
};

TEST_F(AfxDrawingTest, PaintThroughAMemoryBitmapReachesTheWindowInOneCopy) {
  BufferedView view;
  ASSERT_TRUE(view.CreateEx(0, "AfxDrawPlain", "view", WS_POPUP | WS_VISIBLE, RECT{0, 0, 20, 20}, nullptr, 0));
  platform::gdi::StartCallLog();
  view.Invalidate(FALSE);
  platform::testing::PumpUntilIdle();
  std::vector<std::string> calls = platform::gdi::TakeCallLog();
  std::vector<std::string> to_window;
  for (const std::string& line : calls)
    if (line.find(" window") != std::string::npos) to_window.push_back(line.substr(0, line.find(' ')));
  const std::vector<std::string> kOneCopy = {"BitBlt"};
  EXPECT_EQ(to_window, kOneCopy);
  afx::CClientDC dc(&view);
  EXPECT_EQ(GetPixel(dc, 1, 10), RGB(0, 0, 0));  // outside the clip
  EXPECT_EQ(GetPixel(dc, 5, 10), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 0));
}

TEST_F(AfxDrawingTest, ObjectsOwnTheirHandlesUntilDetached) {
  HGDIOBJ detached;
  {
    afx::CPen pen(PS_DASH, 1, RGB(1, 2, 3));
    ASSERT_NE(pen.m_hObject, nullptr);
    LOGPEN lp{};
    EXPECT_EQ(pen.GetObject(sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, 0));  // holds one already
    afx::CBrush brush(RGB(4, 5, 6));
    detached = brush.Detach();
    EXPECT_EQ(brush.m_hObject, nullptr);
  }
  // The detached brush is still alive; the pen went with its object.
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectA(detached, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(4, 5, 6));
  DeleteObject(detached);
}

TEST_F(AfxDrawingTest, MappedBitmapTurnsTheGlyphColoursIntoTheLabelColours) {
  static const std::vector<std::uint8_t> file = GlyphBmp();
  platform::gdi::RegisterBitmapResource(GetModuleHandle(nullptr), MAKEINTRESOURCE(kGlyphs), file.data(), file.size());
  const afx::ColorMap kMap[] = {{0xFFF8C0, RGB(255, 0, 0)}, {0x30405C, RGB(0, 0, 0)}};
  afx::CBitmap glyphs;
  ASSERT_TRUE(glyphs.LoadMappedBitmap(kGlyphs, kMap, 2));
  BITMAP info{};
  ASSERT_TRUE(glyphs.GetBitmap(&info));
  EXPECT_EQ(info.bmWidth, 2);
  afx::CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
  HGDIOBJ old = memory.SelectObject(glyphs);
  EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(memory, 1, 0), RGB(0, 0, 0));
  memory.SelectObject(old);
  afx::CBitmap missing;
  EXPECT_FALSE(missing.LoadMappedBitmap(kGlyphs + 1, kMap, 2));
  EXPECT_FALSE(missing.LoadBitmap(kGlyphs + 1));
}

}  // namespace
