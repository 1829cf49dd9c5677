// Lines, shapes and pixels. GDI's pixel rules hold: a line leaves out its end point; filled shapes cover
// left..right-1 and top..bottom-1; with the null pen a shape shrinks by one pixel at the right and bottom.
#pragma once

#include "platform/gdi/colorref.h"
#include "platform/sys/wintypes.h"

inline constexpr UINT FLOODFILLBORDER = 0;
inline constexpr UINT FLOODFILLSURFACE = 1;

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL LineTo(HDC dc, int x, int y);
BOOL GetCurrentPositionEx(HDC dc, POINT* position);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolylineTo(HDC dc, const POINT* points, DWORD count);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int corner_width, int corner_height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// Arc and Pie run counter-clockwise from the radial through (xs, ys) to the radial through (xe, ye).
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
BOOL FloodFill(HDC dc, int x, int y, COLORREF border);
BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);

namespace platform::gdi {
// FillRect and FrameRect take (HBRUSH)(index + 1) for a system colour, as GDI does; the window layer tells
// the colour of an index here (null: such brushes draw nothing).
void SetSystemColourSource(COLORREF (*colour_of_index)(int index));
}  // namespace platform::gdi
