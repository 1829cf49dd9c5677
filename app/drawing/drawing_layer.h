// The drawing layer: one process-wide drawing target (a window or a DC) with a 24-colour palette, cached pens,
// brushes and fonts, a current pen, brush, font step and text angle, an origin and a global scale factor.
// Operations take logical coordinates in the 16-bit range (values outside are saturated), scale them while
// scaling is active and draw with the platform's GDI on the current DC. Single-threaded: the user-interface
// thread alone calls it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/gdi/gdi.h"
#include "platform/win/win.h"

namespace app {

// Results of the operations that can refuse.
inline constexpr int kDrawDone = 0;
inline constexpr int kDrawRefused = 1;  // bad argument, or a GDI object could not be made

inline constexpr int kPaletteSize = 24;
inline constexpr int kPenStyles = 7;      // 0 solid, 1 and 4 dash, 2 dot, 3 dash-dot, 5 dash-dot-dot, 6 none
inline constexpr int kPenWidthSteps = 6;  // step s draws s + 1 pixels wide
inline constexpr int kFontSteps = 4;      // cell heights 10, 12, 19, 24
inline constexpr int kPaletteWhite = 0;
inline constexpr int kPaletteBlack = 1;
inline constexpr int kPaletteLightGrey = 9;

// SetBackgroundMode's modes.
inline constexpr int kBackgroundOpaque = 1;
inline constexpr int kBackgroundTransparent = 2;

// The scale factor's limits and the band around 1 in which nothing is scaled.
inline constexpr float kMinDrawScale = 0.3f;
inline constexpr float kMaxDrawScale = 10.0f;
inline constexpr float kUnscaledLow = 0.98f;
inline constexpr float kUnscaledHigh = 1.02f;

struct DrawPoint {
  int x = 0;
  int y = 0;
};

// --- The drawing target ---
// Every end call closes the open target the way it was opened (ReleaseDC, EndPaint or the caller's DC put
// back), so a mismatched end neither leaks a DC nor leaves a paint pass open.
// Opens drawing on the window's DC (GetDC): resets the drawing state and sets the viewport origin to the draw
// origin. False when the window has no DC; a target still open is closed first.
bool BeginDrawDC(HWND window);
// Hands the DC back (ReleaseDC) and clears the target.
void EndDrawDC();
// The same inside a paint pass (BeginPaint with the layer's own paint structure).
bool BeginDraw(HWND window);
// Resets the drawing state, ends the paint pass (EndPaint) and clears the target.
void EndDraw();
// Opens drawing on a DC the caller owns (a memory DC for off-screen pictures); its state is saved here and put
// back by EndDrawOnDc, which leaves the DC to the caller.
bool BeginDrawOnDc(HDC dc);
void EndDrawOnDc();
// The origin the next begin applies as viewport origin.
void SetDrawOrigin(int x, int y);
DrawPoint GetDrawOrigin();
// The window and DC drawn on now (null when no drawing is in progress; the window is null on a caller's DC).
HWND CurrentDrawWindow();
HDC CurrentDrawDc();

// --- Pen, brush, font and colours ---
// style 0..6, width step 0..5 (a larger step counts as 5), colour 0..23; refused outside. The pen is made on
// first use and selected while a DC is held.
int SelectPen(int style, int width_step, int colour);
int SetPenStyle(int style);
int SetPenWidth(int width);  // pixels: step = width - 1
int SetPenColor(int colour);
int SelectBrush(int colour);
// Step 0..3, any other counts as 1. Only with a DC: makes the font on first use (its height times the y scale
// while scaling is active) and selects it; refused without a DC or when the font cannot be made.
int SelectFontStep(int step);
// The font step for a wanted character height (below 10 -> 0, below 13 -> 1, from 21 up -> 3, else 2), selected;
// returns the step's cell height and half of it as character width.
struct FontCell {
  int width = 0;
  int height = 0;
};
FontCell SelectFontForHeight(int height);
// Tenths of a degree, counter-clockwise: a new angle releases the fonts and re-selects the current step.
void SetTextAngle(int tenths);
int GetTextAngle();
int SetDrawTextColor(int colour);
int SetBackgroundMode(int mode);  // kBackgroundOpaque or kBackgroundTransparent, then the copy mix mode
void SetTextBackground(int transparent_flag);  // 1 = transparent, any other = opaque
// Replaces a palette entry (others ignored); pens and brushes made in the old colour are made anew on next use.
void SetPaletteColor(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
COLORREF GetPaletteColor(int index);  // black for an index outside 0..23
// Re-selects the current pen, font step 1, brush 0 and the opaque background.
void ResetDrawState();
// Puts the DC's own font back and deletes the cached fonts.
void ReleaseFonts();
// Deletes every cached pen, brush and font. Also run at exit.
void FreeDrawObjects();
// How many pens, brushes and fonts the caches hold now.
int CachedDrawObjectCount();
void SetArrowHeads(bool at_start, bool at_end);
// Clamps to 0.3..10 (a NaN is refused); a changed factor releases the fonts. Scaling is active outside
// 0.98..1.02: every x becomes MulDiv(x, factor x 1000, 1000), every y likewise.
int SetDrawScale(float factor);
float GetDrawScale();
// The extent of a text in the selected font: 0 without a DC, 30 when it cannot be measured.
int GetTextWidth(std::string_view text);
int GetTextHeight(std::string_view text);
// The size of a bitmap resource of the program; refused when there is none or no drawing is in progress.
int GetBitmapSize(int resource_id, int* width, int* height);

// --- Drawing (nothing happens while no drawing is in progress) ---
// Arrow heads (when switched on) and then the line through the points with the current pen.
void DrawPolyline(std::span<const DrawPoint> points);
// A black pixel at each point.
void DrawPoints(std::span<const DrawPoint> points);
// The text with its top at y - 12: y is the base row of the 12-unit font.
void DrawTextAt(int x, int y, std::string_view text);
// Filled with the current brush and outlined in the brush colour.
void DrawPolygon(std::span<const DrawPoint> points);
void DrawRectangle(int x1, int y1, int x2, int y2);
// Filled with the current brush, no outline; the right and bottom edges stay out.
void FillRectangle(int x1, int y1, int x2, int y2);
void DrawCircle(int cx, int cy, int radius);  // the radius follows the x scale
void DrawEllipse(int cx, int cy, int radius_x, int radius_y);
// Counter-clockwise from the start to the end angle (tenths of a degree, y downwards); the pie adds its radii.
void DrawArc(int cx, int cy, int radius, int start_angle, int end_angle);
void DrawPie(int cx, int cy, int radius, int start_angle, int end_angle);
void DrawRoundRect(int x1, int y1, int x2, int y2);
// Four lines joined by quarter arcs, unfilled.
void DrawRoundFrame(int x1, int y1, int x2, int y2);
void FloodFillArea(int x, int y, int border_colour);
// A filled triangle in the pen colour with its tip at (x, y): direction 0 left, 1 right, 2 up, 3 down.
int DrawArrowHead(int x, int y, int length, int half_width, int direction);
// Stretches a bitmap resource of the program into the rectangle; refused when there is no such bitmap.
int DrawResourceBitmap(int x, int y, int width, int height, int resource_id);

}  // namespace app
