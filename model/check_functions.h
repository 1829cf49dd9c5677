// The availability checks of the CheckTable, one named function per index (index in the comment; 93 shares
// the function of 90). Each answers 0 available, 3 not a record it serves, 4 positioning run mode, 5 version,
// family or option board, 7 not applicable with the other settings, or the status of a failed governing read.
#pragma once

#include <cstdint>

namespace model {

std::uint8_t CheckAlwaysAvailable(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 0
std::uint8_t CheckUserDefinedMotor(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 1
std::uint8_t CheckUserDefinedBrakeResistor(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 2
std::uint8_t CheckVfControl(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 3
std::uint8_t CheckSensorlessVectorControl(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 4
std::uint8_t CheckStartupMode(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 5
std::uint8_t CheckReferenceValueSource(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 6
std::uint8_t CheckReferenceSourceNotZero(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 7
std::uint8_t CheckBrakeRelayTimes(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 8
std::uint8_t CheckRelay2Function(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 9
std::uint8_t CheckAnalogInput2(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 10
std::uint8_t CheckAnalogOutput1(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 11
std::uint8_t CheckBinaryInput5Frequency(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 12
std::uint8_t CheckLinkSettingsByFileKind(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 13
std::uint8_t CheckSpeedControllerVector(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 14
std::uint8_t CheckLowVoltageReaction(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 15
std::uint8_t CheckReactionU10(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 16
std::uint8_t CheckReactionU20(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 17
std::uint8_t CheckReactionU30(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 18
std::uint8_t CheckReactionU40(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 19
std::uint8_t CheckReactionU50(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 20
std::uint8_t CheckNotReverseDocumentation(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 21
std::uint8_t CheckReverseDocumentationOnly(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 22
std::uint8_t CheckAutoReset(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 23
std::uint8_t CheckVersionAtLeast65(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 24
std::uint8_t CheckVersionAtLeast66(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 25
std::uint8_t CheckControlModeNotVf(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 26
std::uint8_t CheckNotPositioningRunMode(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 27
std::uint8_t CheckPidController(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 28
std::uint8_t CheckBrakeControl(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 29
std::uint8_t CheckAnalogInput2Extended(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 30
std::uint8_t CheckRunModeNotPositioning(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 31
std::uint8_t CheckPositionRangeUnlimited(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 32
std::uint8_t CheckPositionRangeLimited(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 33
std::uint8_t CheckUserMeasureUnit(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 34
std::uint8_t CheckReferenceModeZero(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 35
std::uint8_t CheckReferenceModeBelow2(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 36
std::uint8_t CheckPositionOffsetInput(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 37
std::uint8_t CheckFeedbackControl(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 38
std::uint8_t CheckLowVoltageMode(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 39
std::uint8_t CheckBlockRepeatNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 40
std::uint8_t CheckBlockNextStart(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 41
std::uint8_t CheckBlockDelay(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 42
std::uint8_t CheckOptionBoardAnalogInput(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 43
std::uint8_t CheckOptionBoardBinaryInputs(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 44
std::uint8_t CheckWindingOperation(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 45
std::uint8_t CheckElectronicGear(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 46
std::uint8_t CheckVersionAtLeast67(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 47
std::uint8_t CheckWindingOperationFrom67(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 48
std::uint8_t CheckElectronicGearFrom67(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 49
std::uint8_t CheckSoftwareVersionA(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 50
std::uint8_t CheckVersionAtLeast68(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 51
std::uint8_t CheckNotFamily2(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 52
std::uint8_t CheckFamily2Only(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 53
std::uint8_t CheckBinaryInputsByFamily(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 54
std::uint8_t CheckAnalogInput1(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 55
std::uint8_t CheckAnalogOutput2(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 56
std::uint8_t CheckReferenceSourceFamily2(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 57
std::uint8_t CheckFamily2MotorTable(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 58
std::uint8_t CheckReferenceGenerator(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 59
std::uint8_t CheckConnectorX20(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 60
std::uint8_t CheckPidRunMode(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 61
std::uint8_t CheckPositionRunModeInput(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 62
std::uint8_t CheckVersionAtLeast69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 63
std::uint8_t CheckWindingOperationFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 64
std::uint8_t CheckPidSecondLimit(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 65
std::uint8_t CheckSpeedControllerFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 66
std::uint8_t CheckFastReferenceInactive(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 67
std::uint8_t CheckAnalogInput1Function(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 68
std::uint8_t CheckElectronicGearFrom68(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 69
std::uint8_t CheckConnectorX20Board(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 70
std::uint8_t CheckEncoderSimulation(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 71
std::uint8_t CheckConnectorX41(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 72
std::uint8_t CheckSsiEncoder(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 73
std::uint8_t CheckSsiEncoderOrX20(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 74
std::uint8_t CheckSensorlessFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 75
std::uint8_t CheckNotVersionD(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 76
std::uint8_t CheckSkipSpeedNotVersionD(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 77
std::uint8_t CheckSpeedFilters(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 78
std::uint8_t CheckAnalogOutput1From69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 79
std::uint8_t CheckExtensionBoardOutputs(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 80
std::uint8_t CheckExtensionBoardInputs(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 81
std::uint8_t CheckExtensionBoardRelay(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 82
std::uint8_t CheckFieldBusBoard(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 83
std::uint8_t CheckElectronicGearFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 84
std::uint8_t CheckUnlimitedRangeFrom69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 85
std::uint8_t CheckFamily2From69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 86
std::uint8_t CheckFamily2UserMotor(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 87
std::uint8_t CheckMotorDataForFeedback(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 88
std::uint8_t CheckNotFamily3(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 89
std::uint8_t CheckPositioningEncoder(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 90
std::uint8_t CheckFamily3Only(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 91
std::uint8_t CheckNotFamily2From69(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 92
std::uint8_t CheckGearInputRunMode(std::uint16_t record, std::uint16_t element, std::uint8_t set);  // 94

}  // namespace model
