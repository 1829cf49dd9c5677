// The module state of the class layer: the module whose resources (dialog templates, menus, bitmaps, cursors,
// strings) the classes load, and the application object of that module.
#pragma once

#include "platform/sys/wintypes.h"

namespace afx {

class CWinApp;
class CWnd;

// The module resources are looked up in; the program's own module until a library's application object sets
// its own.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE instance);

CWinApp* AfxGetApp();
// The application's main window object, null without one.
CWnd* AfxGetMainWnd();

namespace detail {
// The application object that the class layer serves now (set by its constructor and its library start).
void SetCurrentApp(CWinApp* app);
}  // namespace detail

}  // namespace afx
