// The page table, the lists each page binds, its extras and its labelled rows, from their .def rows.
#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "app/templates/page_parts.h"

namespace app {
namespace {

using enum PageLayout;
using enum PageButtons;
using enum ExtraKind;

constexpr PageDefinition kPages[] = {
#define PAGE(number, caption, first, last, list, layout, buttons, unit_first, unit_count) \
  {number, caption, first, last, list, layout, buttons, unit_first, unit_count},
#include "app/templates/page_table.def"
#undef PAGE
};
static_assert(std::size(kPages) == 48);

struct ListOfPage {
  int number;
  std::uint8_t list;
};
constexpr ListOfPage kPageLists[] = {
#define PAGE_LIST(number, list) {number, list},
#include "app/templates/page_lists.def"
#undef PAGE_LIST
};

constexpr PageExtra kExtras[] = {
#define PAGE_EXTRA(number, id, kind, text, width) {number, id, kind, text, width},
#include "app/templates/page_extras.def"
#undef PAGE_EXTRA
};

constexpr PageLabel kLabels[] = {
#define PAGE_LABEL(number, code, id) {number, code, id},
#include "app/templates/page_labels.def"
#undef PAGE_LABEL
};

// The lists of each page, in table order.
const std::map<int, std::vector<std::uint8_t>>& ListsByPage() {
  static const std::map<int, std::vector<std::uint8_t>> lists = [] {
    std::map<int, std::vector<std::uint8_t>> out;
    for (const ListOfPage& row : kPageLists) out[row.number].push_back(row.list);
    return out;
  }();
  return lists;
}

}  // namespace

std::span<const PageDefinition> PageDefinitions() { return kPages; }

const PageDefinition* FindPageDefinition(int number) {
  const auto* found = std::find_if(std::begin(kPages), std::end(kPages),
                                   [number](const PageDefinition& def) { return def.number == number; });
  return found != std::end(kPages) ? found : nullptr;
}

std::span<const std::uint8_t> PageLists(int number) {
  const auto& lists = ListsByPage();
  const auto found = lists.find(number);
  return found != lists.end() ? std::span<const std::uint8_t>(found->second) : std::span<const std::uint8_t>();
}

std::span<const PageExtra> PageExtras() { return kExtras; }
std::span<const PageLabel> PageLabels() { return kLabels; }

}  // namespace app
