// The after-write actions of ActionTable and the motor-row operations they share.
//
// Every action takes (record, element, set) and returns 0, 3 for a record it does not serve, or the status
// of a failed read or write. The actions write dependent elements in raw mode 8, so they never trigger one
// another except where one calls another explicitly; before such a call the previous-value buffer is set to
// the value that the raw write replaced, so the called action sees the right "old" value.
#pragma once

#include <cstdint>

namespace model {

std::uint8_t NoAction(std::uint16_t record, std::uint16_t element, std::uint8_t set);                  // 0
std::uint8_t OnMotorTypeChanged(std::uint16_t record, std::uint16_t element, std::uint8_t set);        // 1
std::uint8_t OnBrakeResistorChanged(std::uint16_t record, std::uint16_t element, std::uint8_t set);    // 2
std::uint8_t OnDeviceIdentChanged(std::uint16_t record, std::uint16_t element, std::uint8_t set);      // 3
std::uint8_t RecalcMotorDerivedValues(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 4
std::uint8_t OnMotorDataTransferred(std::uint16_t record, std::uint16_t element, std::uint8_t set);    // 5
std::uint8_t RecalcAccelTimes(std::uint16_t record, std::uint16_t element, std::uint8_t set);          // 6
std::uint8_t LimitScopeChannels(std::uint16_t record, std::uint16_t element, std::uint8_t set);        // 7
std::uint8_t StampInternalChecksum(std::uint16_t record, std::uint16_t element, std::uint8_t set);     // 8
std::uint8_t OnVersionChanged(std::uint16_t record, std::uint16_t element, std::uint8_t set);          // 9
std::uint8_t OnDeviceFamilyChanged(std::uint16_t record, std::uint16_t element, std::uint8_t set);     // 10
std::uint8_t OnRunModeChanged(std::uint16_t record, std::uint16_t element, std::uint8_t set);          // 11
std::uint8_t OnOptionBoardChanged(std::uint16_t record, std::uint16_t element, std::uint8_t set);      // 12
std::uint8_t RecalcRecord55Derived(std::uint16_t record, std::uint16_t element, std::uint8_t set);     // 13
std::uint8_t RecalcDerivedFrom512And514(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 14
std::uint8_t OnE59Changed(std::uint16_t record, std::uint16_t element, std::uint8_t set);              // 15

// The previous-value buffer read as an unsigned number of `size` bytes (1, 2 or 4).
std::uint32_t PreviousElementValue(std::uint8_t size = 1);

// Motor record images (records 42/43 and the built-in rows, 74 bytes).
// Copies built-in row `row` into image and, unless the copied B00 is 60, rescales it for the row's EMC
// constant E (word 30). 3 for a row beyond the table. A row with E = 0 cannot be rescaled and is kept as copied.
std::uint8_t LoadMotorTableRecord(std::uint8_t row, std::uint8_t* image);
// The same rescaling applied in place to a record image, with the table values from the row of motor_type
// (types above 69 use row 60) and E and the fan byte from the image; motor type 60 only takes word 22 from
// its row. 3 for a motor type without a row.
std::uint8_t ScaleMotorTableRecord(std::uint8_t* image, std::uint8_t motor_type);

// Converts the 50 speed elements of both parameter sets between the speed units of two families (converter 1
// of the element's own record, 3 decimals): to displayed units when new_family is 2, back otherwise; each
// result rounded and stored as a saturated 16-bit value. Nothing when the families are equal.
void RescaleForFamily(std::uint8_t old_family, std::uint8_t new_family, std::uint8_t set);

// BrakeResistorTable: rows indexed by the A20 value.
struct BrakeResistorRow {
  std::uint8_t code;
  std::uint16_t resistance;  // A21, 0.1 ohm
  std::uint16_t rating;      // A22, 10 W
  std::uint16_t thermal;     // A23
};
inline constexpr std::uint8_t kBrakeResistorRows = 33;
// Row `index`, or row 0 (no resistor) for an index beyond the table.
const BrakeResistorRow& BrakeResistorRowOf(std::uint8_t index);

}  // namespace model
