// The built-in motor rows (one table serves the motor-data defaults, the after-write actions and the motor
// searches) and the default motor of each device type.
#pragma once

#include <cstdint>

namespace model {

inline constexpr std::uint16_t kMotorRowSize = 74;    // one image of a motor record (42/43)
inline constexpr std::uint8_t kBuiltInMotorRows = 70;  // 0-29 first table, 30-59 second, 60-69 family 2

// The 74-byte image of built-in motor row `row`; null beyond the table.
const std::uint8_t* BuiltInMotorRow(std::uint8_t row);

// The built-in row that holds the motor defaults for a default motor number m and the target's version letter:
// m below 60 counts in the first table, or in the second (rows 30 on) when the letter is 'E'; m of 60 and above
// counts from the first row. 255 when that row lies beyond the table.
std::uint8_t MotorRowForDefaults(std::uint8_t default_motor, std::uint8_t version_letter);

// The default motor number of a device type's InverterTypeTable row (types of 98 and above use row 55).
std::uint8_t DefaultMotorOfDeviceType(std::uint8_t device_type);

// The fields of a row that the searches compare: the word at offset 2 (voltage class, B14), at offset 4
// (rated value x 100, B12 I-nominal) and at offset 6 (the number FindMotorRowByCode answers).
std::uint16_t MotorRowVoltageClass(std::uint8_t row);
std::uint16_t MotorRowRatedValue(std::uint8_t row);
std::uint16_t MotorRowNumber(std::uint8_t row);

// The standard motor row (1..28) nearest to `value` (a current in A) for a device type, by the type's first
// device value; 1 for a type above 97; 0 when the value exceeds row 29's rated value or no row qualifies.
std::uint8_t FindMotorRow(std::uint8_t device_type, float value);

// The number (word at offset 6) of the first row of the first table whose voltage class is `code` and whose
// rated value lies at or just above `value` (variant below 5, searched upwards; none: row 29's number) or at or
// just below it (variant 5 and more, searched downwards; none: row 1's number); 0 when the value exceeds row
// 29's rated value.
std::uint16_t FindMotorRowByCode(std::uint8_t variant, float value, std::uint16_t code);

}  // namespace model
