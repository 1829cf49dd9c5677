// The window layer's own records: window classes, windows in a generation-checked table, and the helpers the
// modules of the layer share. Nothing outside platform/win includes this.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sys/wintypes.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/messages.h"

namespace platform::win::detail {

struct WindowClassInfo {
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int cls_extra = 0;
  int wnd_extra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::uintptr_t menu_id = 0;  // a numbered menu resource, or 0
  std::string menu_name;       // a named one
  ATOM atom = 0;
  bool hit_transparent = false;  // clicks pass to the parent (plain statics, group boxes are decided per style)
  std::vector<std::uint8_t> class_extra;
};

// Per-control state of the built-in classes.
struct ControlData {
  virtual ~ControlData() = default;
};



struct ScrollState {
  int min = 0;
  int max = 100;
  int page = 0;
  int pos = 0;
  bool visible = false;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClassInfo> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD ex_style = 0;
  HWND parent = nullptr;  // child windows only
  HWND owner = nullptr;   // top-level windows only
  std::vector<HWND> children;  // top of the z-order first; creation order for dialogs
  UINT_PTR id = 0;
  HMENU menu = nullptr;
  HINSTANCE instance = nullptr;
  std::string text;
  RECT rect{};  // in the parent's client coordinates; in screen coordinates for top-level windows
  // A top-level window's place before it was minimized or maximized, which Restore brings back; and whether
  // Restore from minimized goes back to maximized.
  RECT normal_rect{};
  bool has_normal_rect = false;
  bool restore_maximized = false;
  LONG_PTR user_data = 0;
  std::vector<std::uint8_t> extra;
  std::vector<std::pair<std::string, HANDLE>> props;
  bool has_update = false;
  bool erase = false;
  RECT update{};
  unsigned update_serial = 0;
  HFONT font = nullptr;
  bool destroying = false;
  ScrollState hscroll;
  ScrollState vscroll;
  std::unique_ptr<ControlData> control;
  std::unique_ptr<DialogData> dialog;
};

// Table access. Lookup gives null for null, stale or destroyed handles.
Window* Lookup(HWND hwnd);
Window* Allocate();                // a fresh record with a fresh handle
void Release(HWND hwnd);           // the handle turns stale
std::vector<HWND> TopLevelWindows();  // creation order
// The same without a copy, for a walk that creates and destroys no window meanwhile (every message retrieval
// looks for a window to paint).
const std::vector<HWND>& TopLevelWindowsInPlace();
void AddTopLevel(HWND hwnd);
void RemoveTopLevel(HWND hwnd);

// Classes (names compare without regard to case).
std::shared_ptr<WindowClassInfo> FindClass(LPCSTR name);
ATOM AddClass(std::shared_ptr<WindowClassInfo> cls);  // 0 when the name is taken
bool RemoveClass(LPCSTR name);
void EnsureSystemClasses();
// Registers a class of the layer itself (controls, dialogs).
void RegisterSystemClass(const char* name, WNDPROC proc, UINT style, int wnd_extra, bool hit_transparent = false);

// Whether a window is of a class (names compare without regard to case).
bool IsClass(HWND hwnd, const char* name);

// Geometry helpers.
RECT NonClientInsets(const Window& w);  // left/top/right/bottom thickness of the frame, caption and menu
POINT ClientOriginOnScreen(const Window& w);
// Where a screen point lies in a window (HTCLIENT, HTCAPTION, HTMENU, HTBORDER, ...), for WM_NCHITTEST.
LRESULT NonClientHitTest(const Window& w, POINT screen);
// Follows the keys that open the menu bar by keyboard: true at the release of F10, or of Alt pressed alone.
bool NoteMenuKey(UINT message, WPARAM vk);
HWND Root(HWND hwnd);  // the top-level ancestor (itself for a top-level window)
bool IsDescendant(HWND ancestor, HWND hwnd);  // hwnd is ancestor or lies below it
bool IsReallyVisible(HWND hwnd);  // the window and all its ancestors are visible
bool IsReallyEnabled(HWND hwnd);  // the window and all its ancestors are enabled

// Calls the window procedure, telling the message observers first. The record may be gone afterwards.
LRESULT CallProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Changes the display backend follows (see input_injection.h).
void NotifyShown(HWND hwnd, bool shown);
void NotifyMinimized(HWND hwnd);
void NotifyMoved(HWND hwnd);
void NotifyInvalidated(HWND hwnd, const RECT& client_rect);
void NotifyTextChanged(HWND hwnd);
void NotifyCreated(HWND hwnd);
void NotifyDestroyed(HWND hwnd);

// Focus and activation bookkeeping when a window goes away or hides.
void ForgetWindow(HWND hwnd);
// Timers of a window that is destroyed.
void KillWindowTimers(HWND hwnd);
// Text of a handle for diagnostics.
std::string Describe(HWND hwnd);

inline HWND ToHwnd(LPARAM v) { return reinterpret_cast<HWND>(v); }
inline LPARAM FromHwnd(HWND h) { return reinterpret_cast<LPARAM>(h); }

// The control data of a built-in control, made on first use; null for a stale handle.
template <class T>
T* DataOf(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return nullptr;
  if (!w->control) w->control = std::make_unique<T>();
  return static_cast<T*>(w->control.get());
}

// DefWindowProc's answer to WM_CTLCOLOR*: window text on the window colour (edits, lists) or on the face colour
// (the others), set into dc; the brush of that background.
LRESULT DefaultControlColours(UINT message, HDC dc);

// Sends WM_COMMAND with a notification code to the control's parent.
void NotifyParent(HWND control, WORD code);
// Sends WM_NOTIFY with the header filled for the control.
LRESULT NotifyParentNm(HWND control, UINT code, NMHDR* header);

}  // namespace platform::win::detail
