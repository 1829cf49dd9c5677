// The developer page's direct access to the inverter's memory: read an array of words, write one word, and the
// special action that hands the serial line to the inverter's debugger.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr int kDevAddressEdit = 1077;
inline constexpr int kDevLengthEdit = 1078;
inline constexpr int kDevDumpField = 1079;
inline constexpr int kDevValueEdit = 1080;
inline constexpr int kDevReadButton = 5;
inline constexpr int kDevActionButton = 6;
inline constexpr int kDevWriteButton = 7;
inline constexpr std::uint32_t kDevMaximumLength = 32;  // bytes of one read

// Address 0, length 4, write value 0 and the dump " - ".
void InitDeveloperFields(HWND dialog);
// "read array": reads the words that hold `length` bytes from the address (hexadecimal fields) and shows them
// as hexadecimal byte groups. Link errors show message (3, 1, code) and leave the fields as they were.
void DeveloperReadArray(HWND dialog);
// "write byte": writes the value (a 32-bit word) to the address, then reads as "read array" does.
void DeveloperWriteWord(HWND dialog);
// "QWM:USS->Debugger": runs the inverter's action 8 with the hourglass shown; its error shows (3, 11, code).
void DeveloperSpecialAction(HWND dialog);

// A field's text read as hexadecimal (blanks around it allowed); 0 when it is no hexadecimal number.
std::uint32_t ParseHexField(const char* text);

}  // namespace app
