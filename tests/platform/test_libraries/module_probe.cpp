// A tiny library the loader tests open by ".dll" name: it registers a dialog template, a string table and a
// window class for its own module from a static constructor, and exports a few plain functions.
#include <array>

#include "platform/sys/dynamic_library.h"
#include "platform/win/controls.h"
#include "platform/win/dialog_template.h"
#include "platform/win/resources.h"
#include "platform/win/window.h"

namespace {

constexpr int kProbeTemplate = 4711;
constexpr UINT kProbeString = 4712;

constexpr std::array kItems{
    DialogItemTemplate{1, "BUTTON", "Probe OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 10, 50, 14},
};
const DialogTemplate kDialog{WS_POPUP | WS_CAPTION, 0, 0, 120, 40, "Probe", kItems};
constexpr std::array kStrings{StringTableEntry{kProbeString, "probe string"}};

LRESULT ProbeWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_USER) return 4713;
  return DefWindowProc(hwnd, message, wparam, lparam);
}

// Registration at load; nothing is unregistered at unload: the layer removes what belongs to the module.
struct Registration {
  Registration() {
    HMODULE self = platform::sys::ThisModule();
    platform::win::RegisterDialogTemplate(self, MAKEINTRESOURCE(kProbeTemplate), &kDialog);
    platform::win::RegisterStringTable(self, kStrings);
    WNDCLASS wc{};
    wc.lpfnWndProc = ProbeWindowProc;
    wc.hInstance = self;
    wc.lpszClassName = "ProbeWindow";
    RegisterClass(&wc);
  }
};
const Registration g_registration;

}  // namespace

extern "C" __attribute__((visibility("default"))) int Probe_Add(int a, int b) { return a + b; }
extern "C" __attribute__((visibility("default"))) HMODULE Probe_Module() { return platform::sys::ThisModule(); }
