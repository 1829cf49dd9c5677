#include "platform/gdi/gdi_state.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

#include "platform/gdi/text.h"

namespace platform::gdi {
namespace {

// Handles carry a kind tag (bits 28-29), an 8-bit generation (bits 20-27) and the index + 1 (bits 0-19).
template <class T>
class HandleTable {
 public:
  explicit HandleTable(std::uintptr_t tag) : tag_(tag) {}
  std::uintptr_t Add(std::unique_ptr<T> value) {
    std::lock_guard<std::recursive_mutex> lock(mu_);
    std::size_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      index = slots_.size();
      slots_.emplace_back();
    }
    slots_[index].value = std::move(value);
    return tag_ | (static_cast<std::uintptr_t>(slots_[index].generation) << 20) | (index + 1);
  }
  T* Find(std::uintptr_t handle) {
    std::lock_guard<std::recursive_mutex> lock(mu_);
    Slot* s = SlotOf(handle);
    return s ? s->value.get() : nullptr;
  }
  void Remove(std::uintptr_t handle) {
    std::unique_ptr<T> gone;  // destroyed outside the lock
    std::lock_guard<std::recursive_mutex> lock(mu_);
    Slot* s = SlotOf(handle);
    if (!s) return;
    gone = std::move(s->value);
    s->generation = static_cast<std::uint16_t>((s->generation + 1) & 0xFF);
    if (s->generation == 0) s->generation = 1;
    free_.push_back(static_cast<std::size_t>((handle & 0xFFFFF) - 1));
  }
  std::size_t Count() {
    std::lock_guard<std::recursive_mutex> lock(mu_);
    return slots_.size() - free_.size();
  }

