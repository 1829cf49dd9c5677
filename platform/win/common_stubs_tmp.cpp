#include "platform/win/common_controls.h"
#include "platform/win/detail/control_procs.h"
#include "platform/win/window.h"
namespace platform::win::detail {
LRESULT UpDownProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
LRESULT ListViewProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
LRESULT TreeViewProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
LRESULT ToolTipProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
}
const char* platform::win::ShownToolTip(HWND) { return ""; }
