// Tool tips: tools (a rectangle of a window, or a whole window) with texts. The mouse moves relayed to the
// control (TTM_RELAYEVENT, or watched for TTF_SUBCLASS tools) decide which tip shows. It shows after the pointer
// rested on the tool for the initial delay (the reshow delay when it comes from another tool's tip), and goes
// after the autopop time; then it shows again only once the pointer left the tool.
// A callback text is asked of the tool's window with TTN_GETDISPINFO.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/sys_colors.h"
#include "platform/win/common_controls.h"
#include "platform/win/cursor.h"
#include "platform/win/double_click.h"
#include "platform/win/timers.h"
#include "platform/win/popup.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  std::string text;
  bool callback = false;
  LPARAM lparam = 0;
  HINSTANCE instance = nullptr;
};

struct TipData : ControlData {
  std::vector<Tool> tools;
  bool active = true;
  int max_width = -1;
  int current = -1;  // the tool whose tip shows
  int pending = -1;  // the tool whose tip waits for its delay
  int expired = -1;  // the tool whose tip went by itself, until the pointer leaves it
  UINT initial = GetDoubleClickTime();
  UINT autopop = 10 * GetDoubleClickTime();
  UINT reshow = GetDoubleClickTime() / 5;
  std::string shown;
  int observer = 0;
  ~TipData() override {
    if (observer) platform::win::RemoveMessageObserver(observer);
  }
};

int FindTool(const TipData& d, HWND hwnd, UINT_PTR id) {
  for (std::size_t i = 0; i < d.tools.size(); ++i)
    if (d.tools[i].hwnd == hwnd && d.tools[i].id == id) return static_cast<int>(i);
  return -1;
}

std::string TipText(HWND tip, const Tool& t) {
  if (!t.callback) return t.text;
  NMTTDISPINFO info{};
  info.hdr.hwndFrom = tip;
  info.hdr.idFrom = t.id;
  info.hdr.code = TTN_GETDISPINFO;
  info.uFlags = t.flags;
  info.lParam = t.lparam;
  SendMessage(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&info));
  if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK && !IS_INTRESOURCE(info.lpszText)) return info.lpszText;
  info.szText[sizeof info.szText - 1] = '\0';
  return info.szText;
}

// The tip's pop-up: below and right of the pointer, as large as its lines (wrapped at the maximum width).
void ShowTip(HWND tip, const TipData& d) {
  if (!IsPopupWindow(tip)) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, d.max_width > 0 ? d.max_width : 0, 0};
  DrawText(dc, d.shown.c_str(), static_cast<int>(d.shown.size()), &r,
           DT_CALCRECT | DT_NOPREFIX | (d.max_width > 0 ? DT_WORDBREAK : 0));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  POINT at{};
  GetCursorPos(&at);
  const RECT anchor{at.x, at.y, at.x + 1, at.y + 20};
  ShowPopupWindow(tip, PlacePopup(anchor, SIZE{r.right - r.left + 8, r.bottom - r.top + 6}));
}

constexpr UINT_PTR kDelayTimer = 0x7117;

