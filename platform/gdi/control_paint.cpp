#include "platform/gdi/control_paint.h"

#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/images.h"
#include "platform/gdi/sys_colors.h"
#include "platform/gdi/tab_stops.h"
#include "platform/win/rect.h"
#include "platform/win/scroll_geometry.h"

namespace platform::gdi {
namespace {

HFONT FontOr(HFONT font) { return font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void Fill(HDC dc, const RECT& r, int colour_index) { FillRect(dc, &r, GetSysColorBrush(colour_index)); }

void HLine(HDC dc, int x0, int x1, int y, int colour_index) {
  const RECT r{x0, y, x1, y + 1};
  Fill(dc, r, colour_index);
}
void VLine(HDC dc, int x, int y0, int y1, int colour_index) {
  const RECT r{x, y0, x + 1, y1};
  Fill(dc, r, colour_index);
}

// Selects font, colours and transparent mode for the duration of a paint step.
class TextState {
 public:
  TextState(HDC dc, HFONT font, COLORREF colour) : dc_(dc) {
    old_font_ = SelectObject(dc, FontOr(font));
    old_colour_ = SetTextColor(dc, colour);
    old_mode_ = SetBkMode(dc, TRANSPARENT);
  }
  ~TextState() {
    SelectObject(dc_, old_font_);
    SetTextColor(dc_, old_colour_);
    SetBkMode(dc_, old_mode_);
  }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_font_;
  COLORREF old_colour_;
  int old_mode_;
};

int TextHeight(HDC dc, HFONT font) {
  HGDIOBJ old = SelectObject(dc, FontOr(font));
  TEXTMETRICA tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  return tm.tmHeight;
}

COLORREF TextColour(bool enabled) { return GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT); }

// The background: the parent's brush, or a system colour.
void FillBack(HDC dc, const RECT& r, const ControlColours& c, int colour_index) {
  FillRect(dc, &r, c.background ? c.background : GetSysColorBrush(colour_index));
}
// The text colour: the parent's, or a system colour; grey when disabled.
COLORREF TextOf(const ControlColours& c, bool enabled, int colour_index) {
  if (!enabled) return GetSysColor(COLOR_GRAYTEXT);
  return c.text != CLR_INVALID ? c.text : GetSysColor(colour_index);
}

}  // namespace

RECT PaintEdge(HDC dc, const RECT& r, bool sunken) {
  if (r.right - r.left < 4 || r.bottom - r.top < 4) return r;
  const int outer_light = sunken ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
  const int outer_dark = sunken ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW;
  const int inner_light = sunken ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
  const int inner_dark = sunken ? COLOR_3DLIGHT : COLOR_BTNSHADOW;
  HLine(dc, r.left, r.right - 1, r.top, outer_light);
  VLine(dc, r.left, r.top, r.bottom - 1, outer_light);
  HLine(dc, r.left, r.right, r.bottom - 1, outer_dark);
  VLine(dc, r.right - 1, r.top, r.bottom, outer_dark);
  HLine(dc, r.left + 1, r.right - 2, r.top + 1, inner_light);
  VLine(dc, r.left + 1, r.top + 1, r.bottom - 2, inner_light);
  HLine(dc, r.left + 1, r.right - 1, r.bottom - 2, inner_dark);
  VLine(dc, r.right - 2, r.top + 1, r.bottom - 1, inner_dark);
  return RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
}

void PaintFocusRect(HDC dc, const RECT& r) {
  const int old = SetROP2(dc, R2_NOT);
  for (int x = r.left; x < r.right; x += 2) {
    SetPixelV(dc, x, r.top, 0);
    SetPixelV(dc, x, r.bottom - 1, 0);
  }
  for (int y = r.top + 2; y < r.bottom - 1; y += 2) {
    SetPixelV(dc, r.left, y, 0);
    SetPixelV(dc, r.right - 1, y, 0);
  }
  SetROP2(dc, old);
}

void PaintPushButton(HDC dc, const RECT& rect, const ButtonLook& look) {
  RECT r = rect;
  if (look.default_button || look.focused) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  Fill(dc, r, COLOR_BTNFACE);
  RECT inner = look.pushed ? (FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)), RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1})
                           : PaintEdge(dc, r, false);
  RECT text = inner;
  if (look.pushed) OffsetRect(&text, 1, 1);
  if (look.bitmap || look.icon) {
    // The picture centred, clipped to the face.
    const SIZE size = look.bitmap ? BitmapSize(look.bitmap) : SIZE{32, 32};
    const int x = (text.left + text.right - size.cx) / 2, y = (text.top + text.bottom - size.cy) / 2;
    const int save = SaveDC(dc);
    IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    if (look.bitmap) DrawBitmapAt(dc, x, y, look.bitmap, !look.enabled);
    else DrawIcon(dc, x, y, look.icon);
    RestoreDC(dc, save);
  } else {
    TextState ts(dc, look.font, TextColour(look.enabled));
    std::string copy(look.text);
    DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (look.focused) {
    RECT f = inner;
    InflateRect(&f, -2, -2);
    PaintFocusRect(dc, f);
  }
}

