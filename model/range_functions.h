// The named range functions of RangeTable (entries 0, 1, 3 RangeFromPair and 2, 4 RangeFromPairScaled share
// one function each). Signature: (value in the element's stored form, pair, element type, set, which 0 check /
// 1 upper limit / 2 lower limit) -> 0, 4 too great, 5 too small, 6 wrong value, 12 not served, or the status
// of a failed read.
#pragma once

#include <cstdint>

#include "model/function_tables.h"

namespace model {

using RangeFunctionSignature = std::uint8_t(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                          std::uint8_t which);

// Entry number in RangeTable after each.
RangeFunctionSignature RangeFromPairScaled;  // 2
RangeFunctionSignature RangeBoundedTwice;  // 5
RangeFunctionSignature RangeBoundedOneAndHalf;  // 6
RangeFunctionSignature RangeDeviceType;  // 7
RangeFunctionSignature RangeFirmwareVersion;  // 8
RangeFunctionSignature RangeDevicePower;  // 9
RangeFunctionSignature RangeMirroredBySelection;  // 10
RangeFunctionSignature RangeLowVoltageLimit;  // 11
RangeFunctionSignature RangeMotorVoltage;  // 12
RangeFunctionSignature RangeFloatWithGap;  // 13
RangeFunctionSignature RangeMotorCurrent;  // 14
RangeFunctionSignature RangeMotorPower;  // 15
RangeFunctionSignature RangeBrakeResistance;  // 16
RangeFunctionSignature RangeBrakeRating;  // 17
RangeFunctionSignature RangeBrakeType;  // 18
RangeFunctionSignature RangeMotorType;  // 19
RangeFunctionSignature RangeCurrentCapped;  // 20
RangeFunctionSignature RangeMainsVoltage;  // 21
RangeFunctionSignature RangeRampTime;  // 22
RangeFunctionSignature RangeQuickStop;  // 23
RangeFunctionSignature RangeNominalFrequency;  // 24
RangeFunctionSignature RangeRelay2Function;  // 25
RangeFunctionSignature RangeAnalogInput2Function;  // 26
RangeFunctionSignature RangeOperationInput;  // 27
RangeFunctionSignature RangeBinaryInput3Function;  // 28
RangeFunctionSignature RangeBinaryInput4Function;  // 29
RangeFunctionSignature RangeBinaryInput5Function;  // 30
RangeFunctionSignature RangeReferenceSource;  // 31
RangeFunctionSignature RangeAnalogOutput1Function;  // 32
RangeFunctionSignature RangeBinaryOutputFunction;  // 33
RangeFunctionSignature RangeWindingOperation;  // 34
RangeFunctionSignature RangeElectronicGear;  // 35
RangeFunctionSignature RangeMotorEncoder;  // 36
RangeFunctionSignature RangeControlMode;  // 37
RangeFunctionSignature RangeProcessBlock;  // 38
RangeFunctionSignature RangeX20Increments;  // 39
RangeFunctionSignature RangeRunMode;  // 40
RangeFunctionSignature RangeOptionBoard;  // 41
RangeFunctionSignature RangeSwitchingFrequency;  // 42
RangeFunctionSignature RangeTorqueLimit;  // 43
RangeFunctionSignature RangeAnalogOutputOffset;  // 44
RangeFunctionSignature RangeWayNumerator;  // 45
RangeFunctionSignature RangePidLimit;  // 46
RangeFunctionSignature RangeMotorTimeConstant;  // 47
RangeFunctionSignature RangeOperatingRange;  // 48
RangeFunctionSignature RangeOscillationDamping;  // 49
RangeFunctionSignature RangeX20Function;  // 50
RangeFunctionSignature RangeMenuLevel;  // 51
RangeFunctionSignature RangeHaltFlux;  // 52
RangeFunctionSignature RangeSpeed;  // 53
RangeFunctionSignature RangeSpeedBounded;  // 54
RangeFunctionSignature RangeAnalogInput1Function;  // 55
RangeFunctionSignature RangeAnalogOutput2Function;  // 56
RangeFunctionSignature RangeSynchronEncoder;  // 57
RangeFunctionSignature RangeEmcConstant;  // 58
RangeFunctionSignature RangePositionEncoder;  // 59
RangeFunctionSignature RangeReferenceMode;  // 60
RangeFunctionSignature RangeOperatingRangeMode;  // 61
RangeFunctionSignature RangeGearRatio;  // 62
RangeFunctionSignature RangeCanTransmissionType;  // 63
RangeFunctionSignature RangeParameterSetIdent;  // 64
RangeFunctionSignature RangeLanguage;  // 65
RangeFunctionSignature RangeLowVoltageLevel;  // 66

}  // namespace model
