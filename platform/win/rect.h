// Rectangle and point arithmetic on the shared geometry types. A rectangle holds its left and top edge and
// excludes its right and bottom edge.
#pragma once

#include "platform/sys/wintypes.h"

BOOL SetRect(RECT* r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* r);
BOOL CopyRect(RECT* dst, const RECT* src);
BOOL IsRectEmpty(const RECT* r);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* r, POINT p);
BOOL OffsetRect(RECT* r, int dx, int dy);
BOOL InflateRect(RECT* r, int dx, int dy);
// The overlap of a and b; empty (and FALSE) when they do not overlap.
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
// The smallest rectangle holding both; an empty operand is ignored.
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b);

inline LONG RectWidth(const RECT& r) { return r.right - r.left; }
inline LONG RectHeight(const RECT& r) { return r.bottom - r.top; }