void PaintCheckButton(HDC dc, const RECT& rect, const CheckLook& look) {
  FillBack(dc, rect, look.colours, COLOR_BTNFACE);
  constexpr int kBox = 13;
  const int top = rect.top + (rect.bottom - rect.top - kBox) / 2;
  const int left = look.text_left ? rect.right - kBox : rect.left;
  const RECT box{left, top, left + kBox, top + kBox};
  if (look.radio) {
    HGDIOBJ old_pen = SelectObject(dc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    HGDIOBJ old_brush = SelectObject(dc, GetSysColorBrush(look.enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (look.state == 1) {
      SelectObject(dc, GetSysColorBrush(COLOR_WINDOWTEXT));
      DeleteObject(SelectObject(dc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT))));
      Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
    }
    DeleteObject(SelectObject(dc, old_pen));
    SelectObject(dc, old_brush);
  } else {
    const RECT inside = PaintEdge(dc, box, true);
    Fill(dc, inside, look.enabled && look.state != 2 ? COLOR_WINDOW : COLOR_BTNFACE);
    if (look.state != 0) {
      // A tick of three strokes.
      HGDIOBJ old_pen = SelectObject(dc, CreatePen(PS_SOLID, 1, GetSysColor(look.enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT)));
      for (int d = 0; d < 3; ++d) {
        MoveToEx(dc, inside.left + 1, inside.top + 3 + d, nullptr);
        LineTo(dc, inside.left + 3, inside.top + 5 + d);
        LineTo(dc, inside.left + 8, inside.top + d);
      }
      DeleteObject(SelectObject(dc, old_pen));
    }
  }
  RECT text = rect;
  if (look.text_left) text.right = box.left - 4;
  else text.left = box.right + 4;
  TextState ts(dc, look.font, TextOf(look.colours, look.enabled, COLOR_BTNTEXT));
  std::string copy(look.text);
  DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (look.focused && !look.text.empty()) {
    RECT measure = text;
    DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &measure, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    const int h = measure.bottom - measure.top;
    RECT f{text.left - 1, text.top + (text.bottom - text.top - h) / 2 - 1, measure.right + 1, 0};
    f.bottom = f.top + h + 2;
    PaintFocusRect(dc, f);
  }
}

void PaintGroupBox(HDC dc, const RECT& rect, std::string_view text, HFONT font, bool enabled,
                   const ControlColours& colours) {
  const int h = TextHeight(dc, font);
  const RECT frame{rect.left, rect.top + h / 2, rect.right, rect.bottom};
  // An etched frame: shadow line with a highlight line inside.
  RECT outer{frame.left, frame.top, frame.right - 1, frame.bottom - 1};
  FrameRect(dc, &outer, GetSysColorBrush(COLOR_BTNSHADOW));
  RECT inner{frame.left + 1, frame.top + 1, frame.right, frame.bottom};
  FrameRect(dc, &inner, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  VLine(dc, frame.right - 2, frame.top + 1, frame.bottom - 1, COLOR_BTNSHADOW);
  HLine(dc, frame.left + 1, frame.right - 1, frame.bottom - 2, COLOR_BTNSHADOW);
  if (text.empty()) return;
  std::string copy(text);
  TextState ts(dc, font, TextOf(colours, enabled, COLOR_BTNTEXT));
  RECT t{rect.left + 8, rect.top, rect.right - 8, rect.top + h};
  RECT measure = t;
  DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &measure, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  const RECT gap{t.left - 2, t.top, std::min(measure.right + 2, rect.right - 6), t.bottom};
  FillBack(dc, gap, colours, COLOR_BTNFACE);
  DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &t, DT_LEFT | DT_SINGLELINE);
}

void PaintStaticText(HDC dc, const RECT& rect, std::string_view text, HFONT font, UINT format, bool enabled,
                     const ControlColours& colours) {
  FillBack(dc, rect, colours, COLOR_BTNFACE);
  TextState ts(dc, font, TextOf(colours, enabled, COLOR_WINDOWTEXT));
  std::string copy(text);
  RECT r = rect;
  DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &r, format);
}

