// The edit class: single-line (and plain multi-line) text entry on Windows-1252 bytes.
//
// Setting the text (WM_SETTEXT, so SetWindowText and SetDlgItemText) sends EN_CHANGE like typing does, with the
// caret put at the start and the modified flag cleared; EM_REPLACESEL and typing send EN_UPDATE then EN_CHANGE.
// Typing stops at the limit (EN_MAXTEXT); setting the text does not obey the limit.
// Copy, cut and paste go through the clipboard (WM_COPY/WM_CUT/WM_PASTE, Ctrl+C/X/V, Ctrl+Ins, Shift+Del/Ins); text
// the user selects becomes the primary selection, which a middle click pastes.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/standard_controls.h"
#include "platform/win/caret.h"
#include "platform/win/clipboard.h"
#include "platform/win/controls.h"
#include "platform/win/edit_tab_stops.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_font.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

struct EditData : ControlData {
  int limit = kEditDefaultLimit;
  int anchor = 0;
  int caret = 0;
  bool modified = false;
  bool tracking = false;
  char password = 0;
  std::string undo;
  bool can_undo = false;
  int first_line = 0;  // multi-line: the first visible line
  std::vector<int> tab_stops;  // EM_SETTABSTOPS, dialog units; none: every 8 average widths
};

// Lines of a multi-line text: they end at '\n' (a '\r' before it belongs to the break).
int LineOf(const std::string& s, int pos) {
  pos = std::clamp(pos, 0, static_cast<int>(s.size()));
  return static_cast<int>(std::count(s.begin(), s.begin() + pos, '\n'));
}
int LineCount(const std::string& s) { return 1 + static_cast<int>(std::count(s.begin(), s.end(), '\n')); }
// The offset where a line starts; -1 past the last line.
int LineStart(const std::string& s, int line) {
  if (line < 0) return -1;
  std::size_t start = 0;
  for (int i = 0; i < line; ++i) {
    const std::size_t nl = s.find('\n', start);
    if (nl == std::string::npos) return -1;
    start = nl + 1;
  }
  return static_cast<int>(start);
}
// The offset where the line that starts at start ends, before its break.
int LineEnd(const std::string& s, int start) {
  std::size_t end = s.find('\n', static_cast<std::size_t>(start));
  if (end == std::string::npos) end = s.size();
  if (end > static_cast<std::size_t>(start) && s[end - 1] == '\r') --end;
  return static_cast<int>(end);
}

std::string& TextOf(HWND hwnd) { return Lookup(hwnd)->text; }
DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

int SelStart(const EditData& d) { return std::min(d.anchor, d.caret); }
int SelEnd(const EditData& d) { return std::max(d.anchor, d.caret); }

void Clamp(HWND hwnd, EditData& d) {
  int n = static_cast<int>(TextOf(hwnd).size());
  d.anchor = std::clamp(d.anchor, 0, n);
  d.caret = std::clamp(d.caret, 0, n);
}

int VisibleLines(HWND hwnd) {
  RECT c{};
  GetClientRect(hwnd, &c);
  return std::max(1, static_cast<int>(c.bottom - 2) / std::max(1, platform::win::ListItemHeight(hwnd)));
}

// Multi-line: scrolls so that the caret's line shows, and sets the vertical scroll bar to the text.
void ScrollCaret(HWND hwnd, EditData& d) {
  if (!(Style(hwnd) & ES_MULTILINE)) return;
  const std::string& s = TextOf(hwnd);
  const int lines = LineCount(s), shown = VisibleLines(hwnd), line = LineOf(s, d.caret);
  int first = d.first_line;
  if (line < first) first = line;
  if (line >= first + shown) first = line - shown + 1;
  first = std::clamp(first, 0, std::max(0, lines - 1));
  if (first != d.first_line) {
    d.first_line = first;
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  if (Style(hwnd) & WS_VSCROLL) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, lines - 1, static_cast<UINT>(shown), first, 0};
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
  }
}

