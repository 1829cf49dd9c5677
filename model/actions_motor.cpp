// After-write actions of the motor records: motor type, derived motor values, motor data taken over, ramps.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/raw_number.h"
#include "model/record_layout.h"
#include "model/round_value.h"
#include "model/saturating_cast.h"
#include "model/version_letter.h"

namespace model {
namespace {

using namespace motor;

bool IsMotorRecord(std::uint16_t record) { return record == 42 || record == 43; }
bool IsSecondSet(std::uint16_t record) { return record == 43; }

constexpr std::uint8_t kFirstServo = 60;
constexpr std::uint8_t kLastServo = 69;
constexpr std::uint8_t kLastStandardMotor = 29;
constexpr std::uint16_t kDerivedRecord = 320;

// The built-in row of a device's default motor d: d itself for the family-2 motors 60..69, else row d of
// the table half.
std::uint8_t DefaultMotorRow(std::uint8_t d, bool second_table) {
  return d >= kFirstServo ? d : StandardMotorRow(d, second_table);
}

std::uint8_t CopyRow(std::uint8_t row, std::uint8_t* image) {
  const std::uint8_t* source = BuiltInMotorRow(row);
  if (!source) return 3;
  std::memcpy(image, source, kMotorRowSize);
  return 0;
}

// INFI/INM: nominal current of the device over the motor's nominal current (I-nominal in 0.01 A).
double CurrentRatio(double device_current, std::int32_t i_nominal) {
  const double divisor = i_nominal == 0 ? 1e-6 : i_nominal * 0.01;
  return device_current / divisor;
}

bool Within8(std::int32_t a, std::int32_t b) { return std::abs(a - b) <= 8; }

}  // namespace

std::uint8_t OnMotorTypeChanged(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsMotorRecord(record)) return 3;
  const bool second_table = UsesSecondMotorTable(set);
  std::int64_t m = 0;
  const std::uint8_t read = ReadInt(record, kMotorType, set, &m);
  if (read != 0) return read;
  if (m >= 30 && m <= 59) m = 0;
  if (m > kLastServo) m = kFirstServo;
  std::int64_t device_type = 0;
  const std::uint8_t type_read = ReadInt(304, 1, set, &device_type);
  if (type_read != 0) return type_read;
  const std::uint8_t d = InverterTypeRowOf(device_type).default_motor;

  MotorImage image{};
  std::uint8_t status = 0;
  if (m == 0) {
    status = CopyRow(DefaultMotorRow(d, second_table), image.data());
    image[kMotorType] = 0;
  } else if (m <= kLastStandardMotor) {
    status = CopyRow(StandardMotorRow(static_cast<std::uint8_t>(m), second_table), image.data());
    image[kMotorType] = static_cast<std::uint8_t>(m);
  } else if (m == kFirstServo) {
    status = LoadMotorTableRecord(d, image.data());
    image[kMotorType] = kFirstServo;
  } else {
    status = LoadMotorTableRecord(static_cast<std::uint8_t>(m), image.data());
  }
  if (status != 0) return status;
  const std::uint8_t written = WriteRecord(record, image.data(), kModeRaw, set);
  if (written != 0) return written;
  return RecalcMotorDerivedValues(record, 4, set);
}

std::uint8_t RecalcMotorDerivedValues(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (!IsMotorRecord(record)) return 3;
  const bool second = IsSecondSet(record);
  const std::uint16_t ratio_element = second ? 26 : 18;
  const std::uint16_t torque_element = second ? 42 : 34;
  const std::uint16_t flag_element = second ? 59 : 58;
  const std::uint16_t accel_record = second ? 39 : 38;

  MotorImage image{};
  const std::uint8_t read = ReadRecord(record, image.data(), kModeRaw, set);
  if (read != 0) return read;
  const double device_current = static_cast<double>(GetDeviceNominalCurrent(set));
  const std::uint8_t m = image[kMotorType];
  std::uint8_t flag = 1;

  if (GetDeviceFamily(set) == 2) {
    ScaleMotorTableRecord(image.data(), m);
    if (element != 65535) WriteRecord(record, image.data(), kModeRaw, set);
    WriteNumberRaw(33, 124, set, ImageI16(image.data(), kM0));
    WriteNumberRaw(kDerivedRecord, ratio_element, set, CurrentRatio(device_current, ImageI16(image.data(), kINominal)));
    RecalcAccelTimes(accel_record, 0, set);
    const std::uint8_t* row = BuiltInMotorRow(m > kLastServo ? kFirstServo : m);
    if (m > kFirstServo && row && Within8(ImageU16(image.data(), kKpIq), ImageU16(row, kKpIq)) &&
        Within8(ImageU16(image.data(), kKiIq), ImageU16(row, kKiIq))) {
      flag = 0;
    }
  } else {
    const std::uint8_t ratio = WriteNumberRaw(kDerivedRecord, ratio_element, set,
                                              CurrentRatio(device_current, ImageI16(image.data(), kINominal)));
    if (ratio != 0) return ratio;
    const std::int32_t n = ImageI16(image.data(), kNNominal);
    const double torque = n == 0 ? 999999.0
                                 : static_cast<double>(ImageI16(image.data(), kPNominal)) * image[kPoles] / n * 130.38;
    WriteNumberRaw(kDerivedRecord, torque_element, set, torque);
    RecalcAccelTimes(accel_record, 0, set);
    if (m >= 1 && m <= 59) {
      const std::uint8_t row_index = m <= kLastStandardMotor ? StandardMotorRow(m, UsesSecondMotorTable(set)) : m;
      const std::uint8_t* row = BuiltInMotorRow(row_index);
      if (row && ImageU16(image.data(), kR1) == ImageU16(row, kR1) &&
          Within8(ImageU16(image.data(), kKpIq), ImageU16(row, kKpIq)) &&
          Within8(ImageU16(image.data(), kKiIq), ImageU16(row, kKiIq))) {
        flag = 0;
      }
    }
  }
  return WriteNumberRaw(kDerivedRecord, flag_element, set, flag);
}

