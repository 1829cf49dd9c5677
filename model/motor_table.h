// The external motor databases beside the program: "mottab.txt" (asynchronous motors, layout 0, 16 values a
// record) and "esmottab.txt" (servo motors, layout 1, 12 values). A record line is
//   motor number TAB flag TAB name TAB value TAB value ...
// with the stored (raw) values of the motor record's elements in the layout's column order. Lines beginning with
// ';' are comments; lines shorter than 51 characters (line end not counted) are ignored. Files with CR LF and
// with LF line ends both read; a rewrite keeps the file's line end.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/motor_rows.h"

namespace model {

inline constexpr std::uint8_t kMotorLayoutAsync = 0;
inline constexpr std::uint8_t kMotorLayoutServo = 1;
inline constexpr std::size_t kMotorNameLength = 29;       // characters of a name, without the terminator
inline constexpr std::size_t kMotorPathLength = 255;      // longest path MotorTableSetFile takes
inline constexpr std::size_t kMotorLineLength = 1023;     // characters of a line that the reader looks at
inline constexpr std::size_t kMotorRecordMinLength = 51;  // shorter lines are no records
inline constexpr char kMotorPlaceholderName[] = "     neu         ";
inline constexpr char kMotorDefaultName[] = "unknown";
inline constexpr char kMotorTableHeading[] = "; External motor database of ZPR-Tool";

// One record as read from a database: the motor record image (layout of records 42/43/348), its number, the
// write-protect flag (0 or 1) and the name.
struct MotorTableEntry {
  std::array<std::uint8_t, kMotorRowSize> motor_record{};
  std::uint32_t motor_number = 0;
  std::uint8_t flag = 0;
  std::array<char, kMotorNameLength + 1> name{};
};

// The motor-record elements (byte offsets) of a layout's columns; empty for another layout.
std::span<const std::uint16_t> MotorTableColumns(std::uint8_t layout);
// "mottab.txt" for layout 0, "esmottab.txt" for layout 1 (and any other).
const char* MotorTableFileName(std::uint8_t layout);
// The database of a layout beside the executable.
std::string MotorTablePathBesideProgram(std::uint8_t layout);
// The entry a record line is read over: layout 0 built-in motor row 1, layout 1 built-in row 60 (the
// user-defined servo motor type); a row the built-in table lacks gives zeros (B00 60 for layout 1). Name
// "unknown".
MotorTableEntry MotorTableTemplate(std::uint8_t layout);

// The line grammar, on one line without its line end.
enum class MotorLineKind : std::uint8_t { kComment, kIgnored, kRecord };
MotorLineKind ClassifyMotorTableLine(std::string_view line);
// Parses a record line over the layout's template: false for a line that breaks the grammar (the entry is then
// unspecified). Only the first 1023 characters count; a name is cut to 29 characters.
bool ParseMotorTableLine(std::string_view line, std::uint8_t layout, MotorTableEntry* out);
// The stored values of an entry's motor record in the layout's column order (integers as their types hold them).
std::vector<std::int64_t> MotorTableValues(const MotorTableEntry& entry, std::uint8_t layout);
// A typed name made safe for a record line: control characters removed, cut to 29 characters.
std::string SanitizeMotorName(std::string_view typed);
// "%d\t0\t%s" then "\t%d" per value, without a line end; the name sanitised.
std::string FormatMotorTableLine(std::uint32_t motor_number, std::string_view name,
                                 std::span<const std::int64_t> values);
// The lines of a file's content without their line ends (LF or CR LF); a line is cut at a NUL character.
std::vector<std::string_view> SplitMotorTableLines(std::string_view content);

// On file contents: the record lines, and every record read into out (at most out.size()); `read` the entries
// filled. 0, or 1 when a record line breaks the grammar (reading ends there).
std::uint16_t CountMotorTableRecords(std::string_view content);
std::uint8_t ReadMotorTableText(std::string_view content, std::uint8_t layout, std::span<MotorTableEntry> out,
                                std::uint16_t* read);

// The file API. Status 0 ok, 1 failure (no file set, file missing or unreadable, a line that breaks the grammar,
// an index beyond the records, a failed write). A rewrite first copies the file to its BAK copy
// (MakeBackupCopy) and then replaces it in one step through a temporary file, so a failure leaves the file as it
// was and, once the rewrite has begun, its BAK copy.
std::uint8_t MotorTableSetFile(std::string_view path);  // 1 for 256 characters or more (the path is then unset)
std::uint8_t MotorTableCount(std::uint16_t* count);
// The name of record n of the file of that layout (path1 for layout 1, else path0), cut to out.size() - 1.
std::uint8_t MotorTableGetName(std::span<char> out, std::string_view path0, std::string_view path1,
                               std::uint8_t layout, std::uint8_t n);
// Every record into out, at most out.size(); `read` the entries filled.
std::uint8_t MotorTableReadRecord(std::span<MotorTableEntry> out, std::uint8_t layout,
                                  std::uint16_t* read = nullptr);
// Adds a copy of a record after the one the selected number n leads to, with the placeholder name and the
// number count + 1; n becomes the new record's number (from 0).
// A database that does not exist yet is created with that record alone, over the layout's template (n := 0).
std::uint8_t MotorTableAddRecord(std::uint16_t* n, std::uint8_t layout = kMotorLayoutAsync);
// Every record line of the file, not capped at the 16 bits of MotorTableCount.
std::uint8_t MotorTableCountAll(std::size_t* count);
// Replaces record n with the motor data held in record 348 of the data set (the database dialogs' working
// copy), the given name and flag 0; the motor number of record n is kept (n + 1 when it cannot be read).
std::uint8_t MotorTableStoreRecord(std::uint16_t n, std::string_view name, std::uint8_t set, std::uint8_t layout);
std::uint8_t MotorTableDeleteRecord(std::uint16_t n);

// The content of a database as a fresh installation ships it: a comment heading, then the built-in motor rows of
// the layout (the current firmware's standard motors 1..29, or the servo motors 61..69) as records numbered from
// 1, each named by its nameplate values in the motor page's units. Uses record 42 of `set` as its scratch.
std::string MotorTableSeedText(std::uint8_t layout, std::uint8_t set);

// Copies the layout's columns of record 348 into record 42 (toSet2 0) or 43 raw, then runs the after-write action
// OnMotorDataTransferred for that record: its status (0 done), or the status of a failed copy.
std::uint8_t MotorRecordToProject(std::uint8_t set, std::uint8_t toSet2, std::uint8_t layout);

}  // namespace model
