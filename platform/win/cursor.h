// Cursors and icons. There is one virtual mouse pointer: SetCursorPos moves it (a display backend may follow),
// ClipCursor records its rectangle, SetCursor records the shape.
#pragma once

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

// Stock cursors and icons, by number.
inline constexpr std::uintptr_t kIdcArrow = 32512;
inline constexpr std::uintptr_t kIdcIbeam = 32513;
inline constexpr std::uintptr_t kIdcWait = 32514;
inline constexpr std::uintptr_t kIdcCross = 32515;
inline constexpr std::uintptr_t kIdcUpArrow = 32516;
inline constexpr std::uintptr_t kIdcSizeNwse = 32642;
inline constexpr std::uintptr_t kIdcSizeNesw = 32643;
inline constexpr std::uintptr_t kIdcSizeWe = 32644;
inline constexpr std::uintptr_t kIdcSizeNs = 32645;
inline constexpr std::uintptr_t kIdcSizeAll = 32646;
inline constexpr std::uintptr_t kIdcNo = 32648;
inline constexpr std::uintptr_t kIdcHand = 32649;
#define IDC_ARROW MAKEINTRESOURCE(kIdcArrow)
#define IDC_IBEAM MAKEINTRESOURCE(kIdcIbeam)
#define IDC_WAIT MAKEINTRESOURCE(kIdcWait)
#define IDC_CROSS MAKEINTRESOURCE(kIdcCross)
#define IDC_UPARROW MAKEINTRESOURCE(kIdcUpArrow)
#define IDC_SIZENWSE MAKEINTRESOURCE(kIdcSizeNwse)
#define IDC_SIZENESW MAKEINTRESOURCE(kIdcSizeNesw)
#define IDC_SIZEWE MAKEINTRESOURCE(kIdcSizeWe)
#define IDC_SIZENS MAKEINTRESOURCE(kIdcSizeNs)
#define IDC_SIZEALL MAKEINTRESOURCE(kIdcSizeAll)
#define IDC_NO MAKEINTRESOURCE(kIdcNo)
#define IDC_HAND MAKEINTRESOURCE(kIdcHand)
#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)

// A cursor or icon handle names its resource: (instance, number or name); the same request gives the same handle.
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
BOOL SetCursorPos(int x, int y);
BOOL GetCursorPos(POINT* point);
// A null rectangle frees the pointer.
BOOL ClipCursor(const RECT* rect);
BOOL GetClipCursor(RECT* rect);
BOOL DestroyCursor(HCURSOR cursor);
BOOL DestroyIcon(HICON icon);
#define LoadCursorA LoadCursor
#define LoadIconA LoadIcon

#include <functional>

namespace platform::win {

// What a display backend does with the pointer: show a shape (null: no pointer), move the pointer to a screen
// point, keep it inside a screen rectangle (null: free). Any of them may be empty.
struct CursorBackend {
  std::function<void(HCURSOR cursor)> shape;
  std::function<void(int x, int y)> warp;
  std::function<void(const RECT* clip)> clip;
};
void SetCursorBackend(CursorBackend backend);

// The stock number of a cursor handle from LoadCursor(nullptr, ...), 0 for others.
std::uintptr_t StockCursorId(HCURSOR cursor);
// Where an icon handle of LoadIcon comes from: the module (null for the stock icons) and the resource number (0 for
// a named icon); false for a handle LoadIcon did not give.
bool IconSource(HICON icon, HINSTANCE* instance, std::uintptr_t* number);
// Whether ClipCursor holds a rectangle now (for tests of drags).
bool CursorClipped();

}  // namespace platform::win
