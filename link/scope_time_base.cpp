#include "link/scope_time_base.h"

#include <array>
#include <charconv>

namespace ilink {
namespace {

struct Period {
  std::uint32_t ms;
  const char* text;
};

constexpr std::array<Period, kScopeSamplingIndices> kPeriods = {{
    {1, "1ms"},      {1, "1ms"},     {1, "1ms"},     {1, "1ms"},     {1, "1ms"},     {1, "1ms"},
    {1, "1ms"},      {1, "1ms"},     {1, "1ms"},     {1, "1ms"},     {2, "2ms"},     {5, "5ms"},
    {10, "10ms"},    {20, "20ms"},   {50, "50ms"},   {100, "0.1s"},  {200, "0.2s"},  {500, "0.5s"},
    {1000, "1s"},    {2000, "2s"},   {5000, "5s"},   {10000, "10s"}, {20000, "20s"}, {50000, "50s"},
}};

const Period& PeriodAt(std::uint8_t index) { return kPeriods[index < kPeriods.size() ? index : 0]; }

// Fixed-point text with `decimals` places, independent of the locale.
std::string Fixed(double value, int decimals) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                    decimals);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::uint32_t ScopeSamplePeriodMs(std::uint8_t index) { return PeriodAt(index).ms; }
std::uint32_t ScopeTimeBaseMicroseconds(std::uint8_t index) { return PeriodAt(index).ms * 1000u; }
const char* ScopeTimeBaseText(std::uint8_t index) { return PeriodAt(index).text; }

std::string FormatScopeLength(std::uint32_t samples, std::uint8_t index) {
  // Whole milliseconds keep the minute and hour forms exact (3000 samples of 1 s are 50m, 0s).
  const std::uint64_t ms = static_cast<std::uint64_t>(samples) * ScopeSamplePeriodMs(index);
  const double seconds = static_cast<double>(ms) * 0.001;
  if (ms < 1000) return Fixed(seconds, 2) + " s";
  if (ms < 60000) return Fixed(seconds, 1) + " s";
  const std::uint64_t whole = ms / 1000;
  if (whole < 3600) return std::to_string(whole / 60) + "m, " + std::to_string(whole % 60) + "s";
  return std::to_string(whole / 3600) + "h, " + std::to_string(whole / 60 % 60) + "m";
}

}  // namespace ilink