void ScrollLines(HWND hwnd, EditData& d, int first) {
  const std::string& s = TextOf(hwnd);
  first = std::clamp(first, 0, std::max(0, LineCount(s) - VisibleLines(hwnd)));
  if (first == d.first_line) return;
  d.first_line = first;
  InvalidateRect(hwnd, nullptr, FALSE);
  if (Style(hwnd) & WS_VSCROLL) SetScrollPos(hwnd, SB_VERT, first, TRUE);
}

void Changed(HWND hwnd) {
  if (EditData* d = DataOf<EditData>(hwnd)) {
    d->modified = true;
    Clamp(hwnd, *d);
    ScrollCaret(hwnd, *d);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  NotifyTextChanged(hwnd);
  NotifyParent(hwnd, EN_UPDATE);
  if (IsWindow(hwnd)) NotifyParent(hwnd, EN_CHANGE);
}

// Replaces the selection with text, cut to the limit. Returns false when nothing could be put in.
bool ReplaceSelection(HWND hwnd, EditData& d, std::string text, bool obey_limit) {
  std::string& s = TextOf(hwnd);
  Clamp(hwnd, d);
  int a = SelStart(d);
  int b = SelEnd(d);
  DWORD style = Style(hwnd);
  if (style & ES_UPPERCASE)
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (style & ES_LOWERCASE)
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (!(style & ES_MULTILINE)) text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }), text.end());
  bool cut = false;
  if (obey_limit) {
    long room = static_cast<long>(d.limit) - (static_cast<long>(s.size()) - (b - a));
    if (room < static_cast<long>(text.size())) {
      text.resize(static_cast<std::size_t>(std::max(0L, room)));
      cut = true;
    }
  }
  if (text.empty() && a == b) {
    if (cut) NotifyParent(hwnd, EN_MAXTEXT);
    return false;
  }
  d.undo = s;
  d.can_undo = true;
  s.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), text);
  d.anchor = d.caret = a + static_cast<int>(text.size());
  Changed(hwnd);
  if (cut && IsWindow(hwnd)) NotifyParent(hwnd, EN_MAXTEXT);
  return true;
}

bool ReadOnly(HWND hwnd) { return (Style(hwnd) & ES_READONLY) != 0; }

void Beep() {}

int PositionAt(HWND hwnd, LPARAM point) {
  return platform::gdi::EditCharAt(hwnd, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
}

// Puts the selected text into a selection; a password field gives nothing away.
void Offer(HWND hwnd, const EditData& d, platform::win::Selection which) {
  if (d.password) return;
  const int a = SelStart(d), b = SelEnd(d);
  if (a < b) platform::win::SetSelectionText(which, TextOf(hwnd).substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a)));
}

void Copy(HWND hwnd, const EditData& d) { Offer(hwnd, d, platform::win::Selection::kClipboard); }
void OfferPrimary(HWND hwnd, const EditData& d) { Offer(hwnd, d, platform::win::Selection::kPrimary); }

// Double click: the run of word characters (letters, digits, '_'), of blanks or of other characters under the
// clicked one.
int CharKind(unsigned char c) {
  if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return 0;
  const bool letter = std::isalnum(c) || c == '_' || (c >= 0xC0 && c != 0xD7 && c != 0xF7) || c == 0x8A || c == 0x8C ||
                      c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F || c == 0xB5;
  return letter ? 1 : 2;
}

