// The report of the input check: lines written one after another into the caller's buffer.
#pragma once

#include <cstdint>
#include <string_view>

namespace model::input_check {

class Report {
 public:
  Report(char* buffer, std::uint16_t size, std::uint16_t* count) : buffer_(buffer), size_(size), count_(count) {}

  // Writes prefix + text + suffix and its terminator and counts it: 0, or 3 when the buffer is full after
  // it (a line that does not fit is cut to the room left; nothing is written or counted without room).
  std::uint8_t Add(std::string_view prefix, std::string_view text, std::string_view suffix = {});

 private:
  char* buffer_;
  std::uint16_t size_;
  std::uint16_t* count_;
  std::uint16_t offset_ = 0;
};

inline constexpr std::string_view kPrefixSet1 = "P1.";
inline constexpr std::string_view kPrefixSet2 = "P2.";
inline std::string_view SetPrefix(std::uint16_t parameter_set) {
  return parameter_set == 0 ? kPrefixSet1 : kPrefixSet2;
}

// Stage 1: every numeric parameter of the family's menu lists against its range function.
std::uint8_t CheckRanges(std::uint8_t set, Report& report);
// Stage 2: the cross-parameter rules of the device family, then the hints of every family.
std::uint8_t CheckRules(std::uint8_t set, Report& report);

}  // namespace model::input_check
