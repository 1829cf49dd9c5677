// Bitmaps, block transfers and DIB output.
#include "platform/gdi/bitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/call_log.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/gdi_state.h"
#include "platform/sys/user_name.h"

using namespace platform::gdi;

namespace {

void Log(const DeviceContext& dc, const char* call, std::initializer_list<long> values) {
  LogCall(dc.name, call, values);
}

std::uint32_t ApplyRop(DWORD rop, std::uint32_t s, std::uint32_t d, std::uint32_t p) {
  switch (rop) {
    case SRCPAINT: return s | d;
    case SRCAND: return s & d;
    case SRCINVERT: return (s ^ d) & 0xFFFFFF;
    case NOTSRCCOPY: return ~s & 0xFFFFFF;
    case DSTINVERT: return ~d & 0xFFFFFF;
    case PATCOPY: return p;
    case BLACKNESS: return 0;
    case WHITENESS: return 0xFFFFFF;
    default: return s;
  }
}

bool UsesSource(DWORD rop) { return rop != PATCOPY && rop != BLACKNESS && rop != WHITENESS && rop != DSTINVERT; }

// Source pixels for a transfer: a copy, so that overlapping transfers on one surface work; a monochrome source
// takes the destination's text colour for black and background colour for white, as GDI maps it.
struct SourceImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::vector<std::uint8_t> valid;
};

SourceImage CopySource(const DeviceContext& src, const DeviceContext& dst, int sx, int sy, int w, int h) {
  SourceImage img;
  img.width = w;
  img.height = h;
  img.pixels.assign(static_cast<std::size_t>(w) * h, 0);
  img.valid.assign(static_cast<std::size_t>(w) * h, 0);
  if (!src.surface) return img;
  bool mono = false;
  if (GdiObject* obj = FindObject(src.bitmap_handle)) {
    if (auto* bm = std::get_if<BitmapObject>(obj)) mono = bm->bits_pixel == 1;
  }
  const POINT o = ToSurface(src, POINT{sx, sy});
  const RECT area{src.device_origin.x, src.device_origin.y, src.device_origin.x + src.device_size.cx,
                  src.device_origin.y + src.device_size.cy};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int px = o.x + x, py = o.y + y;
      if (px < area.left || px >= area.right || py < area.top || py >= area.bottom || px >= src.surface->width() ||
          py >= src.surface->height() || px < 0 || py < 0)
        continue;
      std::uint32_t c = src.surface->Pixel(px, py);
      if (mono) c = c == 0 ? ToPixel(dst.state.text_color) : ToPixel(dst.state.bk_color);
      const std::size_t i = static_cast<std::size_t>(y) * w + x;
      img.pixels[i] = c;
      img.valid[i] = 1;
    }
  return img;
}

// Writes img stretched into the destination rectangle (x, y, w, h) of a raster DC; negative sizes mirror.
void PutImage(DeviceContext& dst, const SourceImage& img, int x, int y, int w, int h, DWORD rop, bool has_source) {
  const raster::Target t = RasterTarget(dst);
  const std::uint32_t pattern = ToPixel(dst.state.brush.color);
  const int aw = std::abs(w), ah = std::abs(h);
  const POINT o = ToSurface(dst, POINT{w < 0 ? x + w : x, h < 0 ? y + h : y});
  for (int j = 0; j < ah; ++j) {
    const int py = o.y + j;
    if (py < t.clip.top || py >= t.clip.bottom) continue;
    std::uint32_t* row = t.surface->Row(py);
    int sj = static_cast<int>(static_cast<long long>(j) * img.height / std::max(1, ah));
    if (h < 0) sj = img.height - 1 - sj;
    for (int i = 0; i < aw; ++i) {
      const int px = o.x + i;
      if (px < t.clip.left || px >= t.clip.right) continue;
      std::uint32_t s = 0;
      if (has_source) {
        int si = static_cast<int>(static_cast<long long>(i) * img.width / std::max(1, aw));
        if (w < 0) si = img.width - 1 - si;
        const std::size_t k = static_cast<std::size_t>(sj) * img.width + si;
        if (!img.valid[k]) continue;
        s = img.pixels[k];
      }
      row[px] = ApplyRop(rop, s, row[px] & 0xFFFFFF, pattern);
    }
  }
}

