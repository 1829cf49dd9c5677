// The three menu-skip pages: per menu group a check box that skips the whole group and a multi-selection list
// of its entries whose selected items are skipped (the marks of record 11). The pages have a frame of their own:
// a check box is committed at once, a list's selection when the list loses the focus or the page is left; Cancel
// gives record 11 back as it was when the page opened.
#pragma once

#include <array>
#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr int kMenuSkip1Template = 23;
inline constexpr int kMenuSkip2Template = 24;
inline constexpr int kMenuSkip3Template = 49;

// The text block of a page: one slot of 80 entry texts (17 characters) per menu group index.
inline constexpr std::size_t kMenuSkipSlotBytes = 1360;
inline constexpr std::size_t kMenuSkipTextBytes = 16420;

// The groups of a page, in the order of its check boxes (id c) and list boxes (id c + 1).
using MenuSkipGroups = std::array<char, 4>;
MenuSkipGroups MenuSkipPageGroups(int page_template);

// Openers: the page's result (1; also after Cancel, which does not navigate).
INT_PTR OpenMenuSkip1Dialog();
INT_PTR OpenMenuSkip2Dialog();
INT_PTR OpenMenuSkip3Dialog();

// The menu commands of the pages (2049..2051 of a project, 2078..2080 of a reverse documentation): the page,
// then the menus, title and status line refreshed.
void CommandMenuSkip(HWND main, UINT id);

}  // namespace app
