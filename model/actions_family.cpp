// Action 10, the change of the device family, and the rescaling of speeds between the families' units.
#include <algorithm>
#include <array>
#include <cmath>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/function_tables.h"
#include "model/raw_number.h"
#include "model/round_value.h"
#include "model/saturating_cast.h"
#include "model/version_letter.h"

namespace model {
namespace {

constexpr std::uint16_t kIdentity = 304;

struct SpeedElements {
  std::uint16_t first_record;
  std::array<std::uint16_t, 10> elements;
  std::uint8_t count;
};
// The speed elements in their conversion order; each is converted in parameter set 1, then set 2.
constexpr std::array<SpeedElements, 4> kSpeedElements = {{
    {38, {4, 2, 6, 8, 10, 12, 16, 18, 20}, 9},
    {53, {30, 18, 16, 0, 2, 4, 6, 8, 10, 12}, 10},
    {34, {12, 10}, 2},
    {46, {32, 34, 54, 56}, 4},
}};
constexpr std::uint8_t kSpeedConverter = 1;
constexpr std::uint8_t kSpeedType = 5;
constexpr std::uint8_t kSpeedDecimals = 3;

// The family's setting of every parameter the change resets.
struct FamilyDefaults {
  std::uint8_t device_type;
  std::uint8_t option_board;
  std::uint8_t board_seen_before;  // the old board that action 12 is told
  std::uint8_t brake_type;
  std::uint8_t b20, b24, b26, h20, u02, h21;
  std::uint16_t a36;
};
constexpr std::uint16_t kMains400V = 5657;  // A36 in 0.1 V peak
constexpr FamilyDefaults DefaultsOf(std::uint8_t family) {
  if (family == 2) return {90, 10, 13, 20, 3, 80, 2, 1, 1, 2, 5657};
  if (family == 3) return {74, 20, 4, 0, 1, 40, 0, 0, 3, 0, 3253};
  return {55, 0, 4, 0, 1, 40, 0, 2, 3, 0, 3253};
}

// Whether change list 0 holds exactly the entry of this family change (record 304 element 0).
bool IsFirstChange(std::uint8_t set) {
  if (ChangeListCount(set, 0) != 1) return false;
  std::uint32_t entry = 0;
  if (ChangeListPop(set, 0, &entry) != 0) return false;
  ChangeListPush(set, 0, &entry);
  return entry == kIdentity;  // record 304 in the low half, element 0 in the high half
}

void MakePositive(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::int64_t value = 0;
  if (ReadInt(record, element, set, &value) == 0 && value < 0) {
    WriteNumberRaw(record, element, set, static_cast<double>(std::min<std::int64_t>(-value, 32767)));
  }
}

}  // namespace

void RescaleForFamily(std::uint8_t old_family, std::uint8_t new_family, std::uint8_t set) {
  if (old_family == new_family) return;
  const std::uint8_t direction = new_family == 2 ? 1 : 0;
  for (const SpeedElements& group : kSpeedElements) {
    for (std::uint8_t i = 0; i < group.count; ++i) {
      for (std::uint16_t record = group.first_record; record <= group.first_record + 1; ++record) {
        double stored = 0.0;
        if (ReadRawNumber(record, group.elements[i], set, &stored) != 0) continue;
        double converted = 0.0;
        if (ConverterTable()[kSpeedConverter](&stored, &converted, 0.0, kSpeedType, kSpeedDecimals, direction, set,
                                              record) != 0) {
          continue;  // a speed without its pole pairs keeps its stored value
        }
        WriteNumberRaw(record, group.elements[i], set, RoundValue(converted));
      }
    }
  }
}

std::uint8_t OnDeviceFamilyChanged(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kIdentity) return 3;
  std::int64_t device_type = 0;
  const std::uint8_t type_read = ReadInt(kIdentity, 1, set, &device_type);
  if (type_read != 0) return type_read;
  std::int64_t requested = 0;
  const std::uint8_t family_read = ReadInt(kIdentity, 0, set, &requested);
  if (family_read != 0) return family_read;
  const std::uint8_t old_family = FamilyOfDeviceType(device_type);
  const auto f = static_cast<std::uint8_t>(requested == 2 || requested == 3 ? requested : 1);
  if (f == old_family) return 0;
  const bool from_family2 = old_family == 2;
  const FamilyDefaults d = DefaultsOf(f);
  const bool first_change = f == 2 && IsFirstChange(set);

