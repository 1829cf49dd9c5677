// Speed converters: speeds from pole pairs and a speed factor, motor and actual speeds, the remote-control
// speed.
#include "model/converter_support.h"
#include "model/device_identity.h"
#include "model/round_value.h"
#include "model/value_converters.h"

namespace model {
namespace {

constexpr double kDisplayFactor = 7.32421875;
constexpr double kStoreFactor = 4096.0 / 30000.0;  // 0.13653333...
constexpr double kNoPolePairsShown = kSpeedNotComputable;

// rpm = stored x 7.32421875 / p / q and back; a stored result of 32768 is kept at 32767.
std::uint8_t SpeedByPolePairs(double in, double* out, std::uint8_t decimals, std::uint8_t direction, std::int64_t p,
                              std::int64_t q) {
  if (ToDisplay(direction)) {
    *out = (p == 0 || q == 0) ? kNoPolePairsShown
                              : RoundByDecimals(in * kDisplayFactor / static_cast<double>(p) / static_cast<double>(q),
                                                decimals);
    return 0;
  }
  if (p == 0 || q == 0) return kConverterNotServed;  // any entry would store 0
  double v = RoundValue(static_cast<double>(q) * static_cast<double>(p) * kStoreFactor * in);
  if (v > 32767.0 && v < 32769.0) v = 32767.0;
  *out = v;
  return 0;
}

// The pole pairs p (and, for records 251 and 254, the speed factor q) that the speeds of a record use.
std::uint8_t ReadPolePairs(std::uint16_t record, std::uint8_t set, std::int64_t* p, std::int64_t* q) {
  if (record == 251 || record == 254) {
    if (ReadGoverning(record, 65, set, p) != 0) return kConverterNotServed;
    if (q && ReadGoverning(record, 54, set, q) != 0) return kConverterNotServed;
    return 0;
  }
  const std::uint16_t motor_record = IsSecondSetSpeedRecord(record) ? 43 : 42;
  if (ReadGoverning(motor_record, 26, set, p) != 0) return kConverterNotServed;
  if (q) *q = 10;
  return 0;
}

}  // namespace

std::uint8_t ConvSpeedFromPolePairs(const double* in, double* out, double, std::uint8_t, std::uint8_t decimals,
                                    std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  std::int64_t p = 0;
  std::int64_t q = 0;
  if (ReadPolePairs(record, set, &p, &q) != 0) return kConverterNotServed;
  return SpeedByPolePairs(*in, out, decimals, direction, p, q);
}

std::uint8_t ConvSpeed(const double* in, double* out, double parameter, std::uint8_t type, std::uint8_t decimals,
                       std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  if (GetDeviceFamily(set) == 2) return ConvPhysical(in, out, parameter, type, decimals, direction, set, record);
  std::int64_t p = 0;
  if (ReadPolePairs(record, set, &p, nullptr) != 0) return kConverterNotServed;
  return SpeedByPolePairs(*in, out, decimals, direction, p, 10);
}

std::uint8_t ConvActualSpeed(const double* in, double* out, double, std::uint8_t type, std::uint8_t decimals,
                             std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  if (record != 33 && record != 52 && record != 306) return kConverterNotServed;
  if (GetDeviceFamily(set) == 2) return ConvPhysical(in, out, 8192.0, type, decimals, direction, set, record);
  std::int64_t p = 0;  // the pole pairs the inverter reports
  if (ReadGoverning(kStatusRecord, 68, set, &p) != 0) return kConverterNotServed;
  return SpeedByPolePairs(*in, out, decimals, direction, p, 10);
}

std::uint8_t ConvRemoteControlSpeed(const double* in, double* out, double parameter, std::uint8_t type,
                                    std::uint8_t decimals, std::uint8_t direction, std::uint8_t set,
                                    std::uint16_t record) {
  if (record != 306) return kConverterNotServed;
  if (GetDeviceFamily(set) == 2) {
    std::int64_t active = 0;
    ReadGoverning(kStatusRecord, kActiveSetElement, set, &active);
    std::int64_t run_mode = 1;  // "C60 run mode"; an unreadable one counts as not 0
    ReadGoverning(active == 1 ? 39 : 38, 56, set, &run_mode);
    if (run_mode == 0) return ConvPhysical(in, out, 400.0, type, decimals, direction, set, record);
  }
  return ConvActualSpeed(in, out, parameter, type, decimals, direction, set, record);
}

}  // namespace model
