// Dialog templates 62 and 63: the user parameter lists, five ids a row from their first id (code edit, name,
// value edit, selection box, unit).
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kShortListTemplate = 62;
inline constexpr int kShortListFirst = 1322;
inline constexpr int kShortListRows = 4;
inline constexpr int kLongListTemplate = 63;
inline constexpr int kLongListFirst = 1342;
inline constexpr int kLongListRows = 16;

inline constexpr int kUserListClose = IDOK;
inline constexpr int kUserListRead = 3;
inline constexpr int kUserListSend = 4;
inline constexpr int kUserListCyclic = 6;

const DialogTemplate& ShortUserListTemplate();
const DialogTemplate& LongUserListTemplate();

}  // namespace app
