// Converters on encoder increments: positions in user units, angles in degrees and revolutions.
#include <cstdlib>

#include "model/converter_support.h"
#include "model/device_identity.h"
#include "model/round_value.h"
#include "model/value_converters.h"

namespace model {
namespace {

constexpr double kNoPositionShown = 1410065407.0;
constexpr double kNoAngleShown = 99999999.0;
constexpr double kFamily2Revolution = 1048576.0;

}  // namespace

std::uint8_t ConvPositionUserUnits(const double* in, double* out, double, std::uint8_t, std::uint8_t decimals,
                                   std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  std::uint8_t parameter_set = 0;
  if (ReadActiveParameterSet(set, &parameter_set) != 0) return kConverterNotServed;
  std::uint32_t motor_increments = 0;
  std::uint32_t k = 0;
  GetEncoderIncrements(&motor_increments, &k, set, parameter_set);
  std::int64_t numerator = 0;    // "I07 way/revolution numerator"
  std::int64_t denominator = 0;  // "I08 way/revolution denomin."
  std::int64_t digits = 0;       // "I06 decimal digits"
  if (const std::uint8_t s = ReadGoverning(512, 52, set, &numerator); s != 0) return s;
  if (const std::uint8_t s = ReadGoverning(512, 56, set, &denominator); s != 0) return s;
  if (const std::uint8_t s = ReadGoverning(512, 76, set, &digits); s != 0) return s;
  const double f = digits == 1 ? 10.0 : digits == 2 ? 100.0 : digits == 3 ? 1000.0 : 1.0;
  const double num = static_cast<double>(std::llabs(numerator));
  const double den = static_cast<double>(denominator);
  if (ToDisplay(direction)) {
    *out = (denominator == 0 || k == 0) ? kNoPositionShown
                                        : RoundByDecimals(num * *in / (static_cast<double>(k) * den * f), decimals);
    return 0;
  }
  if (numerator == 0 || denominator == 0 || k == 0) return kConverterNotServed;
  *out = RoundValue(static_cast<double>(k) * den * f * *in / num);
  return 0;
}

std::uint8_t ConvAngleDegrees(const double* in, double* out, double, std::uint8_t, std::uint8_t decimals,
                              std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  std::uint8_t parameter_set = 0;
  ReadActiveParameterSet(set, &parameter_set);  // unchecked: set 1 when unreadable
  std::uint32_t k = 0;
  std::uint32_t position_increments = 0;
  GetEncoderIncrements(&k, &position_increments, set, parameter_set);
  if (ToDisplay(direction)) {
    *out = k == 0 ? kNoAngleShown : RoundByDecimals(*in * 360 / static_cast<double>(k), decimals);
    return 0;
  }
  if (k == 0) return kConverterNotServed;  // any entry would store 0
  *out = *in * static_cast<double>(k) * (1.0 / 360.0);
  return 0;
}

std::uint8_t ConvRevolutions(const double* in, double* out, double, std::uint8_t, std::uint8_t,
                             std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  double k = kFamily2Revolution;
  if (GetDeviceFamily(set) != 2) {
    std::uint8_t parameter_set = 0;
    if (ReadActiveParameterSet(set, &parameter_set) != 0) return kConverterNotServed;
    std::uint32_t motor_increments = 0;
    std::uint32_t position_increments = 0;
    GetEncoderIncrements(&motor_increments, &position_increments, set, parameter_set);
    if (motor_increments == 0) return kConverterNotServed;
    k = static_cast<double>(motor_increments);
  }
  *out = ToDisplay(direction) ? *in / k : *in * k;
  return 0;
}

}  // namespace model
