// Drawing objects that own their handle: pens, brushes, fonts and bitmaps. The handle is deleted with the object
// (or by DeleteObject); Detach hands it over without deleting it.
#pragma once

#include "platform/gdi/objects.h"
#include "platform/sys/wintypes.h"

namespace afx {

class CDC;

class CGdiObject {
 public:
  CGdiObject() = default;
  virtual ~CGdiObject();
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  // Takes a handle over (the object must hold none); false otherwise.
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int size, void* out) const;
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
  BOOL CreatePen(int style, int width, COLORREF colour);
  operator HPEN() const { return reinterpret_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
  BOOL CreateSolidBrush(COLORREF colour);
  operator HBRUSH() const { return reinterpret_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONTA* font);
  operator HFONT() const { return reinterpret_cast<HFONT>(m_hObject); }
};

// One colour of a bitmap and the colour it is to become (LoadMappedBitmap).
struct ColorMap {
  COLORREF from;
  COLORREF to;
};

class CBitmap : public CGdiObject {
 public:
  // A bitmap resource of the resource module.
  BOOL LoadBitmap(UINT id);
  // A bitmap resource with every pixel of a map's `from` colour turned into its `to` colour.
  BOOL LoadMappedBitmap(UINT id, const ColorMap* map, int count);
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  int GetBitmap(BITMAP* out) const { return GetObject(sizeof(BITMAP), out); }
  operator HBITMAP() const { return reinterpret_cast<HBITMAP>(m_hObject); }
};

}  // namespace afx
