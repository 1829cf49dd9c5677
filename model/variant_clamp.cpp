// ClampDataSetToVariant: the values of both parameter sets brought into the ranges of a firmware variant.
#include <array>
#include <cstdint>

#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/layout_upgrade.h"
#include "model/raw_number.h"
#include "model/record_layout.h"
#include "model/record_versions.h"

namespace model {
namespace {

constexpr std::uint8_t kCurrentLetter = 'Q';

enum class ClampKind : std::uint8_t { Byte, Word, DoubleWord, List1, List2, NextBlocks, Ramps };

struct ClampRow {
  std::uint8_t step;
  ClampKind kind;
  std::uint8_t family;  // 0 every family
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t sets;
  std::int32_t min;
  std::int32_t max;
};

constexpr ClampRow kClampRows[] = {
#define CLAMP_ROW(step, kind, family, record, element, sets, min, max) \
  {step, ClampKind::kind, family, record, element, sets, min, max},
#include "model/data/variant_clamps.def"
#undef CLAMP_ROW
};
static_assert(std::size(kClampRows) == 38);

// One element clamped in place: 0, or 1 for a wrong element type or a failed read or write.
std::uint8_t ClampElement(std::uint16_t record, std::uint16_t element, std::uint8_t type, std::int32_t min,
                          std::int32_t max, std::uint8_t set) {
  if (GetElementType(record, element) != type) return 1;
  alignas(8) std::array<std::uint8_t, 8> stored{};
  if (ReadElement(record, element, stored.data(), kModeRaw, set) != 0) return 1;
  const std::int64_t value = LoadInteger(stored.data(), type);
  const std::int64_t clamped = value < min ? min : value > max ? max : value;
  if (clamped == value) return 0;
  StoreInteger(stored.data(), type, clamped);
  return WriteElement(record, element, stored.data(), kModeRaw, set) == 0 ? 0 : 1;
}

// The elements a row names in one record, stopping at the first failure.
std::uint8_t ClampRowInRecord(const ClampRow& row, std::uint16_t record, std::uint8_t set) {
  auto run = [&](std::uint16_t first, std::uint16_t count, std::uint16_t stride, std::uint8_t type) {
    for (std::uint16_t i = 0; i < count; ++i) {
      const auto element = static_cast<std::uint16_t>(first + i * stride);
      if (ClampElement(record, element, type, row.min, row.max, set) != 0) return std::uint8_t{1};
    }
    return std::uint8_t{0};
  };
  switch (row.kind) {
    case ClampKind::Byte: return run(row.element, 1, 1, kTypeU8);
    case ClampKind::Word: return run(row.element, 1, 2, kTypeI16);
    case ClampKind::DoubleWord: return run(row.element, 1, 4, kTypeI32);
    case ClampKind::List1: return run(row.element, 4, 1, kTypeU8);
    case ClampKind::List2: return run(row.element, 5, 1, kTypeU8);
    case ClampKind::Ramps: return run(row.element, 17, 2, kTypeI16);
    case ClampKind::NextBlocks:
      for (std::uint16_t block = 0; block < 8; ++block) {
        ClampElement(record, static_cast<std::uint16_t>(row.element + 22 * block), kTypeU8, row.min, row.max, set);
      }
      return 0;  // failures ignored
  }
  return 1;
}

bool StepApplies(std::uint8_t step, std::uint8_t variant) {
  switch (step) {
    case 1: return variant < kCurrentLetter;
    case 2: return variant == 'H' || variant == 'I';
    case 3: return variant <= 'F';
    case 4: return variant <= 'C';
    case 5: return variant <= 'A';
    case 6: return variant <= '@';
    default: return false;
  }
}

}  // namespace

std::uint8_t ClampDataSetToVariant(std::uint8_t set, std::uint8_t mode) {
  if (mode == kClampNothing) return 0;
  std::int64_t letter = 0;
  if (mode == kClampByFirmware) {
    if (ReadRawInteger(304, 5, set, &letter) != 0) return 2;
    letter = LayoutVariantForFirmware(static_cast<std::uint8_t>(letter));
  } else {
    if (ReadRawInteger(4, 0, set, &letter) != 0) return 2;
    if (letter > kCurrentLetter) letter = kCurrentLetter;
  }
  const auto variant = static_cast<std::uint8_t>(letter);
  const std::uint8_t family = GetDeviceFamily(set);

  for (const ClampRow& row : kClampRows) {
    if (!StepApplies(row.step, variant)) continue;
    if (row.family != 0 && row.family != family) continue;
    for (std::uint8_t s = 0; s < row.sets; ++s) {
      const std::uint8_t failed = ClampRowInRecord(row, static_cast<std::uint16_t>(row.record + s), set);
      if (failed != 0 && row.step != 1) return 2;  // a failing language clamp is ignored
    }
  }
  return 0;
}

}  // namespace model
