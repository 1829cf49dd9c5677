// Device contexts: CDC wraps a DC (a memory DC made by CreateCompatibleDC is deleted with it), CPaintDC paints
// a window between BeginPaint and EndPaint, CClientDC draws on a window's client area. Objects selected through
// a CDC stay selected until the caller selects the previous ones back, as with the plain calls.
#pragma once

#include <string_view>

#include "platform/afx/gdi_objects.h"
#include "platform/gdi/gdi.h"
#include "platform/sys/wintypes.h"
#include "platform/win/window.h"

namespace afx {

class CWnd;

class CDC {
 public:
  CDC() = default;
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

  // A memory DC compatible with dc (null: the screen), deleted with the object.
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();

  HGDIOBJ SelectObject(const CGdiObject& object) { return ::SelectObject(m_hDC, object.m_hObject); }
  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  HGDIOBJ SelectStockObject(int id) { return ::SelectObject(m_hDC, ::GetStockObject(id)); }

  COLORREF SetTextColor(COLORREF colour);
  COLORREF SetBkColor(COLORREF colour);
  int SetBkMode(int mode);
  int SetROP2(int mode);
  POINT SetViewportOrg(int x, int y);
  POINT OffsetViewportOrg(int dx, int dy);
  int SaveDC();
  BOOL RestoreDC(int saved);
  int IntersectClipRect(const RECT& rect);
  // Null: the DC's own clip is removed.
  int SelectClipRgn(HRGN region);

  POINT MoveTo(int x, int y);
  POINT MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
  BOOL Polyline(const POINT* points, int count);
  BOOL Polygon(const POINT* points, int count);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(const RECT& rect) { return Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
  void FillRect(const RECT& rect, const CBrush* brush);
  // Fills with a colour without changing the DC's background colour.
  void FillSolidRect(const RECT& rect, COLORREF colour);
  void FrameRect(const RECT& rect, const CBrush* brush);
  COLORREF SetPixel(int x, int y, COLORREF colour);
  BOOL TextOut(int x, int y, std::string_view text);
  int DrawText(std::string_view text, RECT* rect, UINT format);
  SIZE GetTextExtent(std::string_view text) const;
  BOOL BitBlt(int x, int y, int width, int height, const CDC* source, int sx, int sy, DWORD rop);

 protected:
  bool owns_memory_dc_ = false;
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 private:
  HWND hwnd_;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 private:
  HWND hwnd_;
};

}  // namespace afx
