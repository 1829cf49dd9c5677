// Dialog item helpers: text, numbers, check state, radio groups, messages by id.
#include <cctype>
#include <climits>
#include <cstdio>
#include <string>

#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowText(item, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size) {
  if (buffer && size > 0) buffer[0] = '\0';
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  return static_cast<UINT>(GetWindowText(item, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed) {
  char text[16];
  if (is_signed)
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  else
    std::snprintf(text, sizeof text, "%u", value);
  return SetDlgItemText(dialog, id, text);
}

// Leading blanks, an optional minus (signed), decimal digits, trailing blanks; anything else, or a value out of
// range, is not a number.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed) {
  if (translated) *translated = FALSE;
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  int length = GetWindowTextLength(item);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowText(item, text.data(), length + 1);
  text.resize(std::char_traits<char>::length(text.c_str()));
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (is_signed && i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  std::size_t digits_at = i;
  unsigned long long value = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > 0xFFFFFFFFull) return 0;
    ++i;
  }
  if (i == digits_at) return 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) return 0;
  if (is_signed) {
    if (!negative && value > static_cast<unsigned long long>(INT_MAX)) return 0;
    if (negative && value > static_cast<unsigned long long>(INT_MAX) + 1) return 0;
    if (translated) *translated = TRUE;
    long long v = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
    return static_cast<UINT>(static_cast<int>(v));
  }
  if (translated) *translated = TRUE;
  return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessage(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  return static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  if (!IsWindow(dialog)) return FALSE;
  for (int id = first; id <= last; ++id) {
    HWND item = GetDlgItem(dialog, id);
    if (item) SendMessage(item, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  return SendMessage(item, message, wparam, lparam);
}
