#include "model/bits_text.h"

namespace model {

namespace {

// Writes the low `bits` bits of value, a blank after every group of four except (when trailing_blank is
// false) after the last; returns the number of characters written.
int WriteBitGroups(std::uint32_t value, int bits, bool trailing_blank, char* out) {
  int n = 0;
  for (int bit = bits - 1; bit >= 0; --bit) {
    out[n++] = ((value >> bit) & 1u) ? '1' : '0';
    if (bit % 4 == 0 && (bit != 0 || trailing_blank)) out[n++] = ' ';
  }
  out[n] = '\0';
  return n;
}

}  // namespace

void BitsToText16(std::uint16_t value, char* out, std::int16_t size) {
  if (out == nullptr || size < 20) return;
  WriteBitGroups(value, 16, false, out);
}

void BitsToText32(std::uint32_t value, char* out, std::int16_t size) {
  // 40 characters and the terminator need 41 bytes.
  if (out == nullptr || size < 41) return;
  WriteBitGroups(value, 32, true, out);
}

}  // namespace model
