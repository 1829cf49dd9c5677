// What the binding's fill, store, send and copy share: the rows of a list, the ids and backup bytes of a row,
// the texts of a selection, the reading of typed numbers, the refusal inserts and the controls' texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/binding/dialog_binding.h"
#include "model/descriptor.h"

namespace app::binding {

using model::MenuListEntry;

// A menu list as LoadMenuList gives it: the rows up to (without) the end row.
struct ListRows {
  std::array<MenuListEntry, model::kMenuListBufferEntries> entries{};
  std::size_t count = 0;
  const MenuListEntry& operator[](std::size_t i) const { return entries[i]; }
};
// False when the list does not exist.
bool LoadRows(byte table, byte set, ListRows& rows);

bool IsHeading(const MenuListEntry& row);
// Texts after the name (units or selection texts) up to the list's end.
int ValueTextCount(const MenuListEntry& row);
// Entry i of the text list (0 the name), or "" beyond its end.
const char* TextEntry(const MenuListEntry& row, int i);
int RadioTextCount(const MenuListEntry& row);  // at most 4
int IdsOfRow(const MenuListEntry& row);
std::size_t BackupBytesOfRow(const MenuListEntry& row);

bool IsNumericKind(byte kind);    // 1, 9, 10, 13
bool IsSelectionKind(byte kind);  // 2, 3, 4
bool HoldsValue(byte kind);       // the kinds whose backup is one f64 value

// A page control of kinds 1, 2, 3, 4, 7, 9, 10, 13 is enabled when the element is available and the row's flag is
// set; a kind-14 check box follows the flag alone.
bool RowEnabled(const MenuListEntry& row, byte set);

// A double taken as an integer (truncated, saturated; NaN counts as 0).
long AsInteger(double value);

// The text of a selection value: lower limits of 0 or more give the values 0, 1, 2, ... entries 1, 2, 3, ...;
// a negative lower limit gives the values lower, lower+1, ... those entries. Null when there is none.
const char* SelectionText(const MenuListEntry& row, long value, long lower);
std::string WrongSelectionText(long value);  // "Wrong selection:%d"

// The element's limits in display units (mode 5); 0 or the failing status.
byte ReadLimits(const MenuListEntry& row, byte set, double& lower, double& upper);
// Limits of a kind-4 selection: a failed lower limit counts as 0, a failed upper limit as 3.
void SelectionLimits(const MenuListEntry& row, byte set, long& lower, long& upper);

// A numeric entry read in the form the kind shows it (decimal with ',' or '.' as the point, hexadecimal for
// kind 9, bit digits in groups for kinds 10 and 13); nothing when the whole text is not such a number, when it
// is longer than an entry holds, or when it has a fraction that a kind-1 row without decimals cannot show.
std::optional<double> ParseEntry(std::string_view text, byte kind, byte decimals);
// 0 when the value lies within the element's limits (or they cannot be read), else 4 (above) or 5 (below).
byte CheckLimits(const MenuListEntry& row, byte set, double value);
// The display text of a value for a numeric kind (FormatValue, at most 50 characters).
std::string FormatEntry(double value, byte kind, byte attributes);

// A number row whose value is a list position of process-data codes shows beside it the name of the element the
// position stands for ("2" and "E45 control word"); nullptr for any other row. A page's label for that name
// has the id of the row's edit plus kValueNameIdOffset, and room for kValueNameChars characters.
const char* ValueName(const MenuListEntry& row, double value);
inline constexpr int kValueNameIdOffset = 20000;
inline constexpr int kValueNameChars = 30;
// What a number row shows after its value: the value's name (above), the positioning unit for the shared unit
// texts ("unit/s" as "mm/s"), else the row's unit text.
std::string UnitText(const MenuListEntry& row, double value, byte set);

// printf's "%.6g" in the C locale.
std::string FormatG6(double value);

// Refusal inserts, byte for byte.
std::string RangeInsert(const char* name, double lower, double upper, const char* unit);  // "%s %s (%s: ... %s) "
std::string RangeInsertNoUnit(const char* name, double lower, double upper);              // user lists
std::string CheckboxInsert(const char* name);                                             // "(%s %s)  "
std::string ParameterInsert(const char* name);                                            // "(Parameter %s)  "
std::string BackupInsert(const char* name);                                               // "%s in %s "
std::string WrongInputInsert(const char* name);                                           // "%s %s"

// The whole text of a dialog item (no length limit), and the item's window.
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
void EnableItem(HWND dialog, int id, bool enable);

// A drop-down combo box of the values lower..upper that have a text, each item carrying its value; when the
// value is not among them one more item "Wrong selection:%d" that carries no value. The value's item is selected.
void FillSelectionCombo(HWND combo, const MenuListEntry& row, long value, long lower, long upper);
// The value of the selected item; nothing for no selection or the "Wrong selection" item.
std::optional<long> SelectedComboValue(HWND combo);

// Messages.
void InternalError(HWND owner, std::int32_t number);          // MessageBoxByNumber(owner, 3, 13, number)
void ShowStatus(byte status);                                  // ShowMessage(3, 12, status)
void ShowRefusal(byte status, const std::string& insert);      // ShowMessage(3, 12, status, insert)

// The online write in use.
byte WriteOnline(byte set, std::uint16_t record, std::uint16_t element);
// Writes one parameter online under the wait cursor: 0, or 1 after message (3, 2, 27) for record 320 or
// (3, 1, status) for a failed write.
byte SendParameter(byte set, std::uint16_t record, std::uint16_t element);

// Reads a string element (mode 5) into a zero-filled buffer of kStringBackupBytes.
using StringBuffer = std::array<char, kStringBackupBytes>;
byte ReadString(std::uint16_t record, std::uint16_t element, byte set, StringBuffer& out);
// Reads a number element in display units (mode 5); 12 for an element that holds no number.
byte ReadValue(std::uint16_t record, std::uint16_t element, double* out, byte set);
// The size of an element in bytes (0 when it does not exist).
std::uint16_t ElementSize(std::uint16_t record, std::uint16_t element);

}  // namespace app::binding
