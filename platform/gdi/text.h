// Text output and measurement. Strings are single-byte Windows-1252; glyphs come from the DejaVu font files
// (Sans for variable pitch, Sans Mono for fixed pitch or the modern family), advances are whole pixels, so
// measurement is the same on every machine with that font package.
#pragma once

#include "platform/gdi/colorref.h"
#include "platform/gdi/objects.h"
#include "platform/sys/wintypes.h"

struct TEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;  // bit 0 set: variable pitch (as GDI reports it)
  BYTE tmCharSet;
};
using TEXTMETRIC = TEXTMETRICA;

// DrawText formats.
inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_EXPANDTABS = 0x0040;
inline constexpr UINT DT_TABSTOP = 0x0080;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_EXTERNALLEADING = 0x0200;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr UINT DT_NOPREFIX = 0x0800;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;

// ExtTextOut options.
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
inline BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length) { return TextOutA(dc, x, y, text, length); }
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx);
// Tab stops: none given = every 8 average character widths from tab_origin; one = that spacing; more = those
// positions. Returns the extent (height in the high word, width in the low word).
LONG TabbedTextOutA(HDC dc, int x, int y, LPCSTR text, int length, int tab_count, const INT* tab_stops,
                    int tab_origin);
inline LONG TabbedTextOut(HDC dc, int x, int y, LPCSTR text, int length, int tab_count, const INT* tab_stops,
                          int tab_origin) {
  return TabbedTextOutA(dc, x, y, text, length, tab_count, tab_stops, tab_origin);
}
DWORD GetTabbedTextExtentA(HDC dc, LPCSTR text, int length, int tab_count, const INT* tab_stops);
// length -1: up to the terminator. Returns the height of the text drawn (DT_CALCRECT: measures into rect).
int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format);
inline int DrawText(HDC dc, LPCSTR text, int length, RECT* rect, UINT format) {
  return DrawTextA(dc, text, length, rect, format);
}
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size);
inline BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, SIZE* size) {
  return GetTextExtentPoint32A(dc, text, length, size);
}
inline BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int length, SIZE* size) {
  return GetTextExtentPoint32A(dc, text, length, size);
}
inline BOOL GetTextExtentPoint(HDC dc, LPCSTR text, int length, SIZE* size) {
  return GetTextExtentPoint32A(dc, text, length, size);
}
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
inline BOOL GetTextMetrics(HDC dc, TEXTMETRICA* metrics) { return GetTextMetricsA(dc, metrics); }
int GetTextFaceA(HDC dc, int size, LPSTR face);

namespace platform::gdi {

// Metrics of a font without any device, for layout (dialog units, control sizes): the same numbers that
// GetTextMetrics and GetTextExtentPoint32 give on a screen DC with that font selected.
TEXTMETRICA MeasureFontMetrics(const LOGFONTA& font);
SIZE MeasureText(const LOGFONTA& font, const char* text, int length);
// Dialog base units of a font: average width of "A".."Z" "a".."z" rounded as GDI does, and the cell height.
SIZE DialogBaseUnits(const LOGFONTA& font);
// The font that a null or stock system font stands for (cell height 16, bold, variable pitch).
LOGFONTA SystemFontTemplate();

}  // namespace platform::gdi
