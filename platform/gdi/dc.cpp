// Memory DCs, drawing state, viewport origin, clipping and device capabilities.
#include "platform/gdi/dc.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/call_log.h"
#include "platform/gdi/gdi_state.h"

using namespace platform::gdi;

namespace {

// The screen that memory DCs are compatible with.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

void ReleaseBitmap(DeviceContext& dc, HDC handle) {
  if (GdiObject* obj = FindObject(dc.bitmap_handle)) {
    if (auto* bm = std::get_if<BitmapObject>(obj); bm && bm->selected_in == handle) bm->selected_in = nullptr;
  }
}

}  // namespace

HDC CreateCompatibleDC(HDC) {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DcKind::kMemory;
  dc->name = "mem";
  dc->state = DefaultDrawState();
  dc->bitmap_handle = DefaultBitmap();
  auto& bm = std::get<BitmapObject>(*FindObject(dc->bitmap_handle));
  AttachSurface(*dc, bm.surface);
  return AddDc(std::move(dc));
}

BOOL DeleteDC(HDC handle) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return FALSE;
  ReleaseBitmap(*dc, handle);
  if (dc->job && dc->job->in_document()) dc->job->AbortDoc();  // a job never ended leaves no file
  RemoveDc(handle);
  return TRUE;
}

int SaveDC(HDC handle) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return 0;
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int saved) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || dc->saved.empty()) return FALSE;
  const int n = static_cast<int>(dc->saved.size());
  const int level = saved < 0 ? n + 1 + saved : saved;
  if (level < 1 || level > n) return FALSE;
  dc->state = dc->saved[static_cast<std::size_t>(level - 1)];
  dc->saved.resize(static_cast<std::size_t>(level - 1));
  return TRUE;
}

#define ZPR_DC_SETTER(Name, Type, field, fail)          \
  Type Set##Name(HDC handle, Type value) {             \
    DeviceContext* dc = FindDc(handle);                \
    if (!dc) return fail;                              \
    return std::exchange(dc->state.field, value);      \
  }                                                    \
  Type Get##Name(HDC handle) {                         \
    DeviceContext* dc = FindDc(handle);                \
    return dc ? dc->state.field : fail;                \
  }

ZPR_DC_SETTER(TextColor, COLORREF, text_color, CLR_INVALID)
ZPR_DC_SETTER(BkColor, COLORREF, bk_color, CLR_INVALID)
ZPR_DC_SETTER(TextAlign, UINT, text_align, 0xFFFFFFFF)
#undef ZPR_DC_SETTER

int SetBkMode(HDC handle, int mode) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  return std::exchange(dc->state.bk_mode, mode);
}
int GetBkMode(HDC handle) {
  DeviceContext* dc = FindDc(handle);
  return dc ? dc->state.bk_mode : 0;
}

int SetROP2(HDC handle, int mode) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
  return std::exchange(dc->state.rop2, mode);
}
int GetROP2(HDC handle) {
  DeviceContext* dc = FindDc(handle);
  return dc ? dc->state.rop2 : 0;
}

int SetPolyFillMode(HDC handle, int mode) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || (mode != ALTERNATE && mode != WINDING)) return 0;
  return std::exchange(dc->state.fill_mode, mode);
}

int SetStretchBltMode(HDC handle, int mode) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return 0;
  return std::exchange(dc->state.stretch_mode, mode);
}

COLORREF GetNearestColor(HDC handle, COLORREF color) { return FindDc(handle) ? (color & 0xFFFFFF) : CLR_INVALID; }

BOOL SetViewportOrgEx(HDC handle, int x, int y, POINT* previous) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.viewport;
  dc->state.viewport = POINT{x, y};
  LogCall(dc->name, "SetViewportOrgEx", {x, y});
  return TRUE;
}

BOOL GetViewportOrgEx(HDC handle, POINT* origin) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || !origin) return FALSE;
  *origin = dc->state.viewport;
  return TRUE;
}

BOOL OffsetViewportOrgEx(HDC handle, int dx, int dy, POINT* previous) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return FALSE;
  return SetViewportOrgEx(handle, dc->state.viewport.x + dx, dc->state.viewport.y + dy, previous);
}

BOOL LPtoDP(HDC handle, POINT* points, int count) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = ToDevice(*dc, points[i]);
  return TRUE;
}

BOOL DPtoLP(HDC handle, POINT* points, int count) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x -= dc->state.viewport.x;
    points[i].y -= dc->state.viewport.y;
  }
  return TRUE;
}

namespace {

int ClipKind(const DeviceContext& dc) {
  const RECT c = dc.state.clip ? Intersect(*dc.state.clip, DeviceArea(dc)) : DeviceArea(dc);
  return Empty(c) ? NULLREGION : SIMPLEREGION;
}

}  // namespace

int SelectClipRgn(HDC handle, HRGN region) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return RGN_ERROR;
  if (!region) {
    dc->state.clip.reset();
    return ClipKind(*dc);
  }
  GdiObject* obj = FindObject(reinterpret_cast<HGDIOBJ>(region));
  auto* r = obj ? std::get_if<RegionObject>(obj) : nullptr;
  if (!r) return RGN_ERROR;
  dc->state.clip = r->rect;
  return ClipKind(*dc);
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return RGN_ERROR;
  const POINT a = ToDevice(*dc, POINT{left, top});
  const POINT b = ToDevice(*dc, POINT{right, bottom});
  const RECT r = Normalised(RECT{a.x, a.y, b.x, b.y});
  dc->state.clip = dc->state.clip ? Intersect(*dc->state.clip, r) : Intersect(DeviceArea(*dc), r);
  return ClipKind(*dc);
}

int GetClipBox(HDC handle, RECT* rect) {
  DeviceContext* dc = FindDc(handle);
  if (!dc || !rect) return RGN_ERROR;
  RECT c = dc->state.clip ? Intersect(*dc->state.clip, DeviceArea(*dc)) : DeviceArea(*dc);
  c.left -= dc->state.viewport.x;
  c.right -= dc->state.viewport.x;
  c.top -= dc->state.viewport.y;
  c.bottom -= dc->state.viewport.y;
  *rect = c;
  return Empty(c) ? NULLREGION : SIMPLEREGION;
}

BOOL PtVisible(HDC handle, int x, int y) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return FALSE;
  const POINT p = ToDevice(*dc, POINT{x, y});
  const RECT c = dc->state.clip ? Intersect(*dc->state.clip, DeviceArea(*dc)) : DeviceArea(*dc);
  return p.x >= c.left && p.x < c.right && p.y >= c.top && p.y < c.bottom;
}

int GetDeviceCaps(HDC handle, int index) {
  DeviceContext* dc = FindDc(handle);
  if (!dc) return 0;
  const bool printer = dc->kind == DcKind::kPrinter;
  const int width = printer ? dc->device_size.cx : kScreenWidth;
  const int height = printer ? dc->device_size.cy : kScreenHeight;
  const int dpi = dc->logpixels;
  switch (index) {
    case DRIVERVERSION: return 0x400;
    case TECHNOLOGY: return printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return width * 254 / (dpi * 10);
    case VERTSIZE: return height * 254 / (dpi * 10);
    case HORZRES: return width;
    case VERTRES: return height;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 2;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return dpi;
    case SIZEPALETTE: return 0;
    case COLORRES: return 24;
    case PHYSICALWIDTH: return printer ? width : 0;
    case PHYSICALHEIGHT: return printer ? height : 0;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    default: return 0;
  }
}
