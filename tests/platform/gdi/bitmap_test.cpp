// Block transfers and device-independent bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "canvas_fixture.h"
#include "platform/gdi/bitmap_resources.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/gdi.h"
#include "platform/sys/user_name.h"

namespace {

using platform::gdi::testing::Canvas;
using Rows = std::vector<std::string>;

// A DIB in memory: info header, palette and pixel rows.
struct Dib {
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> bits;
  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(header.data()); }
};

Dib MakeDib(int width, int height, int bpp, const std::vector<RGBQUAD>& palette, const std::vector<std::uint8_t>& rows,
            DWORD compression = BI_RGB) {
  Dib d;
  BITMAPINFOHEADER h{};
  h.biSize = sizeof(h);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bpp);
  h.biCompression = compression;
  h.biClrUsed = static_cast<DWORD>(palette.size());
  d.header.resize(sizeof(h) + palette.size() * sizeof(RGBQUAD) + 4);
  std::memcpy(d.header.data(), &h, sizeof(h));
  if (!palette.empty()) std::memcpy(d.header.data() + sizeof(h), palette.data(), palette.size() * sizeof(RGBQUAD));
  d.bits = rows;
  return d;
}

constexpr RGBQUAD kBlack{0, 0, 0, 0};
constexpr RGBQUAD kWhite{255, 255, 255, 0};
constexpr RGBQUAD kRed{0, 0, 255, 0};
constexpr RGBQUAD kBlue{255, 0, 0, 0};

// Every format draws the same 2 x 2 picture: bottom row red, blue; top row black, white (bottom-up rows).
TEST(Dib, EveryBitDepthDrawsTheSamePicture) {
  struct Case {
    int bpp;
    std::vector<RGBQUAD> palette;
    std::vector<std::uint8_t> rows;  // two rows of 4 bytes, bottom first
  };
  const std::vector<Case> cases = {
      {1, {kRed, kBlue}, {0b01000000, 0, 0, 0, 0b01000000, 0, 0, 0}},  // colours differ per row: palette by row
      {4, {kBlack, kWhite, kRed, kBlue}, {0x23, 0, 0, 0, 0x01, 0, 0, 0}},
      {8, {kBlack, kWhite, kRed, kBlue}, {2, 3, 0, 0, 0, 1, 0, 0}},
      {16, {}, {0x00, 0x7C, 0x1F, 0x00, 0x00, 0x00, 0xFF, 0x7F}},
      {24, {}, {0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0}},
      {32, {}, {0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0}},
  };
  for (const Case& k : cases) {
    if (k.bpp == 1) continue;  // a 1-bit DIB has only two colours; checked below
    Canvas c(4, 3);
    const Dib d = MakeDib(2, 2, k.bpp, k.palette, k.rows);
    EXPECT_EQ(SetDIBitsToDevice(c.dc(), 1, 1, 2, 2, 0, 0, 0, 2, d.bits.data(), d.info(), DIB_RGB_COLORS), 2)
        << k.bpp;
    EXPECT_EQ(c.Picture(), (Rows{"....", ".#..", ".rb."})) << k.bpp << " bits";
  }
  Canvas c(3, 2);
  const Dib mono = MakeDib(2, 2, 1, {kRed, kBlue}, {0b01000000, 0, 0, 0, 0b10000000, 0, 0, 0});
  SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 0, 0, 2, mono.bits.data(), mono.info(), DIB_RGB_COLORS);
  EXPECT_EQ(c.Picture(), (Rows{"br.", "rb."}));
}

