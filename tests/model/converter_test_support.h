// Case tables for the value converters: a data set 0 from zero storage with an identity and the governing
// elements a case needs written raw, one converter call per case, its status and result.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "model/function_tables.h"
#include "model/menu_list_table.h"
#include "model/value_converters.h"
#include "tests/model/identity_fixture.h"

namespace converter_test {

inline constexpr double kUntouched = -12345.25;  // out before the call: a refusing converter leaves it

struct Put {
  std::uint16_t record;
  std::uint16_t element;
  double value;
};

struct Case {
  const char* what;
  std::uint8_t converter;
  std::uint8_t direction;
  double in;
  double expected;  // the result, or kUntouched when the converter must leave out alone
  std::uint8_t status = 0;
  std::uint8_t type = model::kTypeI16;
  std::uint16_t record = 40;
  double parameter = 0.0;
  std::uint8_t decimals = 0;
  std::vector<Put> puts = {};
  std::uint8_t family = 1;
};

class ConverterTest : public identity_test::IdentityFixture {
 protected:
  void TearDown() override {
    model::SetMenuListTableForTest({});
    IdentityFixture::TearDown();
  }
  // Applies the case's identity and puts, runs the converter from the program's table, checks the outcome.
  static void Expect(const Case& c) {
    SCOPED_TRACE(std::string(c.what) + " (converter " + std::to_string(c.converter) + ", direction " +
                 std::to_string(c.direction) + ")");
    identity_test::Identity id;
    id.family = c.family;
    SetIdentity(id);
    for (const Put& put : c.puts) {
      ASSERT_TRUE(identity_test::PutRaw(put.record, put.element, put.value))
          << "cannot put (" << put.record << ", " << put.element << ")";
    }
    double out = kUntouched;
    const std::uint8_t status = model::ConverterTable()[c.converter](&c.in, &out, c.parameter, c.type, c.decimals,
                                                                     c.direction, identity_test::kSet, c.record);
    EXPECT_EQ(status, c.status);
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(out)) << out;
    } else {
      EXPECT_DOUBLE_EQ(out, c.expected);
    }
    for (const Put& put : c.puts) identity_test::PutRaw(put.record, put.element, 0);
  }
  static void ExpectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) Expect(c);
  }
};

}  // namespace converter_test
