// The external motor databases on the motor page: the table file beside the program ("mottab.txt", or
// "esmottab.txt" for family 2), its rows held while a database dialog is open, and the two database dialogs
// that browse, edit, add, delete, rename and write rows and take one row over into the project's motor record.
// A dialog shows its current row through record 348 of the active data set (the rows' working copy); the table
// file is written only by Add, Delete, "Write values in database" and a rename.
#pragma once

#include <cstdint>
#include <span>

#include "model/motor_table.h"
#include "platform/win/win.h"

namespace app {

enum class MotorDatabaseKind : std::uint8_t { kMotor, kServo };
inline constexpr std::size_t kMotorDatabaseKinds = 2;

// What tells the two dialogs apart.
struct MotorDatabaseDialog {
  int template_number;
  int first;  // bound controls first..last-1
  int last;
  std::uint8_t list;
  int name_combo;
  int row_edit;    // current row + 1
  int count_edit;  // rows in the table
  int previous;    // "&<"
  int next;        // "&>"
  int help_low;
  int help_high;
  std::uint8_t layout;  // the table file's layout flag
};
const MotorDatabaseDialog& MotorDatabaseOf(MotorDatabaseKind kind);
// The kind a device family uses: the servo database for family 2, the motor database for any other.
MotorDatabaseKind MotorDatabaseOfFamily(std::uint8_t family);

inline constexpr int kWriteDatabaseButton = 6;
inline constexpr int kDeleteRowButton = 3;
inline constexpr int kAddRowButton = 4;

// Catalogue numbers (group 13) of the database messages.
inline constexpr std::int32_t kMsgMotorTableDamaged = 34;
inline constexpr std::int32_t kMsgDeleteMotorRow = 35;
inline constexpr std::int32_t kMsgMotorRowProtected = 36;

// The table file of a family beside the executable into out: 0, or 1 when size is below 260 or the path does
// not fit.
inline constexpr int kMotorTablePathSize = 260;
std::uint8_t GetMotorTablePath(char* out, int size, std::uint8_t family);

// The rows of the table file set with MotorTableSetFile: counts and reads them into the buffer of `kind`, which
// holds count + 5 zeroed rows. 0, or the catalogue number of the message that belongs to the failure (34 the
// file, 16 the memory); the buffer then holds what could be read.
std::int32_t LoadMotorDatabase(MotorDatabaseKind kind);
void FreeMotorDatabase(MotorDatabaseKind kind);
// The record lines of the file beyond the 65535 that the count and the buffer hold (0 for a shorter file).
std::size_t MotorDatabaseLeftOut(MotorDatabaseKind kind);
// The rows read (count of them).
std::span<const model::MotorTableEntry> MotorDatabaseRows(MotorDatabaseKind kind);
// Row `index` of the buffer (the spare rows included); null beyond it.
model::MotorTableEntry* MotorDatabaseRow(MotorDatabaseKind kind, std::size_t index);

// The openers, modal on the main window: for families other than 2 (the motor database) and for family 2 (the
// servo database); the other families' call returns 0 at once. 1 when the dialog ran.
INT_PTR OpenMotorDatabaseDialog();
INT_PTR OpenServoMotorDatabaseDialog();
// The open dialog of a kind; null while it is closed.
HWND MotorDatabaseWindow(MotorDatabaseKind kind);

// The external motor number (record 15 element 2, raw): 0 none, n row n - 1 of the table taken over.
inline constexpr std::uint16_t kProjectRecord = 15;
inline constexpr std::uint16_t kExternalMotorElement = 2;
std::uint8_t ReadExternalMotorNumber(std::uint8_t set);
void WriteExternalMotorNumber(std::uint8_t set, std::uint8_t number);

}  // namespace app