int EditTextWidth(HFONT font, std::string_view text, int n, std::span<const int> tab_stops) {
  LOGFONTA lf{};
  if (!font || GetObject(font, sizeof(lf), &lf) == 0) GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  n = std::clamp(n, 0, static_cast<int>(text.size()));
  const std::string_view shown = text.substr(0, static_cast<std::size_t>(n));
  if (shown.find('\t') == std::string_view::npos) return MeasureText(lf, shown.data(), n).cx;
  const int average = MeasureFontMetrics(lf).tmAveCharWidth;
  int x = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = shown.find('\t', start);
    const std::string_view piece = shown.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    x += MeasureText(lf, piece.data(), static_cast<int>(piece.size())).cx;
    if (tab == std::string_view::npos) return x;
    x = NextTabStop(x, 0, static_cast<int>(tab_stops.size()), tab_stops.data(), average);
    start = tab + 1;
  }
}

namespace {

// Characters first..last of an edit's line drawn at their places, the line starting at x0: tabs are not drawn,
// the text after one starts at its stop.
void DrawEditText(HDC dc, HFONT font, int x0, int y, std::string_view line, int first, int last,
                  std::span<const int> stops) {
  int start = first;
  while (start < last) {
    const std::size_t tab = line.find('\t', static_cast<std::size_t>(start));
    const int end = tab == std::string_view::npos ? last : std::min(last, static_cast<int>(tab));
    if (end > start) TextOut(dc, x0 + EditTextWidth(font, line, start, stops), y, line.data() + start, end - start);
    start = end + 1;
  }
}

}  // namespace

int EditPositionAt(HFONT font, std::string_view text, int scroll, int x) {
  scroll = std::clamp(scroll, 0, static_cast<int>(text.size()));
  const int origin = 2 + 1 - EditTextWidth(font, text, scroll);  // border and margin
  int best = scroll;
  int best_distance = 1 << 30;
  for (int i = scroll; i <= static_cast<int>(text.size()); ++i) {
    const int d = std::abs(origin + EditTextWidth(font, text, i) - x);
    if (d < best_distance) {
      best = i;
      best_distance = d;
    }
  }
  return best;
}

