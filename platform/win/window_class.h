// Class data of a window's class: Get/SetClassLong(Ptr). A change reaches every window of the class (the class
// cursor the next time WM_SETCURSOR asks, the background brush the next erase).
#pragma once

#include "platform/sys/wintypes.h"

inline constexpr int GCLP_MENUNAME = -8;
inline constexpr int GCLP_HBRBACKGROUND = -10;
inline constexpr int GCLP_HCURSOR = -12;
inline constexpr int GCLP_HICON = -14;
inline constexpr int GCLP_HMODULE = -16;
inline constexpr int GCL_CBWNDEXTRA = -18;
inline constexpr int GCL_CBCLSEXTRA = -20;
inline constexpr int GCLP_WNDPROC = -24;
inline constexpr int GCL_STYLE = -26;
inline constexpr int GCW_ATOM = -32;
inline constexpr int GCLP_HICONSM = -34;
inline constexpr int GCL_HBRBACKGROUND = GCLP_HBRBACKGROUND;
inline constexpr int GCL_HCURSOR = GCLP_HCURSOR;
inline constexpr int GCL_HICON = GCLP_HICON;
inline constexpr int GCL_WNDPROC = GCLP_WNDPROC;

// Non-negative indices address the class's extra bytes (cbClsExtra). Unknown indices and stale handles give 0.
// GCL_CBWNDEXTRA and GCL_CBCLSEXTRA cannot be changed (the windows already made keep their sizes): set gives 0.
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);
DWORD GetClassLong(HWND hwnd, int index);
DWORD SetClassLong(HWND hwnd, int index, LONG value);
#define GetClassLongPtrA GetClassLongPtr
#define SetClassLongPtrA SetClassLongPtr
#define GetClassLongA GetClassLong
#define SetClassLongA SetClassLong
