// Drawing objects: pens, brushes, fonts, bitmaps and rectangular regions, their creation, selection into a
// device context and deletion. Stock objects are never deleted.
#pragma once

#include "platform/gdi/colorref.h"
#include "platform/sys/wintypes.h"

// Pen styles.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_DASHDOT = 3;
inline constexpr int PS_DASHDOTDOT = 4;
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;

// Brush styles and hatches.
inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;
inline constexpr UINT BS_HATCHED = 2;

// Font weights, pitch and family, quality, character sets.
inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_THIN = 100;
inline constexpr int FW_LIGHT = 300;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_MEDIUM = 500;
inline constexpr int FW_SEMIBOLD = 600;
inline constexpr int FW_BOLD = 700;
inline constexpr int FW_HEAVY = 900;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;
inline constexpr BYTE FF_SCRIPT = 0x40;
inline constexpr BYTE FF_DECORATIVE = 0x50;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE DRAFT_QUALITY = 1;
inline constexpr BYTE PROOF_QUALITY = 2;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr int LF_FACESIZE = 32;

// Stock objects (GetStockObject).
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int OEM_FIXED_FONT = 10;
inline constexpr int ANSI_FIXED_FONT = 11;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEVICE_DEFAULT_FONT = 14;
inline constexpr int DEFAULT_PALETTE = 15;
inline constexpr int SYSTEM_FIXED_FONT = 16;
inline constexpr int DEFAULT_GUI_FONT = 17;
inline constexpr int DC_BRUSH = 18;
inline constexpr int DC_PEN = 19;

// Object types (GetObjectType).
inline constexpr DWORD OBJ_PEN = 1;
inline constexpr DWORD OBJ_BRUSH = 2;
inline constexpr DWORD OBJ_DC = 3;
inline constexpr DWORD OBJ_FONT = 6;
inline constexpr DWORD OBJ_BITMAP = 7;
inline constexpr DWORD OBJ_REGION = 8;
inline constexpr DWORD OBJ_MEMDC = 10;

// Region kinds returned by region and clip calls.
inline constexpr int RGN_ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_COPY = 5;

struct LOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;  // x holds the width
  COLORREF lopnColor;
};

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  UINT_PTR lbHatch;
};

struct LOGFONTA {
  LONG lfHeight;  // > 0: cell height, < 0: character height, 0: default
  LONG lfWidth;
  LONG lfEscapement;  // tenths of a degree, counter-clockwise
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
};
using LOGFONT = LOGFONTA;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HFONT CreateFontIndirectA(const LOGFONTA* font);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision, DWORD clip_precision,
                  DWORD quality, DWORD pitch_and_family, LPCSTR face);
inline HFONT CreateFontIndirect(const LOGFONTA* font) { return CreateFontIndirectA(font); }
inline HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                        DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision,
                        DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face) {
  return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strike_out, char_set,
                     out_precision, clip_precision, quality, pitch_and_family, face);
}
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
int GetRgnBox(HRGN region, RECT* rect);

HGDIOBJ GetStockObject(int id);
// The previously selected object of the same kind; for a region the region kind of the new clip; null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// TRUE for a deleted object (a DC that still holds it keeps drawing with its copy) or a stock object.
BOOL DeleteObject(HGDIOBJ object);
// Fills LOGPEN, LOGBRUSH, LOGFONTA or BITMAP; returns the bytes written, 0 on failure.
int GetObjectA(HGDIOBJ object, int size, LPVOID out);
inline int GetObject(HGDIOBJ object, int size, LPVOID out) { return GetObjectA(object, size, out); }
DWORD GetObjectType(HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

// Typed handles convert to HGDIOBJ as the application passes them.
template <class H>
inline HGDIOBJ ToGdiObject(H handle) {
  return reinterpret_cast<HGDIOBJ>(handle);
}
inline HGDIOBJ SelectObject(HDC dc, HPEN pen) { return SelectObject(dc, ToGdiObject(pen)); }
inline HGDIOBJ SelectObject(HDC dc, HBRUSH brush) { return SelectObject(dc, ToGdiObject(brush)); }
inline HGDIOBJ SelectObject(HDC dc, HFONT font) { return SelectObject(dc, ToGdiObject(font)); }
inline HGDIOBJ SelectObject(HDC dc, HBITMAP bitmap) { return SelectObject(dc, ToGdiObject(bitmap)); }
inline BOOL DeleteObject(HPEN pen) { return DeleteObject(ToGdiObject(pen)); }
inline BOOL DeleteObject(HBRUSH brush) { return DeleteObject(ToGdiObject(brush)); }
inline BOOL DeleteObject(HFONT font) { return DeleteObject(ToGdiObject(font)); }
inline BOOL DeleteObject(HBITMAP bitmap) { return DeleteObject(ToGdiObject(bitmap)); }
inline BOOL DeleteObject(HRGN region) { return DeleteObject(ToGdiObject(region)); }
inline int GetObject(HBITMAP bitmap, int size, LPVOID out) { return GetObjectA(ToGdiObject(bitmap), size, out); }
inline int GetObject(HFONT font, int size, LPVOID out) { return GetObjectA(ToGdiObject(font), size, out); }
inline int GetObject(HPEN pen, int size, LPVOID out) { return GetObjectA(ToGdiObject(pen), size, out); }
inline int GetObject(HBRUSH brush, int size, LPVOID out) { return GetObjectA(ToGdiObject(brush), size, out); }
