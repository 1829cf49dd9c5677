// Creation, selection and deletion of pens, brushes, fonts, bitmaps and regions.
#include "platform/gdi/objects.h"

#include <cstring>
#include <utility>
#include <sstream>

#include "platform/gdi/call_log.h"
#include "platform/gdi/gdi_state.h"
#include "platform/gdi/text.h"
#include "platform/sys/user_name.h"

using namespace platform::gdi;

namespace {

std::string Hex(COLORREF c) {
  std::ostringstream s;
  s << '#' << std::hex;
  s.width(6);
  s.fill('0');
  s << (c & 0xFFFFFF);
  return s.str();
}

const char* PenStyleName(int style) {
  static const char* const kNames[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "null", "insideframe"};
  return style >= 0 && style <= 6 ? kNames[style] : "solid";
}

void LogSelect(const DeviceContext& dc, const GdiObject& obj) {
  if (!CallLogActive()) return;
  std::ostringstream s;
  s << "SelectObject " << dc.name << ' ';
  if (auto* p = std::get_if<PenObject>(&obj)) {
    s << "pen " << PenStyleName(p->style) << ' ' << p->width << ' ' << Hex(p->color);
  } else if (auto* b = std::get_if<BrushObject>(&obj)) {
    s << "brush " << (b->style == BS_NULL ? "null" : "solid") << ' ' << Hex(b->color);
  } else if (auto* f = std::get_if<FontObject>(&obj)) {
    s << "font h=" << f->logfont.lfHeight << " w=" << f->logfont.lfWeight << " esc=" << f->logfont.lfEscapement
      << ' ' << ((f->logfont.lfPitchAndFamily & 3) == FIXED_PITCH ? "fixed" : "variable");
  } else if (auto* bm = std::get_if<BitmapObject>(&obj)) {
    s << "bitmap " << bm->surface->width() << 'x' << bm->surface->height();
  } else {
    s << "region";
  }
  AppendCallLog(s.str());
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) style = PS_SOLID;
  return reinterpret_cast<HPEN>(AddObject(PenObject{style, width < 1 ? 1 : width, color & 0xFFFFFF}));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (!pen) return nullptr;
  return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return reinterpret_cast<HBRUSH>(AddObject(BrushObject{BS_SOLID, color & 0xFFFFFF}));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  // Hatched brushes fill solid in their colour.
  const UINT style = brush->lbStyle == BS_NULL ? BS_NULL : BS_SOLID;
  return reinterpret_cast<HBRUSH>(AddObject(BrushObject{style, brush->lbColor & 0xFFFFFF}));
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (!font) return nullptr;
  LOGFONTA lf = *font;
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  return reinterpret_cast<HFONT>(AddObject(FontObject{lf}));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision, DWORD clip_precision,
                  DWORD quality, DWORD pitch_and_family, LPCSTR face) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic != 0);
  lf.lfUnderline = static_cast<BYTE>(underline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(strike_out != 0);
  lf.lfCharSet = static_cast<BYTE>(char_set);
  lf.lfOutPrecision = static_cast<BYTE>(out_precision);
  lf.lfClipPrecision = static_cast<BYTE>(clip_precision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return reinterpret_cast<HRGN>(AddObject(RegionObject{Normalised(RECT{left, top, right, bottom})}));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int GetRgnBox(HRGN region, RECT* rect) {
  auto* obj = FindObject(ToGdiObject(region));
  auto* r = obj ? std::get_if<RegionObject>(obj) : nullptr;
  if (!r || !rect) return RGN_ERROR;
  *rect = r->rect;
  return Empty(r->rect) ? NULLREGION : SIMPLEREGION;
}

HGDIOBJ GetStockObject(int id) { return StockObject(id); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  DeviceContext* dc = FindDc(hdc);
  GdiObject* obj = FindObject(object);
  if (!dc || !obj) {
    SetLastError(kErrorInvalidHandle);
    return nullptr;
  }
  LogSelect(*dc, *obj);
  DrawState& st = dc->state;
  if (auto* p = std::get_if<PenObject>(obj)) {
    st.pen = *p;
    return std::exchange(st.pen_handle, object);
  }
  if (auto* b = std::get_if<BrushObject>(obj)) {
    st.brush = *b;
    return std::exchange(st.brush_handle, object);
  }
  if (auto* f = std::get_if<FontObject>(obj)) {
    st.font = *f;
    return std::exchange(st.font_handle, object);
  }
  if (auto* r = std::get_if<RegionObject>(obj)) {
    st.clip = r->rect;
    return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(Empty(r->rect) ? NULLREGION : SIMPLEREGION));
  }
  auto& bm = std::get<BitmapObject>(*obj);
  if (dc->kind != DcKind::kMemory) return nullptr;
  // A bitmap is in one memory DC at a time.
  if (bm.selected_in && bm.selected_in != hdc && FindDc(bm.selected_in) && !IsStockObject(object)) return nullptr;
  if (GdiObject* old = FindObject(dc->bitmap_handle)) {
    if (auto* ob = std::get_if<BitmapObject>(old)) ob->selected_in = nullptr;
  }
  bm.selected_in = hdc;
  AttachSurface(*dc, bm.surface);
  dc->state.clip.reset();
  return std::exchange(dc->bitmap_handle, object);
}

BOOL DeleteObject(HGDIOBJ object) {
  GdiObject* obj = FindObject(object);
  if (!obj) return FALSE;
  if (IsStockObject(object)) return TRUE;
  if (auto* bm = std::get_if<BitmapObject>(obj)) {
    // GDI refuses to delete a bitmap still selected into a DC.
    if (bm->selected_in && FindDc(bm->selected_in)) return FALSE;
  }
  RemoveObject(object);
  return TRUE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID out) {
  GdiObject* obj = FindObject(object);
  if (!obj) return 0;
  auto copy = [&](const auto& value) -> int {
    const int n = static_cast<int>(sizeof(value));
    if (!out) return n;
    if (size < n) return 0;
    std::memcpy(out, &value, sizeof(value));
    return n;
  };
  if (auto* p = std::get_if<PenObject>(obj)) {
    return copy(LOGPEN{static_cast<UINT>(p->style), POINT{p->width, 0}, p->color});
  }
  if (auto* b = std::get_if<BrushObject>(obj)) return copy(LOGBRUSH{b->style, b->color, 0});
  if (auto* f = std::get_if<FontObject>(obj)) return copy(f->logfont);
  if (auto* bm = std::get_if<BitmapObject>(obj)) {
    BITMAP info{};
    info.bmWidth = bm->surface->width();
    info.bmHeight = bm->surface->height();
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(bm->bits_pixel);
    info.bmWidthBytes = ((info.bmWidth * bm->bits_pixel + 15) / 16) * 2;
    return copy(info);
  }
  return 0;
}

DWORD GetObjectType(HGDIOBJ object) {
  if (DeviceContext* dc = FindDc(reinterpret_cast<HDC>(object))) {
    return dc->kind == DcKind::kMemory ? OBJ_MEMDC : OBJ_DC;
  }
  GdiObject* obj = FindObject(object);
  if (!obj) return 0;
  static constexpr DWORD kTypes[] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION};
  return kTypes[obj->index()];
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->state.pen_handle;
    case OBJ_BRUSH: return dc->state.brush_handle;
    case OBJ_FONT: return dc->state.font_handle;
    case OBJ_BITMAP: return dc->bitmap_handle;
    default: return nullptr;
  }
}
