// The physical converter and the converters built on it or as simple: multiples, switching frequency, user
// length units, ramps, field currents, list positions, the flag stored as 4 and the two reserved entries.
#include "model/converter_support.h"
#include "model/device_identity.h"
#include "model/round_value.h"
#include "model/value_converters.h"

namespace model {

std::uint8_t ConvPhysical(const double* in, double* out, double parameter, std::uint8_t type, std::uint8_t decimals,
                          std::uint8_t direction, std::uint8_t, std::uint16_t) {
  double full_scale = 0.0;
  if (!TypeFullScale(type, &full_scale)) return kConverterNotServed;
  if (parameter == 0.0) {
    *out = *in;
    return 0;
  }
  if (ToDisplay(direction)) {
    *out = RoundByDecimals(*in * parameter / full_scale, decimals);
  } else {
    *out = RoundValue(*in * full_scale / parameter);
  }
  return 0;
}

std::uint8_t ConvPhysicalMultipleOf4(const double* in, double* out, double parameter, std::uint8_t type,
                                     std::uint8_t decimals, std::uint8_t direction, std::uint8_t set,
                                     std::uint16_t record) {
  double v = 0.0;
  const std::uint8_t status = ConvPhysical(in, &v, parameter, type, decimals, direction, set, record);
  if (status != 0) return status;
  *out = ToDisplay(direction) ? v : RoundValue(v * 0.25) * 4;
  return 0;
}

std::uint8_t ConvSwitchingFrequency(const double* in, double* out, double, std::uint8_t type, std::uint8_t decimals,
                                    std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  double v = 0.0;
  const std::uint8_t status = ConvPhysical(in, &v, 25.5, type, decimals, direction, set, record);
  if (status != 0) return status;
  *out = ToDisplay(direction) ? v : RoundValue(v * 0.05) * 20;
  return 0;
}

std::uint8_t ConvUserLengthUnits(const double* in, double* out, double parameter, std::uint8_t type,
                                 std::uint8_t decimals, std::uint8_t direction, std::uint8_t set,
                                 std::uint16_t record) {
  std::int64_t digits = 0;  // "I06 decimal digits", capped at 3
  const std::uint8_t read = ReadGoverning(512, 76, set, &digits);
  if (read != 0) return read;
  const double f = digits >= 3 ? 1000.0 : digits == 2 ? 100.0 : digits == 1 ? 10.0 : 1.0;
  if (ToDisplay(direction)) {
    double v = 0.0;
    const std::uint8_t status = ConvPhysical(in, &v, parameter, type, decimals, direction, set, record);
    if (status == 0) *out = v / f;
    return status;
  }
  // Whole device steps: -163.84 mm at two decimal digits is -16384, not the -16383.99.. of the product.
  const double scaled = RoundValue(*in * f);
  return ConvPhysical(&scaled, out, parameter, type, decimals, direction, set, record);
}

std::uint8_t ConvRampTenths(const double* in, double* out, double, std::uint8_t type, std::uint8_t,
                            std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  if (type != 5) return kConverterNotServed;
  if (GetDeviceFamily(set) == 2) {
    *out = RoundValue(*in);
  } else {
    *out = ToDisplay(direction) ? RoundValue(*in) * 0.1 : RoundValue(*in * 10);
  }
  return 0;
}

std::uint8_t ConvFieldCurrent(const double* in, double* out, double parameter, std::uint8_t type,
                              std::uint8_t decimals, std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  const double scale = GetDeviceFamily(set) == 2 ? 1998.0 : parameter;
  return ConvPhysical(in, out, scale, type, decimals, direction, set, record);
}

std::uint8_t ConvPositionFromOne(const double* in, double* out, double, std::uint8_t type, std::uint8_t,
                                 std::uint8_t direction, std::uint8_t, std::uint16_t) {
  if (type != 2) return kConverterNotServed;
  *out = ToDisplay(direction) ? *in + 1 : *in - 1;
  return 0;
}

std::uint8_t ConvFlagStoredAs4(const double* in, double* out, double, std::uint8_t type, std::uint8_t,
                               std::uint8_t direction, std::uint8_t, std::uint16_t) {
  if (type != 2) return kConverterNotServed;
  if (ToDisplay(direction)) {
    *out = *in == 4.0 ? 1.0 : 0.0;
  } else {
    *out = *in == 1.0 ? 4.0 : 0.0;
  }
  return 0;
}

std::uint8_t ConvReserved29(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                            std::uint16_t) {
  return 0;
}

std::uint8_t ConvReserved31(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                            std::uint16_t) {
  return 0;
}

}  // namespace model
