// Text output and measurement on raster and printer DCs.
#include "platform/gdi/text.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi/call_log.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/gdi_state.h"
#include "platform/gdi/mnemonic.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/tab_stops.h"
#include "platform/gdi/word_break.h"

using namespace platform::gdi;

namespace {

std::string_view View(LPCSTR text, int length) {
  if (!text) return {};
  if (length < 0) return std::string_view(text);
  return std::string_view(text, static_cast<std::size_t>(length));
}

std::shared_ptr<const FontInstance> FontOf(const DeviceContext& dc) { return RealiseFont(dc.state.font.logfont); }

void LogText(const DeviceContext& dc, const char* call, int x, int y, std::string_view text) {
  if (!CallLogActive()) return;
  std::ostringstream s;
  s << call << ' ' << dc.name << ' ' << x << ',' << y << " '" << text << '\'';
  AppendCallLog(s.str());
}

// Draws one run with its cell's top-left corner at device point p (viewport applied), optionally clipped to a
// rectangle in device coordinates.
void DrawRun(DeviceContext& dc, HDC h, POINT p, std::string_view text, const RECT* clip) {
  const auto font = FontOf(dc);
  if (dc.job) {
    PageOp op;
    op.kind = PageOp::Kind::kText;
    op.points = {p};
    op.text = std::string(text);
    op.font = font;
    op.color = dc.state.text_color;
    op.opaque = dc.state.bk_mode == OPAQUE;
    op.bk_color = dc.state.bk_color;
    dc.job->Add(h, std::move(op));
    return;
  }
  if (!dc.surface) return;
  const POINT s{p.x + dc.device_origin.x, p.y + dc.device_origin.y};
  raster::Target t = RasterTarget(dc);
  if (clip) {
    t.clip = Intersect(t.clip, RECT{clip->left + dc.device_origin.x, clip->top + dc.device_origin.y,
                                    clip->right + dc.device_origin.x, clip->bottom + dc.device_origin.y});
  }
  if (Empty(t.clip) || text.empty()) return;
  const TEXTMETRICA& m = font->metrics();
  if (dc.state.bk_mode == OPAQUE && font->logfont().lfEscapement == 0) {
    t.rop2 = R2_COPYPEN;
    raster::FillRect(t, RECT{s.x, s.y, s.x + font->Width(text), s.y + m.tmHeight}, ToPixel(dc.state.bk_color));
  }
  dc.surface->BeginCairo();
  cairo_t* cr = cairo_create(dc.surface->cairo());
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_rectangle(cr, t.clip.left, t.clip.top, t.clip.right - t.clip.left, t.clip.bottom - t.clip.top);
  cairo_clip(cr);
  const COLORREF c = dc.state.text_color;
  font->Draw(cr, s.x, s.y, text, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
  cairo_destroy(cr);
  dc.surface->EndCairo();
}

// The top-left corner of a run of the given width drawn at the logical reference point under the alignment.
POINT Aligned(const DeviceContext& dc, POINT ref, int width, const FontInstance& font) {
  const UINT a = dc.state.text_align;
  POINT p = ToDevice(dc, ref);
  if ((a & TA_CENTER) == TA_CENTER) p.x -= width / 2;
  else if ((a & TA_CENTER) == TA_RIGHT) p.x -= width;
  if ((a & TA_BASELINE) == TA_BASELINE) p.y -= font.metrics().tmAscent;
  else if ((a & TA_BASELINE) == TA_BOTTOM) p.y -= font.metrics().tmHeight;
  return p;
}

struct TabRun {
  int x;  // offset from the start
  std::string_view text;
};

// Splits at tabs into runs placed at their tab stops; total receives the extent.
std::vector<TabRun> TabRuns(std::string_view text, const FontInstance& f, int count, const INT* stops, int origin_offset,
                            int* total) {
  std::vector<TabRun> runs;
  int x = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = text.find('\t', start);
    const std::string_view piece = text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    runs.push_back({x, piece});
    x += f.Width(piece);
    if (tab == std::string_view::npos) break;
    x = NextTabStop(x, origin_offset, count, stops, f.metrics().tmAveCharWidth);
    start = tab + 1;
  }
  *total = x;
  return runs;
}

std::string ExpandTabs(std::string_view s, const FontInstance& f) {
  std::string out;
  int x = 0;
  const int space = std::max(1, f.Advance(' '));
  for (const char c : s) {
    if (c == '\t') {
      const int next = NextTabStop(x, 0, 0, nullptr, f.metrics().tmAveCharWidth);
      while (x < next) {
        out += ' ';
        x += space;
      }
    } else {
      out += c;
      x += f.Advance(static_cast<unsigned char>(c));
    }
  }
  return out;
}

// A line of DrawText and the position of its underlined access key (npos: none).
struct TextLine {
  std::string text;
  std::size_t mnemonic = std::string::npos;
};

// Lines of DrawText: split at line ends, broken at blanks to fit width with DT_WORDBREAK. Without DT_NOPREFIX
// the first access key of the text is kept with the line it lands in.
std::vector<TextLine> LayoutLines(std::string_view text, UINT format, int width, const FontInstance& f) {
  std::vector<std::string> paragraphs;
  if (format & DT_SINGLELINE) {
    std::string one;
    for (const char c : text)
      if (c != '\r' && c != '\n') one += c;
    paragraphs.push_back(one);
  } else {
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' || text[i] == '\n') {
        paragraphs.push_back(cur);
        cur.clear();
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      } else {
        cur += text[i];
      }
    }
    paragraphs.push_back(cur);
  }
  std::vector<TextLine> lines;
  bool marked = false;
  for (std::string p : paragraphs) {
    std::size_t mnemonic = std::string::npos;
    if (!(format & DT_NOPREFIX)) {
      MnemonicText m = StripMnemonic(p);
      p = std::move(m.text);
      if (!marked) mnemonic = m.mnemonic;
      marked = marked || mnemonic != std::string::npos;
    }
    if (format & DT_EXPANDTABS) {
      if (mnemonic != std::string::npos) mnemonic = ExpandTabs(p.substr(0, mnemonic), f).size();
      p = ExpandTabs(p, f);
    }
    if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
      lines.push_back({p, mnemonic});
      continue;
    }
    for (const BrokenLine& l : BreakAtBlanks(p, width, [&f](std::string_view t) { return f.Width(t); })) {
      const bool here = mnemonic != std::string::npos && mnemonic >= l.start && mnemonic < l.start + l.text.size();
      lines.push_back({l.text, here ? mnemonic - l.start : std::string::npos});
    }
  }
  return lines;
}

