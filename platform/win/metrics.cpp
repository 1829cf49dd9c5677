#include "platform/win/metrics.h"

namespace {

int g_screen_cx = 1280;
int g_screen_cy = 1024;

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return g_screen_cx;
    case SM_CYSCREEN: return g_screen_cy;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 15;
    case SM_CYMENU: return 19;
    case SM_CXFULLSCREEN: return g_screen_cx;
    case SM_CYFULLSCREEN: return g_screen_cy - 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXMAXIMIZED: return g_screen_cx + 8;
    case SM_CYMAXIMIZED: return g_screen_cy + 8;
    default: return 0;
  }
}

DWORD GetVersion() { return 0x0A280105u; }

namespace {
RECT g_work_area{0, 0, 0, 0};
}  // namespace

RECT platform::win::WorkArea() {
  if (g_work_area.right > g_work_area.left && g_work_area.bottom > g_work_area.top) return g_work_area;
  return RECT{0, 0, g_screen_cx, g_screen_cy};
}

void platform::win::SetWorkArea(const RECT& area) { g_work_area = area; }

void platform::win::SetScreenSize(int width, int height) {
  if (width > 0) g_screen_cx = width;
  if (height > 0) g_screen_cy = height;
}
