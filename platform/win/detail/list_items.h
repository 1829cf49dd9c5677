// The strings of a list box or of a combo box's list.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/wintypes.h"

namespace platform::win::detail {

struct ListItem {
  std::string text;
  LPARAM data = 0;
};

struct ListItems {
  std::vector<ListItem> items;

  // Appends (at -1) or inserts at a place; with sort the place is found by text, case ignored, after equals.
  int Insert(int at, const char* text, bool sort);
  int InsertAt(int at, const char* text);
  // The first item after `after` (wrapping; -1 from the start) that starts with (or equals) text, case ignored.
  int Find(int after, const char* text, bool exact) const;
  // Copies an item's text with its terminating zero; the buffer must hold it (the caller asks the length first).
  int CopyText(int index, char* buffer) const;
};

}  // namespace platform::win::detail
