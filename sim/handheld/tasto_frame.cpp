#include "sim/handheld/tasto_frame.h"

namespace sim::tasto {

std::uint8_t Xor(const std::vector<std::uint8_t>& bytes, std::size_t n) {
  std::uint8_t x = 0;
  for (std::size_t i = 0; i < n && i < bytes.size(); ++i) x ^= bytes[i];
  return x;
}

std::vector<std::uint8_t> Request(std::uint8_t type, std::uint16_t parameter, std::uint16_t sub,
                                  const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> t = {kStx,
                                 static_cast<std::uint8_t>(data.size() + 7),
                                 0,
                                 type,
                                 static_cast<std::uint8_t>(parameter >> 8),
                                 static_cast<std::uint8_t>(parameter & 0xFF),
                                 static_cast<std::uint8_t>(sub >> 8),
                                 static_cast<std::uint8_t>(sub & 0xFF)};
  t.insert(t.end(), data.begin(), data.end());
  t.push_back(Xor(t, t.size()));
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
