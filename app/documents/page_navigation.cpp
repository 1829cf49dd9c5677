// The page navigation table, its two hooks and GoToNextPage.
#include "app/documents/page_navigation.h"

#include <array>

#include "app/common/command_availability.h"
#include "app/common/shell_state.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"

namespace app {
namespace {

constexpr std::uint8_t kNoHook = 0;
constexpr std::uint8_t kHookA = 1;
constexpr std::uint8_t kHookB = 2;

struct PageNavRow {
  std::uint32_t page;
  std::uint32_t next_project;
  std::uint32_t next_reverse_doc;
  std::uint32_t previous_project;
  std::uint32_t previous_reverse_doc;
  std::uint8_t hook;
};

constexpr PageNavRow kPageNavTable[] = {
#define PAGE_NAV_ROW(page, np, nr, pp, pr, hook) {page, np, nr, pp, pr, hook},
#include "app/data/page_navigation.def"
#undef PAGE_NAV_ROW
};
static_assert(std::size(kPageNavTable) == 32);
static_assert(kPageNavTable[std::size(kPageNavTable) - 1].page == 0, "the page-0 row ends the table");

// Layouts of a page for family 2 or posi mode 3, navigating as the page they stand for.
struct TwinPage {
  std::uint32_t page;
  std::uint32_t stands_for;
};
constexpr std::array<TwinPage, 5> kTwinPages = {{{54, 17}, {56, 22}, {57, 45}, {58, 68}, {74, 46}}};

std::uint32_t Pick(const DeviceView& v, std::uint32_t project, std::uint32_t reverse_doc) {
  return v.Project() ? project : reverse_doc;
}

std::uint32_t NoHook(const DeviceView&, std::uint32_t, bool) { return 0; }

// The access level's pages and the version skips around the first and the last pages.
std::uint32_t HookA(const DeviceView& v, std::uint32_t page, bool previous) {
  const bool service = v.access_level >= kAccessLevelService;
  switch (page) {
    case 16:
      if (!previous && service) return Pick(v, 2054, 2086);
      return 0;
    case 17:
      if (previous && service && v.family != 2) return Pick(v, 2054, 2086);
      return 0;
    case 49:
      if (!previous && v.letter < 'E') return Pick(v, 2052, 2081);
      return 0;
    case 26:
      if (!previous) return v.access_level >= kAccessLevelDeveloper ? Pick(v, 2053, 2082) : 0;
      if (v.letter < 'B') return Pick(v, 2050, 2079);
      if (v.letter < 'E') return DeviceAllowsCommand(v, 2051) ? Pick(v, 2051, 2080) : Pick(v, 2050, 2079);
      if (!v.Positioning()) return Pick(v, 2056, 2088);
      return 0;
    default:
      return 0;
  }
}

// The encoder page where the device has one, else the technology page.
std::uint32_t EncoderOrTechnology(const DeviceView& v) {
  return DeviceAllowsCommand(v, 2046) ? Pick(v, 2046, 2075) : Pick(v, 2045, 2074);
}

// The page before the encoder: technology, else control interface part 3, else part 2.
std::uint32_t BeforeEncoder(const DeviceView& v) {
  if (DeviceAllowsCommand(v, 2045)) return Pick(v, 2045, 2074);
  return DeviceAllowsCommand(v, 2055) ? Pick(v, 2055, 2087) : Pick(v, 2044, 2073);
}

// The positioning, family and option-board skips.
std::uint32_t HookB(const DeviceView& v, std::uint32_t page, bool previous) {
  const bool p = v.Positioning();
  const bool from_b = v.letter >= 'B';
  const bool f3 = v.family == 3;
  // Family 3 counts positioning in use from any version, but its posi pages exist from 'B' on.
  const bool f3_posi_pages = f3 && p && from_b;
  switch (page) {
    case 18:
      if (!previous && from_b && p) return Pick(v, 2043, 2071);
      return 0;
    case 21:
      if (previous && from_b && p && !v.Project()) return 2068;
      return 0;
    case 22:
      if (previous && from_b && p && v.Project()) return 2040;
      return 0;
    case 45:
      if (previous) return 0;
      if (f3) return f3_posi_pages ? Pick(v, 2047, 2076) : Pick(v, 2049, 2078);
      if (!from_b) return Pick(v, 2049, 2078);
      if (!v.ListedBoard()) return Pick(v, 2045, 2074);
      return 0;
    case 68:
      if (!previous && f3) return f3_posi_pages ? Pick(v, 2047, 2076) : Pick(v, 2049, 2078);
      return 0;
    case 48:
      if (previous) return v.ListedBoard() ? 0 : Pick(v, 2044, 2073);
      if (v.family != 2 && (!from_b || (v.letter < 'E' && !p))) return Pick(v, 2049, 2078);
      if (v.family != 2 && v.letter < 'E' && p) return Pick(v, 2047, 2076);
      return 0;
    case 59:
    case 66:
      if (previous) return BeforeEncoder(v);
      if (!p) return v.PosiVariant3() ? Pick(v, 2047, 2076) : Pick(v, 2049, 2078);
      return 0;
    case 23:
      if (!previous) return 0;
      if (f3) return f3_posi_pages ? Pick(v, 2048, 2077) : Pick(v, 2044, 2073);
      if (!from_b) return Pick(v, 2044, 2073);
      if (!p) {
        if (v.letter < 'D') return Pick(v, 2045, 2074);
        return v.PosiVariant3() ? Pick(v, 2047, 2076) : EncoderOrTechnology(v);
      }
      return 0;
    case 24:
      if (previous) return 0;
      if (!from_b) return Pick(v, 2052, 2081);
      if (f3 && !v.family3_variant) return v.letter >= 'E' ? Pick(v, 2056, 2088) : Pick(v, 2052, 2081);
      return 0;
    case 46:
      if (!previous) return v.PosiVariant3() ? Pick(v, 2049, 2078) : 0;
      if (f3) return Pick(v, 2044, 2073);
      if (!from_b) return Pick(v, 2043, 2072);
      if (v.letter < 'D') return Pick(v, 2045, 2074);
      return EncoderOrTechnology(v);
    case 65:
      if (!previous && !p) return Pick(v, 2052, 2081);
      if (previous && f3 && !v.family3_variant) return Pick(v, 2050, 2079);
      return 0;
    default:
      return 0;
  }
}

using NavHook = std::uint32_t (*)(const DeviceView&, std::uint32_t, bool);
constexpr std::array<NavHook, 3> kNavHooks = {&NoHook, &HookA, &HookB};
static_assert(kNavHooks.size() == kHookB + 1);

const PageNavRow& RowOf(std::uint32_t page) {
  for (const TwinPage& twin : kTwinPages) {
    if (twin.page == page) page = twin.stands_for;
  }
  const PageNavRow* row = kPageNavTable;
  while (row->page != 0 && row->page != page) ++row;
  return *row;
}

}  // namespace

std::uint32_t PageNavigationCommand(const DeviceView& view, std::uint32_t page, bool previous) {
  const PageNavRow& row = RowOf(page);
  if (const std::uint32_t hooked = kNavHooks[row.hook](view, row.page, previous); hooked != 0) return hooked;
  if (previous) return Pick(view, row.previous_project, row.previous_reverse_doc);
  return Pick(view, row.next_project, row.next_reverse_doc);
}

void GoToNextPage(std::uint32_t page, std::uint32_t code) {
  if (code == kNavOk || code == kNavCancel) return;
  const DeviceView view = ViewOfDataSet(GetActiveFile(), GetActiveParamSet());
  const std::uint32_t command = PageNavigationCommand(view, page, code == kNavPrevious);
  HWND main = MainWindow();
  if (command == 0 || main == nullptr || !CommandAvailable(command)) return;
  PostMessage(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace app