  if (f == 2 || from_family2) RescaleForFamily(old_family, f, set);
  WriteAndChain(kIdentity, 1, set, d.device_type, &OnDeviceIdentChanged);
  WriteNumberRaw(kIdentity, 3, set, d.option_board);
  SetPreviousElementValue(&d.board_seen_before, 1);
  OnOptionBoardChanged(kIdentity, 3, set);
  WriteNumberRaw(55, 16, set, d.brake_type);
  OnBrakeResistorChanged(55, 16, set);

  double a35 = 3500;
  const bool low_mains = GetDeviceMainsVoltage(set) < 251;
  if (f == 1) {
    const std::uint8_t v = GetVersionLetter(set);
    a35 = v >= 'E' ? (low_mains ? 1200 : 3500) : v < 'C' ? (low_mains ? 1500 : 2500) : (low_mains ? 1200 : 2200);
  } else if (f == 3) {
    a35 = low_mains ? 1200 : 3500;
  }
  WriteNumberRaw(55, 0, set, a35);

  WriteBothSets(40, 6, set, d.b20);
  WriteBothSets(40, 11, set, d.b24);
  WriteBothSets(40, 15, set, d.b26);
  if (f != 2) {
    for (const std::uint16_t machine : {std::uint16_t{38}, std::uint16_t{39}}) {
      const std::int64_t mode = IntOr(machine, 56, set, 0);
      if (mode != 1 && mode != 2) WriteNumberRaw(machine, 56, set, 1);
    }
    WriteNumberRaw(512, 67, set, static_cast<double>(IntOr(38, 56, set, 1)));
  } else {
    for (const std::uint16_t control : {std::uint16_t{34}, std::uint16_t{35}}) {
      if (IntOr(control, 26, set, 0) < 1) WriteNumberRaw(control, 26, set, 1);
    }
  }
  WriteBothSets(34, 63, set, d.h20);
  if (f == 2) WriteNumberRaw(512, 86, set, 2);
  if (f == 3) WriteNumberRaw(512, 86, set, 0);
  if (f != 2 && from_family2) {
    for (std::uint16_t block = 0; block < 8; ++block) {
      const auto next_block = static_cast<std::uint16_t>(20 + 22 * block);
      if (IntOr(514, next_block, set, 0) > 8) WriteNumberRaw(514, next_block, set, 0);
    }
  }
  WriteNumberRaw(56, 2, set, d.u02);
  WriteBothSets(59, 5, set, d.h21);
  if (f == 2) WriteBothSets(34, 23, set, 0);
  if (f == 3) {
    for (std::uint16_t element = 44; element <= 48; ++element) WriteBothSets(34, element, set, 0);
    for (std::uint16_t element = 21; element <= 24; ++element) WriteBothSets(59, element, set, 0);
  }
  // The 230 V mains code of families 1 and 3 goes only to a 230 V device type; a 400 V type keeps 400 V.
  WriteNumberRaw(55, 2, set, f == 2 || low_mains ? d.a36 : kMains400V);
  if (f != 2 && from_family2) {
    WriteBothSets(48, 0, set, 30);
    WriteBothSets(48, 2, set, 30);
  }
  if (first_change) {
    WriteBothSets(38, 16, set, 3);
    WriteBothSets(48, 0, set, 0);
    WriteBothSets(48, 2, set, 0);
    WriteBothSets(34, 21, set, 9);
    WriteBothSets(34, 22, set, 0);
    WriteBothSets(34, 25, set, 4);
  }
  RecalcAccelTimes(38, 0, set);
  RecalcAccelTimes(39, 0, set);
  if (f == 3) {
    WriteBothSets(34, 24, set, 0);
    WriteBothSets(46, 8, set, 0);
    WriteBothSets(46, 23, set, 0);
    WriteBothSets(46, 9, set, 0);
  }
  if (f != 2) {
    MakePositive(34, 66, set);
    MakePositive(35, 66, set);
  }
  return WriteNumberRaw(15, 2, set, 0);
}

}  // namespace model