void SelectWordAt(HWND hwnd, EditData& d, int at) {
  const std::string& s = TextOf(hwnd);
  const int n = static_cast<int>(s.size());
  at = std::clamp(at, 0, n);
  // Past a line's last character the word before the click is meant.
  if (at > 0 && (at == n || s[static_cast<std::size_t>(at)] == '\r' || s[static_cast<std::size_t>(at)] == '\n')) --at;
  if (n == 0 || s[static_cast<std::size_t>(at)] == '\r' || s[static_cast<std::size_t>(at)] == '\n') {
    d.anchor = d.caret = at;
    return;
  }
  const int kind = CharKind(static_cast<unsigned char>(s[static_cast<std::size_t>(at)]));
  auto same = [&](int i) {
    const char c = s[static_cast<std::size_t>(i)];
    return c != '\r' && c != '\n' && CharKind(static_cast<unsigned char>(c)) == kind;
  };
  int a = at, b = at + 1;
  while (a > 0 && same(a - 1)) --a;
  while (b < n && same(b)) ++b;
  d.anchor = a;
  d.caret = b;
}

void OnChar(HWND hwnd, EditData& d, int ch) {
  if (ch == 0x01) {  // Ctrl+A selects the whole text
    d.anchor = 0;
    d.caret = static_cast<int>(TextOf(hwnd).size());
    InvalidateRect(hwnd, nullptr, FALSE);
    ScrollCaret(hwnd, d);
    OfferPrimary(hwnd, d);
    return;
  }
  if (ch == 0x03) {  // Ctrl+C
    Copy(hwnd, d);
    return;
  }
  if (ch == 0x16 || ch == 0x18) {  // Ctrl+V, Ctrl+X
    SendMessage(hwnd, ch == 0x16 ? WM_PASTE : WM_CUT, 0, 0);
    return;
  }
  if (ReadOnly(hwnd)) {
    Beep();
    return;
  }
  if (ch == 0x08) {
    Clamp(hwnd, d);
    if (d.anchor == d.caret) {
      if (d.caret == 0) return;
      d.anchor = d.caret - 1;
    }
    ReplaceSelection(hwnd, d, "", false);
    return;
  }
  if (ch == '\r') {
    if ((Style(hwnd) & ES_MULTILINE)) ReplaceSelection(hwnd, d, "\r\n", true);
    return;
  }
  if (ch < 0x20 || ch == 0x7F) return;
  if ((Style(hwnd) & ES_NUMBER) && !std::isdigit(ch)) {
    Beep();
    return;
  }
  ReplaceSelection(hwnd, d, std::string(1, static_cast<char>(ch)), true);
}

void OnKey(HWND hwnd, EditData& d, int vk) {
  int n = static_cast<int>(TextOf(hwnd).size());
  bool shift = GetKeyState(VK_SHIFT) < 0;
  int to = d.caret;
  const bool multi = (Style(hwnd) & ES_MULTILINE) != 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const std::string& s = TextOf(hwnd);
  // Multi-line: up, down and the page keys keep the column; Home and End stay on the line (Ctrl: the text).
  auto to_line = [&](int line) {
    line = std::clamp(line, 0, LineCount(s) - 1);
    const int here = LineStart(s, LineOf(s, d.caret));
    const int start = LineStart(s, line);
    return std::min(start + (d.caret - here), LineEnd(s, start));
  };
  switch (vk) {
    case VK_LEFT: to = std::max(0, d.caret - 1); break;
    case VK_RIGHT: to = std::min(n, d.caret + 1); break;
    case VK_HOME: to = multi && !ctrl ? LineStart(s, LineOf(s, d.caret)) : 0; break;
    case VK_END: to = multi && !ctrl ? LineEnd(s, LineStart(s, LineOf(s, d.caret))) : n; break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      if (!multi) return;
      const int step = vk == VK_UP ? -1 : vk == VK_DOWN ? 1 : vk == VK_PRIOR ? -VisibleLines(hwnd) : VisibleLines(hwnd);
      to = to_line(LineOf(s, d.caret) + step);
      break;
    }
    case VK_INSERT:
      if (shift) SendMessage(hwnd, WM_PASTE, 0, 0);
      else if (ctrl) SendMessage(hwnd, WM_COPY, 0, 0);
      return;
    case VK_DELETE:
      if (shift) {
        SendMessage(hwnd, WM_CUT, 0, 0);
        return;
      }
      if (ReadOnly(hwnd)) return;
      if (d.anchor == d.caret) {
        if (d.caret >= n) return;
        d.anchor = d.caret + 1;
      }
      ReplaceSelection(hwnd, d, "", false);
      return;
    default: return;
  }
  d.caret = to;
  if (!shift) d.anchor = to;
  InvalidateRect(hwnd, nullptr, FALSE);
  ScrollCaret(hwnd, d);
  if (shift) OfferPrimary(hwnd, d);
}

