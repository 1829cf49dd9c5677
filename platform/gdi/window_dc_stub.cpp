// Placeholder until the drawing layer gives windows their surfaces: no window DC can be had yet.
#include "platform/gdi/window_dc.h"

namespace platform::gdi {

HDC CreateWindowDC(HWND, bool) { return nullptr; }
void ReleaseWindowDC(HDC) {}

}  // namespace platform::gdi
