// The steps of the transfer modes, run by the transfer dialog: each returns the transfer's outcome, 0 when it
// succeeded, else the code that ended it (shown to the user before it returns).
#pragma once

#include <cstdint>

namespace app::transfer {

inline constexpr std::uint8_t kOutcomeDone = 0;
inline constexpr std::uint8_t kOutcomeDriveEnabled = 15;  // the drive stayed enabled: nothing was sent
inline constexpr std::uint8_t kOutcomeCancelled = 0xFE;   // the user's Cancel
inline constexpr std::uint8_t kOutcomeRefused = 0xFF;     // a fault or a "no" without a code of its own

// Message groups of the faults and questions.
inline constexpr std::int8_t kLinkGroup = 1;
inline constexpr std::int8_t kDeviceGroup = 2;
inline constexpr std::int8_t kBoxFaultGroup = 3;
inline constexpr std::int8_t kBoxWarningGroup = 4;
inline constexpr std::int8_t kFaultGroup = 9;
inline constexpr std::int8_t kConversionGroup = 11;

std::uint8_t ReadBox(std::uint8_t set);
std::uint8_t WriteBox(std::uint8_t set);
std::uint8_t ReadInverter(std::uint8_t set);
std::uint8_t SendInverter(std::uint8_t set);
std::uint8_t ReadScope(std::uint8_t set);

// Shows fault `code` of the group; returns the code as outcome (kOutcomeRefused for 0). A link's kCancelled is
// the user's Cancel: shown as the interruption of the link, outcome kOutcomeCancelled.
std::uint8_t Report(std::int8_t group, std::uint8_t code);
// Asks question `number` of the group: true for Yes.
bool Ask(std::int8_t group, std::uint8_t number);
// Whether the user asked the running transfer to stop (the dialog's Cancel).
bool CancelRequested();
// The user's Cancel reported: the interruption message, or for a mode that writes the device that nothing was
// written; outcome kOutcomeCancelled.
std::uint8_t ReportCancelled();
// The mode of the running transfer (kTransferReadBox ...).
std::uint8_t RunningMode();
// The first write to the device is next: from here on Cancel is greyed and ignored, so that the device is never
// left half-written. False (nothing begun) when the user has already asked to cancel.
bool BeginDeviceWrite();
// Writes the current or the default value of an element of record 15 into an element of record 317
// in the access mode given: the date and user of a reading become its comment date and first comment.
void CopyCommentElement(std::uint16_t from, std::uint16_t to, bool default_value, std::uint8_t write_mode,
                        std::uint8_t set);
// Converts the set into the file kind without a question (the data were just read for it) and refreshes the
// menus: 0, or the conversion fault shown (its outcome).
std::uint8_t TakeFileKind(std::uint16_t kind, std::uint8_t set);
// Brings a read set into the current layout and, unless told not to, rebuilds its derived elements: 0, or the
// fault shown (its outcome).
std::uint8_t UpgradeReadSet(std::uint8_t set, bool rebuild);

}  // namespace app::transfer
