// Calls into RangeTable by entry number with values in an element's stored form, and the check that a row
// gives exactly the range [min, max].
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/raw_number.h"

namespace range_test {

inline void StorableRange(std::uint8_t type, std::int64_t* low, std::int64_t* high) {
  switch (type) {
    case model::kTypeI8: *low = -128; *high = 127; break;
    case model::kTypeU16: *low = 0; *high = 65535; break;
    case model::kTypeI16: *low = -32768; *high = 32767; break;
    case model::kTypeU32: *low = 0; *high = 4294967295; break;
    case model::kTypeI32: *low = -2147483648LL; *high = 2147483647; break;
    default: *low = 0; *high = 255; break;
  }
}

// The limits a write accepts: the i16 and i32 floors are -32767 and -2147483647.
inline std::int64_t ClampToWritable(std::int64_t v, std::uint8_t type) {
  std::int64_t low = 0, high = 0;
  StorableRange(type, &low, &high);
  if (type == model::kTypeI16 || type == model::kTypeI32) ++low;
  return std::clamp(v, low, high);
}

inline std::uint8_t Check(std::uint8_t a, const model::RangePair* pair, std::uint8_t type, std::int64_t v,
                          std::uint8_t set = 0) {
  alignas(8) unsigned char buffer[8] = {};
  model::StoreInteger(buffer, type, v);
  return model::RangeTable()[a](buffer, pair, type, set, 0);
}

inline std::uint8_t CheckNumber(std::uint8_t a, const model::RangePair* pair, std::uint8_t type, double v,
                                std::uint8_t set = 0) {
  alignas(8) unsigned char buffer[8] = {};
  model::StoreNumber(buffer, type, v);
  return model::RangeTable()[a](buffer, pair, type, set, 0);
}

// which 1 or 2: the status, and the limit widened into *limit.
inline std::uint8_t Limit(std::uint8_t a, const model::RangePair* pair, std::uint8_t type, std::uint8_t which,
                          std::int64_t* limit, std::uint8_t set = 0) {
  alignas(8) unsigned char buffer[8] = {0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A};
  const std::uint8_t status = model::RangeTable()[a](buffer, pair, type, set, which);
  *limit = model::LoadInteger(buffer, type);
  return status;
}

// The row accepts exactly [min, max] (min - 1 too small, max + 1 too great where the type holds them) and
// gives max and min, clamped to what a write accepts, as its limits.
inline void ExpectRange(std::uint8_t a, const model::RangePair* pair, std::uint8_t type, std::int64_t min,
                        std::int64_t max, std::uint8_t set = 0) {
  std::int64_t low = 0, high = 0;
  StorableRange(type, &low, &high);
  const std::int64_t lo = std::max(min, low), hi = std::min(max, high);
  EXPECT_EQ(Check(a, pair, type, lo, set), 0) << "min " << lo;
  EXPECT_EQ(Check(a, pair, type, hi, set), 0) << "max " << hi;
  if (min > low) {
    EXPECT_EQ(Check(a, pair, type, min - 1, set), 5) << "below " << min;
  }
  if (max < high) {
    EXPECT_EQ(Check(a, pair, type, max + 1, set), 4) << "above " << max;
  }
  std::int64_t limit = 0;
  EXPECT_EQ(Limit(a, pair, type, 1, &limit, set), 0);
  EXPECT_EQ(limit, ClampToWritable(max, type)) << "upper";
  EXPECT_EQ(Limit(a, pair, type, 2, &limit, set), 0);
  EXPECT_EQ(limit, ClampToWritable(min, type)) << "lower";
}

}  // namespace range_test