void Pop(HWND tip, TipData& d) {
  d.pending = -1;
  KillSystemTimer(tip, kDelayTimer);
  if (d.current < 0) return;
  d.current = -1;
  d.shown.clear();
  HidePopupWindow(tip);
  NMHDR nm{tip, 0, TTN_POP};
  if (!d.tools.empty()) SendMessage(d.tools.front().hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

void ShowPending(HWND tip);
void CALLBACK OnDelay(HWND tip, UINT, UINT_PTR, DWORD);

void Relay(HWND tip, const MSG& m) {
  TipData* d = DataOf<TipData>(tip);
  if (!d || !d->active) return;
  if (m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN || m.message == WM_MBUTTONDOWN) {
    Pop(tip, *d);
    return;
  }
  if (m.message != WM_MOUSEMOVE) return;
  POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  int hit = -1;
  for (std::size_t i = 0; i < d->tools.size(); ++i) {
    const Tool& t = d->tools[i];
    if (t.flags & TTF_IDISHWND) {
      if (reinterpret_cast<HWND>(t.id) == m.hwnd) hit = static_cast<int>(i);
    } else if (t.hwnd == m.hwnd && PtInRect(&t.rect, p)) {
      hit = static_cast<int>(i);
    }
    if (hit >= 0) break;
  }
  if (hit != d->expired) d->expired = -1;
  const bool unchanged = hit >= 0 ? hit == d->current || hit == d->pending || hit == d->expired
                                  : d->current < 0 && d->pending < 0;
  if (unchanged) return;
  const bool was_shown = d->current >= 0;
  Pop(tip, *d);
  d = DataOf<TipData>(tip);
  if (!d || hit < 0) return;
  d->pending = hit;
  const UINT wait = was_shown ? d->reshow : d->initial;
  if (wait == 0) ShowPending(tip);
  else SetSystemTimer(tip, kDelayTimer, wait, OnDelay);
}

void ShowPending(HWND tip) {
  TipData* d = DataOf<TipData>(tip);
  if (!d) return;
  const int hit = d->pending;
  d->pending = -1;
  if (hit < 0 || hit >= static_cast<int>(d->tools.size())) return;
  Tool t = d->tools[static_cast<std::size_t>(hit)];
  std::string text = TipText(tip, t);
  d = DataOf<TipData>(tip);
  if (!d) return;
  d->current = hit;
  d->shown = text;
  InvalidateRect(tip, nullptr, TRUE);
  ShowTip(tip, *d);
  SetSystemTimer(tip, kDelayTimer, d->autopop, OnDelay);
  NMHDR nm{tip, t.id, TTN_SHOW};
  SendMessage(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&nm));
}

// The delay ended: the waiting tip shows, or the shown one has stayed long enough.
void CALLBACK OnDelay(HWND tip, UINT, UINT_PTR, DWORD) {
  KillSystemTimer(tip, kDelayTimer);
  TipData* d = DataOf<TipData>(tip);
  if (!d) return;
  if (d->pending >= 0) {
    ShowPending(tip);
    return;
  }
  const int shown = d->current;
  Pop(tip, *d);
  if ((d = DataOf<TipData>(tip)) != nullptr) d->expired = shown;
}

void Watch(HWND tip, TipData& d) {
  if (d.observer) return;
  d.observer = platform::win::AddMessageObserver([tip](HWND h, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN) return;
    TipData* data = DataOf<TipData>(tip);
    if (!data) return;
    bool ours = std::any_of(data->tools.begin(), data->tools.end(), [h](const Tool& t) {
      return (t.flags & TTF_SUBCLASS) && ((t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) == h : t.hwnd == h);
    });
    if (ours) Relay(tip, MSG{h, message, w, l, 0, {0, 0}});
  });
}

Tool FromInfo(const TOOLINFO& info) {
  Tool t;
  t.flags = info.uFlags;
  t.hwnd = info.hwnd;
  t.id = info.uId;
  t.rect = info.rect;
  t.lparam = info.lParam;
  t.instance = info.hinst;
  t.callback = info.lpszText == LPSTR_TEXTCALLBACK;
  if (!t.callback && info.lpszText && !IS_INTRESOURCE(info.lpszText)) t.text = info.lpszText;
  return t;
}

}  // namespace

