// Device contexts.
#include "platform/afx/dc.h"

#include "platform/afx/wnd.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/text.h"

namespace afx {

CDC::~CDC() {
  if (owns_memory_dc_) DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  if (m_hDC) return FALSE;
  m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
  owns_memory_dc_ = m_hDC != nullptr;
  return m_hDC ? TRUE : FALSE;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC || !owns_memory_dc_) return FALSE;
  BOOL ok = ::DeleteDC(m_hDC);
  m_hDC = nullptr;
  owns_memory_dc_ = false;
  return ok;
}

COLORREF CDC::SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
COLORREF CDC::SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
int CDC::SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }

POINT CDC::SetViewportOrg(int x, int y) {
  POINT old{0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}

POINT CDC::OffsetViewportOrg(int dx, int dy) {
  POINT old{0, 0};
  ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
  return old;
}

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
int CDC::IntersectClipRect(const RECT& r) { return ::IntersectClipRect(m_hDC, r.left, r.top, r.right, r.bottom); }
int CDC::SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }

POINT CDC::MoveTo(int x, int y) {
  POINT old{0, 0};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
BOOL CDC::Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
BOOL CDC::Rectangle(int left, int top, int right, int bottom) { return ::Rectangle(m_hDC, left, top, right, bottom); }
void CDC::FillRect(const RECT& rect, const CBrush* brush) { ::FillRect(m_hDC, &rect, brush ? HBRUSH(*brush) : nullptr); }

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
  CBrush brush(colour);
  ::FillRect(m_hDC, &rect, brush);
}

void CDC::FrameRect(const RECT& rect, const CBrush* brush) {
  ::FrameRect(m_hDC, &rect, brush ? HBRUSH(*brush) : nullptr);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }

BOOL CDC::TextOut(int x, int y, std::string_view text) {
  return ::TextOutA(m_hDC, x, y, text.data(), static_cast<int>(text.size()));
}

int CDC::DrawText(std::string_view text, RECT* rect, UINT format) {
  return ::DrawTextA(m_hDC, text.data(), static_cast<int>(text.size()), rect, format);
}

SIZE CDC::GetTextExtent(std::string_view text) const {
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(m_hDC, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, const CDC* source, int sx, int sy, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, rop);
}

CPaintDC::CPaintDC(CWnd* window) : hwnd_(window ? window->m_hWnd : nullptr) { m_hDC = ::BeginPaint(hwnd_, &m_ps); }

CPaintDC::~CPaintDC() {
  if (m_hDC) ::EndPaint(hwnd_, &m_ps);
  m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* window) : hwnd_(window ? window->m_hWnd : nullptr) { m_hDC = ::GetDC(hwnd_); }

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(hwnd_, m_hDC);
  m_hDC = nullptr;
}

}  // namespace afx
