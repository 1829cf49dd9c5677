// The up-down control: a position in a range, stepped by clicks on its halves; with UDS_SETBUDDYINT the buddy
// window shows the position. A step asks the parent first (UDN_DELTAPOS; non-zero refuses), then reports
// WM_VSCROLL (WM_HSCROLL with UDS_HORZ) SB_THUMBPOSITION and SB_ENDSCROLL.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gdi/common_control_paint.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct UpDownData : ControlData {
  int low = 0;
  int high = 100;
  int pos = 0;
  HWND buddy = nullptr;
  int base = 10;
  int pressed = 0;  // the half held down by the mouse: 1 up, 2 down
};

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

void ShowInBuddy(HWND hwnd, const UpDownData& d) {
  if (!(Style(hwnd) & UDS_SETBUDDYINT) || !IsWindow(d.buddy)) return;
  char text[16];
  std::snprintf(text, sizeof text, d.base == 16 ? "0x%X" : "%d", d.pos);
  SetWindowText(d.buddy, text);
}

// The position as the buddy shows it (the user may have typed there); false when its text is no number.
bool ReadBuddy(HWND hwnd, UpDownData& d) {
  if (!(Style(hwnd) & UDS_SETBUDDYINT) || !IsWindow(d.buddy)) return true;
  char text[32];
  GetWindowText(d.buddy, text, sizeof text);
  std::string s(text);
  s.erase(std::remove(s.begin(), s.end(), ','), s.end());
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, d.base);
  if (s.empty() || (end && *end != '\0')) return false;
  d.pos = std::clamp(static_cast<int>(v), std::min(d.low, d.high), std::max(d.low, d.high));
  return true;
}

void Step(HWND hwnd, int delta) {
  UpDownData* d = DataOf<UpDownData>(hwnd);
  if (!d) return;
  ReadBuddy(hwnd, *d);
  if (d->high < d->low) delta = -delta;  // a reversed range steps the other way
  NMUPDOWN nm{};
  nm.iPos = d->pos;
  nm.iDelta = delta;
  if (NotifyParentNm(hwnd, UDN_DELTAPOS, &nm.hdr)) return;
  d = DataOf<UpDownData>(hwnd);
  if (!d) return;
  int lo = std::min(d->low, d->high);
  int hi = std::max(d->low, d->high);
  int next = d->pos + nm.iDelta;
  if (next > hi) next = (Style(hwnd) & UDS_WRAP) ? lo : hi;
  if (next < lo) next = (Style(hwnd) & UDS_WRAP) ? hi : lo;
  if (next == d->pos) return;
  d->pos = next;
  ShowInBuddy(hwnd, *d);
  Window* w = Lookup(hwnd);
  if (!w || !w->parent) return;
  UINT message = (Style(hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
  HWND parent = w->parent;
  SendMessage(parent, message, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(next)), FromHwnd(hwnd));
  if (IsWindow(hwnd)) SendMessage(parent, message, MAKEWPARAM(SB_ENDSCROLL, static_cast<WORD>(next)), FromHwnd(hwnd));
}

void AttachBuddy(HWND hwnd, UpDownData& d, HWND buddy) {
  d.buddy = buddy;
  if (!IsWindow(buddy)) return;
  DWORD style = Style(hwnd);
  if (style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
    Window* b = Lookup(buddy);
    Window* w = Lookup(hwnd);
    if (b && w && b->parent == w->parent) {
      int width = RectWidth(w->rect) > 0 ? RectWidth(w->rect) : 16;
      RECT br = b->rect;
      int x = (style & UDS_ALIGNRIGHT) ? br.right : br.left - width;
      SetWindowPos(hwnd, nullptr, x, br.top, width, RectHeight(br), SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ShowInBuddy(hwnd, d);
}

}  // namespace

LRESULT UpDownProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  UpDownData* d = DataOf<UpDownData>(hwnd);
  if (!d) return 0;
  switch (message) {
    case WM_CREATE:
      if (Style(hwnd) & UDS_AUTOBUDDY) AttachBuddy(hwnd, *d, GetWindow(hwnd, GW_HWNDPREV));
      return 0;
    case UDM_SETRANGE:
      d->high = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lparam)));
      d->low = static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lparam)));
      d->pos = std::clamp(d->pos, std::min(d->low, d->high), std::max(d->low, d->high));
      return 0;
    case UDM_GETRANGE: return MAKELONG(static_cast<WORD>(d->high), static_cast<WORD>(d->low));
    case UDM_SETRANGE32:
      d->low = static_cast<int>(wparam);
      d->high = static_cast<int>(lparam);
      d->pos = std::clamp(d->pos, std::min(d->low, d->high), std::max(d->low, d->high));
      return 0;
    case UDM_GETRANGE32:
      if (wparam) *reinterpret_cast<int*>(wparam) = d->low;
      if (lparam) *reinterpret_cast<int*>(lparam) = d->high;
      return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
      int old = d->pos;
      int want = message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lparam))) : static_cast<int>(lparam);
      d->pos = std::clamp(want, std::min(d->low, d->high), std::max(d->low, d->high));
      ShowInBuddy(hwnd, *d);
      return old;
    }
    case UDM_GETPOS: {
      bool ok = ReadBuddy(hwnd, *d);
      return MAKELONG(static_cast<WORD>(d->pos), ok ? 0 : 1);
    }
    case UDM_GETPOS32: {
      bool ok = ReadBuddy(hwnd, *d);
      if (lparam) *reinterpret_cast<BOOL*>(lparam) = ok ? FALSE : TRUE;
      return d->pos;
    }
    case UDM_SETBUDDY: {
      HWND old = d->buddy;
      AttachBuddy(hwnd, *d, reinterpret_cast<HWND>(wparam));
      return FromHwnd(old);
    }
    case UDM_GETBUDDY: return FromHwnd(d->buddy);
    case UDM_SETBASE: {
      int old = d->base;
      if (wparam == 10 || wparam == 16) d->base = static_cast<int>(wparam);
      return old;
    }
    case UDM_GETBASE: return d->base;
    case UDM_SETACCEL: return TRUE;
    case UDM_GETACCEL: return 0;
    case WM_LBUTTONDOWN: {
      RECT c{};
      GetClientRect(hwnd, &c);
      bool horizontal = (Style(hwnd) & UDS_HORZ) != 0;
      bool increase = horizontal ? GET_X_LPARAM(lparam) >= c.right / 2 : GET_Y_LPARAM(lparam) < c.bottom / 2;
      d->pressed = increase ? 1 : 2;
      SetCapture(hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      Step(hwnd, increase ? 1 : -1);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (d->pressed) {
        d->pressed = 0;
        InvalidateRect(hwnd, nullptr, FALSE);
        if (message == WM_LBUTTONUP && GetCapture() == hwnd) ReleaseCapture();
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) {
        RECT c{};
        GetClientRect(hwnd, &c);
        platform::gdi::PaintUpDown(dc, c, (Style(hwnd) & UDS_HORZ) != 0, d->pressed, IsWindowEnabled(hwnd) != FALSE);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_KEYDOWN:
      if (wparam == VK_UP || wparam == VK_RIGHT) Step(hwnd, 1);
      else if (wparam == VK_DOWN || wparam == VK_LEFT) Step(hwnd, -1);
      return 0;
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail

HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int pos) {
  HWND hwnd = CreateWindowEx(0, UPDOWN_CLASS, "", style, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), instance, nullptr);
  if (!hwnd) return nullptr;
  SendMessage(hwnd, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
  if (buddy) SendMessage(hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessage(hwnd, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(pos), 0));
  return hwnd;
}
