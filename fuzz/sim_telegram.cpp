// Fuzz target: the inverter simulator's telegram input. Byte 0: bit 0 framed mode, where the rest is a list of
// net data pieces (a length byte, then the address and net data) that the harness frames with a correct BCC,
// so that the requests reach the devices' services; otherwise the rest goes to the line as it is, cut into
// chunks. Every reply is a whole telegram: start byte, length, a served address, the right BCC.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <span>
#include <vector>

#include "sim/inverter_bus.h"

namespace {

constexpr std::uint8_t kStx = 0x02;

std::vector<std::uint8_t> Frame(std::span<const std::uint8_t> address_and_net) {
  std::vector<std::uint8_t> t{kStx, static_cast<std::uint8_t>(address_and_net.size() + 1)};
  t.insert(t.end(), address_and_net.begin(), address_and_net.end());
  std::uint8_t bcc = 0;
  for (std::uint8_t b : t) bcc ^= b;
  t.push_back(bcc);
  return t;
}

void CheckReplies(const std::vector<sim::Outgoing>& out) {
  std::vector<std::uint8_t> line;
  for (const auto& o : out) line.insert(line.end(), o.bytes.begin(), o.bytes.end());
  std::size_t at = 0;
  while (at < line.size()) {
    if (line[at] != kStx || at + 2 > line.size()) __builtin_trap();
    const std::size_t length = std::size_t{line[at + 1]} + 2;
    if (length < 4 || at + length > line.size()) __builtin_trap();
    std::uint8_t bcc = 0;
    for (std::size_t i = at; i + 1 < at + length; ++i) bcc ^= line[i];
    if (bcc != line[at + length - 1] || (line[at + 2] & 0x1F) > 1) __builtin_trap();
    at += length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  sim::InverterBus bus({0, 1});
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  if (data[0] & 1) {
    for (std::size_t at = 0; at < rest.size();) {
      const std::size_t n = std::min<std::size_t>({rest[at], std::size_t{250}, rest.size() - at - 1});
      if (n == 0) {
        ++at;
        continue;
      }
      CheckReplies(bus.Feed(Frame(rest.subspan(at + 1, n))));
      at += n + 1;
    }
  } else {
    const std::size_t chunk = (data[0] >> 1) + 1;
    for (std::size_t at = 0; at < rest.size(); at += chunk) {
      CheckReplies(bus.Feed(rest.subspan(at, std::min(chunk, rest.size() - at))));
    }
  }
  return 0;
}
