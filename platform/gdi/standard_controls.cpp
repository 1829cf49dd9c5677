#include "platform/gdi/standard_controls.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/control_paint.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/images.h"
#include "platform/gdi/menu_paint.h"
#include "platform/gdi/sys_colors.h"
#include "platform/gdi/window_dc.h"
#include "platform/win/caret.h"
#include "platform/win/controls.h"
#include "platform/win/edit_tab_stops.h"
#include "platform/win/dialog_font.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/rect.h"
#include "platform/win/window.h"

namespace platform::gdi {
namespace {

std::string TextOf(HWND hwnd) {
  const int n = GetWindowTextLength(hwnd);
  std::string s(static_cast<std::size_t>(std::max(0, n)) + 1, '\0');
  const int got = GetWindowText(hwnd, s.data(), static_cast<int>(s.size()));
  s.resize(static_cast<std::size_t>(std::max(0, got)));
  return s;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassName(hwnd, name, sizeof(name));
  std::string s(name);
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

HFONT FontOf(HWND hwnd) { return reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0)); }

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

std::string RowText(HWND hwnd, UINT len_message, UINT text_message, int i) {
  const LRESULT n = SendMessage(hwnd, len_message, static_cast<WPARAM>(i), 0);
  if (n < 0) return {};
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  SendMessage(hwnd, text_message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(std::strlen(s.c_str()));
  return s;
}

// Asks the control's parent for its colours (WM_CTLCOLOR*): the parent may set the DC's text colour and
// answers with a background brush. A control without a parent asks DefWindowProc (the system colours).
ControlColours AskColours(HWND hwnd, HDC dc, UINT message) {
  HWND parent = GetParent(hwnd);
  const int saved = SaveDC(dc);
  const LRESULT answer = parent ? SendMessage(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd))
                                : DefWindowProc(hwnd, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
  ControlColours c;
  c.background = reinterpret_cast<HBRUSH>(answer);
  c.text = GetTextColor(dc);
  RestoreDC(dc, saved);
  return c;
}

void PaintButton(HWND hwnd, HDC dc, const RECT& r) {
  const DWORD style = StyleOf(hwnd);
  const DWORD type = style & BS_TYPEMASK;
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  const bool focused = GetFocus() == hwnd;
  const auto state = static_cast<WPARAM>(SendMessage(hwnd, BM_GETSTATE, 0, 0));
  const auto check = static_cast<int>(SendMessage(hwnd, BM_GETCHECK, 0, 0));
  const std::string text = TextOf(hwnd);
  const HFONT font = FontOf(hwnd);
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case 0x0006:  // auto 3-state
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      if (!(style & BS_PUSHLIKE)) {
        CheckLook look;
        look.text = text;
        look.font = font;
        look.state = check;
        look.radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        look.focused = focused;
        look.enabled = enabled;
        look.text_left = (style & BS_LEFTTEXT) != 0;
        look.colours = AskColours(hwnd, dc, WM_CTLCOLORSTATIC);
        PaintCheckButton(dc, r, look);
        return;
      }
      break;
    case BS_GROUPBOX:
      PaintGroupBox(dc, r, text, font, enabled, AskColours(hwnd, dc, WM_CTLCOLORSTATIC));
      return;
    default:
      break;
  }
  ButtonLook look;
  look.text = text;
  look.font = font;
  look.pushed = (state & BST_PUSHED) != 0 || ((style & BS_PUSHLIKE) && check == 1);
  look.focused = focused;
  look.default_button = type == BS_DEFPUSHBUTTON;
  look.enabled = enabled;
  const LRESULT image = SendMessage(hwnd, BM_GETIMAGE, IMAGE_BITMAP, 0);
  if (image && (style & BS_BITMAP)) look.bitmap = reinterpret_cast<HBITMAP>(image);
  else if (image && (style & BS_ICON)) look.icon = reinterpret_cast<HICON>(image);
  PaintPushButton(dc, r, look);
}

void PaintStatic(HWND hwnd, HDC dc, const RECT& r) {
  const DWORD style = StyleOf(hwnd);
  const DWORD type = style & SS_TYPEMASK;
  switch (type) {
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: {
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      RECT a{r.left, r.top, r.right - 1, r.bottom - 1};
      RECT b{r.left + 1, r.top + 1, r.right, r.bottom};
      if (type == SS_ETCHEDHORZ) {
        a = RECT{r.left, r.top, r.right, r.top + 1};
        b = RECT{r.left, r.top + 1, r.right, r.top + 2};
        FillRect(dc, &a, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &b, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      } else if (type == SS_ETCHEDVERT) {
        a = RECT{r.left, r.top, r.left + 1, r.bottom};
        b = RECT{r.left + 1, r.top, r.left + 2, r.bottom};
        FillRect(dc, &a, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &b, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      } else {
        FrameRect(dc, &b, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        FrameRect(dc, &a, GetSysColorBrush(COLOR_BTNSHADOW));
      }
      return;
    }
    case 0x0004:  // black rectangle
    case SS_GRAYRECT:
    case 0x0006:  // white rectangle
      FillRect(dc, &r, GetSysColorBrush(type == 0x0004 ? COLOR_WINDOWFRAME : type == SS_GRAYRECT ? COLOR_BTNSHADOW : COLOR_WINDOW));
      return;
    case SS_BLACKFRAME:
    case 0x0008:  // grey frame
    case 0x0009:  // white frame
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      FrameRect(dc, &r, GetSysColorBrush(type == SS_BLACKFRAME ? COLOR_WINDOWFRAME : type == 0x0008 ? COLOR_BTNSHADOW : COLOR_WINDOW));
      return;
    case SS_ICON:
    case SS_BITMAP: {
      const ControlColours colours = AskColours(hwnd, dc, WM_CTLCOLORSTATIC);
      FillRect(dc, &r, colours.background ? colours.background : GetSysColorBrush(COLOR_BTNFACE));
      const LRESULT image = SendMessage(hwnd, STM_GETIMAGE, type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP, 0);
      // SS_CENTERIMAGE centres the picture; otherwise it sits at the top left.
      const SIZE size = type == SS_ICON ? SIZE{32, 32} : BitmapSize(reinterpret_cast<HBITMAP>(image));
      const bool centre = (style & 0x0200) != 0;
      const int x = centre ? (r.right - size.cx) / 2 : 0, y = centre ? (r.bottom - size.cy) / 2 : 0;
      if (type == SS_ICON) DrawIcon(dc, x, y, reinterpret_cast<HICON>(image));
      else DrawBitmapAt(dc, x, y, reinterpret_cast<HBITMAP>(image));
      return;
    }
    default:
      break;
  }
  UINT format = DT_WORDBREAK;
  if (type == SS_CENTER) format = DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT) format = DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP) format = DT_SINGLELINE;
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  format |= DT_EXPANDTABS;
  PaintStaticText(dc, r, TextOf(hwnd), FontOf(hwnd), format, IsWindowEnabled(hwnd) != FALSE,
                  AskColours(hwnd, dc, WM_CTLCOLORSTATIC));
}

// The text of an edit as it is shown: a password field's characters masked.
std::string ShownEditText(HWND hwnd) {
  std::string text = TextOf(hwnd);
  const auto mask = static_cast<char>(SendMessage(hwnd, EM_GETPASSWORDCHAR, 0, 0));
  if ((StyleOf(hwnd) & ES_PASSWORD) || mask) std::fill(text.begin(), text.end(), mask ? mask : '*');
  return text;
}

// An edit's tab stops in pixels: its dialog units in the base units of its font.
std::vector<int> TabStopsInPixels(HWND edit, HFONT font) {
  std::vector<int> stops = platform::win::EditTabStops(edit);
  const int base_x = platform::win::BaseUnitsOf(font).x;
  for (int& stop : stops) stop = stop * base_x / 4;
  return stops;
}

// A single-line edit scrolls so that the text before the caret fits its width.
int SingleLineScroll(HFONT font, std::string_view text, int caret, int width) {
  int scroll = 0;
  while (scroll < caret && EditTextWidth(font, text, caret) - EditTextWidth(font, text, scroll) > width) ++scroll;
  return scroll;
}

// The character of a line nearest to x, the line's left edge being at origin.
int NearestInLine(HFONT font, std::string_view line, int origin, int x, std::span<const int> stops = {}) {
  int best = 0, best_distance = 1 << 30;
  for (int i = 0; i <= static_cast<int>(line.size()); ++i) {
    const int d = std::abs(origin + EditTextWidth(font, line, i, stops) - x);
    if (d < best_distance) {
      best = i;
      best_distance = d;
    }
  }
  return best;
}

void PaintEdit(HWND hwnd, HDC dc, const RECT& r) {
  const DWORD style = StyleOf(hwnd);
  const std::string text = ShownEditText(hwnd);
  DWORD start = 0, end = 0;
  SendMessage(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EditLook look;
  look.text = text;
  look.font = FontOf(hwnd);
  look.multiline = (style & ES_MULTILINE) != 0;
  const std::vector<int> stops = look.multiline ? TabStopsInPixels(hwnd, look.font) : std::vector<int>{};
  look.tab_stops = stops;
  look.scroll = look.multiline ? static_cast<int>(SendMessage(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
  look.selection_start = static_cast<int>(start);
  look.selection_end = static_cast<int>(end);
  look.caret = static_cast<int>(end);
  look.focused = GetFocus() == hwnd;
  look.enabled = IsWindowEnabled(hwnd) != FALSE;
  look.read_only = (style & ES_READONLY) != 0;
  look.border = false;  // the border is non-client
  // A read-only or disabled edit is coloured like a static, as its parent expects.
  look.colours = AskColours(hwnd, dc, look.read_only || !look.enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  if (!look.multiline) look.scroll = SingleLineScroll(look.font, text, look.caret, r.right - r.left - 4);
  if (!platform::win::CaretOn(hwnd)) look.caret = -1;  // the blinking caret's off phase
  PaintEditField(dc, r, look);
}

void PaintList(HWND hwnd, HDC dc, const RECT& r) {
  const int count = static_cast<int>(SendMessage(hwnd, LB_GETCOUNT, 0, 0));
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) rows.push_back(RowText(hwnd, LB_GETTEXTLEN, LB_GETTEXT, i));
  ListLook look;
  look.rows = &rows;
  look.font = FontOf(hwnd);
  look.top = static_cast<int>(SendMessage(hwnd, LB_GETTOPINDEX, 0, 0));
  look.selected = static_cast<int>(SendMessage(hwnd, LB_GETCURSEL, 0, 0));
  std::vector<bool> chosen;
  if (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    for (int i = 0; i < count; ++i) chosen.push_back(SendMessage(hwnd, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
    look.chosen = &chosen;
    look.selected = -1;  // the current-selection query names the caret row of such a list
  }
  look.focus_row = static_cast<int>(SendMessage(hwnd, LB_GETCARETINDEX, 0, 0));
  const LRESULT item = SendMessage(hwnd, LB_GETITEMHEIGHT, 0, 0);
  look.item_height = item > 0 ? static_cast<int>(item) : 0;
  look.focused = GetFocus() == hwnd;
  look.enabled = IsWindowEnabled(hwnd) != FALSE;
  look.border = false;
  look.colours = AskColours(hwnd, dc, WM_CTLCOLORLISTBOX);
  PaintListRows(dc, r, look);
}

void PaintCombo(HWND hwnd, HDC dc, const RECT& r) {
  const int sel = static_cast<int>(SendMessage(hwnd, CB_GETCURSEL, 0, 0));
  const DWORD style = StyleOf(hwnd);
  std::string text;
  if ((style & 0x3) == CBS_DROPDOWNLIST) {
    if (sel >= 0) text = RowText(hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, sel);
  } else {
    text = TextOf(hwnd);
  }
  const HFONT font = FontOf(hwnd);
  const int field = std::min(static_cast<int>(r.bottom - r.top), ListItemHeight(font) + 8);
  const RECT box{r.left, r.top, r.right, r.top + field};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  PaintComboField(dc, box, text, font, GetFocus() == hwnd, IsWindowEnabled(hwnd) != FALSE,
                  SendMessage(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0);
}

void PaintScroll(HWND hwnd, HDC dc, const RECT& r) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, SB_CTL, &si);
  PaintScrollBar(dc, r, (StyleOf(hwnd) & SBS_VERT) != 0, si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos,
                 IsWindowEnabled(hwnd) != FALSE);
}

// The border of a child's non-client area: a sunken edge for a client edge, a line for WS_BORDER.
void PaintChildBorder(HWND hwnd) {
  RECT window, client;
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (w == client.right && h == client.bottom) return;
  HDC dc = CreateWindowDC(hwnd, true);
  if (!dc) return;
  const RECT all{0, 0, w, h};
  const DWORD ex = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
  const DWORD style = StyleOf(hwnd);
  if (ex & WS_EX_CLIENTEDGE) {
    PaintEdge(dc, all, true);
  } else if (style & (WS_BORDER | WS_DLGFRAME)) {
    FrameRect(dc, &all, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  // The window's own scroll bars beside and below the client area.
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int left = origin.x - window.left, top = origin.y - window.top;
  for (const bool vertical : {true, false}) {
    if (!(style & (vertical ? WS_VSCROLL : WS_HSCROLL))) continue;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, vertical ? SB_VERT : SB_HORZ, &si);
    const RECT bar = vertical ? RECT{left + client.right, top, left + client.right + GetSystemMetrics(SM_CXVSCROLL), top + client.bottom}
                              : RECT{left, top + client.bottom, left + client.right, top + client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    PaintScrollBar(dc, bar, vertical, si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos, si.nMax > si.nMin);
  }
  if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
    const RECT corner{left + client.right, top + client.bottom, left + client.right + GetSystemMetrics(SM_CXVSCROLL),
                      top + client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
  ReleaseWindowDC(dc);
}

}  // namespace

int EditCharAt(HWND edit, POINT client) {
  if (!IsWindow(edit)) return 0;
  const std::string text = ShownEditText(edit);
  const HFONT font = FontOf(edit);
  RECT r{};
  GetClientRect(edit, &r);
  if (!(StyleOf(edit) & ES_MULTILINE)) {
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int scroll = SingleLineScroll(font, text, static_cast<int>(end), r.right - r.left - 4);
    return NearestInLine(font, text, 1 - EditTextWidth(font, text, scroll), client.x);
  }
  // Lines as PaintEditField lays them out: from the first visible one, a line height apart, one pixel down.
  const int first = static_cast<int>(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
  const int height = std::max(1, ListItemHeight(font));
  const int row = client.y < 1 ? -1 : (client.y - 1) / height;
  int line = std::max(0, first + row);
  std::size_t start = 0;
  for (; line > 0; --line) {
    const std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  std::size_t end = text.find('\n', start);
  if (end == std::string::npos) end = text.size();
  if (end > start && text[end - 1] == '\r') --end;
  const std::vector<int> stops = TabStopsInPixels(edit, font);
  return static_cast<int>(start) + NearestInLine(font, std::string_view(text).substr(start, end - start), 1, client.x, stops);
}

bool PaintStandardControl(HWND hwnd, HDC dc) {
  if (!IsWindow(hwnd) || !dc) return false;
  RECT r;
  GetClientRect(hwnd, &r);
  const std::string cls = ClassOf(hwnd);
  if (cls == "BUTTON") PaintButton(hwnd, dc, r);
  else if (cls == "STATIC") PaintStatic(hwnd, dc, r);
  else if (cls == "EDIT") PaintEdit(hwnd, dc, r);
  else if (cls == "LISTBOX") PaintList(hwnd, dc, r);
  else if (cls == "COMBOBOX") PaintCombo(hwnd, dc, r);
  else if (cls == "SCROLLBAR") PaintScroll(hwnd, dc, r);
  else return false;
  if (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) PaintChildBorder(hwnd);
  return true;
}

void PaintWindowFrame(HWND hwnd) {
  if (!IsWindow(hwnd)) return;
  RECT window, client;
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (w == client.right && h == client.bottom) return;
  const DWORD style = StyleOf(hwnd);
  if (style & WS_CHILD) {
    PaintChildBorder(hwnd);
    return;
  }
  HDC dc = CreateWindowDC(hwnd, true);
  if (!dc) return;
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int left = origin.x - window.left;
  const int top = origin.y - window.top;
  const RECT all{0, 0, w, h};
  if (left <= 1 && (style & WS_CAPTION) != WS_CAPTION && !GetMenu(hwnd)) {
    // A thin border (pop-ups): one dark line.
    FrameRect(dc, &all, GetSysColorBrush(COLOR_WINDOWFRAME));
    ReleaseWindowDC(dc);
    return;
  }
  // The frame: face colour with a raised edge, the client area left out.
  const RECT bands[4] = {{0, 0, w, top}, {0, top, left, h}, {left + client.right, top, w, h},
                         {left, top + client.bottom, left + client.right, h}};
  for (const RECT& b : bands) FillRect(dc, &b, GetSysColorBrush(COLOR_BTNFACE));
  if (w >= 4 && h >= 4) PaintEdge(dc, all, false);
  const int border = left;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    const RECT bar{border, border, w - border, border + caption - 1};
    FillRect(dc, &bar, GetSysColorBrush(GetForegroundWindow() == hwnd || !GetForegroundWindow() ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    LOGFONTA lf{};
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, bold);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    const RECT box = SystemMenuBoxRect(hwnd);
    PaintSystemMenuBox(dc, box);
    const std::string title = TextOf(hwnd);
    RECT t{std::max<int>(bar.left, box.right) + 4, bar.top, bar.right - 4, bar.bottom};
    DrawText(dc, title.c_str(), static_cast<int>(title.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(bold);
  }
  if (GetMenu(hwnd)) PaintMenuBar(dc, hwnd, platform::win::MenuBarHotItem(hwnd));
  ReleaseWindowDC(dc);
}

}  // namespace platform::gdi