std::uint8_t OnMotorDataTransferred(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (!IsMotorRecord(record)) return 3;
  if (GetDeviceFamily(set) == 1) {
    const bool late = GetVersionLetter(set) >= 'E';
    const std::uint8_t limit = late ? 29 : 28;
    MotorImage image{};
    const std::uint8_t read = ReadRecord(record, image.data(), kModeRaw, set);
    if (read != 0) return read;
    auto row_of = [late](std::uint8_t k) { return BuiltInMotorRow(StandardMotorRow(k, late)); };

    const double target = static_cast<double>(ImageI16(image.data(), kPNominal)) * image[kPoles] / 2.0;
    std::uint8_t k = 1;
    for (; k < limit; ++k) {
      const std::uint8_t* row = row_of(k);
      if (row && std::trunc(ImageI16(row, kPNominal) * 1.2) >= target) break;
    }
    // V-nominal per f-nominal as the drive's 16-bit value; an f-nominal of 0 gives no ratio (divisor 1, row k).
    const std::int32_t f_nominal = ImageI16(image.data(), kFNominal);
    std::int32_t divisor = 1;
    if (f_nominal != 0) {
      const auto ratio = static_cast<std::int16_t>(static_cast<std::uint16_t>(
          SaturatingToInt32(static_cast<double>(ImageI16(image.data(), kVNominal)) * 16384.0 / f_nominal)));
      if (ratio < 18001) {
        const std::uint8_t* here = row_of(k);
        const std::uint8_t* next = k < kLastStandardMotor ? row_of(static_cast<std::uint8_t>(k + 1)) : nullptr;
        if (here && next && ImageI16(here, kPNominal) == ImageI16(next, kPNominal)) {
          ++k;
        } else {
          divisor = 3;
        }
      }
    }
    const std::uint8_t* row = row_of(k);
    if (!row) return 3;
    std::uint8_t* out = image.data();
    PutImageWord(out, kX1S, ImageI16(row, kX1S) / divisor);
    PutImageWord(out, kB61, ImageI16(row, kB61));
    out[kTb] = row[kTb];
    out[kB63] = 25;
    PutImageWord(out, kKpId, ImageI16(row, kKpId));
    PutImageWord(out, kKiId, ImageI16(row, kKiId));
    if (!late) {
      PutImageWord(out, kR1, ImageU16(row, kR1) / divisor);
      PutImageWord(out, kKpIq, ImageU16(row, kKpIq));
      PutImageWord(out, kKiIq, ImageU16(row, kKiIq));
    }
    const std::uint8_t written = WriteRecord(record, out, kModeRaw, set);
    if (written != 0) return written;
  }
  return RecalcMotorDerivedValues(record, 4, set);
}

std::uint8_t RecalcAccelTimes(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record < 38 || record > 41) return 3;
  const bool second = record == 39 || record == 41;
  const std::uint16_t motor = second ? 43 : 42;
  std::int64_t tb = 0, c30 = 0, b20 = 0, n = 0;
  double ratio = 0.0;
  struct Source {
    std::uint16_t record;
    std::uint16_t element;
    std::int64_t* out;
  };
  const std::uint16_t machine = second ? 39 : 38;
  const std::uint16_t control = second ? 41 : 40;
  for (const Source& source : {Source{motor, 24, &tb}, Source{machine, 0, &c30}, Source{control, 6, &b20},
                               Source{motor, 8, &n}}) {
    const std::uint8_t status = ReadInt(source.record, source.element, set, source.out);
    if (status != 0) return status;
  }
  const std::uint8_t ratio_read = ReadRawNumber(kDerivedRecord, second ? 26 : 18, set, &ratio);
  if (ratio_read != 0) return ratio_read;
  if (ratio == 0.0) ratio = 1e-6;

  double ta = 0.0;  // family 2 derives no acceleration time
  double minimum = 0.0;
  if (GetDeviceFamily(set) == 2) {
    minimum = std::trunc(RoundValue(static_cast<double>(tb) / ratio * static_cast<double>(n) * 0.000333333));
  } else {
    const double c = b20 == 2 ? 10.0 : (b20 == 1 ? 15.0 : 20.0);
    ta = RoundValue(static_cast<double>(tb) * c * 0.1 * static_cast<double>((c30 + 10) / 10) / (2.0 * ratio));
    minimum = std::trunc(RoundValue(ta * 0.03));
    std::array<std::uint8_t, 8> limit{};
    if (GetElementLowerLimit(48, 0, limit.data(), kModeRaw, set) == 0) {
      const double floor = 10.0 * static_cast<double>(LoadInteger(limit.data(), GetElementType(48, 0)));
      if (minimum < floor) minimum = floor;
    }
  }
  WriteNumberRaw(kDerivedRecord, second ? 52 : 50, set, ta);
  return WriteNumberRaw(kDerivedRecord, second ? 56 : 54, set, minimum);
}

}  // namespace model
