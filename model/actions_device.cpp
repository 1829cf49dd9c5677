// After-write actions of the device identity: braking resistor, device type, firmware letter, option board,
// positioning option.
#include <algorithm>
#include <initializer_list>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/confirm_hook.h"
#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/version_letter.h"

namespace model {
namespace {

constexpr std::uint16_t kIdentity = 304;
constexpr std::uint16_t kDeviceRecord = 55;
constexpr std::uint8_t kInternalResistor = 20;

bool In(std::int64_t value, std::initializer_list<std::int64_t> values) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

void WriteIfAbove(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t limit,
                  std::int64_t value) {
  std::int64_t current = 0;
  if (ReadInt(record, element, set, &current) == 0 && current > limit) {
    WriteNumberRaw(record, element, set, static_cast<double>(value));
  }
}

// A pair of parameter-set records, element by element: every element := value.
void ZeroRange(std::uint16_t first, std::uint16_t from, std::uint16_t to, std::uint8_t set, double value) {
  for (std::uint16_t element = from; element <= to; ++element) WriteBothSets(first, element, set, value);
}

}  // namespace

std::uint32_t PreviousElementValue(std::uint8_t size) {
  const std::uint8_t* buffer = PreviousElementValueBuffer();
  std::uint32_t value = 0;
  for (std::uint8_t i = 0; i < size && i < 4; ++i) value |= static_cast<std::uint32_t>(buffer[i]) << (8 * i);
  return value;
}

std::uint8_t NoAction(std::uint16_t, std::uint16_t, std::uint8_t) { return 0; }

std::uint8_t OnBrakeResistorChanged(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kDeviceRecord) return 3;
  std::int64_t t = 0;
  const std::uint8_t read = ReadInt(kDeviceRecord, 16, set, &t);
  if (read != 0) return read;
  if (t < 0 || t >= kBrakeResistorRows) t = 0;
  const std::int64_t device_type = IntOr(kIdentity, 1, set, kFallbackInverterType);
  double resistance = 0.0, rating = 0.0, thermal = 0.0;
  if (t == 1 || t == 21) {
    const BrakeResistorRow& row = BrakeResistorRowOf(InverterTypeRowOf(device_type).device_byte1);
    resistance = row.resistance;
    rating = row.rating;
    thermal = row.thermal;
  } else if (t == kInternalResistor) {
    const bool small = device_type == 90 || device_type == 91;
    resistance = small ? 660 : 330;
    rating = small ? 8 : 20;
    thermal = BrakeResistorRowOf(kInternalResistor).thermal;
  } else {
    const BrakeResistorRow& row = BrakeResistorRowOf(static_cast<std::uint8_t>(t));
    WriteNumberRaw(kDeviceRecord, 16, set, row.code);
    resistance = row.resistance;
    rating = row.rating;
    thermal = row.thermal;
  }
  std::uint8_t status = WriteNumberRaw(kDeviceRecord, 10, set, resistance);
  if (status == 0) status = WriteNumberRaw(kDeviceRecord, 12, set, rating);
  if (status == 0) status = WriteNumberRaw(kDeviceRecord, 14, set, thermal);
  return status;
}

std::uint8_t OnDeviceIdentChanged(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kIdentity) return 3;
  const std::int64_t p = PreviousElementValue(1);
  std::int64_t t = 0;
  const std::uint8_t read = ReadInt(kIdentity, 1, set, &t);
  if (read != 0) return read;
  const InverterTypeRow& old_row = InverterTypeRowOf(p);
  const InverterTypeRow& new_row = InverterTypeRowOf(t);

  // 1. Other nominal data: new default motors in both parameter sets, unless the user keeps the motors.
  if (old_row.nominal_current != new_row.nominal_current || old_row.mains_voltage != new_row.mains_voltage) {
    if (AskConfirmHook(static_cast<std::uint32_t>(p), static_cast<std::uint32_t>(t), 1, 0) == 0) {
      for (const std::uint16_t motor : {std::uint16_t{42}, std::uint16_t{43}}) {
        WriteNumberRaw(motor, 29, set, new_row.default_motor);
        OnMotorTypeChanged(motor, 29, set);
      }
    }
  }

  // 2. The firmware letter that the new type's series starts with.
  auto set_letter = [set](std::uint8_t letter) {
    if (IntOr(kIdentity, 5, set, -1) != letter) WriteAndChain(kIdentity, 5, set, letter, &OnVersionChanged);
  };
  const bool p_old = p < 51, t_old = t < 51;
  const bool p_mid = p >= 51 && p <= 89, t_mid = t >= 51 && t <= 89;
  if ((p_old && !t_old) || (p >= 90 && t_mid) || (p_mid && t >= 90)) {
    set_letter('E');
  } else if (!p_old && t_old) {
    set_letter('A');
  }
  if (p < 64 && t >= 64) set_letter('E');

  // 3. Low-voltage limit and mains voltage of the type.
  if (!(IsConfirmHookInstalled() && old_row.mains_voltage == new_row.mains_voltage)) {
    const InverterTypeRow& type_row = InverterTypeRowOf(DeviceTypeOrFallback(set));
    const std::uint8_t v = GetVersionLetter(set);
    double limit = 3500;
    if (GetDeviceFamily(set) != 2) {
      const bool low_mains = type_row.mains_voltage < 2501;
      if (v >= 'E') {
        limit = low_mains ? 1200 : 3500;
      } else if (v < 'C') {
        limit = low_mains ? 1500 : 2500;
      } else {
        limit = low_mains ? 1200 : 2200;
      }
    }
    WriteNumberRaw(kDeviceRecord, 0, set, limit);
    WriteNumberRaw(kDeviceRecord, 2, set, DeviceValue(type_row, 8));
  }

  // 4. Between the small and the larger family-2 types the internal resistor's data differ.
  const bool p_small = p == 90 || p == 91, t_small = t == 90 || t == 91;
  if (((p_small && t >= 92) || (p >= 92 && t_small)) && IntOr(kDeviceRecord, 16, set, 0) == kInternalResistor) {
    OnBrakeResistorChanged(kDeviceRecord, 16, set);
  }
  return 0;
}

