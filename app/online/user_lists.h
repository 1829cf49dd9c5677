// The user parameter lists: two modeless windows in which the user lists parameters by their codes (record 347
// of the active data set) and reads or writes them online, once or cyclically (timers 1006 and 1007). F2 sends
// the focused row's parameter; the lists poll the key in their own timer, since no modal loop runs under them.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr UINT_PTR kShortListTimer = 1006;
inline constexpr UINT_PTR kLongListTimer = 1007;
inline constexpr double kShortListFactor = 1.123;
inline constexpr double kLongListFactor = 1.414;

void OpenUserShortParamList(HWND main);
void OpenUserLongParamList(HWND main);
void CommandUserList(HWND main, UINT id);  // 2099, 2100

// What a list window shows, for tests.
struct UserListView {
  bool cyclic = false;
  std::uint16_t cycle_ms = 0;
};
UserListView UserListState(bool long_list);

}  // namespace app
