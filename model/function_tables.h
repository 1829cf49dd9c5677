// The tables of functions that a layout row or a descriptor chooses by index. Each table is a sized array of
// named functions; the owning module fills its table, tests may swap in their own through the setters.
#pragma once

#include <array>
#include <cstdint>

namespace model {

struct RangePair {
  std::int32_t min;
  std::int32_t max;
};
// The longer pair used by range functions 2, 4, 5 and 6 (record 0 = no such bound). Every entry of the
// program's RangePairTable is one, so a range function that needs the bounds may downcast; a table installed
// by a test must point at BoundedRangePair objects where a bounded range function uses the entry.
struct BoundedRangePair : RangePair {
  std::uint16_t lower_record;
  std::uint16_t lower_element;
  std::uint16_t upper_record;
  std::uint16_t upper_element;
};

// (record, element, set) -> 0 available, 3 record not served, 4, 5, 7 refusals.
using CheckFunction = std::uint8_t (*)(std::uint16_t record, std::uint16_t element, std::uint8_t set);
// (record, element, set) -> status.
using ActionFunction = std::uint8_t (*)(std::uint16_t record, std::uint16_t element, std::uint8_t set);
// (in, out, parameter, element type, decimals, direction 1 stored->displayed / 0 back, set, record) -> status.
using ConverterFunction = std::uint8_t (*)(const double* in, double* out, double parameter, std::uint8_t type,
                                           std::uint8_t decimals, std::uint8_t direction, std::uint8_t set,
                                           std::uint16_t record);
// (value, pair, element type, set, which 0 check / 1 upper / 2 lower) -> status.
using RangeFunction = std::uint8_t (*)(void* value, const RangePair* pair, std::uint8_t type, std::uint8_t set,
                                       std::uint8_t which);
// (out, set) -> 0; writes into a string element of at most size bytes (terminator included).
using ComputedTextFunction = std::uint8_t (*)(char* out, std::uint16_t size, std::uint8_t set);

inline constexpr std::size_t kCheckCount = 95;
inline constexpr std::size_t kActionCount = 16;
inline constexpr std::size_t kConverterCount = 35;
inline constexpr std::size_t kRangeFunctionCount = 67;
inline constexpr std::size_t kRangePairCount = 196;
inline constexpr std::size_t kComputedTextCount = 5;

using CheckTableType = std::array<CheckFunction, kCheckCount>;
using ActionTableType = std::array<ActionFunction, kActionCount>;
using ConverterTableType = std::array<ConverterFunction, kConverterCount>;
using RangeTableType = std::array<RangeFunction, kRangeFunctionCount>;
using RangePairTableType = std::array<const RangePair*, kRangePairCount>;
using ComputedTextTableType = std::array<ComputedTextFunction, kComputedTextCount>;

// The tables in force. Defaults are the program's own; tests install others and restore with Reset*.
const CheckTableType& CheckTable();
const ActionTableType& ActionTable();
const ConverterTableType& ConverterTable();
const RangeTableType& RangeTable();
const RangePairTableType& RangePairTable();
const ComputedTextTableType& ComputedTextTable();

void SetCheckTable(const CheckTableType& table);
void SetActionTable(const ActionTableType& table);
void SetConverterTable(const ConverterTableType& table);
void SetRangeTable(const RangeTableType& table);
void SetRangePairTable(const RangePairTableType& table);
void SetComputedTextTable(const ComputedTextTableType& table);
void ResetFunctionTables();

}  // namespace model
