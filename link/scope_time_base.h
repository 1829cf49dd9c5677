// The recorder's sampling periods (element 0 of record 454) and their texts. One table serves every user: the
// record length, the text export's time-base label and the trend window's microseconds per sample.
#pragma once

#include <cstdint>
#include <string>

namespace ilink {

inline constexpr std::uint8_t kScopeSamplingIndices = 24;  // 0..23; an index above 23 counts as 0

// Milliseconds per sample: indices 0-9 are 1 ms, then 2, 5, 10, ... 50000 ms.
std::uint32_t ScopeSamplePeriodMs(std::uint8_t index);
// The same in microseconds (the trend window's time base).
std::uint32_t ScopeTimeBaseMicroseconds(std::uint8_t index);
// The export's label of the period: "1ms" .. "50ms", "0.1s" .. "0.5s", "1s" .. "50s".
const char* ScopeTimeBaseText(std::uint8_t index);

// The length of a recording as text: "%.2lf s" below 1 s, "%.1lf s" below 60 s, "%dm, %ds" below an hour,
// else "%dh, %dm". Numbers use '.' whatever the process locale.
std::string FormatScopeLength(std::uint32_t samples, std::uint8_t index);

}  // namespace ilink
