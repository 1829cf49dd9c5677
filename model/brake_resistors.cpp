// BrakeResistorTable as data.
#include <array>
#include <cstddef>

#include "model/after_write_actions.h"

namespace model {
namespace {

struct IndexedRow {
  std::uint8_t index;
  BrakeResistorRow row;
};

constexpr IndexedRow kRows[] = {
#define BRAKE_RESISTOR_ROW(index, code, resistance, rating, thermal) {index, {code, resistance, rating, thermal}},
#include "model/data/brake_resistors.def"
#undef BRAKE_RESISTOR_ROW
};
static_assert(std::size(kRows) == kBrakeResistorRows, "brake_resistors.def holds the rows 0..32");

constexpr bool RowsInOrder() {
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    if (kRows[i].index != i) return false;
  }
  return true;
}
static_assert(RowsInOrder(), "brake_resistors.def: rows are numbered 0..32 in order");

}  // namespace

const BrakeResistorRow& BrakeResistorRowOf(std::uint8_t index) {
  return kRows[index < kBrakeResistorRows ? index : 0].row;
}

}  // namespace model
