// The status bar: parts with texts, placed along the bottom of its parent and following the parent's WM_SIZE.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/common_control_paint.h"
#include "platform/win/common_controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog_font.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct Part {
  int right = -1;
  std::string text;
  WPARAM kind = 0;
};

struct StatusData : ControlData {
  std::vector<Part> parts{Part{}};
  Part simple;
  bool is_simple = false;
  int min_height = 0;
};

int BarHeight(HWND hwnd, const StatusData& d) {
  HFONT font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
  return std::max(d.min_height, platform::win::BaseUnitsOf(font).y + 7);
}

void Place(HWND hwnd) {
  StatusData* d = DataOf<StatusData>(hwnd);
  Window* w = Lookup(hwnd);
  if (!d || !w || !w->parent) return;
  if (GetWindowLong(hwnd, GWL_STYLE) & CCS_NORESIZE) return;
  RECT pc{};
  GetClientRect(w->parent, &pc);
  int h = BarHeight(hwnd, *d);
  bool top = (GetWindowLong(hwnd, GWL_STYLE) & CCS_BOTTOM) == CCS_TOP;
  SetWindowPos(hwnd, nullptr, 0, top ? 0 : pc.bottom - h, pc.right, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

Part* PartOf(StatusData& d, int index) {
  if (index == SB_SIMPLEID || d.is_simple) return &d.simple;
  if (index < 0 || index >= static_cast<int>(d.parts.size())) return nullptr;
  return &d.parts[static_cast<std::size_t>(index)];
}

}  // namespace

LRESULT StatusBarProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  StatusData* d = DataOf<StatusData>(hwnd);
  if (!d) return 0;
  switch (message) {
    case WM_CREATE: {
      Window* w = Lookup(hwnd);
      d->parts[0].text = w->text;
      Place(hwnd);
      return 0;
    }
    case WM_SIZE:
      // The parent relays its own WM_SIZE here; the bar's own size change must not start over.
      if (!lparam || (GetWindowLong(hwnd, GWL_STYLE) & CCS_NORESIZE)) return 0;
      {
        RECT r{};
        GetClientRect(hwnd, &r);
        Window* w = Lookup(hwnd);
        RECT pc{};
        if (w && w->parent) GetClientRect(w->parent, &pc);
        if (LOWORD(static_cast<std::uintptr_t>(lparam)) == r.right && HIWORD(static_cast<std::uintptr_t>(lparam)) == r.bottom &&
            r.right == pc.right)
          return 0;
      }
      Place(hwnd);
      return 0;
    case SB_SETTEXT: {
      int index = static_cast<int>(wparam & 0xFF);
      Part* p = PartOf(*d, index);
      if (!p) return FALSE;
      const char* text = reinterpret_cast<const char*>(lparam);
      p->kind = wparam & 0xFF00;
      p->text = (p->kind & SBT_OWNERDRAW) || !text ? "" : text;
      if (index == 0 && !d->is_simple) Lookup(hwnd)->text = p->text;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case SB_GETTEXT:
    case SB_GETTEXTLENGTH: {
      Part* p = PartOf(*d, static_cast<int>(wparam));
      if (!p) return 0;
      if (message == SB_GETTEXT && lparam) std::memcpy(reinterpret_cast<char*>(lparam), p->text.c_str(), p->text.size() + 1);
      return MAKELONG(static_cast<WORD>(p->text.size()), static_cast<WORD>(p->kind));
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
      const std::string& t = d->parts[0].text;
      if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(t.size());
      char* buffer = reinterpret_cast<char*>(lparam);
      if (!buffer || !wparam) return 0;
      std::size_t n = std::min<std::size_t>(wparam - 1, t.size());
      std::memcpy(buffer, t.data(), n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lparam);
      d->parts[0].text = text && !IS_INTRESOURCE(text) ? text : "";
      Lookup(hwnd)->text = d->parts[0].text;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case SB_SETPARTS: {
      int n = std::clamp(static_cast<int>(wparam), 1, 255);
      const int* rights = reinterpret_cast<const int*>(lparam);
      if (!rights) return FALSE;
      d->parts.resize(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) d->parts[static_cast<std::size_t>(i)].right = rights[i];
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case SB_GETPARTS: {
      int* out = reinterpret_cast<int*>(lparam);
      int n = static_cast<int>(d->parts.size());
      for (int i = 0; out && i < n && i < static_cast<int>(wparam); ++i) out[i] = d->parts[static_cast<std::size_t>(i)].right;
      return n;
    }
    case SB_GETBORDERS: {
      int* out = reinterpret_cast<int*>(lparam);
      if (out) {
        out[0] = 0;
        out[1] = 2;
        out[2] = 2;
      }
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) {
        platform::gdi::StatusLook look;
        for (const Part& p : d->is_simple ? std::vector<Part>{d->simple} : d->parts)
          look.parts.push_back({p.text, d->is_simple ? -1 : p.right, (p.kind & SBT_NOBORDERS) != 0, (p.kind & SBT_POPOUT) != 0});
        look.font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
        look.size_grip = (GetWindowLong(hwnd, GWL_STYLE) & SBARS_SIZEGRIP) != 0;
        RECT c{};
        GetClientRect(hwnd, &c);
        platform::gdi::PaintStatusBar(dc, c, look);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the paint fills everything
    case SB_SETMINHEIGHT: d->min_height = static_cast<int>(wparam); return 0;
    case SB_SIMPLE: d->is_simple = wparam != 0; InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case SB_ISSIMPLE: return d->is_simple ? TRUE : FALSE;
    case SB_GETRECT: {
      RECT* r = reinterpret_cast<RECT*>(lparam);
      int index = static_cast<int>(wparam);
      if (!r || index < 0 || index >= static_cast<int>(d->parts.size())) return FALSE;
      RECT c{};
      GetClientRect(hwnd, &c);
      int left = index == 0 ? 0 : d->parts[static_cast<std::size_t>(index - 1)].right;
      int right = d->parts[static_cast<std::size_t>(index)].right;
      *r = RECT{left, 0, right < 0 ? c.right : right, c.bottom};
      return TRUE;
    }
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail

HWND CreateStatusWindow(LONG style, LPCSTR text, HWND parent, UINT id) {
  return CreateWindowEx(0, STATUSCLASSNAME, text, static_cast<DWORD>(style) | WS_CHILD, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtr(parent, GWLP_HINSTANCE)), nullptr);
}

void InitCommonControls() {}
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) { return TRUE; }
