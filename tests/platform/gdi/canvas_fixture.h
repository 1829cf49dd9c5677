// A memory DC on a small white bitmap, and a picture of its pixels as text rows for pixel assertions:
// '.' white, '#' black, 'r' red, 'b' blue, 'g' green, '?' any other colour.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"

namespace platform::gdi::testing {

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, width, height);
    old_ = SelectObject(dc_, bitmap_);
    Clear(RGB(255, 255, 255));
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  void Clear(COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    RECT r{-100, -100, width_ + 100, height_ + 100};
    POINT old;
    SetViewportOrgEx(dc_, 0, 0, &old);
    FillRect(dc_, &r, b);
    SetViewportOrgEx(dc_, old.x, old.y, nullptr);
    DeleteObject(b);
  }
  std::vector<std::string> Picture() const { return Picture(0, 0, width_, height_); }
  std::vector<std::string> Picture(int x0, int y0, int x1, int y1) const {
    POINT old;
    SetViewportOrgEx(dc_, 0, 0, &old);
    std::vector<std::string> rows;
    for (int y = y0; y < y1; ++y) {
      std::string row;
      for (int x = x0; x < x1; ++x) row += Symbol(GetPixel(dc_, x, y));
      rows.push_back(row);
    }
    SetViewportOrgEx(dc_, old.x, old.y, nullptr);
    return rows;
  }
  int Count(COLORREF c) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += GetPixel(dc_, x, y) == c;
    return n;
  }
  static char Symbol(COLORREF c) {
    switch (c) {
      case RGB(255, 255, 255): return '.';
      case RGB(0, 0, 0): return '#';
      case RGB(255, 0, 0): return 'r';
      case RGB(0, 0, 255): return 'b';
      case RGB(0, 255, 0): return 'g';
      default: return '?';
    }
  }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

}  // namespace platform::gdi::testing
