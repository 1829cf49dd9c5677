#include "model/unit_texts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "model/element_access.h"
#include "model/menu_list_table.h"

namespace model {
namespace {

constexpr char kNoUnit[] = "Einh";
constexpr std::uint8_t kPositioningList = 68;
constexpr std::uint16_t kUnitRecord = 512;
constexpr std::uint16_t kUnitSelectionElement = 75;
constexpr std::uint16_t kUserUnitElement = 77;

void CopyCut(const std::string& text, char* out, std::size_t size) {
  if (!out || size == 0) return;
  const std::size_t n = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

std::string PositionUnit(std::uint8_t set) {
  std::array<MenuListEntry, kMenuListBufferEntries> rows{};
  if (LoadMenuList(kPositioningList, rows.data(), set) != 0) return kNoUnit;
  const MenuListEntry* row = nullptr;
  for (const MenuListEntry& r : rows) {
    if (r.record == 0) break;
    if (r.record == kUnitRecord && r.element == kUnitSelectionElement) {
      row = &r;
      break;
    }
  }
  if (!row) return kNoUnit;
  std::array<std::uint8_t, 8> raw{};
  unsigned value = 1;
  if (ReadElement(kUnitRecord, kUnitSelectionElement, raw.data(), kModeRaw, set) == 0) value = raw[0];
  if (value == 0) {
    std::array<char, 1024> text{};
    if (ReadElement(kUnitRecord, kUserUnitElement, text.data(), kModeRaw, set) != 0) return kNoUnit;
    text.back() = '\0';
    return text.data();
  }
  // Selection text n is entry n + 1; a value beyond the texts has none.
  if (!row->texts) return kNoUnit;
  for (unsigned i = 1; i <= value; ++i) {
    if (!row->texts[i] || row->texts[i][0] == '\0') return kNoUnit;
  }
  const char* text = row->texts[value + 1];
  if (!text || text[0] == '\0') return kNoUnit;
  return std::strlen(text) > 2 ? std::string(text + 2) : std::string();
}

}  // namespace

void GetPositionUnitText(char* out, std::int32_t size, std::uint8_t set) {
  if (!out || size < 4) return;
  CopyCut(PositionUnit(set), out, static_cast<std::size_t>(size));
}

void ExpandUnitText(const char* unit, char* out, std::size_t size, std::uint8_t set) {
  if (!out || size == 0) return;
  if (!unit) {
    out[0] = '\0';
    return;
  }
  if (unit != kUnitPosition && unit != kUnitPositionPerS && unit != kUnitPositionPerS2) {
    CopyCut(unit, out, size);
    return;
  }
  std::array<char, 9> position{};
  GetPositionUnitText(position.data(), static_cast<std::int32_t>(position.size()), set);
  std::string text = position.data();
  if (const char* slash = std::strrchr(unit, '/')) text += slash;
  CopyCut(text, out, size);
}

}  // namespace model