// The access key's underline below the character, one pixel under the base line, in the text colour.
void UnderlineMnemonic(DeviceContext& dc, POINT p, const TextLine& line, const FontInstance& f, const RECT* clip) {
  if (line.mnemonic == std::string::npos || line.mnemonic >= line.text.size() || dc.job || !dc.surface) return;
  const std::string_view t = line.text;
  const int x0 = p.x + dc.device_origin.x + f.Width(t.substr(0, line.mnemonic));
  const int x1 = x0 + f.Width(t.substr(line.mnemonic, 1));
  const int y = p.y + dc.device_origin.y + f.metrics().tmAscent + 1;
  raster::Target target = RasterTarget(dc);
  if (clip) {
    target.clip = Intersect(target.clip, RECT{clip->left + dc.device_origin.x, clip->top + dc.device_origin.y,
                                              clip->right + dc.device_origin.x, clip->bottom + dc.device_origin.y});
  }
  target.rop2 = R2_COPYPEN;
  raster::FillRect(target, RECT{x0, y, x1, y + 1}, ToPixel(dc.state.text_color));
}

}  // namespace

BOOL TextOutA(HDC h, int x, int y, LPCSTR text, int length) {
  DeviceContext* dc = FindDc(h);
  if (!dc || (!text && length > 0)) return FALSE;
  const std::string_view s = View(text, length < 0 ? 0 : length);
  LogText(*dc, "TextOut", x, y, s);
  const auto font = FontOf(*dc);
  const int width = font->Width(s);
  POINT ref{x, y};
  const bool update = (dc->state.text_align & TA_UPDATECP) != 0;
  if (update) ref = dc->state.position;
  DrawRun(*dc, h, Aligned(*dc, ref, width, *font), s, nullptr);
  if (update) dc->state.position.x += width;
  return TRUE;
}

BOOL ExtTextOutA(HDC h, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT*) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return FALSE;
  const std::string_view s = View(text, text ? static_cast<int>(length) : 0);
  LogText(*dc, "ExtTextOut", x, y, s);
  RECT device{};
  if (rect) {
    const POINT a = ToDevice(*dc, POINT{rect->left, rect->top});
    const POINT b = ToDevice(*dc, POINT{rect->right, rect->bottom});
    device = Normalised(RECT{a.x, a.y, b.x, b.y});
  }
  if (rect && (options & ETO_OPAQUE) && !dc->job && dc->surface) {
    raster::Target t = RasterTarget(*dc);
    t.rop2 = R2_COPYPEN;
    raster::FillRect(t, RECT{device.left + dc->device_origin.x, device.top + dc->device_origin.y,
                             device.right + dc->device_origin.x, device.bottom + dc->device_origin.y},
                     ToPixel(dc->state.bk_color));
  }
  const auto font = FontOf(*dc);
  DrawRun(*dc, h, Aligned(*dc, POINT{x, y}, font->Width(s), *font), s,
          rect && (options & ETO_CLIPPED) ? &device : nullptr);
  return TRUE;
}

