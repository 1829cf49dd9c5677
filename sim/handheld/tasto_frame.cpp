#include "sim/handheld/tasto_frame.h"

#include <algorithm>

namespace sim::tasto {

std::uint8_t Xor(const std::vector<std::uint8_t>& bytes, std::size_t n) {
  std::uint8_t x = 0;
  for (std::size_t i = 0; i < n && i < bytes.size(); ++i) x ^= bytes[i];
  return x;
}

std::vector<std::uint8_t> Request(std::uint8_t type, std::uint16_t parameter, std::uint16_t sub,
                                  const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> t(data.size() + 9, 0);
  t[0] = kStx;
  t[1] = static_cast<std::uint8_t>(data.size() + 7);
  t[3] = type;
  t[4] = static_cast<std::uint8_t>(parameter >> 8);
  t[5] = static_cast<std::uint8_t>(parameter & 0xFF);
  t[6] = static_cast<std::uint8_t>(sub >> 8);
  t[7] = static_cast<std::uint8_t>(sub & 0xFF);
  std::copy(data.begin(), data.end(), t.begin() + 8);
  t.back() = Xor(t, t.size() - 1);
  return t;
}

std::optional<Reply> ParseReply(const std::vector<std::uint8_t>& frame) {
  if (frame.size() < 5 || frame[0] != kStx || frame[1] + 2u != frame.size()) return std::nullopt;
  if (Xor(frame, frame.size()) != 0) return std::nullopt;
  Reply r;
  r.status = frame[3];
  r.data.assign(frame.begin() + 4, frame.end() - 1);
  r.raw = frame;
  return r;
}

}  // namespace sim::tasto
