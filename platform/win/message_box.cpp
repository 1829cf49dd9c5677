#include "platform/win/message_box.h"

#include <algorithm>
#include <vector>

#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_font.h"
#include "platform/win/input.h"
#include "platform/win/window.h"

namespace {

int g_beeps = 0;

struct ButtonChoice {
  int id;
  const char* text;
};

std::vector<ButtonChoice> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

INT_PTR MessageBoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: {
      int id = LOWORD(wparam);
      auto* request = static_cast<platform::win::MessageBoxRequest*>(reinterpret_cast<void*>(GetWindowLongPtr(dialog, DWLP_USER)));
      if (!request) return FALSE;
      auto buttons = ButtonsOf(request->type);
      bool has = std::any_of(buttons.begin(), buttons.end(), [id](const ButtonChoice& b) { return b.id == id; });
      if (has) {
        EndDialog(dialog, id);
      } else if (id == IDCANCEL && (request->type & MB_TYPEMASK) == MB_OK) {
        EndDialog(dialog, IDOK);  // Escape closes a box that has only OK
      }
      return TRUE;
    }
    default: return FALSE;
  }
  (void)lparam;
}

}  // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner && !IsWindow(owner)) return 0;
  platform::win::MessageBoxRequest request{owner, text ? text : "", caption ? caption : "Error", type};
  auto buttons = ButtonsOf(type);
  int default_index = static_cast<int>((type & MB_DEFMASK) >> 8);
  if (default_index >= static_cast<int>(buttons.size())) default_index = 0;
  // Layout in dialog units from the text's measured width (fixed metrics headless).
  auto units = platform::win::BaseUnitsOf(nullptr);
  int widest = 0;
  int lines = 1;
  std::size_t start = 0;
  const std::string& t = request.text;
  for (std::size_t i = 0; i <= t.size(); ++i) {
    if (i == t.size() || t[i] == '\n') {
      widest = std::max(widest, platform::win::TextWidthOf(nullptr, t.c_str() + start, static_cast<int>(i - start)));
      if (i < t.size()) ++lines;
      start = i + 1;
    }
  }
  short text_cx = static_cast<short>(std::min(600, widest * 4 / std::max(1, units.x) + 4));
  short text_cy = static_cast<short>(lines * 8 + 2);
  short buttons_cx = static_cast<short>(buttons.size() * 56);
  short icon = (type & MB_ICONMASK) ? 30 : 0;
  short cx = static_cast<short>(std::max<int>(text_cx + icon, buttons_cx) + 14);
  short cy = static_cast<short>(text_cy + 14 + 14 + 7);
  std::vector<DialogItemTemplate> items;
  items.push_back({0xFFFF, WC_STATIC, request.text.c_str(), SS_LEFT | SS_NOPREFIX, static_cast<short>(7 + icon), 7,
                   text_cx, text_cy});
  short x = static_cast<short>((cx - buttons_cx) / 2 + 3);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    DWORD style = WS_TABSTOP | (static_cast<int>(i) == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (i == 0 ? WS_GROUP : 0);
    items.push_back({buttons[i].id, WC_BUTTON, buttons[i].text, style, static_cast<short>(x + i * 56),
                     static_cast<short>(text_cy + 14), 50, 14});
  }
  DialogTemplate dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0, 0, cx, cy,
                        request.caption.c_str(), items};
  HWND root = owner ? platform::win::detail::Root(owner) : nullptr;
  HWND box = platform::win::detail::CreateDialogCore(GetModuleHandle(nullptr), &dialog, root, MessageBoxProc, 0, true,
                                                     platform::win::detail::DialogKind::kMessageBox, &request);
  if (!box) return 0;
  SetWindowLongPtr(box, DWLP_USER, reinterpret_cast<LONG_PTR>(&request));
  HWND def = GetDlgItem(box, buttons[static_cast<std::size_t>(default_index)].id);
  if (def) SetFocus(def);
  INT_PTR result = platform::win::detail::RunModal(box, root);
  return result < 0 ? 0 : static_cast<int>(result);
}

BOOL MessageBeep(UINT) {
  ++g_beeps;
  return TRUE;
}

int platform::win::BeepCount() { return g_beeps; }