LRESULT GetLine(HWND hwnd, int line, char* buffer) {
  if (!buffer) return 0;
  WORD size;
  std::memcpy(&size, buffer, sizeof size);
  const std::string& s = TextOf(hwnd);
  std::size_t start = 0;
  for (int i = 0; i < line; ++i) {
    std::size_t nl = s.find('\n', start);
    if (nl == std::string::npos) return 0;
    start = nl + 1;
  }
  std::size_t end = s.find('\n', start);
  if (end == std::string::npos) end = s.size();
  if (end > start && s[end - 1] == '\r') --end;
  std::size_t n = std::min<std::size_t>(size, end - start);
  std::memcpy(buffer, s.data() + start, n);
  return static_cast<LRESULT>(n);
}

LRESULT EditMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  EditData* d = DataOf<EditData>(hwnd);
  if (!d) return 0;
  switch (message) {
    case WM_CREATE:
      if (Style(hwnd) & ES_PASSWORD) d->password = '*';
      if (Style(hwnd) & ES_MULTILINE) d->limit = kEditMultiLineLimit;
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      const MSG* m = reinterpret_cast<const MSG*>(lparam);
      if ((Style(hwnd) & ES_MULTILINE) && m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN &&
          (Style(hwnd) & ES_WANTRETURN))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lparam);
      TextOf(hwnd) = text && !IS_INTRESOURCE(text) ? text : "";
      d->anchor = d->caret = 0;
      d->modified = false;
      d->can_undo = false;
      InvalidateRect(hwnd, nullptr, TRUE);
      NotifyTextChanged(hwnd);
      NotifyParent(hwnd, EN_UPDATE);
      if (IsWindow(hwnd)) NotifyParent(hwnd, EN_CHANGE);
      return TRUE;
    }
    case WM_CHAR: OnChar(hwnd, *d, static_cast<int>(wparam & 0xFF)); return 0;
    case WM_KEYDOWN: OnKey(hwnd, *d, static_cast<int>(wparam)); return 0;
    case EM_SETSEL: {
      int n = static_cast<int>(TextOf(hwnd).size());
      int start = static_cast<int>(static_cast<std::intptr_t>(wparam));
      int end = static_cast<int>(lparam);
      if (start == -1) {
        d->anchor = d->caret;
      } else {
        if (end < 0 || end > n) end = n;
        if (start < 0 || start > n) start = n;
        d->anchor = start;
        d->caret = end;
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    case EM_GETSEL: {
      DWORD a = static_cast<DWORD>(SelStart(*d));
      DWORD b = static_cast<DWORD>(SelEnd(*d));
      if (wparam) *reinterpret_cast<DWORD*>(wparam) = a;
      if (lparam) *reinterpret_cast<DWORD*>(lparam) = b;
      return MAKELONG(static_cast<WORD>(std::min<DWORD>(a, 0xFFFF)), static_cast<WORD>(std::min<DWORD>(b, 0xFFFF)));
    }
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(lparam);
      ReplaceSelection(hwnd, *d, text ? text : "", true);
      return 0;
    }
    case EM_LIMITTEXT:
      d->limit = wparam ? static_cast<int>(std::min<WPARAM>(wparam, kEditMaxLimit)) : kEditMaxLimit;
      return 0;
    case EM_GETLIMITTEXT: return d->limit;
    case EM_GETMODIFY: return d->modified ? TRUE : FALSE;
    case EM_SETMODIFY: d->modified = wparam != 0; return 0;
    case EM_SETREADONLY: {
      LONG style = GetWindowLong(hwnd, GWL_STYLE);
      SetWindowLong(hwnd, GWL_STYLE, wparam ? (style | static_cast<LONG>(ES_READONLY)) : (style & ~static_cast<LONG>(ES_READONLY)));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR: d->password = static_cast<char>(wparam); return 0;
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(d->password);
    case EM_GETLINECOUNT:
      if (!(Style(hwnd) & ES_MULTILINE)) return 1;
      return 1 + std::count(TextOf(hwnd).begin(), TextOf(hwnd).end(), '\n');
    case EM_GETLINE: return GetLine(hwnd, (Style(hwnd) & ES_MULTILINE) ? static_cast<int>(wparam) : 0,
                                    reinterpret_cast<char*>(lparam));
    case EM_LINEINDEX: {
      if (static_cast<int>(wparam) == -1) return d->caret;
      const std::string& s = TextOf(hwnd);
      std::size_t start = 0;
      for (int i = 0; i < static_cast<int>(wparam); ++i) {
        std::size_t nl = s.find('\n', start);
        if (nl == std::string::npos) return -1;
        start = nl + 1;
      }
      return static_cast<LRESULT>(start);
    }
    case EM_LINELENGTH: {
      if (!(Style(hwnd) & ES_MULTILINE)) return static_cast<LRESULT>(TextOf(hwnd).size());
      const std::string& s = TextOf(hwnd);
      const int at = static_cast<int>(static_cast<std::intptr_t>(wparam)) < 0 ? d->caret : static_cast<int>(wparam);
      const int start = LineStart(s, LineOf(s, at));
      return LineEnd(s, start) - start;
    }
    case EM_LINEFROMCHAR: {
      if (!(Style(hwnd) & ES_MULTILINE)) return 0;
      const int at = static_cast<int>(static_cast<std::intptr_t>(wparam)) < 0 ? SelStart(*d) : static_cast<int>(wparam);
      return LineOf(TextOf(hwnd), at);
    }
    case EM_LINESCROLL:
      if (Style(hwnd) & ES_MULTILINE) ScrollLines(hwnd, *d, d->first_line + static_cast<int>(lparam));
      return TRUE;
    case WM_VSCROLL: {
      if (!(Style(hwnd) & ES_MULTILINE)) return 0;
      const int page = VisibleLines(hwnd);
      switch (LOWORD(wparam)) {
        case SB_LINEUP: ScrollLines(hwnd, *d, d->first_line - 1); break;
        case SB_LINEDOWN: ScrollLines(hwnd, *d, d->first_line + 1); break;
        case SB_PAGEUP: ScrollLines(hwnd, *d, d->first_line - page); break;
        case SB_PAGEDOWN: ScrollLines(hwnd, *d, d->first_line + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollLines(hwnd, *d, HIWORD(wparam)); break;
        case SB_TOP: ScrollLines(hwnd, *d, 0); break;
        case SB_BOTTOM: ScrollLines(hwnd, *d, LineCount(TextOf(hwnd))); break;
        default: break;
      }
      return 0;
    }
    case EM_CANUNDO: return d->can_undo ? TRUE : FALSE;
    case EM_UNDO:
    case WM_UNDO: {
      if (!d->can_undo) return FALSE;
      std::string now = TextOf(hwnd);
      TextOf(hwnd) = d->undo;
      d->undo = now;
      d->anchor = d->caret = static_cast<int>(TextOf(hwnd).size());
      Changed(hwnd);
      return TRUE;
    }
    case EM_EMPTYUNDOBUFFER: d->can_undo = false; return 0;
    case EM_SCROLLCARET: ScrollCaret(hwnd, *d); return TRUE;
    case EM_GETFIRSTVISIBLELINE: return (Style(hwnd) & ES_MULTILINE) ? d->first_line : 0;
    case EM_SETTABSTOPS: {
      // Only a multi-line edit has tab stops; none (count 0) goes back to the default, one is a spacing.
      if (!(Style(hwnd) & ES_MULTILINE)) return FALSE;
      const auto* stops = reinterpret_cast<const int*>(lparam);
      const int count = static_cast<int>(wparam);
      if (count > 0 && !stops) return FALSE;
      d->tab_stops.assign(stops, stops + std::max(0, count));
      if (count == 1 && d->tab_stops[0] == 0) d->tab_stops.clear();
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case EM_GETRECT:
      if (lparam) GetClientRect(hwnd, reinterpret_cast<RECT*>(lparam));
      return 0;
    case WM_COPY: Copy(hwnd, *d); return 0;
    case WM_CUT:
      Copy(hwnd, *d);
      [[fallthrough]];
    case WM_CLEAR:
      if (!ReadOnly(hwnd) && SelStart(*d) < SelEnd(*d)) ReplaceSelection(hwnd, *d, "", false);
      return 0;
    case WM_PASTE:
      if (!ReadOnly(hwnd)) ReplaceSelection(hwnd, *d, platform::win::SelectionText(platform::win::Selection::kClipboard), true);
      return 0;
    case WM_SETFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyParent(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (d->tracking) {
        d->tracking = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyParent(hwnd, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != hwnd) SetFocus(hwnd);
      d = DataOf<EditData>(hwnd);
      if (!d || GetFocus() != hwnd) return 0;
      int at = PositionAt(hwnd, lparam);
      d->caret = at;
      if (!(wparam & MK_SHIFT)) d->anchor = at;
      d->tracking = true;
      SetCapture(hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (d->tracking) {
        d->caret = PositionAt(hwnd, lparam);
        InvalidateRect(hwnd, nullptr, FALSE);
        ScrollCaret(hwnd, *d);
      }
      return 0;
    case WM_LBUTTONUP:
      if (d->tracking) {
        d->tracking = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        OfferPrimary(hwnd, *d);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      d = DataOf<EditData>(hwnd);
      if (!d) return 0;
      SelectWordAt(hwnd, *d, PositionAt(hwnd, lparam));
      InvalidateRect(hwnd, nullptr, FALSE);
      OfferPrimary(hwnd, *d);
      return 0;
    case WM_MBUTTONDOWN: {
      // The X way: the primary selection is pasted where the middle button is pressed.
      if (GetFocus() != hwnd) SetFocus(hwnd);
      d = DataOf<EditData>(hwnd);
      if (!d || GetFocus() != hwnd || ReadOnly(hwnd)) return 0;
      d->anchor = d->caret = PositionAt(hwnd, lparam);
      ReplaceSelection(hwnd, *d, platform::win::SelectionText(platform::win::Selection::kPrimary), true);
      return 0;
    }
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_PAINT: return PaintControl(hwnd);
    default: return DefWindowProc(hwnd, message, wparam, lparam);
  }
}

}  // namespace

// The caret blinks while the edit has the focus, and stays on for a whole period after it moved.
LRESULT EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  // Before the parent hears EN_SETFOCUS / EN_KILLFOCUS, which may move the focus again.
  if (message == WM_SETFOCUS) platform::win::StartCaret(hwnd);
  if (message == WM_KILLFOCUS || message == WM_DESTROY) platform::win::StopCaret(hwnd);
  const EditData* d = DataOf<EditData>(hwnd);
  const int caret = d ? d->caret : 0;
  const LRESULT result = EditMessage(hwnd, message, wparam, lparam);
  if ((d = DataOf<EditData>(hwnd)) != nullptr && d->caret != caret) platform::win::RestartCaretBlink(hwnd);
  return result;
}

}  // namespace platform::win::detail

std::vector<int> platform::win::EditTabStops(HWND edit) {
  const auto* d = platform::win::detail::DataOf<platform::win::detail::EditData>(edit);
  return d ? d->tab_stops : std::vector<int>{};
}
