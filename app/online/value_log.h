// The value log: while monitor windows are polled, the values of their menu lists are logged as tab-separated
// lines into a text file (or printed), timed by an interval or entry by entry. Its state is its own, apart from
// the printed documentation, so a poll during a printout does not disturb it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace app {

// Modes of a call.
inline constexpr std::uint8_t kValueLogCyclic = 0;  // each poll: the next timed entry when its interval is over
inline constexpr std::uint8_t kValueLogEntry = 1;   // one entry now (a log is started when none runs)
inline constexpr std::uint8_t kValueLogStart = 2;   // a new log: file head, heading line and entry 1

// Results.
inline constexpr std::uint8_t kValueLogWritten = 0;
inline constexpr std::uint8_t kValueLogNothing = 1;  // nothing was due
inline constexpr std::uint8_t kValueLogFailed = 2;   // the file or the printer refused the lines
inline constexpr std::uint8_t kValueLogStopped = 3;  // the maximum number of entries was reached: the log ended

// Log modes (record 305 element 56).
inline constexpr std::uint8_t kLogModeOff = 0;
inline constexpr std::uint8_t kLogModeTimed = 1;

// The file used when the setting "Fb-proto-file name" (record 305 element 62) is empty.
inline constexpr char kValueLogFileName[] = "PROTOKOLL.TXT";
// The menu list whose rows head the file (user, file, system, time and comment of the protocol).
inline constexpr std::uint8_t kValueLogHeadList = 54;

// One call of the monitors' poll. `kinds` are the kind bytes of the online slots (1 drive, 2 control
// interface, 3 additional process data, 4 positioning, 5 fieldbus, 0 none); the values of `set` are logged.
// The settings (record 305 elements 56, 57, 58, 60, 62) are read from the settings data set 0.
std::uint8_t WriteValueLog(std::uint8_t mode, std::uint8_t set, std::span<const std::uint8_t> kinds);

// The file a new log goes to, whole (the setting's name, bare names beside the active project file); empty when
// it goes to the printer.
std::string ValueLogTarget();
bool ValueLogRunning();
int ValueLogEntryNumber();
// The path of the running log's file (empty when it goes to the printer or none runs).
std::string ValueLogPath();
// Forgets the log (a test, or a new start).
void ResetValueLog();

}  // namespace app