void PaintEditField(HDC dc, const RECT& rect, const EditLook& look) {
  RECT inner = look.border ? PaintEdge(dc, rect, true) : rect;
  const int background = look.enabled && !look.read_only ? COLOR_WINDOW : COLOR_BTNFACE;
  FillBack(dc, inner, look.colours, background);
  const int save = SaveDC(dc);
  IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  HGDIOBJ old_font = SelectObject(dc, FontOr(look.font));
  TEXTMETRICA tm{};
  GetTextMetrics(dc, &tm);
  SetBkMode(dc, TRANSPARENT);
  const int lo = std::min(look.selection_start, look.selection_end);
  const int hi = std::max(look.selection_start, look.selection_end);
  // Lines with their offsets in the text.
  struct Line {
    int start;
    std::string_view text;
  };
  std::vector<Line> lines;
  if (look.multiline) {
    std::size_t pos = 0;
    for (;;) {
      const std::size_t end = look.text.find('\n', pos);
      std::string_view l = look.text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
      if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
      lines.push_back({static_cast<int>(pos), l});
      if (end == std::string_view::npos) break;
      pos = end + 1;
    }
  } else {
    lines.push_back({0, look.text});
  }
  const int first = look.multiline ? std::clamp(look.scroll, 0, static_cast<int>(lines.size()) - 1) : 0;
  int y = inner.top + (look.multiline ? 1 : std::max(0, static_cast<int>((inner.bottom - inner.top - tm.tmHeight) / 2)));
  for (int i = first; i < static_cast<int>(lines.size()) && y < inner.bottom; ++i, y += tm.tmHeight) {
    const Line& l = lines[static_cast<std::size_t>(i)];
    const int scroll = look.multiline ? 0 : std::clamp(look.scroll, 0, static_cast<int>(l.text.size()));
    const int x0 = inner.left + 1 - EditTextWidth(look.font, l.text, scroll, look.tab_stops);
    SetTextColor(dc, TextOf(look.colours, look.enabled, COLOR_WINDOWTEXT));
    DrawEditText(dc, look.font, x0, y, l.text, 0, static_cast<int>(l.text.size()), look.tab_stops);
    // The selected part drawn over in the highlight colours.
    const int s0 = std::clamp(lo - l.start, 0, static_cast<int>(l.text.size()));
    const int s1 = std::clamp(hi - l.start, 0, static_cast<int>(l.text.size()));
    if (s1 > s0 && look.focused) {
      const RECT sel{x0 + EditTextWidth(look.font, l.text, s0, look.tab_stops), y,
                     x0 + EditTextWidth(look.font, l.text, s1, look.tab_stops), y + tm.tmHeight};
      Fill(dc, sel, COLOR_HIGHLIGHT);
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      DrawEditText(dc, look.font, x0, y, l.text, s0, s1, look.tab_stops);
    }
    if (look.focused && look.caret >= l.start && look.caret <= l.start + static_cast<int>(l.text.size())) {
      const int cx = x0 + EditTextWidth(look.font, l.text, look.caret - l.start, look.tab_stops);
      const RECT caret{cx, y, cx + 1, y + tm.tmHeight};
      Fill(dc, caret, COLOR_WINDOWTEXT);
    }
  }
  SelectObject(dc, old_font);
  RestoreDC(dc, save);
}

int ListItemHeight(HFONT font) {
  LOGFONTA lf{};
  if (!font || GetObject(font, sizeof(lf), &lf) == 0) GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  return MeasureFontMetrics(lf).tmHeight;
}

void PaintListRows(HDC dc, const RECT& rect, const ListLook& look) {
  RECT inner = look.border ? PaintEdge(dc, rect, true) : rect;
  FillBack(dc, inner, look.colours, look.enabled ? COLOR_WINDOW : COLOR_BTNFACE);
  if (!look.rows) return;
  const int save = SaveDC(dc);
  IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  HGDIOBJ old_font = SelectObject(dc, FontOr(look.font));
  SetBkMode(dc, TRANSPARENT);
  const int h = look.item_height > 0 ? look.item_height : ListItemHeight(look.font);
  int y = inner.top;
  for (int i = std::max(0, look.top); i < static_cast<int>(look.rows->size()) && y < inner.bottom; ++i, y += h) {
    const RECT row{inner.left, y, inner.right, y + h};
    const bool selected = i == look.selected ||
                          (look.chosen != nullptr && i >= 0 && static_cast<std::size_t>(i) < look.chosen->size() &&
                           (*look.chosen)[static_cast<std::size_t>(i)]);
    if (selected) Fill(dc, row, COLOR_HIGHLIGHT);
    SetTextColor(dc, selected && look.enabled ? GetSysColor(COLOR_HIGHLIGHTTEXT) : TextOf(look.colours, look.enabled, COLOR_WINDOWTEXT));
    const std::string& text = (*look.rows)[static_cast<std::size_t>(i)];
    TextOut(dc, row.left + 2, y, text.c_str(), static_cast<int>(text.size()));
    if (look.focused && i == look.focus_row) PaintFocusRect(dc, row);
  }
  SelectObject(dc, old_font);
  RestoreDC(dc, save);
}

