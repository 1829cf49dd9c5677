// The tables the page builder works from besides the page table: the extras below a page's bound part and the
// row labels that carry ids.
#pragma once

#include <span>
#include <vector>

#include "app/templates/page_templates.h"

namespace app {

enum class ExtraKind : std::uint8_t { kButton, kStatic, kEdit, kCombo, kFrame };

struct PageExtra {
  int number;
  int id;
  ExtraKind kind;
  const char* text;
  int width;
};

struct PageLabel {
  int number;
  const char* code;
  int id;
};

std::span<const PageExtra> PageExtras();
std::span<const PageLabel> PageLabels();

// What the builder makes of a page: its controls, the ids of its unit labels and the template over them.
struct BuiltPage {
  std::vector<DialogItemTemplate> items;
  std::vector<int> unit_labels;
  DialogTemplate dialog{};
};
// The page laid out from `list` (the def's own list when 0).
BuiltPage BuildPage(const PageDefinition& def, std::uint8_t list);

}  // namespace app