LRESULT ToolTipProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  TipData* d = DataOf<TipData>(hwnd);
  if (!d) return 0;
  auto* info = reinterpret_cast<TOOLINFO*>(lparam);
  switch (message) {
    case WM_NCCREATE: {
      // A top-level tip window is a pop-up: it never takes the activation and floats above everything.
      Window* w = Lookup(hwnd);
      if (w && !(w->style & WS_CHILD)) {
        w->ex_style |= platform::win::kPopupExStyle;
        w->style |= WS_POPUP | WS_BORDER;
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
      }
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) {
        RECT c{};
        GetClientRect(hwnd, &c);
        FillRect(dc, &c, GetSysColorBrush(COLOR_INFOBK));
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        RECT t{c.left + 4, c.top + 2, c.right - 2, c.bottom};
        DrawText(dc, d->shown.c_str(), static_cast<int>(d->shown.size()), &t,
                 DT_NOPREFIX | (d->max_width > 0 ? DT_WORDBREAK : 0));
        SelectObject(dc, old);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case TTM_ADDTOOL: {
      if (!info) return FALSE;
      Tool t = FromInfo(*info);
      int at = FindTool(*d, t.hwnd, t.id);
      if (at >= 0) d->tools[static_cast<std::size_t>(at)] = t;
      else d->tools.push_back(t);
      if (t.flags & TTF_SUBCLASS) Watch(hwnd, *d);
      return TRUE;
    }
    case TTM_DELTOOL: {
      if (!info) return 0;
      int at = FindTool(*d, info->hwnd, info->uId);
      if (at >= 0) {
        if (at == d->current) Pop(hwnd, *d);
        d = DataOf<TipData>(hwnd);
        d->tools.erase(d->tools.begin() + at);
        if (d->current > at) --d->current;
        if (d->pending == at) d->pending = -1;
        if (d->pending > at) --d->pending;
        if (d->expired >= at) d->expired = -1;
      }
      return 0;
    }
    case TTM_NEWTOOLRECT: {
      if (!info) return 0;
      int at = FindTool(*d, info->hwnd, info->uId);
      if (at >= 0) d->tools[static_cast<std::size_t>(at)].rect = info->rect;
      return 0;
    }
    case TTM_UPDATETIPTEXT: {
      if (!info) return 0;
      int at = FindTool(*d, info->hwnd, info->uId);
      if (at < 0) return 0;
      Tool& t = d->tools[static_cast<std::size_t>(at)];
      t.callback = info->lpszText == LPSTR_TEXTCALLBACK;
      t.text = !t.callback && info->lpszText && !IS_INTRESOURCE(info->lpszText) ? info->lpszText : "";
      if (at == d->current) d->shown = TipText(hwnd, t);
      return 0;
    }
    case TTM_GETTOOLINFO:
    case TTM_SETTOOLINFO: {
      if (!info) return FALSE;
      int at = FindTool(*d, info->hwnd, info->uId);
      if (at < 0) return FALSE;
      if (message == TTM_SETTOOLINFO) {
        d->tools[static_cast<std::size_t>(at)] = FromInfo(*info);
        return TRUE;
      }
      const Tool& t = d->tools[static_cast<std::size_t>(at)];
      info->uFlags = t.flags;
      info->rect = t.rect;
      info->lParam = t.lparam;
      info->hinst = t.instance;
      return TRUE;
    }
    case TTM_GETTEXT: {
      if (!info || !info->lpszText) return 0;
      int at = FindTool(*d, info->hwnd, info->uId);
      std::string text = at >= 0 ? TipText(hwnd, d->tools[static_cast<std::size_t>(at)]) : "";
      std::size_t room = wparam ? static_cast<std::size_t>(wparam) : 80;
      std::size_t n = std::min(room - 1, text.size());
      std::memcpy(info->lpszText, text.data(), n);
      info->lpszText[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(d->tools.size());
    case TTM_RELAYEVENT:
      if (const MSG* m = reinterpret_cast<const MSG*>(lparam)) Relay(hwnd, *m);
      return 0;
    case TTM_ACTIVATE:
      d->active = wparam != 0;
      if (!d->active) Pop(hwnd, *d);
      return 0;
    case TTM_POP: Pop(hwnd, *d); return 0;
    case TTM_SETMAXTIPWIDTH: {
      int old = d->max_width;
      d->max_width = static_cast<int>(lparam);
      return old;
    }
    case TTM_GETMAXTIPWIDTH: return d->max_width;
    case TTM_SETDELAYTIME: {
      // A negative time puts the default back.
      const int ms = static_cast<int>(static_cast<short>(LOWORD(lparam)));
      const UINT base = ms < 0 ? GetDoubleClickTime() : static_cast<UINT>(ms);
      switch (wparam) {
        case TTDT_AUTOMATIC:
          d->initial = base;
          d->autopop = 10 * base;
          d->reshow = base / 5;
          break;
        case TTDT_RESHOW: d->reshow = ms < 0 ? GetDoubleClickTime() / 5 : base; break;
        case TTDT_AUTOPOP: d->autopop = ms < 0 ? 10 * GetDoubleClickTime() : base; break;
        case TTDT_INITIAL: d->initial = base; break;
        default: break;
      }
      return 0;
    }
    case TTM_GETDELAYTIME:
      return wparam == TTDT_RESHOW ? d->reshow : wparam == TTDT_AUTOPOP ? d->autopop : d->initial;
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace platform::win::detail

const char* platform::win::ShownToolTip(HWND tooltip) {
  if (!IsWindow(tooltip) || !platform::win::detail::IsClass(tooltip, TOOLTIPS_CLASS)) return "";
  auto* d = platform::win::detail::DataOf<platform::win::detail::TipData>(tooltip);
  return d ? d->shown.c_str() : "";
}