// SRCCOPY of a colour source at its own size onto another surface: whole rows are copied, with the same
// clipping as the general path (source outside its device area and destination outside its clip are skipped).
bool CopyRows(DeviceContext& dst, const DeviceContext& src, int x, int y, int w, int h, int sx, int sy) {
  if (!src.surface || !dst.surface || src.surface == dst.surface || w <= 0 || h <= 0) return false;
  if (GdiObject* obj = FindObject(src.bitmap_handle)) {
    if (auto* bm = std::get_if<BitmapObject>(obj); bm && bm->bits_pixel == 1) return false;
  }
  const raster::Target t = RasterTarget(dst);
  const POINT so = ToSurface(src, POINT{sx, sy});
  const POINT o = ToSurface(dst, POINT{x, y});
  RECT area{src.device_origin.x, src.device_origin.y, src.device_origin.x + src.device_size.cx,
            src.device_origin.y + src.device_size.cy};
  area.left = std::max<LONG>(area.left, 0);
  area.top = std::max<LONG>(area.top, 0);
  area.right = std::min<LONG>(area.right, src.surface->width());
  area.bottom = std::min<LONG>(area.bottom, src.surface->height());
  // Destination columns o.x + i whose source column so.x + i lies in the area and which lie in the clip.
  const long first = std::max({0L, static_cast<long>(t.clip.left) - o.x, static_cast<long>(area.left) - so.x});
  const long last = std::min({static_cast<long>(w), static_cast<long>(t.clip.right) - o.x,
                              static_cast<long>(area.right) - so.x});
  for (int j = 0; j < h; ++j) {
    const int py = o.y + j, qy = so.y + j;
    if (py < t.clip.top || py >= t.clip.bottom || qy < area.top || qy >= area.bottom || first >= last) continue;
    const std::uint32_t* from = src.surface->Row(qy) + so.x + first;
    std::uint32_t* to = t.surface->Row(py) + o.x + first;
    for (long i = 0; i < last - first; ++i) to[i] = from[i] & 0xFFFFFF;
  }
  return true;
}

std::shared_ptr<Surface> ToSurfaceImage(const SourceImage& img) {
  auto s = std::make_shared<Surface>(img.width, img.height, 0xFFFFFF);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const std::size_t k = static_cast<std::size_t>(y) * img.width + x;
      if (img.valid[k]) s->Row(y)[x] = img.pixels[k];
    }
  return s;
}

// A printer DC gets the image as one operation, stretched into the device rectangle.
bool PrintImage(DeviceContext& dst, HDC h, const SourceImage& img, int x, int y, int w, int hh) {
  PageOp op;
  op.kind = PageOp::Kind::kImage;
  op.points = {ToDevice(dst, POINT{x, y}), ToDevice(dst, POINT{x + w, y + hh})};
  op.image = ToSurfaceImage(img);
  return dst.job->Add(h, std::move(op));
}

