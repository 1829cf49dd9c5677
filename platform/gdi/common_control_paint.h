// Plain looks of the common controls, for their WM_PAINT: status bar, progress bar, up-down arrows, list view in
// report view and tree view. Each control hands its state over in a look record; everything is drawn in the
// control's client coordinates with the system colours.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/wintypes.h"

namespace platform::gdi {

struct StatusPartLook {
  std::string text;  // a tab splits left, centred and right-aligned text
  int right = -1;    // right edge in client coordinates; -1: to the end of the bar
  bool no_border = false;
  bool pop_out = false;
};
struct StatusLook {
  std::vector<StatusPartLook> parts;
  HFONT font = nullptr;
  bool size_grip = false;
};
void PaintStatusBar(HDC dc, const RECT& rect, const StatusLook& look);

void PaintProgressBar(HDC dc, const RECT& rect, int low, int high, int pos, bool smooth, bool vertical);

// pressed: 0 none, 1 the up (or right) half, 2 the down (or left) half.
void PaintUpDown(HDC dc, const RECT& rect, bool horizontal, int pressed, bool enabled);

struct ListViewColumnLook {
  std::string text;
  int width = 60;
  int format = 0;  // LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER
};
struct ListViewRowLook {
  std::vector<std::string> texts;  // item and sub-items
  bool selected = false;
  bool focused = false;
};
struct ListViewLook {
  std::vector<ListViewColumnLook> columns;
  std::vector<ListViewRowLook> rows;
  HFONT font = nullptr;
  int top = 0;           // first visible row
  int row_height = 16;
  int header_height = 0;  // 0: no header
  bool focused = false;
  bool show_selection_always = false;
  bool grid_lines = false;
  bool full_row_select = false;
  bool enabled = true;
  bool scroll_bar = false;  // more rows than fit: a scroll bar at the right
};
void PaintListView(HDC dc, const RECT& rect, const ListViewLook& look);

struct TreeRowLook {
  std::string text;
  int depth = 0;
  bool has_children = false;
  bool expanded = false;
  bool selected = false;
};
struct TreeViewLook {
  std::vector<TreeRowLook> rows;  // the visible rows, top to bottom
  HFONT font = nullptr;
  int top = 0;
  int row_height = 16;
  int indent = 16;
  bool buttons = false;
  bool lines = false;
  bool lines_at_root = false;
  bool focused = false;
  bool show_selection_always = false;
  bool enabled = true;
  bool scroll_bar = false;
};
void PaintTreeView(HDC dc, const RECT& rect, const TreeViewLook& look);

// The scroll column of the list and tree views: where a click lies (-1 line up, +1 line down, -2 page up,
// +2 page down, 0 not on it) for a bar of the given height.
int ScrollColumnHit(int height, int y, int rows, int shown, int top);

}  // namespace platform::gdi
