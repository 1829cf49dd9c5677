// The input check: a whole data set run through the ranges of its menu lists and the rules that tie
// parameters together, before it leaves the tool.
#pragma once

#include <cstdint>

namespace model {

inline constexpr std::uint16_t kInputCheckReportSize = 10000;  // the buffer the result window passes

// Writes one zero-terminated line a finding into `report` and counts it in *errorCount (every counted line
// is in the report). 0 the check ran to its end; 1 `set` beyond the last data-set slot; 3 a menu list could
// not be loaded, an element of a list has no layout row or storage, or the report is full (the last line may
// be cut, still terminated); 12 a range index beyond its table; any other value the status of a failed read
// of the rule stage. A non-zero status means the data set was not fully checked: callers must treat it as a
// finding even when the count is 0. The data set is not changed.
std::uint8_t CheckParameterSet(std::uint8_t set, std::uint16_t* errorCount, char* report, std::uint16_t reportSize);

}  // namespace model
