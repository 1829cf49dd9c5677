// PLACEHOLDER until the inverter type table and the built-in motor table are written: no motor row exists, so
// the motor-data defaults read 0. Replace this file with the real tables.
#include "model/motor_rows.h"

namespace model {

const std::uint8_t* BuiltInMotorRow(std::uint8_t) { return nullptr; }

std::uint8_t DefaultMotorOfDeviceType(std::uint8_t) { return 255; }

}  // namespace model
