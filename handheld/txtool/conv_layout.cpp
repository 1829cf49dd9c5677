#include "handheld/txtool/conv_layout.h"

#include <algorithm>
#include <array>
#include <map>

#include "model/element_type.h"
#include "model/record_layout.h"

namespace txtool {
namespace {

struct LayoutCut {
  std::uint16_t record;
  std::uint16_t first_dropped;
};

constexpr std::array kLayoutCuts = {
#define LAYOUT_CUT(record, first) LayoutCut{record, first},
#include "handheld/txtool/data/layout_cuts.def"
#undef LAYOUT_CUT
};
static_assert(kLayoutCuts.size() == 6);

constexpr std::uint16_t kFirstDroppedRecord = 353;
constexpr std::uint16_t kLastDroppedRecord = 362;
// Record 320 ends in two single bytes where the model's record ends in two 32-bit values.
constexpr std::uint16_t kShortEndRecord = 320;
constexpr std::uint16_t kShortEndElement = 336;

struct Layout {
  std::vector<ConvLayoutRow> rows;
  std::map<std::uint16_t, std::pair<std::size_t, std::size_t>> records;  // first row, row count
  std::uint32_t storage = 0;
};

bool Dropped(std::uint16_t record, std::uint16_t element) {
  if (record >= kFirstDroppedRecord && record <= kLastDroppedRecord) return true;
  for (const LayoutCut& cut : kLayoutCuts) {
    if (cut.record == record) return element >= cut.first_dropped;
  }
  return false;
}

Layout BuildLayout() {
  Layout layout;
  std::uint16_t record = 0;
  std::uint16_t element = 0;
  std::uint32_t storage = 0;
  auto add = [&](std::uint16_t rec, std::uint16_t elem, std::uint8_t type) {
    layout.rows.push_back({storage, rec, elem, type});
    storage += model::ElementTypeSizeOf(type);
  };
  auto end_record = [&] {
    if (record != kShortEndRecord) return;
    add(record, kShortEndElement, model::kTypeU8);
    add(record, kShortEndElement + 1, model::kTypeU8);
  };
  const auto table = model::RecordLayoutTable();
  for (std::size_t i = 0; i < table.size() && table[i].record != 0; ++i) {
    const model::LayoutEntry& row = table[i];
    if (row.record != record) {
      end_record();
      record = row.record;
      element = 0;
    }
    if (!Dropped(row.record, element)) add(row.record, element, row.type);
    element = static_cast<std::uint16_t>(element + model::ElementTypeSizeOf(row.type));
  }
  end_record();
  layout.storage = storage;
  for (std::size_t i = 0; i < layout.rows.size(); ++i) {
    auto [it, fresh] = layout.records.try_emplace(layout.rows[i].record, i, 0);
    ++it->second.second;
  }
  return layout;
}

const Layout& TheLayout() {
  static const Layout layout = BuildLayout();
  return layout;
}

}  // namespace

std::span<const ConvLayoutRow> ConvLayoutTable() { return TheLayout().rows; }

std::uint32_t ConvStorageSize() { return TheLayout().storage; }

std::uint16_t ConvRecordSize(std::uint16_t record) {
  const Layout& layout = TheLayout();
  const auto it = layout.records.find(record);
  if (it == layout.records.end()) return 0;
  const ConvLayoutRow& last = layout.rows[it->second.first + it->second.second - 1];
  return static_cast<std::uint16_t>(last.element + model::ElementTypeSizeOf(last.type));
}

std::vector<model::ProjectElement> ConvRecordElements(std::uint16_t record) {
  std::vector<model::ProjectElement> out;
  const Layout& layout = TheLayout();
  const auto it = layout.records.find(record);
  if (it == layout.records.end()) return out;
  for (std::size_t i = it->second.first; i < it->second.first + it->second.second; ++i) {
    out.push_back({layout.rows[i].element, layout.rows[i].type});
  }
  return out;
}

const ConvLayoutRow* ConvFindElement(std::uint16_t record, std::uint16_t element) {
  const Layout& layout = TheLayout();
  const auto it = layout.records.find(record);
  if (it == layout.records.end()) return nullptr;
  const auto first = layout.rows.begin() + static_cast<std::ptrdiff_t>(it->second.first);
  const auto last = first + static_cast<std::ptrdiff_t>(it->second.second);
  const auto found = std::find_if(first, last, [element](const ConvLayoutRow& r) { return r.element == element; });
  return found == last ? nullptr : &*found;
}

}  // namespace txtool
