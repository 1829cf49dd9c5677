// RangeTable and RangePairTable: the range function and the (min, max) pair that a number row names by A and B.
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "model/default_function_tables.h"
#include "model/element_type.h"
#include "model/range_from_pair.h"

namespace model {
namespace {

template <typename T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Store(void* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

std::uint8_t CompareSigned(std::int64_t v, const RangePair& pair) {
  if (v > pair.max) return 4;
  if (v < pair.min) return 5;
  return 0;
}

std::uint8_t CompareUnsigned(std::uint32_t v, const RangePair& pair) {
  if (v > static_cast<std::uint32_t>(pair.max)) return 4;
  if (v < static_cast<std::uint32_t>(pair.min)) return 5;
  return 0;
}

// Floating values are compared by their integer part; a value that is no number is wrong, one beyond the
// 64-bit range counts as the nearest end of it.
std::uint8_t CompareFloating(double v, const RangePair& pair) {
  if (std::isnan(v)) return 6;
  const double t = std::trunc(v);
  if (t >= 9.2e18) return CompareSigned(std::numeric_limits<std::int64_t>::max(), pair);
  if (t <= -9.2e18) return CompareSigned(std::numeric_limits<std::int64_t>::min(), pair);
  return CompareSigned(static_cast<std::int64_t>(t), pair);
}

std::uint8_t CheckValue(const void* value, const RangePair& pair, std::uint8_t type) {
  switch (type) {
    case kTypeU8: return CompareUnsigned(Load<std::uint8_t>(value), pair);
    case kTypeI8: return CompareSigned(Load<std::int8_t>(value), pair);
    case kTypeU16: return CompareUnsigned(Load<std::uint16_t>(value), pair);
    case kTypeI16: return CompareSigned(Load<std::int16_t>(value), pair);
    case kTypeU32: return CompareUnsigned(Load<std::uint32_t>(value), pair);
    case kTypeI32: return CompareSigned(Load<std::int32_t>(value), pair);
    case kTypeF32: return CompareFloating(Load<float>(value), pair);
    case kTypeF64: return CompareFloating(Load<double>(value), pair);
    default: return 0;  // type 0 and every other type: never refused
  }
}

void WriteUpper(void* value, const RangePair& pair, std::uint8_t type) {
  const auto umax = static_cast<std::uint32_t>(pair.max);
  switch (type) {
    case kTypeU8Unused: Store<std::uint8_t>(value, 0); break;
    case kTypeU8: Store<std::uint8_t>(value, static_cast<std::uint8_t>(umax > 255u ? 255u : umax)); break;
    case kTypeI8: Store<std::int8_t>(value, static_cast<std::int8_t>(pair.max > 127 ? 127 : pair.max)); break;
    case kTypeU16: Store<std::uint16_t>(value, static_cast<std::uint16_t>(umax > 65535u ? 65535u : umax)); break;
    case kTypeI16:
      Store<std::int16_t>(value, static_cast<std::int16_t>(pair.max > 32767 ? 32767 : pair.max));
      break;
    case kTypeU32: Store<std::uint32_t>(value, umax); break;
    case kTypeI32: Store<std::int32_t>(value, pair.max); break;
    case kTypeF32: Store<float>(value, 0.0f); break;
    case kTypeF64: Store<double>(value, 0.0); break;
    default: break;
  }
}

void WriteLower(void* value, const RangePair& pair, std::uint8_t type) {
  switch (type) {
    case kTypeU8Unused: Store<std::uint8_t>(value, 0); break;
    case kTypeU8: Store<std::uint8_t>(value, static_cast<std::uint8_t>(pair.min)); break;
    case kTypeI8: Store<std::int8_t>(value, static_cast<std::int8_t>(pair.min)); break;
    case kTypeU16: Store<std::uint16_t>(value, static_cast<std::uint16_t>(pair.min)); break;
    case kTypeI16: Store<std::int16_t>(value, static_cast<std::int16_t>(pair.min)); break;
    case kTypeU32: Store<std::uint32_t>(value, static_cast<std::uint32_t>(pair.min)); break;
    case kTypeI32: Store<std::int32_t>(value, pair.min); break;
    case kTypeF32: Store<float>(value, 0.0f); break;
    case kTypeF64: Store<double>(value, 0.0); break;
    default: break;
  }
}

// PLACEHOLDER for the range functions not written yet: accepts every value and gives the limits of the pair.
std::uint8_t RangePlaceholder(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                              std::uint8_t which) {
  if (which == 0) return 0;
  return RangeFromPair(value, pair, type, set, which);
}

constexpr RangePair kRangePairs[] = {
#define RANGE_PAIR(index, min, max) {min, max},
#include "model/data/range_pairs.def"
#undef RANGE_PAIR
};
static_assert(std::size(kRangePairs) == kRangePairCount);

template <std::size_t... I>
constexpr RangePairTableType PairPointers(std::index_sequence<I...>) {
  return {&kRangePairs[I]...};
}

constexpr RangeTableType BuildRangeTable() {
  RangeTableType table{};
  for (auto& f : table) f = &RangePlaceholder;
  table[0] = table[1] = table[3] = &RangeFromPair;
  return table;
}

}  // namespace

std::uint8_t RangeFromPair(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t, std::uint8_t which) {
  if (!value || !pair) return 12;
  switch (which) {
    case 0: return CheckValue(value, *pair, type);
    case 1: WriteUpper(value, *pair, type); return 0;
    case 2: WriteLower(value, *pair, type); return 0;
    default: return 0;
  }
}

extern const RangeTableType kDefaultRangeTable = BuildRangeTable();
extern const RangePairTableType kDefaultRangePairTable = PairPointers(std::make_index_sequence<kRangePairCount>{});
static_assert(std::tuple_size_v<RangeTableType> == 67 && std::tuple_size_v<RangePairTableType> == 196);

}  // namespace model
