// The telegrams Trevant sends as the master of the unit's protocol, byte for byte, and the test of a reply
// frame (STX, LEN, ADR, status, data, BCC: the XOR of every byte before it).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace trevant {

inline constexpr std::uint8_t kStx = 0x02;

// The probe (type 0 with seven bytes): echoed unchanged by the device.
inline constexpr std::array<std::uint8_t, 12> kProbe = {0x02, 0x0A, 0x40, 0x00, 0x01, 0x02,
                                                        0x03, 0x04, 0x05, 0x06, 0x07, 0x48};
// Start: type 5, parameter 50, sub 35, data 1.
inline constexpr std::array<std::uint8_t, 10> kStart = {0x02, 0x08, 0x00, 0x05, 0x00, 0x32, 0x00, 0x23, 0x01, 0x1F};
// Read display: type 6, parameter 50, sub 0.
inline constexpr std::array<std::uint8_t, 9> kReadDisplay = {0x02, 0x07, 0x00, 0x06, 0x00, 0x32, 0x00, 0x00, 0x31};
// Read job: type 6, parameter 1026, sub 0.
inline constexpr std::array<std::uint8_t, 9> kReadJob = {0x02, 0x07, 0x00, 0x06, 0x04, 0x02, 0x00, 0x00, 0x05};
// Clear job: parameter 1026, sub 0, data 0.
inline constexpr std::array<std::uint8_t, 10> kClearJob = {0x02, 0x08, 0x00, 0x05, 0x04,
                                                           0x02, 0x00, 0x00, 0x00, 0x09};
// Job done: parameter 1026, sub 1, data 2.
inline constexpr std::array<std::uint8_t, 10> kJobDone = {0x02, 0x08, 0x00, 0x05, 0x04, 0x02, 0x00, 0x01, 0x02, 0x0A};
// Apply baud: parameter 13, sub 8, data 1.
inline constexpr std::array<std::uint8_t, 10> kApplyBaud = {0x02, 0x08, 0x00, 0x05, 0x00,
                                                            0x0D, 0x00, 0x08, 0x01, 0x0B};

// Key: type 5, parameter 50, sub 34, the key code (0: none).
std::array<std::uint8_t, 10> KeyTelegram(std::uint8_t key);
// Set baud: parameter 14, sub 8, the baud's code (BaudCode).
std::array<std::uint8_t, 10> SetBaudTelegram(std::uint8_t code);
// The text table: type 7, parameter 1028, seven 17-byte texts "Fehler !   " padded with zeros.
inline constexpr std::size_t kTextTableSize = 128;
std::array<std::uint8_t, kTextTableSize> TextTableTelegram();

// The set-baud code of a baud (4800 0, 9600 1, 19200 2, 38400 3); -1 for any other.
int BaudCode(std::uint32_t baud);

// Reply sizes and fields.
inline constexpr std::size_t kShortReply = 5;    // STX, LEN 3, ADR, status, BCC
inline constexpr std::size_t kStatusReply = 43;  // two 17-byte display lines, LED byte 40, job code 41
inline constexpr std::size_t kJobReply = 15;     // pending flag at byte 4
inline constexpr std::size_t kReplyMax = 257;    // STX, LEN 255 and what it counts
inline constexpr std::size_t kStatusByte = 3;
inline constexpr std::size_t kLine1 = 4;
inline constexpr std::size_t kLine2 = 21;
inline constexpr std::size_t kLedByte = 40;
inline constexpr std::size_t kJobCodeByte = 41;
inline constexpr std::size_t kJobPendingByte = 4;
inline constexpr std::uint8_t kStatusOk = 0;
inline constexpr std::uint8_t kStatusNotServed = 19;

// Whether bytes are one whole reply frame: STX, LEN that counts the rest, status present, BCC right.
bool ReplyIntact(std::span<const std::uint8_t> reply);

}  // namespace trevant