LONG TabbedTextOutA(HDC h, int x, int y, LPCSTR text, int length, int tab_count, const INT* tab_stops,
                    int tab_origin) {
  DeviceContext* dc = FindDc(h);
  if (!dc || (!text && length > 0)) return 0;
  const std::string_view s = View(text, length < 0 ? 0 : length);
  LogText(*dc, "TabbedTextOut", x, y, s);
  const auto font = FontOf(*dc);
  int total = 0;
  const auto runs = TabRuns(s, *font, tab_count, tab_stops, tab_origin - x, &total);
  // An opaque background covers the tab gaps too.
  const int mode = dc->state.bk_mode;
  if (mode == OPAQUE && !dc->job && dc->surface) {
    raster::Target t = RasterTarget(*dc);
    t.rop2 = R2_COPYPEN;
    const POINT p = ToSurface(*dc, POINT{x, y});
    raster::FillRect(t, RECT{p.x, p.y, p.x + total, p.y + font->metrics().tmHeight}, ToPixel(dc->state.bk_color));
    dc->state.bk_mode = TRANSPARENT;
  }
  for (const TabRun& r : runs) {
    if (r.text.empty()) continue;
    DrawRun(*dc, h, ToDevice(*dc, POINT{x + r.x, y}), r.text, nullptr);
  }
  dc->state.bk_mode = mode;
  return static_cast<LONG>((static_cast<DWORD>(font->metrics().tmHeight) << 16) | (static_cast<DWORD>(total) & 0xFFFF));
}

DWORD GetTabbedTextExtentA(HDC h, LPCSTR text, int length, int tab_count, const INT* tab_stops) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return 0;
  const auto font = FontOf(*dc);
  int total = 0;
  TabRuns(View(text, length < 0 ? 0 : length), *font, tab_count, tab_stops, 0, &total);
  return (static_cast<DWORD>(font->metrics().tmHeight) << 16) | (static_cast<DWORD>(total) & 0xFFFF);
}

int DrawTextA(HDC h, LPCSTR text, int length, RECT* rect, UINT format) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !rect) return 0;
  const std::string_view s = View(text, length);
  const auto font = FontOf(*dc);
  const int line_height = font->metrics().tmHeight;
  const auto lines = LayoutLines(s, format, rect->right - rect->left, *font);
  int width = 0;
  for (const auto& l : lines) width = std::max(width, font->Width(l.text));
  const int height = line_height * static_cast<int>(lines.size());
  if (format & DT_CALCRECT) {
    rect->right = rect->left + width;
    rect->bottom = rect->top + height;
    return height;
  }
  LogText(*dc, "DrawText", rect->left, rect->top, s);
  int y = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - height) / 2;
    else if (format & DT_BOTTOM) y = rect->bottom - height;
  }
  const POINT a = ToDevice(*dc, POINT{rect->left, rect->top});
  const POINT b = ToDevice(*dc, POINT{rect->right, rect->bottom});
  const RECT clip = Normalised(RECT{a.x, a.y, b.x, b.y});
  for (const auto& l : lines) {
    const int w = font->Width(l.text);
    int x = rect->left;
    if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - w) / 2;
    else if (format & DT_RIGHT) x = rect->right - w;
    const POINT at = ToDevice(*dc, POINT{x, y});
    DrawRun(*dc, h, at, l.text, (format & DT_NOCLIP) ? nullptr : &clip);
    UnderlineMnemonic(*dc, at, l, *font, (format & DT_NOCLIP) ? nullptr : &clip);
    y += line_height;
  }
  return height;
}

BOOL GetTextExtentPoint32A(HDC h, LPCSTR text, int length, SIZE* size) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !size || (!text && length > 0)) return FALSE;
  const auto font = FontOf(*dc);
  size->cx = font->Width(View(text, length < 0 ? 0 : length));
  size->cy = font->metrics().tmHeight;
  return TRUE;
}

BOOL GetTextMetricsA(HDC h, TEXTMETRICA* metrics) {
  DeviceContext* dc = FindDc(h);
  if (!dc || !metrics) return FALSE;
  *metrics = FontOf(*dc)->metrics();
  return TRUE;
}

int GetTextFaceA(HDC h, int size, LPSTR face) {
  DeviceContext* dc = FindDc(h);
  if (!dc) return 0;
  const char* name = dc->state.font.logfont.lfFaceName;
  const int n = static_cast<int>(strnlen(name, LF_FACESIZE));
  if (!face) return n + 1;
  if (size <= 0) return 0;
  const int copied = std::min(n, size - 1);
  std::memcpy(face, name, static_cast<std::size_t>(copied));
  face[copied] = '\0';
  return copied;
}

namespace platform::gdi {

TEXTMETRICA MeasureFontMetrics(const LOGFONTA& font) { return RealiseFont(font)->metrics(); }

SIZE MeasureText(const LOGFONTA& font, const char* text, int length) {
  const auto f = RealiseFont(font);
  return SIZE{f->Width(View(text, length)), f->metrics().tmHeight};
}

SIZE DialogBaseUnits(const LOGFONTA& font) {
  const auto f = RealiseFont(font);
  const int letters = f->Width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return SIZE{(letters / 26 + 1) / 2, f->metrics().tmHeight};
}

}  // namespace platform::gdi
