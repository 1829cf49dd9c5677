// Range functions whose pair changes with the firmware version letter of the data set.
#include "model/device_identity.h"
#include "model/element_type.h"
#include "model/range_functions.h"
#include "model/range_support.h"

namespace model {

namespace {

constexpr std::uint8_t kA = 'A';
constexpr std::uint8_t kB = 'B';
constexpr std::uint8_t kC = 'C';
constexpr std::uint8_t kD = 'D';
constexpr std::uint8_t kE = 'E';

constexpr std::int32_t kI32Min = -2147483647 - 1;
constexpr std::int32_t kI32Max = 2147483647;

}  // namespace

std::uint8_t RangeRampTime(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeI16, set, which, {Below(kB, 1, 30000), Otherwise(0, 30000)});
}

std::uint8_t RangeQuickStop(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kA, 0, 0), Below(kB, 0, 1), Otherwise(0, 2)});
}

std::uint8_t RangeNominalFrequency(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                   std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeI16, set, which, {Below(kA, 4096, 27034), Otherwise(819, 27034)});
}

std::uint8_t RangeRelay2Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                 std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which,
                           {Below(kB, 0, 7), Below(kC, 0, 12), Below(kD, 0, 13), Equals(kD, 1, 13), Otherwise(0, 32)});
}

std::uint8_t RangeAnalogInput2Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                       std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which,
                           {Below(kB, 0, 3), Below(kC, 0, 7), Below(kD, 0, 8), Below(kE, 0, 10), Otherwise(0, 14)});
}

std::uint8_t RangeOperationInput(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                 std::uint8_t which) {
  if (type != kTypeU8) return kRangeNotServed;
  if (GetDeviceFamily(set) == 2) return ApplyPair(value, type, which, 0, 4);
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kB, 0, 1), Otherwise(0, 2)});
}

namespace {

std::uint8_t BinaryInputFunction(void* value, std::uint8_t type, std::uint8_t set, std::uint8_t which,
                                 std::int32_t first_max) {
  return TypedPairByLetter(value, type, kTypeU8, set, which,
                           {Below(kB, 0, first_max), Below(kD, 0, 29), Equals(kD, 0, 31), Otherwise(0, 32)});
}

}  // namespace

std::uint8_t RangeBinaryInput3Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                       std::uint8_t which) {
  return BinaryInputFunction(value, type, set, which, 14);
}

std::uint8_t RangeBinaryInput4Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                       std::uint8_t which) {
  return BinaryInputFunction(value, type, set, which, 14);
}

std::uint8_t RangeBinaryInput5Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                       std::uint8_t which) {
  return BinaryInputFunction(value, type, set, which, 15);
}

std::uint8_t RangeReferenceSource(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                  std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kB, 0, 1), Otherwise(0, 2)});
}

std::uint8_t RangeAnalogOutput1Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                        std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which,
                           {Below(kC, 0, 4), Below(kD, 0, 5), Below(kE, 0, 8), Otherwise(0, 11)});
}

std::uint8_t RangeBinaryOutputFunction(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                       std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kC, 1, 12), Below(kE, 1, 13), Otherwise(1, 32)});
}

std::uint8_t RangeWindingOperation(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                   std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kC, 0, 1), Otherwise(0, 2)});
}

std::uint8_t RangeElectronicGear(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                 std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kC, 0, 1), Below(kE, 0, 2), Otherwise(0, 3)});
}

std::uint8_t RangeAnalogOutputOffset(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                     std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeI16, set, which, {Below(kD, -819, 819), Otherwise(-32768, 32768)});
}

std::uint8_t RangeWayNumerator(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                               std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeI32, set, which, {Below(kD, 1, kI32Max), Otherwise(kI32Min, kI32Max)});
}

std::uint8_t RangePidLimit(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  return PairByLetter(value, type, set, which, {Below(kE, 0, 32767), Otherwise(-32768, 32767)});
}

std::uint8_t RangeOscillationDamping(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                     std::uint8_t which) {
  return PairByLetter(value, type, set, which, {Below(kE, 0, 1), Otherwise(0, 100)});
}

std::uint8_t RangeMenuLevel(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  return PairByLetter(value, type, set, which, {Below(kE, 0, 1), Otherwise(0, 2)});
}

std::uint8_t RangeHaltFlux(void* value, const RangePair*, std::uint8_t type, std::uint8_t set, std::uint8_t which) {
  return PairByLetter(value, type, set, which, {Below(kE, 0, 1), Otherwise(0, 4)});
}

std::uint8_t RangeAnalogInput1Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                       std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kE, 0, 10), Otherwise(0, 14)});
}

std::uint8_t RangeAnalogOutput2Function(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                        std::uint8_t which) {
  return TypedPairByLetter(value, type, kTypeU8, set, which, {Below(kE, 0, 8), Otherwise(0, 11)});
}

std::uint8_t RangeEmcConstant(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  return PairByLetter(value, type, set, which, {Below(kE, 200, 30000), Otherwise(50, 30000)});
}

std::uint8_t RangeReferenceMode(void* value, const RangePair*, std::uint8_t type, std::uint8_t set,
                                std::uint8_t which) {
  return PairByLetter(value, type, set, which, {Below(kE, 0, 3), Otherwise(0, 4)});
}

std::uint8_t RangeOperatingRangeMode(void* value, const RangePair*, std::uint8_t type, std::uint8_t,
                                     std::uint8_t which) {
  return ApplyPair(value, type, which, 0, 14);
}

}  // namespace model
