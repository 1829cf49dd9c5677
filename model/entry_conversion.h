// An entry in displayed units turned into the stored form of a number element, judged as a converted write
// judges it (converter, type limits, range function), without storing it.
#pragma once

#include <array>
#include <cstdint>

#include "model/descriptor.h"
#include "model/record_layout.h"

namespace model {

// 0 with the stored form in *stored (8 bytes, the element's size used), or the refusal: 6 for an entry or a
// converted value that is no finite number, 12 for an index beyond its table, the converter's, type-limit or
// range status.
std::uint8_t ConvertEntry(std::uint16_t record, const LayoutEntry& row, const ParameterDescriptor& descriptor,
                          double entered, std::uint8_t set, std::array<std::uint8_t, 8>* stored);

// The shown limit (which 1 upper, 2 lower) made enterable: when entering `shown` would be refused, it is moved
// inward by the display step (10^-d for d = 1..3 places, 1 for whole numbers, a relative 2^-40 for unrounded
// values) until an entry is accepted, a few steps at most; a limit that cannot be made enterable stays as shown.
double EnterableLimit(std::uint16_t record, const LayoutEntry& row, const ParameterDescriptor& descriptor,
                      double shown, std::uint8_t decimals, std::uint8_t which, std::uint8_t set);

}  // namespace model