std::uint8_t OnVersionChanged(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kIdentity) return 3;
  const std::int64_t o = PreviousElementValue(1);
  std::int64_t v = 0;
  const std::uint8_t read = ReadInt(kIdentity, 5, set, &v);
  if (read != 0) return read;

  // 1. Across 'D' the motor table half changes: the standard motors are reloaded unless the user keeps them.
  bool reloaded = false;
  if (std::min(o, v) <= 'C' && std::max(o, v) >= 'E' &&
      AskConfirmHook(static_cast<std::uint32_t>(o), 0, 1, 0) == 0) {
    reloaded = true;
    for (const std::uint16_t motor : {std::uint16_t{42}, std::uint16_t{43}}) {
      const std::int64_t m = IntOr(motor, 29, set, 0);
      if (m < 1 || m > 29) continue;
      const std::uint8_t* row = BuiltInMotorRow(StandardMotorRow(static_cast<std::uint8_t>(m), v == 'E'));
      if (row) WriteRecord(motor, row, kModeRaw, set);
    }
    RecalcMotorDerivedValues(42, 4, set);
    RecalcMotorDerivedValues(43, 4, set);
  }

  // 2. Values that firmware before 'E' does not know.
  if (v < 'E') {
    ClampBothSets(40, 9, set, 1, 1);
    const std::int64_t board = IntOr(kIdentity, 3, set, 0);
    if (board >= 4 && board <= 9) WriteNumberRaw(kIdentity, 3, set, 0);
    WriteIfAbove(kDeviceRecord, 9, set, 1, 1);
    ClampBothSets(40, 14, set, 1, 1);
    if (o == 'E' && v == 'D' && IntOr(kIdentity, 1, set, 0) >= 23 && IntOr(kDeviceRecord, 16, set, 0) == 19) {
      WriteNumberRaw(kDeviceRecord, 16, set, kInternalResistor);
    }
    ClampBothSets(40, 15, set, 2, 2);
    WriteIfAbove(kDeviceRecord, 4, set, 1, 1);
  }
  // 3. AE1 function of the older firmware after a reload.
  if (o >= 'D' && v <= 'C' && reloaded) WriteBothSets(34, 62, set, 10);
  // 4. The oldest firmware knows no option boards and no types beyond 62.
  if (v < 'B') {
    WriteNumberRaw(kIdentity, 3, set, 0);
    WriteIfAbove(kIdentity, 1, set, 62, 62);
  }
  // 5. Positioning encoder.
  if (v <= 'C') {
    WriteNumberRaw(512, 86, set, 0);
  } else if (o <= 'C') {
    WriteNumberRaw(512, 86, set, 2);
  }
  // 6. Layout letter of the newer firmware.
  if (v >= 'E') StampLayoutVersion(set);
  return 0;
}

std::uint8_t OnOptionBoardChanged(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kIdentity) return 3;
  const std::int64_t o = PreviousElementValue(1);
  std::int64_t n = 0;
  const std::uint8_t read = ReadInt(kIdentity, 3, set, &n);
  if (read != 0) return read;
  const std::uint8_t family = GetDeviceFamily(set);
  if (family == 2) {
    if ((o == 12 || o == 13) && n < 12) {
      WriteBothSets(34, 23, set, 0);
      ZeroRange(34, 44, 48, set, 0);
      ZeroRange(59, 21, 24, set, 0);
      ZeroRange(59, 29, 33, set, 1);
    }
  } else if (family == 1) {
    const auto left = [o, n](std::initializer_list<std::int64_t> boards) { return In(o, boards) && !In(n, boards); };
    if (left({2, 4, 5, 7})) ZeroRange(34, 44, 48, set, 0);
    if (left({4})) ZeroRange(59, 21, 24, set, 0);
    if (o != 0 && o != 3 && (n == 0 || n == 3)) WriteBothSets(34, 37, set, 1);
    if (left({4, 5, 7})) ZeroRange(59, 29, 30, set, 1);
    if (left({4, 5})) WriteBothSets(59, 31, set, 1);
    if (left({1, 2, 5, 6, 7})) {
      for (const std::uint16_t control : {std::uint16_t{40}, std::uint16_t{41}}) {
        if (IntOr(control, 15, set, 0) != 0) WriteNumberRaw(control, 15, set, 0);
      }
      for (const std::uint16_t technology : {std::uint16_t{46}, std::uint16_t{47}}) {
        if (IntOr(technology, 40, set, 0) != 0) WriteNumberRaw(technology, 40, set, 0);
      }
      const std::int64_t encoder = IntOr(512, 86, set, 0);
      if (encoder != 0 && encoder != 2) WriteNumberRaw(512, 86, set, 2);
    }
  }
  return 0;
}

std::uint8_t OnE59Changed(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != 5 && record != kIdentity) return 3;
  if (GetDeviceFamily(set) != 3) return 0;
  const std::uint16_t source = GetFileTypeCode(set) == kFileKindReverseDoc ? 5 : kIdentity;
  std::int64_t e59 = 0;
  const std::uint8_t read = ReadInt(source, 9, set, &e59);
  if (read != 0) return read;
  if (e59 < 2) return WriteBothSets(38, 56, set, 1);
  return 0;
}

}  // namespace model
