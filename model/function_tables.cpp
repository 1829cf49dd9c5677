#include "model/function_tables.h"

#include "model/default_function_tables.h"

namespace model {
namespace {

// One table in force: the program's own, or a copy that a test installed.
template <typename Table>
class TableInForce {
 public:
  explicit constexpr TableInForce(const Table* own) : own_(own), current_(own) {}
  const Table& Get() const { return *current_; }
  void Set(const Table& table) {
    installed_ = table;
    current_ = &installed_;
  }
  void Reset() { current_ = own_; }

 private:
  const Table* own_;
  const Table* current_;
  Table installed_{};
};

TableInForce<CheckTableType> g_checks(&kDefaultCheckTable);
TableInForce<ActionTableType> g_actions(&kDefaultActionTable);
TableInForce<ConverterTableType> g_converters(&kDefaultConverterTable);
TableInForce<RangeTableType> g_ranges(&kDefaultRangeTable);
TableInForce<RangePairTableType> g_range_pairs(&kDefaultRangePairTable);
TableInForce<ComputedTextTableType> g_computed_texts(&kDefaultComputedTextTable);

}  // namespace

const CheckTableType& CheckTable() { return g_checks.Get(); }
const ActionTableType& ActionTable() { return g_actions.Get(); }
const ConverterTableType& ConverterTable() { return g_converters.Get(); }
const RangeTableType& RangeTable() { return g_ranges.Get(); }
const RangePairTableType& RangePairTable() { return g_range_pairs.Get(); }
const ComputedTextTableType& ComputedTextTable() { return g_computed_texts.Get(); }

void SetCheckTable(const CheckTableType& table) { g_checks.Set(table); }
void SetActionTable(const ActionTableType& table) { g_actions.Set(table); }
void SetConverterTable(const ConverterTableType& table) { g_converters.Set(table); }
void SetRangeTable(const RangeTableType& table) { g_ranges.Set(table); }
void SetRangePairTable(const RangePairTableType& table) { g_range_pairs.Set(table); }
void SetComputedTextTable(const ComputedTextTableType& table) { g_computed_texts.Set(table); }

void ResetFunctionTables() {
  g_checks.Reset();
  g_actions.Reset();
  g_converters.Reset();
  g_ranges.Reset();
  g_range_pairs.Reset();
  g_computed_texts.Reset();
}

}  // namespace model
