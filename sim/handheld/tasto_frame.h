// The simulated handheld unit's own telegram codec: requests it sends as the master (STX, LEN, ADR, type,
// parameter, sub-number, data, BCC) and the replies it takes apart. Written apart from the tools' code so that
// a fault in their framing shows up against it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace sim::tasto {

inline constexpr std::uint8_t kStx = 0x02;

// Request types of the unit.
inline constexpr std::uint8_t kConnect = 0;
inline constexpr std::uint8_t kReadFromPc = 4;
inline constexpr std::uint8_t kWriteToPc = 5;
inline constexpr std::uint8_t kReadStatus = 6;
inline constexpr std::uint8_t kWriteTexts = 7;

std::uint8_t Xor(const std::vector<std::uint8_t>& bytes, std::size_t n);

// A request: LEN counts ADR through BCC.
std::vector<std::uint8_t> Request(std::uint8_t type, std::uint16_t parameter, std::uint16_t sub,
                                  const std::vector<std::uint8_t>& data = {});

// A reply taken apart: the status byte and what follows it up to the BCC.
struct Reply {
  std::uint8_t status = 0;
  std::vector<std::uint8_t> data;
  std::vector<std::uint8_t> raw;
};
// A reply frame as it arrived: nullopt when STX, LEN or BCC do not hold.
std::optional<Reply> ParseReply(const std::vector<std::uint8_t>& frame);

}  // namespace sim::tasto
