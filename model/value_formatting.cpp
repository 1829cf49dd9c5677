#include "model/value_formatting.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "model/bits_text.h"
#include "model/round_value.h"
#include "model/saturating_cast.h"

namespace model {

namespace {

// Work buffer: large enough for any double in fixed notation with three places (309 digits, sign, point).
using WorkBuffer = std::array<char, 352>;

template <typename T>
bool PutInteger(T value, WorkBuffer& work) {
  const auto result = std::to_chars(work.data(), work.data() + work.size() - 1, value);
  if (result.ec != std::errc()) return false;
  *result.ptr = '\0';
  return true;
}

bool PutHex(std::uint32_t value, WorkBuffer& work) {
  const auto result = std::to_chars(work.data(), work.data() + work.size() - 1, value, 16);
  if (result.ec != std::errc()) return false;
  *result.ptr = '\0';
  for (char* p = work.data(); p != result.ptr; ++p) {
    if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
  }
  return true;
}

// Fixed notation with `places` digits after the point; std::to_chars never consults the locale.
bool PutFixed(double value, int places, WorkBuffer& work) {
  const auto result =
      std::to_chars(work.data(), work.data() + work.size() - 1, value, std::chars_format::fixed, places);
  if (result.ec != std::errc()) return false;
  *result.ptr = '\0';
  return true;
}

}  // namespace

std::uint8_t FormatValue(double value, std::uint8_t kind, std::uint8_t decimals, char* out, std::int16_t size) {
  if (out == nullptr || size < 1) return 1;
  WorkBuffer work{};
  bool written = false;
  switch (kind) {
    case kDisplayDecimal:
      if (decimals == 0) {
        // Truncated, not rounded: the converters have rounded already.
        written = value < 0.0 ? PutInteger(SaturatingToInt32(value), work)
                              : PutInteger(SaturatingToUint32(value), work);
      } else {
        const int places = (decimals == 1 || decimals == 2) ? decimals : 3;
        written = PutFixed(RoundToPlaces(value, static_cast<std::uint8_t>(places)), places, work);
      }
      break;
    case kDisplayHex:
      // The low 16 bits as an unsigned number: 0..FFFF, never a sign-extended eight-digit pattern.
      written = PutHex(TruncateToBits32(value) & 0xFFFFu, work);
      break;
    case kDisplayBits16:
      BitsToText16(static_cast<std::uint16_t>(TruncateToBits32(value) & 0xFFFFu), work.data(),
                   static_cast<std::int16_t>(work.size()));
      written = true;
      break;
    case kDisplayBits32:
      BitsToText32(TruncateToBits32(value), work.data(), static_cast<std::int16_t>(work.size()));
      written = true;
      break;
    default:
      return 1;
  }
  if (!written) return 1;
  const std::size_t limit = static_cast<std::size_t>(size) - 1;
  const std::size_t length = std::min(std::strlen(work.data()), limit);
  std::memcpy(out, work.data(), length);
  out[length] = '\0';
  return 0;
}

}  // namespace model
