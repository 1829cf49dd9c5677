// Display ranges of the scope's signals derived from the data set, and the rounding they use.
#include <cmath>
#include <cstring>

#include "link/scope_recording.h"
#include "model/element_access.h"

namespace ilink {
namespace {

// Quotients within this of a whole number count as whole: 7.4 / 0.1 is 74.00000000000001, which must not
// round upwards to 75.
constexpr double kWholeTolerance = 1e-9;

// An integer element's stored value in display units (converter unrounded; the stored value when the element
// has no converter).
bool ReadShown(std::uint16_t record, std::uint16_t element, std::uint8_t set, double* out) {
  std::uint8_t bytes[2] = {};
  if (model::ReadElement(record, element, bytes, model::kModeRaw, set) != 0) return false;
  double value = static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
  if (model::ConvertElementValue(&value, 1, record, element, set, 1) != 0) {
    value = static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
  }
  *out = value;
  return true;
}

// The motor record of the active parameter set: 38 when E84 (element 61 of record 33, shown as stored + 1)
// shows parameter set 1, else 39.
std::uint16_t ActiveSetRecord(std::uint16_t set1_record, std::uint8_t set) {
  std::uint8_t active = 0;
  if (model::ReadElement(33, 61, &active, model::kModeRaw, set) != 0) return set1_record;
  return active == 0 ? set1_record : static_cast<std::uint16_t>(set1_record + 1);
}

void SymmetricRange(ScopeSignalInfo* info, double extreme) {
  extreme = std::fabs(extreme);
  RoundToSignificantDigits(&extreme, 0, 2, true);
  if (extreme == 0.0) return;
  info->minimum = -extreme;
  info->maximum = extreme;
}

}  // namespace

void RoundToSignificantDigits(double* value, std::uint8_t mode, std::uint8_t digits, bool even_steps) {
  if (!value || *value == 0.0 || !std::isfinite(*value)) return;
  double scale = std::pow(10.0, std::floor(std::log10(std::fabs(*value))));
  if (digits == 2) scale *= 0.1;
  else if (digits == 3) scale *= 0.01;
  else if (digits != 1) return;
  double q = *value / scale;
  if (even_steps) q /= 2.0;
  if (mode == 0) q = std::ceil(q - kWholeTolerance);
  else if (mode == 1) q = std::floor(q + kWholeTolerance);
  else q = std::round(q);
  if (even_steps) q *= 2.0;
  *value = q * scale;
}

void ComputeScopeSignalRange(ScopeSignalInfo* info, std::uint8_t set) {
  if (!info || info->kind != 1) return;
  const std::uint16_t motor = ActiveSetRecord(38, set);
  double n_max = 0.0;
  if (info->unit == "rpm") {
    // Speeds: up to the maximum speed C01 of the active parameter set.
    if (ReadShown(motor, 2, set, &n_max)) SymmetricRange(info, n_max);
  } else if (info->unit == "Hz") {
    // Frequencies: the maximum speed as a field frequency (pole pairs from E180).
    std::uint8_t pole_pairs = 0;
    if (ReadShown(motor, 2, set, &n_max) && model::ReadElement(33, 68, &pole_pairs, model::kModeRaw, set) == 0 &&
        pole_pairs != 0) {
      SymmetricRange(info, n_max * pole_pairs / 60.0);
    }
  }
}

}  // namespace ilink