TEST(Dib, TopDownRowsAndCoreHeadersAreRead) {
  Canvas c(2, 2);
  Dib d = MakeDib(2, 2, 8, {kBlack, kWhite, kRed, kBlue}, {2, 3, 0, 0, 0, 1, 0, 0});
  reinterpret_cast<BITMAPINFOHEADER*>(d.header.data())->biHeight = -2;
  SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 0, 0, 2, d.bits.data(), d.info(), DIB_RGB_COLORS);
  EXPECT_EQ(c.Picture(), (Rows{"rb", "#."}));

  std::vector<std::uint8_t> core(sizeof(BITMAPCOREHEADER) + 256 * 3);  // a core palette has 2^bits entries
  BITMAPCOREHEADER ch{sizeof(BITMAPCOREHEADER), 2, 2, 1, 8};
  std::memcpy(core.data(), &ch, sizeof(ch));
  const std::uint8_t triples[] = {0, 0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0};
  std::memcpy(core.data() + sizeof(ch), triples, sizeof(triples));
  c.Clear(RGB(255, 255, 255));
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 0, 0, 2, d.bits.data(),
                              reinterpret_cast<const BITMAPINFO*>(core.data()), DIB_RGB_COLORS),
            2);
  EXPECT_EQ(c.Picture(), (Rows{"#.", "rb"}));
}

