#include "scope/caption_button.h"

#include <string>

#include "platform/gdi/control_paint.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace scope {

void PaintCaptionButton(const DRAWITEMSTRUCT& item) {
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  char text[16] = "";
  ::GetWindowText(item.hwndItem, text, sizeof text);
  platform::gdi::ButtonLook look;
  look.text = text;
  look.font = reinterpret_cast<HFONT>(::SendMessage(item.hwndItem, WM_GETFONT, 0, 0));
  look.pushed = pushed;
  look.enabled = (item.itemState & ODS_DISABLED) == 0;
  // The dark frame of the focused button, without the look's own focus frame.
  look.default_button = focused;
  platform::gdi::PaintPushButton(item.hDC, item.rcItem, look);
  if (!focused) return;
  // The face lies inside the dark frame and the raised edge (a pushed button: a one-pixel shadow).
  const int border = 1 + (pushed ? 1 : 2);
  RECT focus = item.rcItem;
  focus.left += border + 1;
  focus.top += border + 1;
  focus.right -= border + 1;
  focus.bottom -= border + 1;
  if (focus.right > focus.left && focus.bottom > focus.top) platform::gdi::PaintFocusRect(item.hDC, focus);
}

}  // namespace scope
