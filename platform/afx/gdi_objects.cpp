// Drawing objects.
#include "platform/afx/gdi_objects.h"

#include <vector>

#include "platform/afx/dc.h"
#include "platform/afx/module_state.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_resources.h"
#include "platform/gdi/dc.h"

namespace afx {

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (m_hObject || !object) return FALSE;
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, void* out) const { return m_hObject ? ::GetObjectA(m_hObject, size, out) : 0; }

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
  return Attach(ToGdiObject(::CreatePen(style, width, colour)));
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) { return Attach(ToGdiObject(::CreateSolidBrush(colour))); }

BOOL CFont::CreateFontIndirect(const LOGFONTA* font) { return Attach(ToGdiObject(::CreateFontIndirectA(font))); }

BOOL CBitmap::LoadBitmap(UINT id) {
  return Attach(ToGdiObject(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(id))));
}

BOOL CBitmap::LoadMappedBitmap(UINT id, const ColorMap* map, int count) {
  if (m_hObject) return FALSE;
  HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
  if (!bitmap) return FALSE;
  BITMAP info{};
  ::GetObjectA(ToGdiObject(bitmap), sizeof info, &info);
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = -info.bmHeight;  // top-down
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
  HDC screen = ::CreateCompatibleDC(nullptr);
  int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
  if (rows == info.bmHeight) {
    for (RGBQUAD& p : pixels) {
      COLORREF c = RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
      for (int i = 0; i < count; ++i) {
        if (map[i].from != c) continue;
        p.rgbRed = GetRValue(map[i].to);
        p.rgbGreen = GetGValue(map[i].to);
        p.rgbBlue = GetBValue(map[i].to);
        break;
      }
    }
    rows = ::SetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
  }
  ::DeleteDC(screen);
  if (rows != info.bmHeight) {
    ::DeleteObject(bitmap);
    return FALSE;
  }
  return Attach(ToGdiObject(bitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(ToGdiObject(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height)));
}

}  // namespace afx
