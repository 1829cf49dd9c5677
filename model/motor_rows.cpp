// PLACEHOLDER until the built-in motor table is written: no motor row exists, so the motor-data defaults read 0.
// Replace BuiltInMotorRow with the real table.
#include "model/motor_rows.h"

#include "model/device_identity.h"

namespace model {

const std::uint8_t* BuiltInMotorRow(std::uint8_t) { return nullptr; }

std::uint8_t DefaultMotorOfDeviceType(std::uint8_t device_type) {
  return InverterTypeRowOf(device_type).default_motor;
}

}  // namespace model
