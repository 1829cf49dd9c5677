// The program's own function tables, each defined in the file of the module that owns it.
#pragma once

#include "model/function_tables.h"

namespace model {

extern const CheckTableType kDefaultCheckTable;              // check_table.cpp
extern const ActionTableType kDefaultActionTable;            // action_table.cpp
extern const ConverterTableType kDefaultConverterTable;      // converter_table.cpp
extern const RangeTableType kDefaultRangeTable;              // range_table.cpp
extern const RangePairTableType kDefaultRangePairTable;      // range_table.cpp
extern const ComputedTextTableType kDefaultComputedTextTable;  // computed_text_table.cpp

}  // namespace model
