// RangeTable and RangePairTable: the range function and the range pair that a number row names by A and B.
#include <cmath>
#include <utility>

#include "model/default_function_tables.h"
#include "model/range_from_pair.h"
#include "model/range_functions.h"
#include "model/range_support.h"

namespace model {

namespace {

// Every pair is held as a BoundedRangePair (the plain ones with no bound), so a bounded range function may
// downcast any entry of the table.
constexpr BoundedRangePair kRangePairs[] = {
#define RANGE_PAIR(index, min, max, lower_record, lower_element, upper_record, upper_element) \
  {{min, max}, lower_record, lower_element, upper_record, upper_element},
#include "model/data/range_pairs.def"
#undef RANGE_PAIR
};
static_assert(std::size(kRangePairs) == kRangePairCount);

constexpr bool PairsInOrder() {
  std::size_t expected = 0;
#define RANGE_PAIR(index, ...) \
  if (index != expected++) return false;
#include "model/data/range_pairs.def"
#undef RANGE_PAIR
  return true;
}
static_assert(PairsInOrder(), "range_pairs.def must hold the pairs 0..195 in order");

template <std::size_t... I>
constexpr RangePairTableType PairPointers(std::index_sequence<I...>) {
  return {&kRangePairs[I]...};
}

}  // namespace

std::uint8_t RangeFromPair(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t,
                           std::uint8_t which) {
  if (value == nullptr || pair == nullptr) return kRangeNotServed;
  return ApplyPair(value, type, which, pair->min, pair->max);
}

extern const RangeTableType kDefaultRangeTable = {
    &RangeFromPair,               // 0
    &RangeFromPair,               // 1
    &RangeFromPairScaled,         // 2
    &RangeFromPair,               // 3
    &RangeFromPairScaled,         // 4
    &RangeBoundedTwice,           // 5
    &RangeBoundedOneAndHalf,      // 6
    &RangeDeviceType,             // 7
    &RangeFirmwareVersion,        // 8
    &RangeDevicePower,            // 9
    &RangeMirroredBySelection,    // 10
    &RangeLowVoltageLimit,        // 11
    &RangeMotorVoltage,           // 12
    &RangeFloatWithGap,           // 13
    &RangeMotorCurrent,           // 14
    &RangeMotorPower,             // 15
    &RangeBrakeResistance,        // 16
    &RangeBrakeRating,            // 17
    &RangeBrakeType,              // 18
    &RangeMotorType,              // 19
    &RangeCurrentCapped,          // 20
    &RangeMainsVoltage,           // 21
    &RangeRampTime,               // 22
    &RangeQuickStop,              // 23
    &RangeNominalFrequency,       // 24
    &RangeRelay2Function,         // 25
    &RangeAnalogInput2Function,   // 26
    &RangeOperationInput,         // 27
    &RangeBinaryInput3Function,   // 28
    &RangeBinaryInput4Function,   // 29
    &RangeBinaryInput5Function,   // 30
    &RangeReferenceSource,        // 31
    &RangeAnalogOutput1Function,  // 32
    &RangeBinaryOutputFunction,   // 33
    &RangeWindingOperation,       // 34
    &RangeElectronicGear,         // 35
    &RangeMotorEncoder,           // 36
    &RangeControlMode,            // 37
    &RangeProcessBlock,           // 38
    &RangeX20Increments,          // 39
    &RangeRunMode,                // 40
    &RangeOptionBoard,            // 41
    &RangeSwitchingFrequency,     // 42
    &RangeTorqueLimit,            // 43
    &RangeAnalogOutputOffset,     // 44
    &RangeWayNumerator,           // 45
    &RangePidLimit,               // 46
    &RangeMotorTimeConstant,      // 47
    &RangeOperatingRange,         // 48
    &RangeOscillationDamping,     // 49
    &RangeX20Function,            // 50
    &RangeMenuLevel,              // 51
    &RangeHaltFlux,               // 52
    &RangeSpeed,                  // 53
    &RangeSpeedBounded,           // 54
    &RangeAnalogInput1Function,   // 55
    &RangeAnalogOutput2Function,  // 56
    &RangeSynchronEncoder,        // 57
    &RangeEmcConstant,            // 58
    &RangePositionEncoder,        // 59
    &RangeReferenceMode,          // 60
    &RangeOperatingRangeMode,     // 61
    &RangeGearRatio,              // 62
    &RangeCanTransmissionType,    // 63
    &RangeParameterSetIdent,      // 64
    &RangeLanguage,               // 65
    &RangeLowVoltageLevel,        // 66
};
static_assert(std::tuple_size_v<RangeTableType> == 67);

extern const RangePairTableType kDefaultRangePairTable = PairPointers(std::make_index_sequence<kRangePairCount>{});
static_assert(std::tuple_size_v<RangePairTableType> == 196);

}  // namespace model
