// The raw scales in which the simulated drive answers. They are the stored forms of the model's converters: an
// actual speed of 4096 is 50 Hz at the motor (rpm = raw x 7.32421875 / pole pairs / 10); a current or power of
// 8191.75 is the nominal one; a torque of 1000 is 100 %; a ramp time counts tenths of a second per 150 Hz; voltages
// count tenths of a volt; the motor frequency has the actual speed's scale (4096 = 50 Hz); a utilisation (I2t)
// counts tenths of a percent.
#pragma once

namespace sim {

inline constexpr double kSpeedRawPerHz = 4096.0 / 50.0;
inline constexpr double kNominalRaw = 8191.75;
inline constexpr double kTorqueRawPerUnit = 1000.0;
inline constexpr double kRampSpanHz = 150.0;
inline constexpr double kRampTimeUnitS = 0.1;
inline constexpr double kVoltRaw = 10.0;
inline constexpr double kPercentRaw = 10.0;

}  // namespace sim
