// The command-line service mode: one unattended job before any window exists. It reads the inverter into a
// reverse-documentation file, or sends a file to the inverter (optionally followed by "Save values" there), and
// ends with a result code and, in the reporting window modes, a German result text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace app {

// Result codes, also the exit code.
inline constexpr std::uint32_t kServiceOk = 0;
inline constexpr std::uint32_t kServiceCommandLineError = 1;
inline constexpr std::uint32_t kServiceLinkError = 2;
inline constexpr std::uint32_t kServiceDeviceError = 3;
inline constexpr std::uint32_t kServiceFileWriteError = 4;
inline constexpr std::uint32_t kServiceFileReadError = 5;

// Runs the job that the arguments name (ParseServiceRequest) on data set 0 and the inverter link. text gets the
// result text in the reporting window modes and is emptied in mode none. On return the link is closed and no
// project file is open.
std::uint32_t RunCommandLineService(std::span<const std::string> arguments, std::string* text);

}  // namespace app
