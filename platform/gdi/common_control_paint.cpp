#include "platform/gdi/common_control_paint.h"

#include <algorithm>

#include "platform/gdi/control_paint.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/sys_colors.h"
#include "platform/win/metrics.h"
#include "platform/win/rect.h"

namespace platform::gdi {
namespace {

HFONT FontOr(HFONT font) { return font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
void Fill(HDC dc, const RECT& r, int colour_index) { FillRect(dc, &r, GetSysColorBrush(colour_index)); }

// Text in a cell, clipped to it, with a margin.
void CellText(HDC dc, const std::string& text, RECT r, UINT format, COLORREF colour) {
  SetTextColor(dc, colour);
  InflateRect(&r, -3, 0);
  if (r.right <= r.left) return;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// A scroll column at the right of rect; returns the rectangle left for the rows.
RECT WithScrollColumn(HDC dc, const RECT& rect, bool bar, int rows, int shown, int top) {
  if (!bar) return rect;
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  const RECT column{rect.right - w, rect.top, rect.right, rect.bottom};
  PaintScrollBar(dc, column, true, 0, std::max(0, rows - 1), shown, top, true);
  return RECT{rect.left, rect.top, rect.right - w, rect.bottom};
}

}  // namespace

void PaintStatusBar(HDC dc, const RECT& rect, const StatusLook& look) {
  Fill(dc, rect, COLOR_BTNFACE);
  const int save = SaveDC(dc);
  SelectObject(dc, FontOr(look.font));
  SetBkMode(dc, TRANSPARENT);
  int left = rect.left;
  const int grip = look.size_grip ? std::min<int>(rect.bottom - rect.top, 14) : 0;
  for (std::size_t i = 0; i < look.parts.size(); ++i) {
    const StatusPartLook& p = look.parts[i];
    int right = p.right < 0 ? rect.right - grip : rect.left + p.right;
    right = std::min<int>(right, rect.right - grip);
    if (right <= left) continue;
    RECT cell{left, rect.top + 2, right - 2, rect.bottom};
    if (!p.no_border) {
      // A shallow sunken frame (raised for pop-out parts).
      const int dark = p.pop_out ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
      const int light = p.pop_out ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
      Fill(dc, RECT{cell.left, cell.top, cell.right, cell.top + 1}, dark);
      Fill(dc, RECT{cell.left, cell.top, cell.left + 1, cell.bottom}, dark);
      Fill(dc, RECT{cell.left, cell.bottom - 1, cell.right, cell.bottom}, light);
      Fill(dc, RECT{cell.right - 1, cell.top, cell.right, cell.bottom}, light);
    }
    RECT inner{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
    // Tabs: left | centre | right.
    std::string parts[3];
    int k = 0;
    for (char c : p.text) {
      if (c == '\t' && k < 2) ++k;
      else parts[k] += c;
    }
    static constexpr UINT kFormats[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int j = 0; j < 3; ++j)
      if (!parts[j].empty()) CellText(dc, parts[j], inner, kFormats[j], GetSysColor(COLOR_BTNTEXT));
    left = right;
  }
  if (grip > 0) {
    // Three diagonal grooves in the corner.
    for (int d = 3; d < grip; d += 4) {
      for (int t = 0; t < d; ++t) {
        SetPixelV(dc, rect.right - 1 - t, rect.bottom - d + t, GetSysColor(COLOR_BTNSHADOW));
        SetPixelV(dc, rect.right - 1 - t, rect.bottom - d + t + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
      }
    }
  }
  RestoreDC(dc, save);
}

void PaintProgressBar(HDC dc, const RECT& rect, int low, int high, int pos, bool smooth, bool vertical) {
  const RECT inner = PaintEdge(dc, rect, true);
  Fill(dc, inner, COLOR_BTNFACE);
  const int span = high - low;
  if (span == 0) return;
  const int length = vertical ? inner.bottom - inner.top : inner.right - inner.left;
  const int filled = static_cast<int>(static_cast<long long>(length) * std::clamp(pos - low, std::min(0, span), std::max(0, span)) / span);
  if (filled <= 0) return;
  if (smooth) {
    const RECT bar = vertical ? RECT{inner.left, inner.bottom - filled, inner.right, inner.bottom}
                              : RECT{inner.left, inner.top, inner.left + filled, inner.bottom};
    Fill(dc, bar, COLOR_HIGHLIGHT);
    return;
  }
  // Blocks with gaps, as wide as two thirds of the bar's height.
  const int thickness = vertical ? inner.right - inner.left : inner.bottom - inner.top;
  const int block = std::max(2, thickness * 2 / 3);
  for (int at = 0; at < filled; at += block + 2) {
    const int len = std::min(block, filled - at);
    const RECT b = vertical ? RECT{inner.left + 1, inner.bottom - at - len, inner.right - 1, inner.bottom - at}
                            : RECT{inner.left + at, inner.top + 1, inner.left + at + len, inner.bottom - 1};
    Fill(dc, b, COLOR_HIGHLIGHT);
  }
}

void PaintUpDown(HDC dc, const RECT& rect, bool horizontal, int pressed, bool enabled) {
  const RECT halves[2] = {
      horizontal ? RECT{(rect.left + rect.right) / 2, rect.top, rect.right, rect.bottom}
                 : RECT{rect.left, rect.top, rect.right, (rect.top + rect.bottom) / 2},
      horizontal ? RECT{rect.left, rect.top, (rect.left + rect.right) / 2, rect.bottom}
                 : RECT{rect.left, (rect.top + rect.bottom) / 2, rect.right, rect.bottom},
  };
  for (int i = 0; i < 2; ++i) {
    const RECT& h = halves[i];
    Fill(dc, h, COLOR_BTNFACE);
    const bool down = pressed == i + 1;
    RECT face = h;
    if (down) FrameRect(dc, &h, GetSysColorBrush(COLOR_BTNSHADOW));
    else face = PaintEdge(dc, h, false);
    // A small triangle pointing away from the middle.
    const int cx = (face.left + face.right) / 2 + (down ? 1 : 0);
    const int cy = (face.top + face.bottom) / 2 + (down ? 1 : 0);
    const int colour = enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    for (int k = 0; k < 3; ++k) {
      if (horizontal) {
        const int x = i == 0 ? cx - 1 + k : cx + 1 - k;
        Fill(dc, RECT{x, cy - 2 + k, x + 1, cy + 3 - k}, colour);
      } else {
        const int y = i == 0 ? cy - 1 + k : cy + 1 - k;
        Fill(dc, RECT{cx - 2 + k, y, cx + 3 - k, y + 1}, colour);
      }
    }
  }
}

void PaintListView(HDC dc, const RECT& rect, const ListViewLook& look) {
  Fill(dc, rect, look.enabled ? COLOR_WINDOW : COLOR_BTNFACE);
  const int h = std::max(1, look.row_height);
  const int shown = std::max(1, static_cast<int>((rect.bottom - rect.top - look.header_height) / h));
  const RECT body_rect{rect.left, rect.top + look.header_height, rect.right, rect.bottom};
  const RECT area = WithScrollColumn(dc, body_rect, look.scroll_bar, static_cast<int>(look.rows.size()), shown, look.top);
  const int save = SaveDC(dc);
  SelectObject(dc, FontOr(look.font));
  SetBkMode(dc, TRANSPARENT);
  // Header buttons.
  if (look.header_height > 0) {
    int x = rect.left;
    for (const ListViewColumnLook& c : look.columns) {
      const RECT cell{x, rect.top, x + c.width, rect.top + look.header_height};
      Fill(dc, cell, COLOR_BTNFACE);
      const RECT inner = PaintEdge(dc, cell, false);
      const UINT format = c.format == 1 ? DT_RIGHT : c.format == 2 ? DT_CENTER : DT_LEFT;
      CellText(dc, c.text, inner, format, GetSysColor(COLOR_BTNTEXT));
      x += c.width;
    }
    if (x < rect.right) {
      const RECT rest{x, rect.top, rect.right, rect.top + look.header_height};
      Fill(dc, rest, COLOR_BTNFACE);
      PaintEdge(dc, rest, false);
    }
  }
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  const bool show_selection = look.focused || look.show_selection_always;
  int y = area.top;
  for (int i = std::max(0, look.top); i < static_cast<int>(look.rows.size()) && y < area.bottom; ++i, y += h) {
    const ListViewRowLook& row = look.rows[static_cast<std::size_t>(i)];
    int x = area.left;
    for (std::size_t c = 0; c < look.columns.size(); ++c) {
      const ListViewColumnLook& col = look.columns[c];
      RECT cell{x, y, x + col.width, y + h};
      const bool highlight = row.selected && show_selection && look.enabled && (c == 0 || look.full_row_select);
      if (highlight) {
        RECT mark = cell;
        if (c == 0 && !look.full_row_select) {
          // Only the item's text is marked.
          RECT measure{0, 0, 0, 0};
          const std::string& t = c < row.texts.size() ? row.texts[c] : std::string();
          DrawText(dc, t.c_str(), static_cast<int>(t.size()), &measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
          mark.right = std::min<int>(cell.right, cell.left + measure.right + 6);
        }
        Fill(dc, mark, look.focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
      }
      const UINT format = col.format == 1 ? DT_RIGHT : col.format == 2 ? DT_CENTER : DT_LEFT;
      const COLORREF colour = !look.enabled ? GetSysColor(COLOR_GRAYTEXT)
                              : highlight && look.focused ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                          : GetSysColor(COLOR_WINDOWTEXT);
      if (c < row.texts.size()) CellText(dc, row.texts[c], cell, format, colour);
      if (look.grid_lines) {
        Fill(dc, RECT{cell.right - 1, y, cell.right, y + h}, COLOR_BTNFACE);
        Fill(dc, RECT{cell.left, y + h - 1, cell.right, y + h}, COLOR_BTNFACE);
      }
      x += col.width;
    }
    if (row.focused && look.focused) {
      RECT f{area.left, y, look.full_row_select ? x : area.left + (look.columns.empty() ? 0 : look.columns[0].width), y + h};
      PaintFocusRect(dc, f);
    }
  }
  RestoreDC(dc, save);
}

void PaintTreeView(HDC dc, const RECT& rect, const TreeViewLook& look) {
  Fill(dc, rect, look.enabled ? COLOR_WINDOW : COLOR_BTNFACE);
  const int h = std::max(1, look.row_height);
  const int shown = std::max(1, static_cast<int>((rect.bottom - rect.top) / h));
  const RECT area = WithScrollColumn(dc, rect, look.scroll_bar, static_cast<int>(look.rows.size()), shown, look.top);
  const int save = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  SelectObject(dc, FontOr(look.font));
  SetBkMode(dc, TRANSPARENT);
  const bool root_column = look.lines_at_root && (look.buttons || look.lines);
  const bool show_selection = look.focused || look.show_selection_always;
  int y = area.top;
  for (int i = std::max(0, look.top); i < static_cast<int>(look.rows.size()) && y < area.bottom; ++i, y += h) {
    const TreeRowLook& row = look.rows[static_cast<std::size_t>(i)];
    const int level = row.depth + (root_column ? 1 : 0);
    const int text_left = area.left + 2 + level * look.indent;
    const int mid_y = y + h / 2;
    if (look.lines && level > 0) {
      // A dotted elbow from the parent's column to the text.
      const int x0 = text_left - look.indent / 2;
      for (int x = x0; x < text_left - 2; x += 2) SetPixelV(dc, x, mid_y, GetSysColor(COLOR_BTNSHADOW));
      for (int yy = y; yy < mid_y; yy += 2) SetPixelV(dc, x0, yy, GetSysColor(COLOR_BTNSHADOW));
    }
    if (look.buttons && row.has_children && level > 0) {
      // A boxed plus or minus.
      const int bx = text_left - look.indent / 2;
      const RECT box{bx - 4, mid_y - 4, bx + 5, mid_y + 5};
      Fill(dc, box, COLOR_WINDOW);
      FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
      Fill(dc, RECT{bx - 2, mid_y, bx + 3, mid_y + 1}, COLOR_WINDOWTEXT);
      if (!row.expanded) Fill(dc, RECT{bx, mid_y - 2, bx + 1, mid_y + 3}, COLOR_WINDOWTEXT);
    }
    RECT measure{0, 0, 0, 0};
    DrawText(dc, row.text.c_str(), static_cast<int>(row.text.size()), &measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const RECT label{text_left, y, text_left + measure.right + 4, y + h};
    const bool highlight = row.selected && show_selection && look.enabled;
    if (highlight) Fill(dc, label, look.focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    SetTextColor(dc, GetSysColor(!look.enabled ? COLOR_GRAYTEXT : highlight && look.focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT t{label.left + 2, y, label.right, y + h};
    DrawText(dc, row.text.c_str(), static_cast<int>(row.text.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (row.selected && look.focused) PaintFocusRect(dc, label);
  }
  RestoreDC(dc, save);
}

int ScrollColumnHit(int height, int y, int rows, int shown, int top) {
  const int arrow = std::min(GetSystemMetrics(SM_CYVSCROLL), height / 2);
  if (y < arrow) return -1;
  if (y >= height - arrow) return 1;
  const int track = height - 2 * arrow;
  const int range = std::max(1, rows);
  const int thumb = std::clamp(track * std::max(1, shown) / range, 8, std::max(8, track));
  const int span = std::max(1, rows - shown);
  const int thumb_top = arrow + (track - thumb) * std::clamp(top, 0, span) / span;
  if (y < thumb_top) return -2;
  if (y >= thumb_top + thumb) return 2;
  return 0;
}

}  // namespace platform::gdi
