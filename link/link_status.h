// Status codes of the serial driver and the USS layer: text numbers of message group 1 of the catalogue.
#pragma once

#include <cstdint>

namespace ilink {

inline constexpr std::uint8_t kOk = 0;
inline constexpr std::uint8_t kParityError = 2;
inline constexpr std::uint8_t kFramingError = 3;
inline constexpr std::uint8_t kOverrun = 4;
inline constexpr std::uint8_t kNoStx = 5;
inline constexpr std::uint8_t kTooManyBytes = 7;
inline constexpr std::uint8_t kBadBcc = 8;
inline constexpr std::uint8_t kReplyIncomplete = 9;
inline constexpr std::uint8_t kBreak = 10;
inline constexpr std::uint8_t kEcho = 11;
inline constexpr std::uint8_t kNoReply = 12;
inline constexpr std::uint8_t kWrongSlave = 13;
inline constexpr std::uint8_t kSoftwareError = 14;
inline constexpr std::uint8_t kBadMirror = 15;
inline constexpr std::uint8_t kNoAddress = 16;
inline constexpr std::uint8_t kNotLoggedIn = 17;
inline constexpr std::uint8_t kInverterFirst = 18;  // 18..27: the inverter's own status byte
inline constexpr std::uint8_t kInverterReserve = 27;
inline constexpr std::uint8_t kTooMuchData = 28;
inline constexpr std::uint8_t kPortUnavailable = 33;
inline constexpr std::uint8_t kNotOpened = 35;
inline constexpr std::uint8_t kAlreadyOpen = 36;
inline constexpr std::uint8_t kSettingsUnreadable = 37;
inline constexpr std::uint8_t kSettingsUnwritable = 38;
inline constexpr std::uint8_t kErrorAfterOpen = 40;
inline constexpr std::uint8_t kLineErrorBeforeSend = 42;
inline constexpr std::uint8_t kTransmitBusy = 43;
inline constexpr std::uint8_t kSendIncomplete = 44;
inline constexpr std::uint8_t kLinkNotOpen = 45;
// A list transfer stopped because its caller asked it to (no text of its own: the caller says what it stopped).
inline constexpr std::uint8_t kCancelled = 46;

}  // namespace ilink
