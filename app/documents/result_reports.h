// The report texts of the two result windows, written into the work buffer: the comparison (the differences on
// change list 1, with the values of both sides) and the input check (the check's lines). A report that would not
// fit is cut at a line's end and ends with a note that says so.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace app {

// What is compared.
inline constexpr std::uint8_t kCompareParamSets = 0;  // parameter set 1 with 2 of the active file
inline constexpr std::uint8_t kCompareFiles = 1;      // File 1 with File 2

// The parameter-set records in pairs (set 1's record, set 2's record), in the order they are compared.
inline constexpr std::array<std::array<std::uint16_t, 2>, 9> kParameterSetPairs{{
    {42, 43}, {40, 41}, {38, 39}, {53, 54}, {48, 49}, {34, 35}, {59, 60}, {57, 58}, {46, 47}}};

// Room kept free at the buffer's end: the comparison stops 200 bytes, the input-check text 100 bytes before it.
inline constexpr std::size_t kComparisonReserve = 200;
inline constexpr std::size_t kInputCheckReserve = 100;
// Entries taken from change list 1 (its capacity): from this many on, more differences may exist.
inline constexpr std::uint16_t kCompareEntryLimit = 50;

inline constexpr std::string_view kMoreDifferences =
    " --> More differences, than can been shown here, have been found.";
inline constexpr std::string_view kMoreWrongParameters =
    " --> More wrong parameters, than can been shown here, have been found.";

// One comparison line without its line end: the name padded with blanks to 28 characters (two blanks more when
// more than 10 were needed), a tab, the first value, a tab, the second value.
std::string ComparisonLine(std::string_view name, std::string_view value1, std::string_view value2);

// The display text of an element's value for the comparison: as its menu-list row shows it (with unit and
// selection text), a string as stored; empty when neither can be had.
std::string ComparisonValueText(std::uint16_t record, std::uint16_t element, std::uint8_t set);

struct ReportResult {
  std::size_t length = 0;  // characters written before the terminator
  int listed = 0;          // entries (or lines) in the text
  bool cut = false;        // the text ended early because the buffer was full
};

// Takes the entries off change list 1 of `set` (the differences of a comparison in `mode`) and writes the report,
// zero-terminated, into `out`. Entries without a parameter text are listed only at the service level.
ReportResult WriteComparisonReport(std::uint8_t mode, std::uint8_t set, std::span<char> out);

// Writes `count` zero-terminated lines, each followed by CR LF, zero-terminated into `out`. The lines are read
// from `lines` only (a line that runs past its end ends there).
ReportResult WriteInputCheckReport(std::span<const char> lines, std::uint32_t count, std::span<char> out);

}  // namespace app