// The pixels of a DIB's source rectangle (sx, sy, w, h), whose scan lines start..start+lines-1 are in bits.
// sy counts from the bottom row for bottom-up DIBs and from the top row for top-down ones.
SourceImage DibSource(const DibFormat& f, const std::uint8_t* bits, int sx, int sy, int w, int h, UINT start,
                      UINT lines, int* set_lines) {
  SourceImage img;
  img.width = w;
  img.height = h;
  img.pixels.assign(static_cast<std::size_t>(w) * h, 0);
  img.valid.assign(static_cast<std::size_t>(w) * h, 0);
  int rows = 0;
  for (int j = 0; j < h; ++j) {
    const long long scan = f.top_down ? static_cast<long long>(sy) + j : static_cast<long long>(sy) + (h - 1 - j);
    if (scan < 0 || scan >= f.height || scan < start || scan >= static_cast<long long>(start) + lines) continue;
    ++rows;
    const std::uint8_t* row = bits + static_cast<std::size_t>(scan - start) * f.stride;
    for (int i = 0; i < w; ++i) {
      const int px = sx + i;
      if (px < 0 || px >= f.width) continue;
      const std::size_t k = static_cast<std::size_t>(j) * w + i;
      img.pixels[k] = DibPixel(f, row, px);
      img.valid[k] = 1;
    }
  }
  if (set_lines) *set_lines = rows;
  return img;
}

}  // namespace

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (!FindDc(dc) || width <= 0 || height <= 0 || width > 32768 || height > 32768) return nullptr;
  // Always a colour bitmap, also for a memory DC that still holds its monochrome stock bitmap.
  return reinterpret_cast<HBITMAP>(AddObject(BitmapObject{std::make_shared<Surface>(width, height, 0), 32, nullptr}));
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT bits_per_pixel, const void* bits) {
  if (width <= 0 || height <= 0 || width > 32768 || height > 32768) return nullptr;
  auto surface = std::make_shared<Surface>(width, height, 0);
  const int bpp = bits_per_pixel == 1 ? 1 : 32;
  if (bits) {
    const auto* p = static_cast<const std::uint8_t*>(bits);
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 15) / 16) * 2;
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = p + stride * y;
      for (int x = 0; x < width; ++x) {
        if (bpp == 1) {
          surface->Row(y)[x] = ((row[x / 8] >> (7 - x % 8)) & 1) ? 0xFFFFFF : 0;
        } else {
          std::uint32_t v;
          std::memcpy(&v, row + 4 * x, 4);
          surface->Row(y)[x] = v & 0xFFFFFF;
        }
      }
    }
  }
  return reinterpret_cast<HBITMAP>(AddObject(BitmapObject{surface, bpp, nullptr}));
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage) {
  if (!header) return nullptr;
  const LONG w = header->biWidth;
  const LONG h = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  if (w <= 0 || h <= 0 || w > 32768 || h > 32768) return nullptr;
  HBITMAP bm = reinterpret_cast<HBITMAP>(AddObject(BitmapObject{std::make_shared<Surface>(w, h, 0), 32, nullptr}));
  if ((init & CBM_INIT) && bits && info) SetDIBits(dc, bm, 0, static_cast<UINT>(h), bits, info, usage);
  return bm;
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
  return StretchBlt(dst, x, y, width, height, src, sx, sy, width, height, rop);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int swidth, int sheight,
                DWORD rop) {
  DeviceContext* d = FindDc(dst);
  if (!d) return FALSE;
  Log(*d, width == swidth && height == sheight ? "BitBlt" : "StretchBlt", {x, y, width, height, sx, sy, swidth, sheight});
  const bool has_source = UsesSource(rop);
  DeviceContext* s = has_source ? FindDc(src) : nullptr;
  if (has_source && (!s || s->job)) return FALSE;
  // A negative source size mirrors like a negative destination size.
  if (swidth < 0) {
    sx += swidth;
    swidth = -swidth;
    width = -width;
  }
  if (sheight < 0) {
    sy += sheight;
    sheight = -sheight;
    height = -height;
  }
  if (has_source && rop == SRCCOPY && !d->job && width == swidth && height == sheight &&
      CopyRows(*d, *s, x, y, width, height, sx, sy))
    return TRUE;
  SourceImage img = has_source ? CopySource(*s, *d, sx, sy, swidth, sheight) : SourceImage{};
  if (d->job) {
    if (!has_source) return FALSE;
    return PrintImage(*d, dst, img, x, y, width, height) ? TRUE : FALSE;
  }
  if (!d->surface) return FALSE;
  PutImage(*d, img, x, y, width, height, rop, has_source);
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  return StretchBlt(dc, x, y, width, height, nullptr, 0, 0, width, height, rop == SRCCOPY ? PATCOPY : rop);
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sx, int sy, UINT start, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT usage) {
  DeviceContext* d = FindDc(dc);
  const auto f = ReadDibFormat(info, usage);
  if (!d || !f || !bits || width > 32768 || height > 32768) {
    SetLastError(d ? kErrorInvalidParameter : kErrorInvalidHandle);
    return 0;
  }
  Log(*d, "SetDIBitsToDevice", {x, y, static_cast<long>(width), static_cast<long>(height), sx, sy,
                                static_cast<long>(start), static_cast<long>(lines)});
  int set = 0;
  const SourceImage img = DibSource(*f, static_cast<const std::uint8_t*>(bits), sx, sy, static_cast<int>(width),
                                    static_cast<int>(height), start, lines, &set);
  if (d->job) {
    PrintImage(*d, dc, img, x, y, static_cast<int>(width), static_cast<int>(height));
  } else if (d->surface) {
    PutImage(*d, img, x, y, static_cast<int>(width), static_cast<int>(height), SRCCOPY, true);
  }
  return static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(f->height) > start ? f->height - start : 0));
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sx, int sy, int swidth, int sheight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  DeviceContext* d = FindDc(dc);
  const auto f = ReadDibFormat(info, usage);
  if (!d || !f || !bits || swidth == 0 || sheight == 0) {
    SetLastError(d ? kErrorInvalidParameter : kErrorInvalidHandle);
    return 0;
  }
  Log(*d, "StretchDIBits", {x, y, width, height, sx, sy, swidth, sheight});
  if (swidth < 0) {
    sx += swidth;
    swidth = -swidth;
    width = -width;
  }
  if (sheight < 0) {
    sy += sheight;
    sheight = -sheight;
    height = -height;
  }
  const SourceImage img = DibSource(*f, static_cast<const std::uint8_t*>(bits), sx, sy, swidth, sheight, 0,
                                    static_cast<UINT>(f->height), nullptr);
  if (d->job) {
    PrintImage(*d, dc, img, x, y, width, height);
  } else if (d->surface) {
    PutImage(*d, img, x, y, width, height, rop, true);
  }
  return f->height;
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage) {
  GdiObject* obj = FindObject(reinterpret_cast<HGDIOBJ>(bitmap));
  auto* bm = obj ? std::get_if<BitmapObject>(obj) : nullptr;
  if (!bm || !info || usage != DIB_RGB_COLORS) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  const Surface& s = *bm->surface;
  if (!bits) {
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = s.width();
    h.biHeight = s.height();
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(s.width() * 4 * s.height());
    return 1;
  }
  if (h.biBitCount != 24 && h.biBitCount != 32) return 0;
  const bool top_down = h.biHeight < 0;
  const int height = s.height();
  const std::size_t stride = ((static_cast<std::size_t>(s.width()) * h.biBitCount + 31) / 32) * 4;
  auto* out = static_cast<std::uint8_t*>(bits);
  int copied = 0;
  for (UINT scan = start; scan < start + lines && scan < static_cast<UINT>(height); ++scan, ++copied) {
    const int y = top_down ? static_cast<int>(scan) : height - 1 - static_cast<int>(scan);
    std::uint8_t* row = out + stride * (scan - start);
    for (int x = 0; x < s.width(); ++x) {
      const std::uint32_t p = s.Pixel(x, y);
      if (h.biBitCount == 24) {
        row[3 * x] = static_cast<std::uint8_t>(p & 0xFF);
        row[3 * x + 1] = static_cast<std::uint8_t>((p >> 8) & 0xFF);
        row[3 * x + 2] = static_cast<std::uint8_t>((p >> 16) & 0xFF);
      } else {
        std::memcpy(row + 4 * x, &p, 4);
      }
    }
  }
  return copied;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  GdiObject* obj = FindObject(reinterpret_cast<HGDIOBJ>(bitmap));
  auto* bm = obj ? std::get_if<BitmapObject>(obj) : nullptr;
  const auto f = ReadDibFormat(info, usage);
  if (!bm || !f || !bits) return 0;
  Surface& s = *bm->surface;
  int set = 0;
  const SourceImage img = DibSource(*f, static_cast<const std::uint8_t*>(bits), 0, 0, f->width, f->height, start,
                                    lines, &set);
  for (int y = 0; y < std::min(img.height, s.height()); ++y)
    for (int x = 0; x < std::min(img.width, s.width()); ++x) {
      const std::size_t k = static_cast<std::size_t>(y) * img.width + x;
      if (img.valid[k]) s.Row(y)[x] = img.pixels[k];
    }
  return set;
}
