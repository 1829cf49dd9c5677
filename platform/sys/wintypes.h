// Scalar and handle types with the widths the application code expects of its platform.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BOOL = int;
using CHAR = char;
using UCHAR = unsigned char;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using COLORREF = DWORD;
using ATOM = WORD;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct LARGE_INTEGER {
  LONGLONG QuadPart;
};

// Opaque handles: the value carries a table index and a generation (see platform/win), never a real address.
#define ZPR_DECLARE_HANDLE(name) \
  struct name##__ {              \
    int unused;                  \
  };                             \
  using name = name##__*

ZPR_DECLARE_HANDLE(HWND);
ZPR_DECLARE_HANDLE(HINSTANCE);
ZPR_DECLARE_HANDLE(HMENU);
ZPR_DECLARE_HANDLE(HACCEL);
ZPR_DECLARE_HANDLE(HDC);
ZPR_DECLARE_HANDLE(HGDIOBJ);
ZPR_DECLARE_HANDLE(HPEN);
ZPR_DECLARE_HANDLE(HBRUSH);
ZPR_DECLARE_HANDLE(HFONT);
ZPR_DECLARE_HANDLE(HBITMAP);
ZPR_DECLARE_HANDLE(HRGN);
ZPR_DECLARE_HANDLE(HICON);
ZPR_DECLARE_HANDLE(HCURSOR);
ZPR_DECLARE_HANDLE(HMODULE_);
ZPR_DECLARE_HANDLE(HGLOBAL_);
ZPR_DECLARE_HANDLE(HIMAGELIST);
ZPR_DECLARE_HANDLE(HTREEITEM);
using HMODULE = HINSTANCE;
using HANDLE = void*;
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;
using FARPROC = void (*)();

#undef ZPR_DECLARE_HANDLE

// Geometry shared by the window and drawing layers.
struct POINT {
  LONG x;
  LONG y;
};
struct SIZE {
  LONG cx;
  LONG cy;
};
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#define MAX_PATH 260
