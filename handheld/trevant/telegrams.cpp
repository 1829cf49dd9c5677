#include "handheld/trevant/telegrams.h"

#include <algorithm>
#include <string_view>

namespace trevant {

namespace {

constexpr std::size_t kTextCount = 7;
constexpr std::size_t kTextLength = 17;
constexpr std::string_view kTableText = "Fehler !   ";
constexpr std::uint32_t kBaudOfCode[] = {4800, 9600, 19200, 38400};

template <std::size_t N>
std::array<std::uint8_t, N> WithBcc(std::array<std::uint8_t, N> t) {
  std::uint8_t x = 0;
  for (std::size_t i = 0; i + 1 < N; ++i) x ^= t[i];
  t[N - 1] = x;
  return t;
}

}  // namespace

std::array<std::uint8_t, 10> KeyTelegram(std::uint8_t key) {
  return WithBcc<10>({0x02, 0x08, 0x00, 0x05, 0x00, 0x32, 0x00, 0x22, key, 0});
}

std::array<std::uint8_t, 10> SetBaudTelegram(std::uint8_t code) {
  return WithBcc<10>({0x02, 0x08, 0x00, 0x05, 0x00, 0x0E, 0x00, 0x08, code, 0});
}

std::array<std::uint8_t, kTextTableSize> TextTableTelegram() {
  std::array<std::uint8_t, kTextTableSize> t{};
  const std::uint8_t head[] = {kStx, kTextTableSize - 2, 0x00, 0x07, 0x04, 0x04, 0x00, 0x00};
  std::copy(std::begin(head), std::end(head), t.begin());
  for (std::size_t n = 0; n < kTextCount; ++n) {
    std::copy(kTableText.begin(), kTableText.end(), t.begin() + std::size(head) + n * kTextLength);
  }
  return WithBcc(t);
}

int BaudCode(std::uint32_t baud) {
  const auto* at = std::find(std::begin(kBaudOfCode), std::end(kBaudOfCode), baud);
  return at == std::end(kBaudOfCode) ? -1 : static_cast<int>(at - std::begin(kBaudOfCode));
}

bool ReplyIntact(std::span<const std::uint8_t> reply) {
  if (reply.size() < kShortReply || reply[0] != kStx || reply[1] + 2u != reply.size()) return false;
  std::uint8_t x = 0;
  for (const std::uint8_t b : reply) x ^= b;
  return x == 0;
}

}  // namespace trevant
