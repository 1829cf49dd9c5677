// ConverterTable: the value converters that a descriptor names by its converter index.
#include "model/default_function_tables.h"
#include "model/value_converters.h"

namespace model {

extern const ConverterTableType kDefaultConverterTable = {
    &ConvPhysical,               // 0
    &ConvSpeedFromPolePairs,     // 1
    &ConvSpeed,                  // 2
    &ConvActualSpeed,            // 3
    &ConvCurrentU8,              // 4
    &ConvPercentOfRecordValue,   // 5
    &ConvPhysical,               // 6
    &ConvDeviceTypePosition,     // 7
    &ConvVersionLetterPosition,  // 8
    &ConvPeakCurrent,            // 9
    &ConvPhaseCurrent,           // 10
    &ConvPositionFromOne,        // 11
    &ConvPower,                  // 12
    &ConvTorque,                 // 13
    &ConvPhysicalMultipleOf4,    // 14
    &ConvSwitchingFrequency,     // 15
    &ConvUserLengthUnits,        // 16
    &ConvPositionUserUnits,      // 17
    &ConvAngleDegrees,           // 18
    &ConvFlagStoredAs4,          // 19
    &ConvRampTenths,             // 20
    &ConvProcessOutputCode,      // 21
    &ConvProcessOutputCode,      // 22
    &ConvProcessInputCode,       // 23
    &ConvProcessInputCode,       // 24
    &ConvRemoteControlSpeed,     // 25
    &ConvFieldCurrent,           // 26
    &ConvPackedByte2,            // 27
    &ConvPackedByte3,            // 28
    &ConvReserved29,             // 29
    &ConvPhysical,               // 30
    &ConvReserved31,             // 31
    &ConvRevolutions,            // 32
    &ConvCanReceiveType,         // 33
    &ConvCanTransmitType,        // 34
};
static_assert(std::tuple_size_v<ConverterTableType> == 35);

}  // namespace model
