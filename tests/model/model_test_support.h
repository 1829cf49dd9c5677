// Shared fixture pieces for the data-model tests: recording fake function tables, installed descriptor lists,
// and look-ups of layout rows by type.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/menu_list_table.h"
#include "model/record_layout.h"

namespace model::testing {

struct Call {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t set;
  bool operator==(const Call&) const = default;
};

struct ConverterCall {
  double in;
  double parameter;
  std::uint8_t type;
  std::uint8_t decimals;
  std::uint8_t direction;
  std::uint8_t set;
  std::uint16_t record;
};

struct RangeCall {
  std::vector<std::uint8_t> value;  // the stored form handed over (8 bytes)
  const RangePair* pair;
  std::uint8_t type;
  std::uint8_t which;
};

// What the fakes answer and what they saw; one instance, reset by the fixture.
struct FakeState {
  std::uint8_t check_answer = 0;
  std::uint8_t action_answer = 0;
  std::uint8_t range_answer = 0;
  std::uint8_t converter_answer = 0;
  double converter_factor = 1.0;                // out = in * factor
  std::optional<double> converter_result;        // when set, out = this
  bool converter_writes = true;                  // false: leaves out as it is
  std::vector<Call> checks;
  std::vector<Call> actions;
  std::vector<ConverterCall> conversions;
  std::vector<RangeCall> ranges;
  std::vector<std::uint16_t> computed_text_sizes;
  std::vector<std::uint8_t> action_indices;
};
FakeState& Fakes();

// Installs fake check, action, converter and range tables (every index answers through Fakes()).
void InstallFakeTables();

// An installed menu list table with one list of descriptors (record, element, converter, parameter, selector).
struct DescriptorRow {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t converter = 0;
  double parameter = 0.0;
  std::uint8_t selector = 0;
};
void InstallDescriptors(const std::vector<DescriptorRow>& rows);

// First element (record, element) of the given type, outside the excluded record; nullopt when none.
struct ElementRef {
  std::uint16_t record;
  std::uint16_t element;
  std::uint16_t row;
};
std::optional<ElementRef> FindElementOfType(std::uint8_t type, std::uint16_t excluded_record = 305);
// First number row whose A or B is non-zero (a row with a range check).
std::optional<ElementRef> FindRangeCheckedElement();

// Every test of the model starts from freshly initialised data sets, the program's tables and no descriptors.
class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

template <typename T>
T ReadRaw(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  std::array<std::uint8_t, 1024> buffer{};
  EXPECT_EQ(ReadElement(record, element, buffer.data(), kModeRaw, set), 0);
  T value{};
  std::memcpy(&value, buffer.data(), sizeof value);
  return value;
}

}  // namespace model::testing
