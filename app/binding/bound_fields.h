// The field handling of a dialog whose controls are bound to a menu list: a control is stored when it loses the
// focus (an edit) or is clicked or chosen (notification 0 or 1), never while another store runs; a refused
// value puts the focus back; an edit that gets the focus has its whole text selected.
#pragma once

#include <cstdint>

#include "app/binding/dialog_binding.h"
#include "platform/win/win.h"

namespace app {

struct BoundFields {
  int first = 0;
  int last = 0;  // exclusive
  byte list = 0;
  byte set = 0;
  bool storing = false;

  bool Holds(int id) const { return id >= first && id < last; }
  void Fill(HWND dialog, byte backup) const;
  // Stores one control (0: all of them) and shows the stored values again; false when a value was refused.
  bool Store(HWND dialog, int id);
  // A notification of a bound control: stored when it is one that stores. Sets *stored to the store's result
  // (true when none ran). False when the id is not bound.
  bool OnCommand(HWND dialog, int id, UINT code, bool* stored = nullptr);
};

}  // namespace app
