#include "platform/win/message_box.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/word_break.h"
#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_font.h"
#include "platform/win/input.h"
#include "platform/win/layer_texts.h"
#include "platform/win/metrics.h"
#include "platform/win/screen_fit.h"
#include "platform/win/window.h"

namespace {

int g_beeps = 0;

// The text's control: a static, or a read-only edit when the text scrolls.
constexpr int kMessageBoxTextId = 0xFFFF;

struct ButtonChoice {
  int id;
  const char* text;
};

std::vector<ButtonChoice> ButtonsOf(UINT type) {
  std::vector<ButtonChoice> buttons;
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = {{IDOK, "OK"}, {IDCANCEL, "Cancel"}}; break;
    case MB_ABORTRETRYIGNORE: buttons = {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}}; break;
    case MB_YESNOCANCEL: buttons = {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}}; break;
    case MB_YESNO: buttons = {{IDYES, "&Yes"}, {IDNO, "&No"}}; break;
    case MB_RETRYCANCEL: buttons = {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}}; break;
    default: buttons = {{IDOK, "OK"}}; break;
  }
  for (ButtonChoice& b : buttons) b.text = platform::win::LayerText(b.text);
  return buttons;
}

// The text with one '\n' for each line end, however it is written ("\r\n", "\n\r", "\n" or "\r").
std::string OneLineEnd(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += '\n';
    const char pair = c == '\r' ? '\n' : '\r';
    if (i + 1 < text.size() && text[i + 1] == pair) ++i;
  }
  return out;
}

// The lines of the text as the static control breaks them (DrawText's word break at blanks) at max_width.
std::vector<std::string> WrapLines(const std::string& text, int max_width) {
  std::vector<std::string> lines;
  const auto width = [](std::string_view s) {
    return platform::win::TextWidthOf(nullptr, s.data(), static_cast<int>(s.size()));
  };
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string paragraph = text.substr(start, end - start);
    start = end + 1;
    for (const platform::gdi::BrokenLine& l : platform::gdi::BreakAtBlanks(paragraph, max_width, width))
      lines.push_back(l.text);
  }
  return lines;
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
  platform::win::MessageBoxRequest request{owner, text ? text : "", caption ? caption : platform::win::LayerText("Error"),
                                           type};
  auto buttons = ButtonsOf(type);
  int default_index = static_cast<int>((type & MB_DEFMASK) >> 8);
  if (default_index >= static_cast<int>(buttons.size())) default_index = 0;
  // Layout: the text is broken at a maximum width; the box grows with its lines up to the work area's height,
  // and a text that is taller still scrolls in a read-only multi-line edit. Sizes are measured in pixels and
  // laid out in dialog units.
  const auto units = platform::win::BaseUnitsOf(nullptr);
  const auto du_x = [&](int px) { return static_cast<short>((px * 4 + units.x - 1) / std::max(1, units.x)); };
  const auto du_y = [&](int px) { return static_cast<short>((px * 8 + units.y - 1) / std::max(1, units.y)); };
  const auto px_x = [&](int du) { return du * units.x / 4; };
  const auto px_y = [&](int du) { return du * units.y / 8; };
  const RECT area = platform::win::WorkArea();
  const short icon = (type & MB_ICONMASK) ? 30 : 0;
  const int frame_y = 2 * GetSystemMetrics(SM_CYDLGFRAME) + 2 * GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION);
  const int max_text = std::max(px_x(60), std::min(px_x(600), (area.right - area.left) * 3 / 4) - px_x(14 + icon));
  const std::string t = OneLineEnd(request.text);
  const std::vector<std::string> lines = WrapLines(t, max_text);
  int widest = 0;
  for (const std::string& l : lines)
    widest = std::max(widest, platform::win::TextWidthOf(nullptr, l.c_str(), static_cast<int>(l.size())));
  const int line_height = units.y;
  const int text_height = static_cast<int>(lines.size()) * line_height;
  const int room = (area.bottom - area.top) - frame_y - px_y(7 + 14 + 14 + 7);
  const bool scrolls = text_height > room;
  short text_cx = static_cast<short>(du_x(widest) + 2);
  if (scrolls) text_cx = static_cast<short>(text_cx + du_x(GetSystemMetrics(SM_CXVSCROLL) + 4));
  const short text_cy = scrolls ? static_cast<short>(std::max(8, room * 8 / std::max(1, units.y))) : static_cast<short>(du_y(text_height) + 1);
  const short buttons_cx = static_cast<short>(buttons.size() * 56);
  const short cx = static_cast<short>(std::max<int>(text_cx + icon, buttons_cx) + 14);
  const short cy = static_cast<short>(text_cy + 14 + 14 + 7);
  // The scrolled text holds the broken lines, so that it reads as the box would show it.
  std::string shown;
  for (std::size_t i = 0; i < lines.size(); ++i) shown += (i ? "\r\n" : "") + lines[i];
  std::vector<DialogItemTemplate> items;
  if (scrolls) {
    items.push_back({kMessageBoxTextId, WC_EDIT, shown.c_str(), ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER,
                     static_cast<short>(7 + icon), 7, text_cx, text_cy});
  } else {
    items.push_back({kMessageBoxTextId, WC_STATIC, t.c_str(), SS_LEFT | SS_NOPREFIX,
                     static_cast<short>(7 + icon), 7, text_cx, text_cy});
  }
  short x = static_cast<short>((cx - buttons_cx) / 2 + 3);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    DWORD style = WS_TABSTOP | (static_cast<int>(i) == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (i == 0 ? WS_GROUP : 0);
    items.push_back({buttons[i].id, WC_BUTTON, buttons[i].text, style, static_cast<short>(x + i * 56),
                     static_cast<short>(text_cy + 14), 50, 14});
  }
  DialogTemplate dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, cx, cy, request.caption.c_str(),
                        items};
  HWND root = owner ? platform::win::detail::Root(owner) : nullptr;
  HWND box = platform::win::detail::CreateDialogCore(GetModuleHandle(nullptr), &dialog, root, MessageBoxProc, 0, true,
                                                     platform::win::detail::DialogKind::kMessageBox, &request);
  if (box) {
    // Centred on the owner (or the active window), kept on the screen.
    HWND anchor = root ? root : GetActiveWindow();
    RECT over = area;
    if (anchor && IsWindowVisible(anchor) && !IsIconic(anchor)) GetWindowRect(anchor, &over);
    RECT own{};
    GetWindowRect(box, &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    const int left = over.left + ((over.right - over.left) - w) / 2;
    const int top = over.top + ((over.bottom - over.top) - h) / 2;
    const RECT placed = platform::win::MoveIntoWorkArea(RECT{left, top, left + w, top + h});
    SetWindowPos(box, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
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