 private:
  struct Slot {
    std::unique_ptr<T> value;
    std::uint16_t generation = 1;
  };
  Slot* SlotOf(std::uintptr_t handle) {
    if ((handle & ~static_cast<std::uintptr_t>(0x3FFFFFFF)) != 0 || (handle & 0x30000000) != tag_) return nullptr;
    const std::size_t index = (handle & 0xFFFFF);
    if (index == 0 || index > slots_.size()) return nullptr;
    Slot& s = slots_[index - 1];
    if (!s.value || s.generation != ((handle >> 20) & 0xFF)) return nullptr;
    return &s;
  }
  // Another thread (a worker that calls into the user interface) may create or delete objects meanwhile.
  std::recursive_mutex mu_;
  std::uintptr_t tag_;
  std::vector<Slot> slots_;
  std::vector<std::size_t> free_;
};

struct ObjectEntry {
  GdiObject object;
  bool stock = false;
};

HandleTable<ObjectEntry>& Objects() {
  static HandleTable<ObjectEntry> table(0x10000000);
  return table;
}
HandleTable<DeviceContext>& Dcs() {
  static HandleTable<DeviceContext> table(0x20000000);
  return table;
}

std::uintptr_t Bits(const void* h) { return reinterpret_cast<std::uintptr_t>(h); }

LOGFONTA MakeFont(LONG height, LONG weight, BYTE pitch_family, const char* face) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfPitchAndFamily = pitch_family;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

struct StockTable {
  std::array<HGDIOBJ, 20> objects{};
  HGDIOBJ bitmap = nullptr;
  StockTable() {
    auto pen = [](int style, COLORREF c) { return AddObject(PenObject{style, 1, c}, true); };
    auto brush = [](UINT style, COLORREF c) { return AddObject(BrushObject{style, c}, true); };
    auto font = [](const LOGFONTA& lf) { return AddObject(FontObject{lf}, true); };
    objects[WHITE_BRUSH] = brush(BS_SOLID, 0xFFFFFF);
    objects[LTGRAY_BRUSH] = brush(BS_SOLID, 0xC0C0C0);
    objects[GRAY_BRUSH] = brush(BS_SOLID, 0x808080);
    objects[DKGRAY_BRUSH] = brush(BS_SOLID, 0x404040);
    objects[BLACK_BRUSH] = brush(BS_SOLID, 0x000000);
    objects[NULL_BRUSH] = brush(BS_NULL, 0);
    objects[WHITE_PEN] = pen(PS_SOLID, 0xFFFFFF);
    objects[BLACK_PEN] = pen(PS_SOLID, 0x000000);
    objects[NULL_PEN] = pen(PS_NULL, 0);
    const HGDIOBJ fixed = font(MakeFont(16, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys"));
    objects[OEM_FIXED_FONT] = fixed;
    objects[ANSI_FIXED_FONT] = font(MakeFont(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier"));
    objects[ANSI_VAR_FONT] = font(MakeFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"));
    objects[SYSTEM_FONT] = font(SystemFontTemplate());
    objects[DEVICE_DEFAULT_FONT] = objects[SYSTEM_FONT];
    objects[SYSTEM_FIXED_FONT] = fixed;
    objects[DEFAULT_GUI_FONT] = font(MakeFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"));
    objects[DC_BRUSH] = objects[WHITE_BRUSH];
    objects[DC_PEN] = objects[BLACK_PEN];
    bitmap = AddObject(BitmapObject{std::make_shared<Surface>(1, 1, 0), 1, nullptr}, true);
  }
};

StockTable& Stock() {
  static StockTable table;
  return table;
}

}  // namespace


LOGFONTA SystemFontTemplate() { return MakeFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"); }

HGDIOBJ AddObject(GdiObject object, bool stock) {
  auto entry = std::make_unique<ObjectEntry>(ObjectEntry{std::move(object), stock});
  return reinterpret_cast<HGDIOBJ>(Objects().Add(std::move(entry)));
}

GdiObject* FindObject(HGDIOBJ handle) {
  ObjectEntry* e = Objects().Find(Bits(handle));
  return e ? &e->object : nullptr;
}

bool IsStockObject(HGDIOBJ handle) {
  ObjectEntry* e = Objects().Find(Bits(handle));
  return e && e->stock;
}

void RemoveObject(HGDIOBJ handle) { Objects().Remove(Bits(handle)); }
std::size_t LiveObjectCount() { return Objects().Count(); }

HDC AddDc(std::unique_ptr<DeviceContext> dc) { return reinterpret_cast<HDC>(Dcs().Add(std::move(dc))); }
DeviceContext* FindDc(HDC handle) { return Dcs().Find(Bits(handle)); }
void RemoveDc(HDC handle) { Dcs().Remove(Bits(handle)); }

DrawState DefaultDrawState() {
  DrawState s;
  s.pen_handle = Stock().objects[BLACK_PEN];
  s.brush_handle = Stock().objects[WHITE_BRUSH];
  s.font_handle = Stock().objects[SYSTEM_FONT];
  s.pen = PenObject{PS_SOLID, 1, 0};
  s.brush = BrushObject{BS_SOLID, 0xFFFFFF};
  s.font = FontObject{SystemFontTemplate()};
  return s;
}

HGDIOBJ DefaultBitmap() { return Stock().bitmap; }

HGDIOBJ StockObject(int id) {
  if (id < 0 || id >= static_cast<int>(Stock().objects.size())) return nullptr;
  return Stock().objects[static_cast<std::size_t>(id)];
}

void AttachSurface(DeviceContext& dc, std::shared_ptr<Surface> surface) {
  dc.device_origin = {0, 0};
  dc.device_size = {surface->width(), surface->height()};
  dc.surface = std::move(surface);
}

RECT Normalised(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

RECT Intersect(RECT a, RECT b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.left >= r.right || r.top >= r.bottom) r = RECT{0, 0, 0, 0};
  return r;
}

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT DeviceArea(const DeviceContext& dc) {
  const RECT all{0, 0, dc.device_size.cx, dc.device_size.cy};
  return dc.visible ? Intersect(all, *dc.visible) : all;
}

raster::Target RasterTarget(const DeviceContext& dc) {
  raster::Target t;
  t.surface = dc.surface.get();
  t.rop2 = dc.state.rop2;
  RECT area = DeviceArea(dc);
  if (dc.state.clip) area = Intersect(area, *dc.state.clip);
  area.left += dc.device_origin.x;
  area.right += dc.device_origin.x;
  area.top += dc.device_origin.y;
  area.bottom += dc.device_origin.y;
  if (dc.surface) area = Intersect(area, RECT{0, 0, dc.surface->width(), dc.surface->height()});
  else area = RECT{0, 0, 0, 0};
  t.clip = area;
  return t;
}

raster::Pen RasterPen(const DeviceContext& dc) {
  raster::Pen p;
  p.style = dc.state.pen.style == PS_INSIDEFRAME ? PS_SOLID : dc.state.pen.style;
  p.width = std::max(1, dc.state.pen.width);
  p.rgb = ToPixel(dc.state.pen.color);
  p.fill_gaps = dc.state.bk_mode == OPAQUE;
  p.gap_rgb = ToPixel(dc.state.bk_color);
  return p;
}

POINT ToDevice(const DeviceContext& dc, POINT p) {
  return POINT{p.x + dc.state.viewport.x, p.y + dc.state.viewport.y};
}

POINT ToSurface(const DeviceContext& dc, POINT p) {
  return POINT{p.x + dc.state.viewport.x + dc.device_origin.x, p.y + dc.state.viewport.y + dc.device_origin.y};
}

}  // namespace platform::gdi
