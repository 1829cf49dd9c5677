// Availability checks of the positioning machine data (record 512) and of the process blocks of records
// 514, 516, 518 and 520.
#include <array>
#include <span>

#include "model/check_functions.h"
#include "model/check_rules.h"

namespace model {

using namespace check_rules;

namespace {

constexpr std::uint16_t kMachineRecord = 512;
constexpr std::uint16_t kPositionRange = 66;   // I00 (0 limited, 1 unlimited)
constexpr std::uint16_t kReferenceMode = 69;   // I30
constexpr std::uint16_t kMeasureUnit = 75;     // I05 (0 user)

// Offsets inside a 22-byte process block.
constexpr std::uint16_t kBlockDelay = 16;       // u16
constexpr std::uint16_t kBlockMode = 18;        // position mode
constexpr std::uint16_t kBlockRepeat = 19;      // repeat number
constexpr std::uint16_t kBlockNext = 20;        // next block
constexpr std::uint16_t kBlockNextStart = 21;   // next start

// The block offsets the checks recognise an element by: 0..176 in steps of 22 in every record, 198 in 516 and
// 518, and the last block of 514 at 210. Record 514's bytes at 176 are the step elements, but they sit where
// a block would, so the checks serve them like one (the positioning speeds are derived from the 32 real
// blocks only: 514 at 0..154 and 210).
constexpr std::array<std::uint16_t, 10> kBlocks514 = {0, 22, 44, 66, 88, 110, 132, 154, 176, 210};
constexpr std::array<std::uint16_t, 10> kBlocks516 = {0, 22, 44, 66, 88, 110, 132, 154, 176, 198};
constexpr std::array<std::uint16_t, 3> kBlocks520 = {0, 22, 44};

std::span<const std::uint16_t> BlocksOf(std::uint16_t record) {
  switch (record) {
    case 514: return kBlocks514;
    case 516:
    case 518: return kBlocks516;
    case 520: return kBlocks520;
    default: return {};
  }
}

// The start of the block whose byte at `offset` is `element`; false when there is none in the record.
bool FindBlock(std::uint16_t record, std::uint16_t element, std::uint16_t offset, std::uint16_t* start) {
  for (std::uint16_t b : BlocksOf(record)) {
    if (b + offset == element) {
      *start = b;
      return true;
    }
  }
  return false;
}

// Reads the byte at `offset` of the block that starts at `start`.
std::uint8_t ReadBlockByte(std::uint16_t record, std::uint16_t start, std::uint16_t offset, std::uint8_t set,
                           std::uint8_t* out) {
  return ReadCheckByte(record, static_cast<std::uint16_t>(start + offset), set, out);
}

// Checks 32-36: record 512 from version 'B', a rule on one machine byte.
template <typename Rule>
std::uint8_t MachineRule(std::uint16_t record, std::uint16_t element, std::uint8_t set, Rule rule) {
  if (record != kMachineRecord) return kNotServed;
  if (Letter(set) < kLetterB) return kNotApplicable;
  std::uint8_t value = 0;
  if (const std::uint8_t status = ReadCheckByte(kMachineRecord, element, set, &value)) return status;
  return rule(value) ? kAvailable : kNotApplicable;
}

}  // namespace

std::uint8_t CheckPositionRangeUnlimited(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return MachineRule(record, kPositionRange, set, [](std::uint8_t i00) { return i00 != 0; });
}

std::uint8_t CheckPositionRangeLimited(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return MachineRule(record, kPositionRange, set, [](std::uint8_t i00) { return i00 != 1; });
}

std::uint8_t CheckUserMeasureUnit(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return MachineRule(record, kMeasureUnit, set, [](std::uint8_t i05) { return i05 == 0; });
}

std::uint8_t CheckReferenceModeZero(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return MachineRule(record, kReferenceMode, set, [](std::uint8_t i30) { return i30 == 0; });
}

std::uint8_t CheckReferenceModeBelow2(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  return MachineRule(record, kReferenceMode, set, [](std::uint8_t i30) { return i30 < 2; });
}

std::uint8_t CheckPositionOffsetInput(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kMachineRecord) return kNotServed;
  std::uint8_t f20 = 0;
  std::uint8_t f25 = 0;
  if (const std::uint8_t status = ReadCheckByte(34, 24, set, &f20)) return status;
  if (const std::uint8_t status = ReadCheckByte(34, 62, set, &f25)) return status;
  const std::uint8_t family = Family(set);
  if (family == 3) return f25 == 6 ? kAvailable : kNotApplicable;
  if (family == 1) {
    const std::uint8_t v = Letter(set);
    if (v < kLetterB) return kNotApplicable;
    if (v < kLetterE) f25 = 0;  // analog input 1 offers no position offset before 'E'
  }
  return f20 == 6 || f25 == 6 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckBlockRepeatNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::uint16_t block = 0;
  if (!FindBlock(record, element, kBlockRepeat, &block)) return kNotServed;
  if (Letter(set) < kLetterB) return kNotApplicable;
  std::uint8_t mode = 0;
  if (const std::uint8_t status = ReadBlockByte(record, block, kBlockMode, set, &mode)) return status;
  return mode == 0 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckBlockNextStart(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::uint16_t block = 0;
  if (!FindBlock(record, element, kBlockNextStart, &block)) return kNotServed;
  if (Letter(set) < kLetterB) return kNotApplicable;
  std::uint8_t repeat = 0;
  std::uint8_t next = 0;
  std::uint8_t mode = 0;
  if (const std::uint8_t status = ReadBlockByte(record, block, kBlockRepeat, set, &repeat)) return status;
  if (const std::uint8_t status = ReadBlockByte(record, block, kBlockNext, set, &next)) return status;
  if (const std::uint8_t status = ReadBlockByte(record, block, kBlockMode, set, &mode)) return status;
  return (repeat != 0 && mode == 0) || next != 0 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckBlockDelay(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::uint16_t block = 0;
  if (!FindBlock(record, element, kBlockDelay, &block)) return kNotServed;
  if (Letter(set) < kLetterB) return kNotApplicable;
  std::uint8_t repeat = 0;
  std::uint8_t next = 0;
  std::uint8_t next_start = 0;
  if (const std::uint8_t status = ReadBlockByte(record, block, kBlockRepeat, set, &repeat)) return status;
  if (const std::uint8_t status = ReadBlockByte(record, block, kBlockNext, set, &next)) return status;
  if (const std::uint8_t status = ReadBlockByte(record, block, kBlockNextStart, set, &next_start)) return status;
  if (repeat == 0 && next == 0) return kNotApplicable;
  return next_start == 1 ? kAvailable : kNotApplicable;
}

std::uint8_t CheckUnlimitedRangeFrom69(std::uint16_t, std::uint16_t, std::uint8_t set) {
  if (Letter(set) < kLetterE) return kNotApplicable;
  return ByteIsSet(kMachineRecord, kPositionRange, set, kNotApplicable);
}

}  // namespace model