void PaintComboField(HDC dc, const RECT& rect, std::string_view text, HFONT font, bool focused, bool enabled,
                     bool dropped) {
  RECT inner = PaintEdge(dc, rect, true);
  const int button = std::min(16, static_cast<int>(inner.right - inner.left));
  RECT field{inner.left, inner.top, inner.right - button, inner.bottom};
  Fill(dc, field, enabled ? COLOR_WINDOW : COLOR_BTNFACE);
  {
    const int save = SaveDC(dc);
    IntersectClipRect(dc, field.left, field.top, field.right, field.bottom);
    RECT t{field.left + 2, field.top, field.right - 1, field.bottom};
    if (focused) {
      Fill(dc, RECT{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1}, COLOR_HIGHLIGHT);
    }
    TextState ts(dc, font, GetSysColor(!enabled ? COLOR_GRAYTEXT : focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    std::string copy(text);
    DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, save);
  }
  RECT arrow_box{inner.right - button, inner.top, inner.right, inner.bottom};
  Fill(dc, arrow_box, COLOR_BTNFACE);
  RECT face = dropped ? arrow_box : PaintEdge(dc, arrow_box, false);
  if (dropped) FrameRect(dc, &arrow_box, GetSysColorBrush(COLOR_BTNSHADOW));
  // A small downward triangle in the middle of the button.
  const int cx = (face.left + face.right) / 2 + (dropped ? 1 : 0);
  const int cy = (face.top + face.bottom) / 2 - 1 + (dropped ? 1 : 0);
  for (int i = 0; i < 4; ++i) HLine(dc, cx - 3 + i, cx + 4 - i, cy + i, enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}

void PaintScrollBar(HDC dc, const RECT& rect, bool vertical, int minimum, int maximum, int page, int position,
                    bool enabled) {
  Fill(dc, rect, COLOR_SCROLLBAR);
  const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  const int thickness = vertical ? rect.right - rect.left : rect.bottom - rect.top;
  const platform::win::ScrollBarLayout l = platform::win::LayOutScrollBar(length, thickness, minimum, maximum, page, position, enabled);
  const int arrow = l.arrow;
  RECT a1 = vertical ? RECT{rect.left, rect.top, rect.right, rect.top + arrow}
                     : RECT{rect.left, rect.top, rect.left + arrow, rect.bottom};
  RECT a2 = vertical ? RECT{rect.left, rect.bottom - arrow, rect.right, rect.bottom}
                     : RECT{rect.right - arrow, rect.top, rect.right, rect.bottom};
  const int glyph = enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
  for (RECT* a : {&a1, &a2}) {
    Fill(dc, *a, COLOR_BTNFACE);
    const RECT face = PaintEdge(dc, *a, false);
    // A small triangle pointing away from the bar's middle: up/down or left/right.
    const int cx = (face.left + face.right) / 2, cy = (face.top + face.bottom) / 2;
    const bool first = a == &a1;
    for (int i = 0; i < 4; ++i) {
      if (vertical && first) HLine(dc, cx - i, cx + i + 1, cy - 2 + i, glyph);
      else if (vertical) HLine(dc, cx - 3 + i, cx + 4 - i, cy - 1 + i, glyph);
      else if (first) VLine(dc, cx - 2 + i, cy - i, cy + i + 1, glyph);
      else VLine(dc, cx - 1 + i, cy - 3 + i, cy + 4 - i, glyph);
    }
  }
  if (!l.has_thumb) return;
  const int thumb = l.thumb, offset = l.thumb_offset;
  RECT t = vertical ? RECT{rect.left, rect.top + arrow + offset, rect.right, rect.top + arrow + offset + thumb}
                    : RECT{rect.left + arrow + offset, rect.top, rect.left + arrow + offset + thumb, rect.bottom};
  Fill(dc, t, COLOR_BTNFACE);
  PaintEdge(dc, t, false);
}

}  // namespace platform::gdi
