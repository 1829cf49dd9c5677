#include "link/uss_telegram.h"

namespace ilink {
namespace {

constexpr std::array<UssBaudStep, kUssBaudSteps> kBaudTable = {{
#define USS_BAUD_ROW(index, baud, allowance, base) {baud, allowance, base},
#include "link/data/uss_baud.def"
#undef USS_BAUD_ROW
}};

}  // namespace

std::uint8_t ComputeBcc(std::span<const std::uint8_t> t) {
  if (t.size() < 2) return 0;
  const std::size_t lge = t[1];
  if (lge + 2 > t.size()) return 0;
  std::uint8_t bcc = 0;
  for (std::size_t i = 0; i <= lge; ++i) bcc ^= t[i];
  return bcc;
}

const UssBaudStep& UssBaudStepOf(std::uint8_t index) { return kBaudTable[index < kUssBaudSteps ? index : 0]; }

}  // namespace ilink
