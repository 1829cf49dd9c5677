// The built page templates: made on first use, kept for the life of the process.
#include <map>
#include <memory>

#include "app/templates/page_parts.h"

namespace app {
namespace {

using Key = std::pair<int, std::uint8_t>;

std::map<Key, std::unique_ptr<BuiltPage>>& Built() {
  static std::map<Key, std::unique_ptr<BuiltPage>> pages;
  return pages;
}

const BuiltPage* Page(int number, std::uint8_t list) {
  const PageDefinition* def = FindPageDefinition(number);
  if (def == nullptr) return nullptr;
  const Key key{number, list != 0 ? list : def->list};
  auto& pages = Built();
  if (const auto found = pages.find(key); found != pages.end()) return found->second.get();
  auto page = std::make_unique<BuiltPage>(BuildPage(*def, key.second));
  // The template refers to the items where they live now, in the kept page.
  page->dialog.items = page->items;
  return pages.emplace(key, std::move(page)).first->second.get();
}

}  // namespace

const DialogTemplate* PageTemplate(int number, std::uint8_t list) {
  const BuiltPage* page = Page(number, list);
  return page != nullptr ? &page->dialog : nullptr;
}

std::span<const int> PageUnitLabels(int number, std::uint8_t list) {
  const BuiltPage* page = Page(number, list);
  return page != nullptr ? std::span<const int>(page->unit_labels) : std::span<const int>();
}

std::size_t BuiltPageTemplateCount() { return Built().size(); }

void RegisterPageTemplates(HINSTANCE instance) {
  // Built when a page first opens: the start shows none of them.
  for (const PageDefinition& def : PageDefinitions()) {
    const int number = def.number;
    platform::win::RegisterDialogTemplateMaker(instance, MAKEINTRESOURCE(number), [number] { return PageTemplate(number); });
  }
}

}  // namespace app
