// A 24-bit RGB pixel surface (a Cairo image surface) that DCs draw on: a memory bitmap, or the surface of a
// top-level window. Pixels are 0x00RRGGBB words; Cairo draws text on the same memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/sys/wintypes.h"

struct _cairo_surface;

namespace platform::gdi {

class Surface {
 public:
  // A surface of at least 1 x 1 pixels, filled with fill (0x00RRGGBB).
  Surface(int width, int height, std::uint32_t fill = 0);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return stride_; }  // bytes per row
  _cairo_surface* cairo() const { return surface_; }

  std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_); }
  const std::uint32_t* Row(int y) const {
    return reinterpret_cast<const std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
  }
  // 0x00RRGGBB; 0 outside.
  std::uint32_t Pixel(int x, int y) const;
  void Fill(std::uint32_t rgb);
  // Cairo draws through the same memory: call before and after drawing with Cairo.
  void BeginCairo();
  void EndCairo();
  // Writes a PNG file; false on failure.
  bool WritePng(const std::string& path) const;
  // A new surface of another size holding the part of this one that fits, the rest filled with fill.
  std::shared_ptr<Surface> Resized(int width, int height, std::uint32_t fill) const;

 private:
  int width_;
  int height_;
  int stride_;
  unsigned char* data_;
  _cairo_surface* surface_;
};

// COLORREF (0x00BBGGRR) to and from the surface's 0x00RRGGBB.
constexpr std::uint32_t ToPixel(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ToColorRef(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

}  // namespace platform::gdi
