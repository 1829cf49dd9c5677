#include "model/entry_conversion.h"

#include <cmath>
#include <cstring>

#include "model/element_attributes.h"
#include "model/function_tables.h"
#include "model/round_value.h"
#include "model/stored_value.h"
#include "model/type_limits.h"

namespace model {

std::uint8_t ConvertEntry(std::uint16_t record, const LayoutEntry& row, const ParameterDescriptor& descriptor,
                          double entered, std::uint8_t set, std::array<std::uint8_t, 8>* stored) {
  if (!std::isfinite(entered)) return 6;
  if (descriptor.converter >= kConverterCount) return 12;
  double converted = 0.0;
  const std::uint8_t decimals = GetElementAttributes(record, descriptor.selector, set);
  const std::uint8_t refused = ConverterTable()[descriptor.converter](&entered, &converted, descriptor.parameter,
                                                                      row.type, decimals, 0, set, record);
  if (refused != 0) return refused;
  if (!std::isfinite(converted)) return 6;

  const std::uint8_t beyond_type = TypeLimitStatus(converted, row.type);
  if (beyond_type != 0) return beyond_type;
  stored->fill(0);
  StoreDoubleAs(stored->data(), row.type, converted);

  if (row.a != 0 || row.b != 0) {
    if (row.a >= kRangeFunctionCount || row.b >= kRangePairCount) return 12;
    const std::uint8_t range = RangeTable()[row.a](stored->data(), RangePairTable()[row.b], row.type, set, 0);
    if (range != 0) return range;
  }
  return 0;
}

double EnterableLimit(std::uint16_t record, const LayoutEntry& row, const ParameterDescriptor& descriptor,
                      double shown, std::uint8_t decimals, std::uint8_t which, std::uint8_t set) {
  constexpr int kMostDoublings = 32;
  std::array<std::uint8_t, 8> stored{};
  if (!std::isfinite(shown) || ConvertEntry(record, row, descriptor, shown, set, &stored) == 0) return shown;
  double step = 1.0;
  switch (decimals) {
    case 1: step = 0.1; break;
    case 2: step = 0.01; break;
    case 3: step = 0.001; break;
    case 255: step = std::ldexp(std::fmax(std::fabs(shown), 1.0), -40); break;
    default: break;
  }
  const double inward = which == 1 ? -step : step;
  // The value k display steps inside `shown`, on the display grid.
  const auto moved = [&](double k) {
    const double v = shown + k * inward;
    return decimals == 255 ? v : RoundByDecimals(v, decimals);
  };
  const auto accepted = [&](double k) {
    const double v = moved(k);
    return std::isfinite(v) && ConvertEntry(record, row, descriptor, v, set, &stored) == 0;
  };
  // Doubling the distance finds an accepted value; halving back finds the one nearest to the shown limit.
  double refused = 0.0;
  double inside = 1.0;
  int doublings = 0;
  while (!accepted(inside)) {
    if (++doublings > kMostDoublings) return shown;
    refused = inside;
    inside *= 2.0;
  }
  while (inside - refused > 1.0) {
    const double middle = std::floor((refused + inside) / 2.0);
    if (accepted(middle)) {
      inside = middle;
    } else {
      refused = middle;
    }
  }
  return moved(inside);
}

}  // namespace model
