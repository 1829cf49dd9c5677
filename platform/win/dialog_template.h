// Dialog templates as constant tables: the dialog's style, position and size in dialog units, caption and font,
// and one row per control (id, class, text, style, rectangle in dialog units). Every control is created with
// WS_CHILD and, unless the row says hidden, WS_VISIBLE.
#pragma once

#include <functional>
#include <span>

#include "platform/sys/wintypes.h"

struct DialogItemTemplate {
  int id;
  const char* class_name;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SCROLLBAR", a common control or own
  const char* text;
  DWORD style;
  short x;
  short y;
  short cx;
  short cy;
  DWORD ex_style = 0;
  bool hidden = false;
};

struct DialogTemplate {
  DWORD style;
  short x;
  short y;
  short cx;
  short cy;
  const char* caption;
  std::span<const DialogItemTemplate> items;
  const char* font_face = nullptr;  // with DS_SETFONT
  int font_points = 8;
  DWORD ex_style = 0;
  const char* class_name = nullptr;  // a registered class with DefDlgProc-based procedure, or the layer's own
};

namespace platform::win {

// Templates of a module by number (MAKEINTRESOURCE) or name; the table stays owned by the caller. A lookup with
// another instance falls back to a template of the same name of any module.
void RegisterDialogTemplate(HINSTANCE instance, LPCSTR name, const DialogTemplate* dialog);
// A template made on its first look-up (a built one that a program's start need not wait for); the maker's table
// stays owned by the maker. A null maker removes the name.
void RegisterDialogTemplateMaker(HINSTANCE instance, LPCSTR name, std::function<const DialogTemplate*()> make);
const DialogTemplate* FindDialogTemplate(HINSTANCE instance, LPCSTR name);

}  // namespace platform::win