TEST(Dib, CompressedOrOddHeadersAreRefusedWithAnErrorCode) {
  Canvas c(2, 2);
  const Dib rle = MakeDib(2, 2, 8, {kBlack}, {0, 0, 0, 0, 0, 0, 0, 0}, BI_RLE8);
  SetLastError(0);
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 0, 0, 2, rle.bits.data(), rle.info(), DIB_RGB_COLORS), 0);
  EXPECT_NE(GetLastError(), 0u);
  const Dib odd = MakeDib(2, 2, 7, {}, {0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 0, 0, 2, odd.bits.data(), odd.info(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(c.Count(RGB(255, 255, 255)), 4);
  EXPECT_EQ(platform::gdi::DibImageSize(rle.info()), 0u);
  const Dib ok = MakeDib(5, 3, 24, {}, {});
  EXPECT_EQ(platform::gdi::DibImageSize(ok.info()), 16u * 3);
}

TEST(Dib, OnlyTheScanLinesPresentAreDrawn) {
  Canvas c(2, 2);
  // Scan line 1 (the top row of a bottom-up DIB) alone: rows start at scan 1.
  const Dib d = MakeDib(2, 2, 8, {kBlack, kWhite, kRed, kBlue}, {2, 3, 0, 0});
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 0, 1, 1, d.bits.data(), d.info(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(c.Picture(), (Rows{"rb", ".."}));
}

TEST(Blit, BitBltCopiesAndStretchBltScalesAndMirrors) {
  Canvas src(2, 2);
  SetPixel(src.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(src.dc(), 1, 1, RGB(0, 0, 255));
  Canvas dst(5, 4);
  EXPECT_TRUE(BitBlt(dst.dc(), 1, 1, 2, 2, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(dst.Picture(), (Rows{".....", ".r...", "..b..", "....."}));
  dst.Clear(RGB(255, 255, 255));
  EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.Picture(), (Rows{"rr...", "rr...", "..bb.", "..bb."}));
  dst.Clear(RGB(255, 255, 255));
  EXPECT_TRUE(StretchBlt(dst.dc(), 2, 0, -2, 2, src.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.Picture(0, 0, 5, 2), (Rows{".r...", "b...."}));
}

TEST(Blit, OverlappingCopyOnOneSurfaceUsesTheOldPixels) {
  Canvas c(4, 1);
  SetPixel(c.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(c.dc(), 1, 0, RGB(0, 0, 255));
  BitBlt(c.dc(), 1, 0, 3, 1, c.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(c.Picture(), (Rows{"rrb."}));
}

TEST(Blit, RasterOperationsCombineSourceAndDestination) {
  Canvas src(1, 1);
  SetPixel(src.dc(), 0, 0, RGB(255, 0, 0));
  Canvas dst(4, 1);
  BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, SRCAND);  // white & red = red
  BitBlt(dst.dc(), 1, 0, 1, 1, nullptr, 0, 0, BLACKNESS);
  BitBlt(dst.dc(), 2, 0, 1, 1, src.dc(), 0, 0, SRCINVERT);  // white ^ red = cyan
  PatBlt(dst.dc(), 3, 0, 1, 1, DSTINVERT);
  EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dst.dc(), 2, 0), RGB(0, 255, 255));
  EXPECT_EQ(GetPixel(dst.dc(), 3, 0), RGB(0, 0, 0));
}

TEST(Blit, MonochromeBitmapsTakeTheTextAndBackgroundColours) {
  const std::uint8_t bits[] = {0b10000000, 0};  // one row, padded to 16 bits: white, black
  HBITMAP mono = CreateBitmap(2, 1, 1, 1, bits);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, mono);
  Canvas dst(2, 1);
  SetTextColor(dst.dc(), RGB(255, 0, 0));
  SetBkColor(dst.dc(), RGB(0, 0, 255));
  BitBlt(dst.dc(), 0, 0, 2, 1, mem, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.Picture(), (Rows{"br"}));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(mono);
}

TEST(Blit, GetDibitsReadsBackWhatWasDrawn) {
  Canvas c(3, 2);
  SetPixel(c.dc(), 0, 1, RGB(10, 20, 30));
  HBITMAP bm = reinterpret_cast<HBITMAP>(GetCurrentObject(c.dc(), OBJ_BITMAP));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  std::vector<std::uint8_t> bits(12 * 2);
  EXPECT_EQ(GetDIBits(c.dc(), bm, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
  // Bottom-up: scan 0 is the bottom row, blue first.
  EXPECT_EQ(bits[0], 30);
  EXPECT_EQ(bits[1], 20);
  EXPECT_EQ(bits[2], 10);
  EXPECT_EQ(bits[12], 255);
}

}  // namespace

namespace {

LPCSTR MAKEINTRESOURCE_(std::uintptr_t id) { return reinterpret_cast<LPCSTR>(id); }

// A BMP file of 2 x 2 pixels at 24 bits: bottom row red, blue; top row black, white.
std::vector<std::uint8_t> BmpFile() {
  std::vector<std::uint8_t> f(14 + 40 + 16, 0);
  f[0] = 'B';
  f[1] = 'M';
  const std::uint32_t size = static_cast<std::uint32_t>(f.size()), off = 54, hs = 40;
  std::memcpy(&f[2], &size, 4);
  std::memcpy(&f[10], &off, 4);
  std::memcpy(&f[14], &hs, 4);
  const std::int32_t w = 2, h = 2;
  std::memcpy(&f[18], &w, 4);
  std::memcpy(&f[22], &h, 4);
  f[26] = 1;
  f[28] = 24;
  const std::uint8_t pixels[] = {0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0};
  std::memcpy(&f[54], pixels, sizeof(pixels));
  return f;
}

TEST(BitmapResources, LoadBitmapDecodesARegisteredBmpFile) {
  static const std::vector<std::uint8_t> file = BmpFile();
  platform::gdi::RegisterBitmapResource(nullptr, MAKEINTRESOURCE_(161), file.data(), file.size());
  HBITMAP bm = LoadBitmap(nullptr, MAKEINTRESOURCE_(161));
  ASSERT_NE(bm, nullptr);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bm);
  EXPECT_EQ(GetPixel(mem, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mem, 1, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mem, 0, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(mem, 1, 1), RGB(0, 0, 255));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bm);
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE_(162)), nullptr);
}

TEST(BitmapResources, AFileWhosePixelsRunPastItsEndIsRefused) {
  std::vector<std::uint8_t> file = BmpFile();
  file.resize(file.size() - 1);
  EXPECT_EQ(platform::gdi::BitmapFromBmpFile(file.data(), file.size()), nullptr);
  file = BmpFile();
  file[10] = 200;  // pixel offset beyond the file
  EXPECT_EQ(platform::gdi::BitmapFromBmpFile(file.data(), file.size()), nullptr);
  EXPECT_EQ(platform::gdi::BitmapFromBmpFile(file.data(), 10), nullptr);
}

}  // namespace
