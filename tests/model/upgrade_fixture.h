// Data sets for the upgrade tests: a fresh data set whose record 4 and elements are then written raw.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "identity_fixture.h"
#include "model/raw_number.h"
#include "model_test_support.h"

namespace model::upgrade_test {

inline void Put(std::uint16_t record, std::uint16_t element, double v, std::uint8_t set = 0) {
  ASSERT_TRUE(identity_test::PutRaw(record, element, v, set)) << record << ":" << element;
}

inline std::int64_t Get(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  std::int64_t v = 0;
  EXPECT_EQ(ReadRawInteger(record, element, set, &v), 0) << record << ":" << element;
  return v;
}

// Both parameter sets: set 1 in `record`, set 2 in record + 1.
inline void PutBoth(std::uint16_t record, std::uint16_t element, double v1, double v2) {
  Put(record, element, v1);
  Put(static_cast<std::uint16_t>(record + 1), element, v2);
}

class UpgradeTest : public testing::ModelTest {
 protected:
  static void StampLetter(std::uint8_t letter) { Put(4, 0, letter); }
  static std::uint8_t Letter() { return static_cast<std::uint8_t>(Get(4, 0)); }
};

}  // namespace model::upgrade_test
