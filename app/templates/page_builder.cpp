// The page builder: lays out a page's bound part from its menu list in columns of label, control and unit, then
// the page's extras and its buttons below.
#include <algorithm>
#include <array>
#include <cstring>

#include "app/binding/binding_support.h"
#include "app/templates/page_parts.h"
#include "model/element_type.h"
#include "model/menu_list_table.h"
#include "model/record_layout.h"

namespace app {
namespace {

using model::MenuListEntry;

// Room laid out per character of a text: the fixed metrics' average of 4 units and a quarter more, for the
// proportional glyphs a real font draws wider than the average.
constexpr int kLayoutCharWidth = kCharWidth + kCharWidth / 4;
constexpr int kMaxLines = 20;              // lines of a column before the next one starts
constexpr int kWrongSelectionChars = 22;   // "Wrong selection:" and a value
constexpr int kVariableUnitChars = 12;     // the widest unit a page writes into a unit label
constexpr int kStaticHeight = 10;
constexpr int kComboDropHeight = 100;
constexpr int kFrameHeight = 80;
constexpr int kButtonWidth = 56;
constexpr int kButtonHeight = 14;
constexpr int kColumnGap = 10;
constexpr int kGap = 4;
constexpr int kBoxWidth = 14;              // a check box's or radio button's box and the space after it
constexpr int kMinimumWidth = 240;
constexpr DWORD kEditStyle = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

int Chars(const char* text) { return text != nullptr ? static_cast<int>(std::strlen(text)) : 0; }

int WidestValueText(const MenuListEntry& row) {
  int widest = 0;
  for (int i = 1; i <= binding::ValueTextCount(row); ++i) widest = std::max(widest, Chars(row.texts[i]));
  return widest;
}

bool IsVariableUnit(const char* unit) {
  return unit == model::kUnitPosition || unit == model::kUnitPositionPerS || unit == model::kUnitPositionPerS2 ||
         unit == model::kRampUnitHz || unit == model::kRampUnitRpm;
}

DialogItemTemplate Item(int id, const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy) {
  return {id, cls, text, style, static_cast<short>(x), static_cast<short>(y), static_cast<short>(cx),
          static_cast<short>(cy)};
}

DialogItemTemplate Static(int id, const char* text, int x, int y, int cx) {
  return Item(id, WC_STATIC, text, SS_LEFT, x, y + 2, cx, kStaticHeight);
}

// One bound row: its label, its controls (x from the control column, y from the row's top) and its unit.
struct RowPiece {
  const char* label = "";
  int label_id = IDC_STATIC;
  std::vector<DialogItemTemplate> controls;
  int control_width = 0;
  int lines = 1;
  const char* unit = "";
  bool variable_unit = false;
  int value_name_id = 0;  // the label of the value's name (a process-data code's position), 0: none
};

using MakeControls = void (*)(const MenuListEntry& row, int id, RowPiece& piece);

void Add(RowPiece& piece, const DialogItemTemplate& item) {
  piece.controls.push_back(item);
  piece.control_width = std::max(piece.control_width, item.x + item.cx);
}

void MakeNone(const MenuListEntry&, int, RowPiece&) {}

void MakeNumber(const MenuListEntry& row, int id, RowPiece& piece) {
  const int chars = row.kind == 9 ? 6 : row.kind == 10 ? 19 : row.kind == 13 ? 40 : 12;
  Add(piece, Item(id, WC_EDIT, "", kEditStyle, 0, 0, chars * kCharWidth + 8, kControlHeight));
  piece.unit = binding::TextEntry(row, 1);
  piece.variable_unit = IsVariableUnit(row.texts[1]);
  if (binding::ValueName(row, 0.0) != nullptr) piece.value_name_id = id + binding::kValueNameIdOffset;
}

void MakeShownText(int id, RowPiece& piece, int chars) {
  Add(piece, Static(id, "", 0, 0, chars * kLayoutCharWidth + kGap));
}

void MakeCheck(const MenuListEntry& row, int id, RowPiece& piece) {
  if (row.flag == 0) return MakeShownText(id, piece, WidestValueText(row));
  Add(piece, Item(id, WC_BUTTON, "", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 1, kBoxWidth - 2, kStaticHeight));
}

void MakeRadios(const MenuListEntry& row, int id, RowPiece& piece) {
  if (row.flag == 0) return MakeShownText(id, piece, WidestValueText(row));
  const int n = binding::RadioTextCount(row);
  for (int k = 0; k < n; ++k) {
    const DWORD style = BS_AUTORADIOBUTTON | (k == 0 ? WS_GROUP | WS_TABSTOP : 0);
    Add(piece, Item(id + k, WC_BUTTON, row.texts[k + 1], style, 0, k * kLineHeight + 1,
                    Chars(row.texts[k + 1]) * kLayoutCharWidth + kBoxWidth, kStaticHeight));
  }
  piece.lines = std::max(n, 1);
}

void MakeSelection(const MenuListEntry& row, int id, RowPiece& piece) {
  const int chars = std::max(WidestValueText(row), kWrongSelectionChars);
  if (row.flag == 0) return MakeShownText(id, piece, chars);
  // The closed box is one line high; the template's height is its dropped list.
  Add(piece, Item(id, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 0, chars * kLayoutCharWidth + 16,
                  kComboDropHeight));
}

void MakeReserved(const MenuListEntry&, int id, RowPiece& piece) {
  DialogItemTemplate item = Static(id, "", 0, 0, 8);
  item.hidden = true;
  Add(piece, item);
}

void MakeString(const MenuListEntry& row, int id, RowPiece& piece) {
  const std::uint8_t type = model::GetElementType(row.record, row.element);
  const int size = type == 255 ? 17 : model::ElementTypeSize(type);
  const int chars = row.attributes != 0 && row.attributes < 253 ? row.attributes : size - 1;
  Add(piece, Item(id, WC_EDIT, "", kEditStyle, 0, 0, std::clamp(chars, 6, 32) * kCharWidth + 8, kControlHeight));
}

void MakeBit(const MenuListEntry&, int id, RowPiece& piece) {
  Add(piece, Item(id, WC_BUTTON, "", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 1, kBoxWidth - 2, kStaticHeight));
}

// The controls of each display kind (0..14).
constexpr std::array<MakeControls, 15> kMakeByKind = {
    MakeNone, MakeNumber, MakeCheck, MakeRadios, MakeSelection, MakeReserved, MakeNone, MakeString,
    MakeNone, MakeNumber, MakeNumber, MakeNone,  MakeNone,      MakeNumber,   MakeBit};
static_assert(kMakeByKind.size() == 15);

int LabelIdOf(const PageDefinition& def, const char* name) {
  for (const PageLabel& label : PageLabels()) {
    const std::size_t n = std::strlen(label.code);
    if (label.number == def.number && std::strncmp(name, label.code, n) == 0 && name[n] == ' ') return label.id;
  }
  return IDC_STATIC;
}

// The rows of the list that lay out the page (the table's own rows: the layout does not depend on a data set).
std::vector<MenuListEntry> LayoutRows(std::uint8_t list) {
  std::vector<MenuListEntry> rows;
  if (list == 0 || list >= model::MenuListTable().size()) return rows;
  for (const model::ParameterDescriptor* d = model::MenuListTable()[list].rows; d->record != 0; ++d) {
    rows.push_back({d->record, d->element, d->kind, d->selector, d->flag, d->texts});
  }
  return rows;
}

// Places the pieces in columns of label, controls and unit; returns the bottom of the bound part.
int PlaceColumns(const std::vector<RowPiece>& pieces, const PageDefinition& def, BuiltPage& page, int& right) {
  int total = 0;
  for (const RowPiece& piece : pieces) total += piece.lines;
  const int columns = std::max(1, (total + kMaxLines - 1) / kMaxLines);
  const int per_column = (total + columns - 1) / columns;
  int bottom = kMargin;
  int x = kMargin;
  std::size_t next = 0;
  int unit_index = 0;
  while (next < pieces.size()) {
    std::size_t end = next;
    int lines = 0;
    while (end < pieces.size() && (lines == 0 || lines + pieces[end].lines <= per_column)) lines += pieces[end++].lines;
    int label_width = 0;
    int control_width = 0;
    int unit_width = 0;
    for (std::size_t i = next; i < end; ++i) {
      label_width = std::max(label_width, Chars(pieces[i].label) * kLayoutCharWidth + kGap);
      control_width = std::max(control_width, pieces[i].control_width);
      const int unit_chars = pieces[i].value_name_id != 0 ? binding::kValueNameChars
                             : pieces[i].variable_unit  ? kVariableUnitChars
                                                        : Chars(pieces[i].unit);
      unit_width = std::max(unit_width, unit_chars * kLayoutCharWidth + (unit_chars > 0 ? kGap : 0));
    }
    const int control_x = x + label_width + kGap;
    const int unit_x = control_x + control_width + kGap;
    int y = kMargin;
    for (std::size_t i = next; i < end; ++i) {
      const RowPiece& piece = pieces[i];
      page.items.push_back(Static(piece.label_id, piece.label, x, y, label_width));
      for (DialogItemTemplate item : piece.controls) {
        item.x = static_cast<short>(item.x + control_x);
        item.y = static_cast<short>(item.y + y);
        page.items.push_back(item);
      }
      if (piece.value_name_id != 0) {
        page.items.push_back(Static(piece.value_name_id, "", unit_x, y, unit_width));
      } else if (piece.variable_unit) {
        const int id = def.unit_first != 0 ? def.unit_first + unit_index++ : IDC_STATIC;
        if (id != IDC_STATIC) page.unit_labels.push_back(id);
        page.items.push_back(Static(id, piece.unit, unit_x, y, unit_width));
      } else if (Chars(piece.unit) > 0) {
        page.items.push_back(Static(IDC_STATIC, piece.unit, unit_x, y, unit_width));
      }
      y += piece.lines * kLineHeight;
    }
    bottom = std::max(bottom, y);
    right = std::max(right, unit_x + unit_width);
    x = unit_x + unit_width + kColumnGap;
    next = end;
  }
  return bottom;
}

int LayOutRows(const PageDefinition& def, std::uint8_t list, BuiltPage& page, int& right) {
  std::vector<RowPiece> pieces;
  int id = def.first;
  for (const MenuListEntry& row : LayoutRows(list)) {
    const int ids = binding::IdsOfRow(row);
    if (ids == 0) continue;
    RowPiece piece;
    piece.label = binding::TextEntry(row, 0);
    piece.label_id = LabelIdOf(def, piece.label);
    kMakeByKind[row.kind](row, id, piece);
    pieces.push_back(std::move(piece));
    id += ids;
  }
  return pieces.empty() ? kMargin - kGap : PlaceColumns(pieces, def, page, right);
}

// Per target (three non-heading rows): the code edit beside its name, the two value edits, the unit.
int LayOutJumpTargets(const PageDefinition& def, std::uint8_t list, BuiltPage& page, int& right) {
  std::vector<MenuListEntry> rows;
  for (const MenuListEntry& row : LayoutRows(list)) {
    if (!binding::IsHeading(row)) rows.push_back(row);
  }
  int label_width = 0;
  for (const MenuListEntry& row : rows) label_width = std::max(label_width, Chars(row.texts[0]) * kLayoutCharWidth + kGap);
  const int edit_x = kMargin + label_width + kGap;
  const int value_width = 12 * kCharWidth + 8;
  const int side_x = edit_x + value_width + kGap;
  const int name_width = 30 * kCharWidth;
  int y = kMargin;
  for (int target = 0; target < 4 && target * 3 + 2 < static_cast<int>(rows.size()); ++target) {
    const int id = def.first + 5 * target;
    for (int k = 0; k < 3; ++k) {
      page.items.push_back(Static(IDC_STATIC, rows[target * 3 + k].texts[0], kMargin, y, label_width));
      const int width = k == 0 ? 4 * kCharWidth + 8 : value_width;
      page.items.push_back(Item(id + k, WC_EDIT, "", kEditStyle, edit_x, y, width, kControlHeight));
      if (k == 0) page.items.push_back(Static(id + 3, "", side_x, y, name_width));
      if (k == 1) page.items.push_back(Static(id + 4, "", side_x, y, kVariableUnitChars * kCharWidth));
      y += kLineHeight;
    }
    y += kGap;
  }
  right = std::max(right, side_x + name_width);
  return y;
}

// Per menu group: a check box with the group's heading and the list of its entries below it.
int LayOutMenuSkip(const PageDefinition& def, std::uint8_t, BuiltPage& page, int& right) {
  constexpr int kGroupWidth = 24 * kCharWidth;
  constexpr int kListHeight = 140;
  int x = kMargin;
  for (int id = def.first; id + 1 < def.last; id += 2) {
    page.items.push_back(Item(id, WC_BUTTON, "", BS_AUTOCHECKBOX | WS_TABSTOP, x, kMargin, kGroupWidth, kStaticHeight));
    page.items.push_back(Item(id + 1, WC_LISTBOX, "", LBS_MULTIPLESEL | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                              x, kMargin + kLineHeight, kGroupWidth, kListHeight));
    x += kGroupWidth + kColumnGap;
  }
  right = std::max(right, x - kColumnGap);
  return kMargin + kLineHeight + kListHeight;
}

using LayOut = int (*)(const PageDefinition& def, std::uint8_t list, BuiltPage& page, int& right);
constexpr std::array<LayOut, 3> kLayOuts = {LayOutRows, LayOutJumpTargets, LayOutMenuSkip};

int ExtraHeight(ExtraKind kind) {
  switch (kind) {
    case ExtraKind::kButton: return kButtonHeight;
    case ExtraKind::kFrame: return kFrameHeight;
    case ExtraKind::kEdit:
    case ExtraKind::kCombo: return kControlHeight;
    default: return kStaticHeight + 2;
  }
}

// An extra's width: the table's, or what its text needs when that is more ('&' marks take no room).
int ExtraWidth(const PageExtra& extra) {
  int chars = 0;
  for (const char* c = extra.text; *c != '\0'; ++c) chars += *c == '&' ? 0 : 1;
  const int padding = extra.kind == ExtraKind::kButton ? 8 : 0;
  return std::max(extra.width, chars * kLayoutCharWidth + padding);
}

DialogItemTemplate ExtraItem(const PageExtra& extra, int x, int y) {
  const int w = ExtraWidth(extra);
  switch (extra.kind) {
    case ExtraKind::kButton: return Item(extra.id, WC_BUTTON, extra.text, BS_PUSHBUTTON | WS_TABSTOP, x, y, w, kButtonHeight);
    case ExtraKind::kEdit: return Item(extra.id, WC_EDIT, extra.text, kEditStyle, x, y, w, kControlHeight);
    case ExtraKind::kCombo:
      return Item(extra.id, WC_COMBOBOX, extra.text, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, x, y, w, kComboDropHeight);
    case ExtraKind::kFrame: return Item(extra.id, WC_STATIC, extra.text, SS_BLACKFRAME, x, y, w, kFrameHeight);
    default: return Static(extra.id, extra.text, x, y, w);
  }
}

// The extras in rows below the bound part; returns their bottom.
int PlaceExtras(const PageDefinition& def, BuiltPage& page, int top, int& right) {
  const int wrap = std::max(right, kMinimumWidth);
  int x = kMargin;
  int y = top + kGap;
  int line_height = 0;
  for (const PageExtra& extra : PageExtras()) {
    if (extra.number != def.number) continue;
    const int width = ExtraWidth(extra);
    if (x > kMargin && x + width > wrap) {
      x = kMargin;
      y += line_height + kGap;
      line_height = 0;
    }
    page.items.push_back(ExtraItem(extra, x, y));
    line_height = std::max(line_height, ExtraHeight(extra.kind));
    x += width + kGap;
    right = std::max(right, x - kGap);
  }
  return line_height > 0 ? y + line_height : top;
}

struct ButtonRow {
  int id;
  const char* text;
};
constexpr ButtonRow kNavigationButtons[] = {
    {IDOK, "&OK"}, {IDCANCEL, "&Cancel"}, {kPreviousButton, "<< &Previous"}, {kNextButton, "&Next >>"}};
constexpr ButtonRow kDatabaseButtons[] = {{IDOK, "&OK"}, {IDCANCEL, "&Cancel"}, {3, "Delete"}, {4, "Add"}};
constexpr ButtonRow kProtocolButtons[] = {
    {IDOK, "&OK"}, {IDCANCEL, "&Cancel"}, {3, "&Start a new protocol"}, {4, "Co&mplete an input"}};

int PlaceButtons(const PageDefinition& def, BuiltPage& page, int top, int& right) {
  std::span<const ButtonRow> buttons = kNavigationButtons;
  if (def.buttons == PageButtons::kOkCancel) buttons = buttons.first(2);
  if (def.buttons == PageButtons::kDatabase) buttons = kDatabaseButtons;
  if (def.buttons == PageButtons::kClose) buttons = buttons.first(1);
  if (def.buttons == PageButtons::kProtocol) buttons = kProtocolButtons;
  const int y = top + 2 * kGap;
  int x = kMargin;
  for (const ButtonRow& button : buttons) {
    const DWORD style = (button.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    // The protocol dialog's long button texts get the room they need.
    const PageExtra text{def.number, button.id, ExtraKind::kButton, button.text, kButtonWidth};
    const int width = def.buttons == PageButtons::kProtocol ? ExtraWidth(text) : kButtonWidth;
    page.items.push_back(Item(button.id, WC_BUTTON, button.text, style, x, y, width, kButtonHeight));
    x += width + kGap;
  }
  right = std::max(right, x - kGap);
  return y + kButtonHeight;
}

}  // namespace

BuiltPage BuildPage(const PageDefinition& def, std::uint8_t list) {
  BuiltPage page;
  int right = 0;
  const std::uint8_t rows = list != 0 ? list : def.list;
  const int bound_bottom = kLayOuts[static_cast<std::size_t>(def.layout)](def, rows, page, right);
  const int extras_bottom = PlaceExtras(def, page, bound_bottom, right);
  const int bottom = PlaceButtons(def, page, extras_bottom, right);
  const int width = std::max(right, kMinimumWidth) + kMargin;
  page.dialog = DialogTemplate{kDialogStyle, 0, 0, static_cast<short>(width), static_cast<short>(bottom + kMargin),
                               def.caption, page.items};
  return page;
}

}  // namespace app
