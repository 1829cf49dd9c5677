// The positioning pages' shared pieces: the menu lists of the posi records, the record browsing bounds, the code
// labels renumbered for the record shown, the positioning unit written into unit labels, and the motor-speed
// note of the posi command page.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/win/win.h"

namespace app {

inline constexpr std::size_t kPosiRecordCount = 32;
// The menu lists of the posi records 1..32 in order.
inline constexpr std::array<std::uint8_t, kPosiRecordCount> kPosiRecordLists = {
    72, 73, 74, 75, 76, 77, 78, 79, 94, 95, 96, 97, 98, 99, 100, 101,
    102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117};
std::span<const std::uint8_t, kPosiRecordCount> PosiRecordLists();
// The list of posi record `index` (0-based); 0 for an index outside 0..31.
std::uint8_t PosiRecordList(int index);
// The highest record index the data set's device offers: 31 for device family 2, else 7.
int PosiRecordMaximum(std::uint8_t set);

// The labels of the posi command page whose code names the record (571..583).
inline constexpr int kFirstCodeLabel = 571;
inline constexpr int kLastCodeLabel = 583;
// Rewrites the code labels for record n (1..32): character 0, the group letter, stays; see the .cpp for the
// digits. Labels the page does not have are passed over.
void RenumberCodeLabels(HWND dialog, int n);

// Writes the first four characters of a label: the text's characters up to its end, the rest of the four
// blanks. A label shorter than four characters is padded with blanks first.
void SetFieldText4(HWND dialog, int id, const char* text);
// The data set's positioning unit into each of the labels.
void WritePositionUnitLabels(HWND dialog, std::span<const int> ids, std::uint8_t set);

// Control 588 of the posi command page.
inline constexpr int kMotorSpeedNoteId = 588;
inline constexpr char kMotorSpeedNote[] = "n-Motor too high! See C01.";
// The note when the speed of posi record `index` (record 320 element 68 + 4 * index, converted) was read and is
// greater than C01 (record 38 element 2, converted); otherwise the control is emptied.
void ShowMotorSpeedNote(HWND dialog, int index, std::uint8_t set);

}  // namespace app
