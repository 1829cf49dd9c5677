// Telegram helpers of the simulator tests: a framed telegram and the bytes of the replies.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/inverter_bus.h"

namespace sim_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Frame(std::uint8_t adr, const Bytes& net) {
  Bytes t;
  t.reserve(net.size() + 4);
  t.push_back(0x02);
  t.push_back(static_cast<std::uint8_t>(net.size() + 2));
  t.push_back(adr);
  t.insert(t.end(), net.begin(), net.end());
  std::uint8_t bcc = 0;
  for (std::uint8_t b : t) bcc ^= b;
  t.push_back(bcc);
  return t;
}

inline Bytes One(const std::vector<sim::Outgoing>& out) {
  Bytes all;
  for (const auto& o : out) all.insert(all.end(), o.bytes.begin(), o.bytes.end());
  return all;
}

}  // namespace sim_test
