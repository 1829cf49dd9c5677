// The built-in motor rows and the default motor of each device type, as the motor-data defaults need them.
#pragma once

#include <cstdint>

namespace model {

inline constexpr std::uint16_t kMotorRowSize = 74;    // one image of a motor record (42/43)
inline constexpr std::uint8_t kBuiltInMotorRows = 70;  // 0-29 first table, 30-59 second, 60-69 family 2

// The 74-byte image of built-in motor row `row`; null beyond the table or while the table is not built.
const std::uint8_t* BuiltInMotorRow(std::uint8_t row);

// The built-in row that holds the motor defaults for a default motor number m and the target's version letter:
// m below 60 counts in the first table, or in the second (rows 30 on) when the letter is 'E'; m of 60 and above
// counts from the first row. 255 when that row lies beyond the table.
std::uint8_t MotorRowForDefaults(std::uint8_t default_motor, std::uint8_t version_letter);

// The default motor number of a device type's InverterTypeTable row (types of 98 and above use row 55);
// 255 while the table is not built.
std::uint8_t DefaultMotorOfDeviceType(std::uint8_t device_type);

}  // namespace model
