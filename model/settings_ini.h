// The program's settings: elements of data set 0 described by the settings menu lists, kept in an INI file
// beside the program. Sections are the lists' heading texts, keys the descriptors' names.
#pragma once

#include <array>
#include <cstdint>

#include "platform/sys/wintypes.h"

namespace model {

// The settings lists in load order; the last one (60) is read but never saved.
inline constexpr std::array<std::uint8_t, 7> kSettingsListNumbers = {56, 57, 58, 2, 55, 59, 60};
inline constexpr std::uint8_t kReadOnlySettingsList = 60;

// Status codes (message group 13 texts 2 and 3 tell the user about 2/3).
inline constexpr std::uint8_t kSettingsDone = 0;
inline constexpr std::uint8_t kSettingsNoPath = 2;
inline constexpr std::uint8_t kSettingsFault = 3;

// Builds the settings path of the running program: its executable path with the extension replaced by
// "ini" (appended when it has none). 0, or 2 when the executable path cannot be read.
std::uint8_t MakeSettingsIniPath(HINSTANCE module);
// The path built last: 0 with at most size - 1 characters and a terminator, or 1 when none was built.
std::uint8_t GetSettingsIniPath(char* out, std::uint32_t size);

// Loads every setting from the INI file into data set 0 (raw). A missing file, section or key gives the
// element's factory default; a value that does not fit its element or that the element's range check refuses
// gives the default too; a selection text that matches no text keeps the element's value.
// 0; 2 without a settings path; 3 when an element cannot be read, defaulted or stored.
std::uint8_t LoadSettingsIni(HINSTANCE module);
// Saves the settings of every list but the last one. Other sections and keys of the file stay as they were;
// the file is replaced in one step. 0; 2 without a settings path; 3 when a value cannot be read or the file
// cannot be read or written (the old file is then unchanged).
std::uint8_t SaveSettingsIni(HINSTANCE module);

}  // namespace model
