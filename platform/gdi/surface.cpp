#include "platform/gdi/surface.h"

#include <cairo.h>

#include <algorithm>

namespace platform::gdi {

Surface::Surface(int width, int height, std::uint32_t fill)
    : width_(std::max(1, width)), height_(std::max(1, height)) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
  data_ = cairo_image_surface_get_data(surface_);
  stride_ = cairo_image_surface_get_stride(surface_);
  Fill(fill);
}

Surface::~Surface() { cairo_surface_destroy(surface_); }

std::uint32_t Surface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Row(y)[x] & 0xFFFFFF;
}

void Surface::Fill(std::uint32_t rgb) {
  for (int y = 0; y < height_; ++y) std::fill_n(Row(y), width_, rgb);
}

void Surface::BeginCairo() { cairo_surface_mark_dirty(surface_); }
void Surface::EndCairo() { cairo_surface_flush(surface_); }

bool Surface::WritePng(const std::string& path) const {
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::shared_ptr<Surface> Surface::Resized(int width, int height, std::uint32_t fill) const {
  auto out = std::make_shared<Surface>(width, height, fill);
  const int w = std::min(width_, out->width());
  const int h = std::min(height_, out->height());
  for (int y = 0; y < h; ++y) std::copy_n(Row(y), w, out->Row(y));
  return out;
}

}  // namespace platform::gdi
