// The range-check walk: every number element of a data set judged by its own range row.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>

#include "model/data_set.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/record_layout.h"

namespace model::testing {

// "record:element=value (status)" of every number row whose range function refuses the stored value; rows
// for which `skip` answers true are left out.
inline std::string RangeFailures(std::uint8_t set,
                                 const std::function<bool(std::uint16_t, std::uint16_t)>& skip = nullptr) {
  std::ostringstream failures;
  const auto table = RecordLayoutTable();
  for (std::uint16_t row = 0; table[row].record != 0; ++row) {
    const LayoutEntry& entry = table[row];
    if (!IsNumberType(entry.type) || (entry.a == 0 && entry.b == 0)) continue;
    const std::uint16_t element = ElementIndexInRecord(entry.record, row);
    if (skip && skip(entry.record, element)) continue;
    const std::size_t size = ElementTypeSize(entry.type) > 8 ? 8 : ElementTypeSize(entry.type);
    std::array<std::uint8_t, 8> value{};
    std::memcpy(value.data(), ElementAddress(entry.record, element, set), size);
    const std::uint8_t status = RangeTable()[entry.a](value.data(), RangePairTable()[entry.b], entry.type, set, 0);
    if (status != 0) {
      std::int64_t shown = 0;
      if (entry.type == kTypeI8) {
        shown = static_cast<std::int8_t>(value[0]);
      } else if (entry.type == kTypeI16) {
        std::int16_t v = 0;
        std::memcpy(&v, value.data(), sizeof v);
        shown = v;
      } else {
        std::memcpy(&shown, value.data(), size);
      }
      failures << entry.record << ":" << element << "=" << shown << " (" << int(status) << ") ";
    }
  }
  return failures.str();
}

}  // namespace model::testing
