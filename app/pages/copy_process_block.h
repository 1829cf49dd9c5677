// The copy of one process block (posi record) into another, a nested dialog of the posi command page.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr int kCopyBlockTemplate = 73;
inline constexpr int kCopySourceEdit = 1438;
inline constexpr int kCopyTargetEdit = 1439;

// Runs the dialog modal on `owner` for the record `index` of the page (0-based) with records 0..maximum;
// 1 after OK, 2 after Cancel. While it runs its window is CopyProcessBlockWindow().
INT_PTR OpenCopyProcessBlockDialog(HWND owner, int index, int maximum);
HWND CopyProcessBlockWindow();

// A typed block number (1..maximum + 1) as its index; -1 for anything else (blanks around it are allowed).
int ParseBlockNumber(const char* text, int maximum);

// The refusals of the last copy (0 after a copy that wrote every row or did not run).
std::size_t LastCopyRefusals();

}  // namespace app
