// Bitmap resources of the program: their size, and stretched into a rectangle.
#include "app/common/app_instance.h"
#include "app/drawing/drawing_state.h"
#include "platform/gdi/bitmap_resources.h"

namespace app {
namespace {

// A bitmap resource loaded for one call and freed with it.
class ResourceBitmap {
 public:
  explicit ResourceBitmap(int resource_id)
      : bitmap_(LoadBitmap(AppInstance(), MAKEINTRESOURCE(static_cast<std::uintptr_t>(resource_id)))) {}
  ~ResourceBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  ResourceBitmap(const ResourceBitmap&) = delete;
  ResourceBitmap& operator=(const ResourceBitmap&) = delete;
  HBITMAP get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

// A memory DC compatible with the current one, deleted with it.
class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(drawing::Get().dc)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

int GetBitmapSize(int resource_id, int* width, int* height) {
  if (!drawing::Drawing()) return kDrawRefused;
  ResourceBitmap bitmap(resource_id);
  MemoryDc memory;
  BITMAP info{};
  if (!bitmap.get() || !memory.get() || GetObject(bitmap.get(), sizeof info, &info) == 0) return kDrawRefused;
  if (width) *width = info.bmWidth;
  if (height) *height = info.bmHeight;
  return kDrawDone;
}

int DrawResourceBitmap(int x, int y, int width, int height, int resource_id) {
  if (!drawing::Drawing()) return kDrawRefused;
  ResourceBitmap bitmap(resource_id);
  MemoryDc memory;
  BITMAP info{};
  if (!bitmap.get() || !memory.get() || GetObject(bitmap.get(), sizeof info, &info) == 0) return kDrawRefused;
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  StretchBlt(drawing::Get().dc, drawing::ScaleX(x), drawing::ScaleY(y), drawing::ScaleX(width),
             drawing::ScaleY(height), memory.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(memory.get(), previous);
  return kDrawDone;
}

}  // namespace app
