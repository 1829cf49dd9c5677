#include "tests/model/model_test_support.h"

#include <cstring>
#include <utility>

#include "platform/sys/local_time.h"
#include "platform/sys/user_name.h"

namespace model::testing {
namespace {

FakeState g_fakes;

std::uint8_t FakeCheck(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  g_fakes.checks.push_back({record, element, set});
  return g_fakes.check_answer;
}

template <std::size_t I>
std::uint8_t FakeAction(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  g_fakes.actions.push_back({record, element, set});
  g_fakes.action_indices.push_back(static_cast<std::uint8_t>(I));
  return g_fakes.action_answer;
}

std::uint8_t FakeConverter(const double* in, double* out, double parameter, std::uint8_t type,
                           std::uint8_t decimals, std::uint8_t direction, std::uint8_t set, std::uint16_t record) {
  g_fakes.conversions.push_back({*in, parameter, type, decimals, direction, set, record});
  if (g_fakes.converter_writes) *out = g_fakes.converter_result ? *g_fakes.converter_result : *in * g_fakes.converter_factor;
  return g_fakes.converter_answer;
}

std::uint8_t FakeRange(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t, std::uint8_t which) {
  const auto* bytes = static_cast<const std::uint8_t*>(value);
  g_fakes.ranges.push_back({std::vector<std::uint8_t>(bytes, bytes + 8), pair, type, which});
  return g_fakes.range_answer;
}

template <std::size_t... I>
ActionTableType Actions(std::index_sequence<I...>) {
  return {&FakeAction<I>...};
}

std::vector<std::vector<ParameterDescriptor>> g_lists;
std::array<MenuListSlot, kMenuListSlots> g_slots;
const ParameterDescriptor kEnd[] = {{0, 0, 0, 0, 0, 0, 0.0, nullptr}};
const char* const kNoTexts[] = {"X00 test", ""};

}  // namespace

FakeState& Fakes() { return g_fakes; }

void InstallFakeTables() {
  CheckTableType checks{};
  checks.fill(&FakeCheck);
  SetCheckTable(checks);
  SetActionTable(Actions(std::make_index_sequence<kActionCount>{}));
  ConverterTableType converters{};
  converters.fill(&FakeConverter);
  SetConverterTable(converters);
  RangeTableType ranges{};
  ranges.fill(&FakeRange);
  SetRangeTable(ranges);
}

void InstallDescriptors(const std::vector<DescriptorRow>& rows) {
  g_lists.assign(1, {});
  for (const DescriptorRow& s : rows) {
    g_lists[0].push_back({s.record, s.element, 1, s.selector, 0, s.converter, s.parameter, kNoTexts});
  }
  g_lists[0].push_back(kEnd[0]);
  for (auto& slot : g_slots) slot = {kEnd, 0, false};
  g_slots[1] = {g_lists[0].data(), 0, true};
  SetMenuListTableForTest(g_slots);
}

std::optional<ElementRef> FindElementOfType(std::uint8_t type, std::uint16_t excluded_record) {
  const auto table = RecordLayoutTable();
  for (std::uint16_t row = 0; table[row].record != 0; ++row) {
    if (table[row].type == type && table[row].record != excluded_record) {
      return ElementRef{table[row].record, ElementIndexInRecord(table[row].record, row), row};
    }
  }
  return std::nullopt;
}

std::optional<ElementRef> FindRangeCheckedElement() {
  const auto table = RecordLayoutTable();
  for (std::uint16_t row = 0; table[row].record != 0; ++row) {
    const LayoutEntry& e = table[row];
    if (IsNumberType(e.type) && e.record != 305 && (e.a != 0 || e.b != 0)) {
      return ElementRef{e.record, ElementIndexInRecord(e.record, row), row};
    }
  }
  return std::nullopt;
}

void ModelTest::SetUp() {
  ResetFunctionTables();
  SetMenuListTableForTest({});
  g_fakes = FakeState{};
  platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 4, 5, 7, 8, 9, 0});
  platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"commissioner", 0});
  ASSERT_EQ(InitDataSet(0), 0);
  ASSERT_EQ(InitDataSet(1), 0);
}

void ModelTest::TearDown() {
  ResetFunctionTables();
  SetMenuListTableForTest({});
  platform::sys::SetLocalTimeOverride(std::nullopt);
  platform::sys::SetUserNameOverride(std::nullopt);
}

}  // namespace model::testing
