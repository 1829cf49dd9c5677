// Plain looks of the built-in controls, for their WM_PAINT: 3D edges, push buttons, check boxes and radio
// buttons, group boxes, static text, edit fields, list rows, combo fields, scroll bars and the focus frame.
// Everything is drawn in the control's client coordinates with the system colours.
#pragma once

#include <string>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi/colorref.h"
#include "platform/sys/wintypes.h"

namespace platform::gdi {

// Colours the control's parent chose for it (WM_CTLCOLOR*): the background brush and the text colour; unset
// members keep the system colours. A disabled control's text stays grey.
struct ControlColours {
  HBRUSH background = nullptr;
  COLORREF text = CLR_INVALID;
};

// A raised (buttons) or sunken (fields) border of two pixels inside rect; returns the rectangle inside it.
RECT PaintEdge(HDC dc, const RECT& rect, bool sunken);
// The dotted focus frame (drawn with XOR, so a second call removes it).
void PaintFocusRect(HDC dc, const RECT& rect);

struct ButtonLook {
  std::string_view text;  // '&' marks the mnemonic
  HFONT font = nullptr;   // null: the default GUI font
  bool pushed = false;
  bool focused = false;
  bool default_button = false;
  bool enabled = true;
  HBITMAP bitmap = nullptr;  // BS_BITMAP: the picture in place of the text
  HICON icon = nullptr;      // BS_ICON
};
void PaintPushButton(HDC dc, const RECT& rect, const ButtonLook& look);

struct CheckLook {
  std::string_view text;
  HFONT font = nullptr;
  int state = 0;  // 0 clear, 1 checked, 2 indeterminate
  bool radio = false;
  bool focused = false;
  bool enabled = true;
  bool text_left = false;
  ControlColours colours;
};
void PaintCheckButton(HDC dc, const RECT& rect, const CheckLook& look);
void PaintGroupBox(HDC dc, const RECT& rect, std::string_view text, HFONT font, bool enabled,
                   const ControlColours& colours = {});
// Fills with the button face and draws the text with DrawText format (DT_LEFT, DT_CENTER, DT_WORDBREAK, ...).
void PaintStaticText(HDC dc, const RECT& rect, std::string_view text, HFONT font, UINT format, bool enabled,
                     const ControlColours& colours = {});

struct EditLook {
  std::string_view text;  // already masked for a password field
  HFONT font = nullptr;
  int scroll = 0;         // single line: first visible character; multiline: first visible line
  int selection_start = 0;
  int selection_end = 0;  // selection_start == selection_end: none
  int caret = -1;         // character position of the caret; -1: none
  bool enabled = true;
  bool read_only = false;
  bool border = true;
  bool multiline = false;
  bool focused = false;
  std::span<const int> tab_stops;  // in pixels from the line's left edge; none: every 8 average widths
  ControlColours colours;
};
void PaintEditField(HDC dc, const RECT& rect, const EditLook& look);
// The character position of a single-line field nearest to client x (for clicks), as PaintEditField lays it out.
int EditPositionAt(HFONT font, std::string_view text, int scroll, int x);
// Pixels from the text's left edge to before character n, in the field's font, a tab going to the next stop.
int EditTextWidth(HFONT font, std::string_view text, int n, std::span<const int> tab_stops = {});

struct ListLook {
  const std::vector<std::string>* rows = nullptr;
  HFONT font = nullptr;
  int top = 0;            // first visible row
  int selected = -1;      // highlighted row
  const std::vector<bool>* chosen = nullptr;  // a multiple-selection list: the highlighted rows
  int focus_row = -1;     // row with the focus frame while focused
  int item_height = 0;    // 0: the font's height
  bool focused = false;
  bool enabled = true;
  bool border = true;
  ControlColours colours;
};
void PaintListRows(HDC dc, const RECT& rect, const ListLook& look);
// The height of a list row in a font.
int ListItemHeight(HFONT font);
// A combo box's field (text and drop-down button); dropped draws the button pushed.
void PaintComboField(HDC dc, const RECT& rect, std::string_view text, HFONT font, bool focused, bool enabled,
                     bool dropped);
void PaintScrollBar(HDC dc, const RECT& rect, bool vertical, int minimum, int maximum, int page, int position,
                    bool enabled);

}  // namespace platform::gdi
