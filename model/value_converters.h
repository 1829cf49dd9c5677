// The value converters that ConverterTable holds, their lookup tables, the encoder resolutions some of them
// use, and the converted torque limits for the monitor.
//
// Every converter has the ConverterFunction signature: direction 1 turns the stored value (widened to double)
// into the displayed one, direction 0 turns an entry back into the value to store. Status 0 done, 13 the element
// type, the record or a value the conversion depends on is not served (out is then left as it is); converters 16
// and 17 hand on the status of a failed read. A governing value of 0 that would make the stored value
// meaningless (a zero divisor, or a zero factor that would store 0 for any entry) refuses direction 0 with 13.
#pragma once

#include <array>
#include <cstdint>

#include "model/function_tables.h"

namespace model {

inline constexpr std::uint8_t kConverterNotServed = 13;
// What a speed shows when the pole pairs it needs are 0: no speed, a mark (an instrument draws nothing for it).
inline constexpr double kSpeedNotComputable = 999999999.0;

// The physical converter (entries 0, 6 and 30): stored x parameter / F and back, F the type's full scale.
std::uint8_t ConvPhysical(const double* in, double* out, double parameter, std::uint8_t type, std::uint8_t decimals,
                          std::uint8_t direction, std::uint8_t set, std::uint16_t record);
std::uint8_t ConvSpeedFromPolePairs(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                    std::uint8_t, std::uint16_t);  // 1
std::uint8_t ConvSpeed(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                       std::uint16_t);  // 2
std::uint8_t ConvActualSpeed(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                             std::uint16_t);  // 3
std::uint8_t ConvCurrentU8(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                           std::uint16_t);  // 4
std::uint8_t ConvPercentOfRecordValue(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                      std::uint8_t, std::uint16_t);  // 5
std::uint8_t ConvDeviceTypePosition(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                    std::uint8_t, std::uint16_t);  // 7
std::uint8_t ConvVersionLetterPosition(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                       std::uint8_t, std::uint16_t);  // 8
std::uint8_t ConvPeakCurrent(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                             std::uint16_t);  // 9
std::uint8_t ConvPhaseCurrent(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                              std::uint8_t, std::uint16_t);  // 10
std::uint8_t ConvPositionFromOne(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                 std::uint8_t, std::uint16_t);  // 11
std::uint8_t ConvPower(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                       std::uint16_t);  // 12
std::uint8_t ConvTorque(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                        std::uint16_t);  // 13
std::uint8_t ConvPhysicalMultipleOf4(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                     std::uint8_t, std::uint16_t);  // 14
std::uint8_t ConvSwitchingFrequency(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                    std::uint8_t, std::uint16_t);  // 15
std::uint8_t ConvUserLengthUnits(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                 std::uint8_t, std::uint16_t);  // 16
std::uint8_t ConvPositionUserUnits(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                   std::uint8_t, std::uint16_t);  // 17
std::uint8_t ConvAngleDegrees(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                              std::uint8_t, std::uint16_t);  // 18
std::uint8_t ConvFlagStoredAs4(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                               std::uint8_t, std::uint16_t);  // 19
std::uint8_t ConvRampTenths(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                            std::uint16_t);  // 20
std::uint8_t ConvProcessOutputCode(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                   std::uint8_t, std::uint16_t);  // 21, 22
std::uint8_t ConvProcessInputCode(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                  std::uint8_t, std::uint16_t);  // 23, 24
std::uint8_t ConvRemoteControlSpeed(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                    std::uint8_t, std::uint16_t);  // 25
std::uint8_t ConvFieldCurrent(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                              std::uint8_t, std::uint16_t);  // 26
std::uint8_t ConvPackedByte2(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                             std::uint16_t);  // 27
std::uint8_t ConvPackedByte3(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                             std::uint16_t);  // 28
std::uint8_t ConvReserved29(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                            std::uint16_t);  // 29
std::uint8_t ConvReserved31(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                            std::uint16_t);  // 31
std::uint8_t ConvRevolutions(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t,
                             std::uint16_t);  // 32
std::uint8_t ConvCanReceiveType(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                std::uint8_t, std::uint16_t);  // 33
std::uint8_t ConvCanTransmitType(const double*, double*, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                 std::uint8_t, std::uint16_t);  // 34

// Lookup tables of converters 7, 21/22 and 23/24. Process codes are (record << 16) | element.
inline constexpr std::size_t kDeviceTypePositions = 101;
inline constexpr std::size_t kPositionDeviceTypes = 40;
inline constexpr std::size_t kProcessOutputCodeCount = 33;
inline constexpr std::size_t kProcessInputCodeCount = 24;
const std::array<std::uint8_t, kDeviceTypePositions>& DeviceTypeToPosition();
const std::array<std::uint8_t, kPositionDeviceTypes>& PositionToDeviceType();
const std::array<std::uint32_t, kProcessOutputCodeCount>& ProcessOutputCodes();
const std::array<std::uint32_t, kProcessInputCodeCount>& ProcessInputCodes();

// The process-data code converters: a row that names one shows its list position with the name of the element
// the position stands for.
inline constexpr std::uint8_t kConverterProcessOutput = 21;
inline constexpr std::uint8_t kConverterProcessOutputCopy = 22;
inline constexpr std::uint8_t kConverterProcessInput = 23;
inline constexpr std::uint8_t kConverterProcessInputCopy = 24;
// The name of the element at a list position of converter 21/22 (process output) or 23/24 (process input)
// ("E45 control word"); "unknown code" for the position of a code outside the list; nullptr for any other
// converter.
const char* ProcessCodeName(std::uint8_t converter, double position);

// The encoder resolutions (increments per revolution) of the motor and of the position encoder for
// parameter set 1 (parameterSet 0) or 2 (1). The governing elements are read raw; one that cannot be read
// counts as 0. Computed in 32 bits: a negative product gives 0.
void GetEncoderIncrements(std::uint32_t* motorIncrements, std::uint32_t* positionIncrements, std::uint8_t set,
                          std::uint8_t parameterSet);

// The torque limits "C03 M-Max 1" / "C04 M-Max 2" (element 2 or 4 of record 40 or 41) converted by converter 13
// to 2 places: 0, 3 for another element, the failed read's status, or the converter's status.
std::uint8_t ReadConvertedSetValue(std::uint16_t record, std::uint16_t element, double* out, std::uint8_t set);

}  // namespace model
