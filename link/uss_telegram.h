// The USS telegram: STX, LGE (bytes after it, BCC included), ADR, net data, BCC (XOR of all bytes before it).
// Multi-byte fields travel high byte first.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace ilink {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kBroadcastBit = 0x20;
inline constexpr std::uint8_t kLoginOffset = 0x40;
inline constexpr std::uint16_t kMaxNetData = 244;     // data bytes of one element or piece
inline constexpr std::size_t kTelegramBufferSize = 256;
inline constexpr std::uint8_t kLoginLge = 10;
inline constexpr std::array<std::uint8_t, 8> kLoginPattern = {0, 1, 2, 3, 4, 5, 6, 7};

// XOR of t[0] .. t[LGE] with LGE = t[1]; 0 when the telegram is too short to hold its own BCC.
std::uint8_t ComputeBcc(std::span<const std::uint8_t> telegram);

struct UssBaudStep {
  std::uint32_t baud;
  std::uint16_t char_allowance;   // 10 us steps per character
  std::uint16_t reply_time_base;  // 10 us steps
};
// The step of a baud index; an index above 3 counts as 0.
const UssBaudStep& UssBaudStepOf(std::uint8_t index);
inline constexpr std::uint8_t kUssBaudSteps = 4;

}  // namespace ilink
