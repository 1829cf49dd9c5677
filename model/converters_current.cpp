// Current, percentage, power and torque converters: scaled by the device's nominal current, a value of the
// same record or the motor's nominal data.
#include <cstdlib>

#include "model/converter_support.h"
#include "model/device_identity.h"
#include "model/round_value.h"
#include "model/value_converters.h"

namespace model {
namespace {

constexpr double kNotComputableShown = 999999999.0;

// The device's nominal current, the stored 32-bit float widened.
double NominalCurrent(std::uint8_t set) { return static_cast<double>(GetDeviceNominalCurrent(set)); }

// stored = entry x scale / Inom and back, on an i16 element.
std::uint8_t CurrentByScale(const double* in, double* out, std::uint8_t type, std::uint8_t decimals,
                            std::uint8_t direction, std::uint8_t set, double scale) {
  if (type != 5) return kConverterNotServed;
  const double nominal = NominalCurrent(set);
  if (ToDisplay(direction)) {
    *out = RoundByDecimals(*in * nominal / scale, decimals);
    return 0;
  }
  if (nominal == 0.0) return kConverterNotServed;
  *out = RoundValue(*in * scale / nominal);
  return 0;
}

// Torque of families 1 and 3: the motor record and the pole pairs that a record's torques use.
std::uint8_t ReadTorqueMotorData(std::uint16_t record, std::uint8_t set, std::int64_t* p, std::int64_t* power,
                                 std::int64_t* speed) {
  std::uint16_t motor = 0;
  if (record == 33) {
    motor = ActiveMotorRecord(set);
    ReadGoverning(kStatusRecord, 68, set, p);
    ReadGoverning(motor, 6, set, power);
    return ReadGoverning(motor, 8, set, speed) == 0 ? 0 : kConverterNotServed;
  }
  if (record == 40 || record == 41) {
    motor = record == 40 ? 42 : 43;
  } else if (record >= 307 && record <= 316) {
    std::int64_t second = 0;  // a failed read counts as 0
    ReadGoverning(record, 60, set, &second);
    if (second != 1) {
      // Motor record 42 is read nominal speed first, pole pairs last.
      ReadGoverning(42, 8, set, speed);
      ReadGoverning(42, 6, set, power);
      return ReadGoverning(42, 26, set, p) == 0 ? 0 : kConverterNotServed;
    }
    motor = 43;
  } else {
    return kConverterNotServed;
  }
  ReadGoverning(motor, 26, set, p);
  ReadGoverning(motor, 6, set, power);
  return ReadGoverning(motor, 8, set, speed) == 0 ? 0 : kConverterNotServed;
}

}  // namespace

std::uint8_t ConvCurrentU8(const double* in, double* out, double, std::uint8_t type, std::uint8_t decimals,
                           std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  if (type != 2) return kConverterNotServed;
  const double nominal = NominalCurrent(set);
  if (ToDisplay(direction)) {
    *out = RoundByDecimals(*in * nominal * 2 / 255, decimals);
    return 0;
  }
  if (nominal == 0.0) return kConverterNotServed;
  *out = RoundValue(*in * 255 / (nominal * 2));
  return 0;
}

std::uint8_t ConvPercentOfRecordValue(const double* in, double* out, double, std::uint8_t type, std::uint8_t decimals,
                                      std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  if (type != 2) return kConverterNotServed;
  std::int64_t r = 0;
  if (ReadGoverning(record, 62, set, &r) != 0) return kConverterNotServed;
  if (ToDisplay(direction)) {
    *out = r == 0 ? 200.0 : RoundByDecimals(*in * 100 / static_cast<double>(r), decimals);
    return 0;
  }
  if (r == 0) return kConverterNotServed;  // any entry would store 0
  *out = RoundValue(static_cast<double>(r) * *in * 0.01);
  return 0;
}

std::uint8_t ConvPeakCurrent(const double* in, double* out, double, std::uint8_t type, std::uint8_t decimals,
                             std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  return CurrentByScale(in, out, type, decimals, direction, set, 8191.75);
}

std::uint8_t ConvPhaseCurrent(const double* in, double* out, double, std::uint8_t type, std::uint8_t decimals,
                              std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  return CurrentByScale(in, out, type, decimals, direction, set, 5792.44);
}

std::uint8_t ConvPower(const double* in, double* out, double, std::uint8_t type, std::uint8_t decimals,
                       std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  if (type != 5) return kConverterNotServed;
  std::int64_t active = 0;
  if (ReadGoverning(kStatusRecord, kActiveSetElement, set, &active) != 0) return kConverterNotServed;
  std::int64_t stored_power = 0;  // "B11 P-nominal", taken as unsigned 16-bit
  if (ReadGoverning(active == 1 ? 43 : 42, 6, set, &stored_power) != 0) return kConverterNotServed;
  const double power = static_cast<double>(stored_power & 0xFFFF);
  if (ToDisplay(direction)) {
    *out = RoundByDecimals(power * *in / 819175, decimals);
    return 0;
  }
  if (power == 0.0) return kConverterNotServed;
  *out = RoundValue(*in * 819175 / power);
  return 0;
}

std::uint8_t ConvTorque(const double* in, double* out, double, std::uint8_t, std::uint8_t decimals,
                        std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  if (GetDeviceFamily(set) == 2) {
    std::int64_t scale = 0;  // N, the family-2 torque scale
    if (ReadGoverning(kStatusRecord, 124, set, &scale) != 0) return kConverterNotServed;
    if (ToDisplay(direction)) {
      *out = static_cast<double>(scale) * *in / 819200;
    } else {
      if (scale == 0) scale = 84;
      *out = *in * 819200 / static_cast<double>(scale);
    }
    return 0;
  }
  std::int64_t p = 0;
  std::int64_t power = 0;  // "B11 P-nominal"
  std::int64_t speed = 0;  // "B13 n-nominal"
  const std::uint8_t read = ReadTorqueMotorData(record, set, &p, &power, &speed);
  if (read != 0) return read;
  if (ToDisplay(direction)) {
    if (speed == 0) speed = 4096;
    if (p == 0) {
      *out = kNotComputableShown;
      return 0;
    }
    *out = RoundByDecimals(static_cast<double>(p) * static_cast<double>(power) * *in * 0.01591549431 /
                               static_cast<double>(speed),
                           decimals);
    return 0;
  }
  if (p == 0) p = 2;
  if (power == 0 || speed == 0) return kConverterNotServed;  // no divisor, or any entry would store 0
  *out = RoundValue(static_cast<double>(speed) * 62.831853068596274 *
                    (*in / static_cast<double>(power) / static_cast<double>(p)));
  return 0;
}

}  // namespace model
