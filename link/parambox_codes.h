// Result codes of the parameter-box link: text numbers of message group 3 ("Fault Quellox:") and, for the head
// checks, of group 4 ("Warning Quellox:").
#pragma once

#include <cstdint>

namespace ilink {

// Group 3.
inline constexpr std::uint8_t kBoxOk = 0;
inline constexpr std::uint8_t kBoxWrongPort = 1;
inline constexpr std::uint8_t kBoxWrongTimings = 2;
inline constexpr std::uint8_t kBoxNotFound = 3;
inline constexpr std::uint8_t kBoxNoAnswer = 4;
inline constexpr std::uint8_t kBoxNotFoundHere = 5;
inline constexpr std::uint8_t kBoxReadError = 10;
inline constexpr std::uint8_t kBoxWriteError = 11;
inline constexpr std::uint8_t kBoxUndefinedFormat = 12;
inline constexpr std::uint8_t kBoxInvalidData = 13;
inline constexpr std::uint8_t kBoxDisconnected = 14;
inline constexpr std::uint8_t kBoxDataSetError = 15;
inline constexpr std::uint8_t kBoxListTooLarge = 16;
inline constexpr std::uint8_t kBoxUnknownVersion = 18;
inline constexpr std::uint8_t kBoxFormattedCurrent = 19;  // current format, old version to write
inline constexpr std::uint8_t kBoxFormattedOld = 20;      // old format, current version to write
inline constexpr std::uint8_t kBoxCannotFormatOld = 21;
inline constexpr std::uint8_t kBoxCannotFormatCurrent = 22;
inline constexpr std::uint8_t kBoxFamilyNotServed = 24;

// Group 4, before writing the box (head check mode 0).
inline constexpr std::uint8_t kBoxWarnNone = 0;
inline constexpr std::uint8_t kBoxWarnDataSet = 1;
inline constexpr std::uint8_t kBoxWarnOldFormat = 2;
inline constexpr std::uint8_t kBoxWarnWrittenByTool = 3;
inline constexpr std::uint8_t kBoxWarnInvalid = 4;
inline constexpr std::uint8_t kBoxWarnUnknownDevice = 5;
inline constexpr std::uint8_t kBoxWarnOtherType = 6;
inline constexpr std::uint8_t kBoxWarnOptionsDiffer = 7;
inline constexpr std::uint8_t kBoxWarnOlderVersion = 8;
inline constexpr std::uint8_t kBoxWarnNewerVersion = 9;
inline constexpr std::uint8_t kBoxWarnNoPositioning = 10;
// Group 4, before reading the box into a data set (mode 1) and for re-formatting (mode 2).
inline constexpr std::uint8_t kBoxWarnReadOldFormat = 12;
inline constexpr std::uint8_t kBoxWarnReadInvalid = 13;
inline constexpr std::uint8_t kBoxWarnReadUnknownFamily = 14;
inline constexpr std::uint8_t kBoxWarnReadUnknownType = 15;
inline constexpr std::uint8_t kBoxWarnReadOlder = 16;
inline constexpr std::uint8_t kBoxWarnReadNewer = 17;
inline constexpr std::uint8_t kBoxWarnAlreadyOld = 18;
inline constexpr std::uint8_t kBoxWarnPositioningModule = 19;

}  // namespace ilink
