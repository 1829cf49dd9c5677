#include "app/drawing/instrument_math.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace app::instrument {
namespace {

std::string PadLeft(std::string text, int width) {
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

// printf spells infinities and NaNs in lower case; to_chars does too, without a sign for NaN.
std::string NotFinite(double v) {
  if (std::isnan(v)) return "nan";
  return v < 0 ? "-inf" : "inf";
}

}  // namespace

bool UsableRange(double minimum, double maximum) {
  return std::isfinite(minimum) && std::isfinite(maximum) && maximum > minimum && std::isfinite(maximum - minimum);
}

int RoundToCoord(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

std::string FormatFixed(double v, int width, int precision) {
  if (!std::isfinite(v)) return PadLeft(NotFinite(v), width);
  std::array<char, 400> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::fixed, precision);
  return PadLeft(std::string(buffer.data(), result.ptr), width);
}

std::string FormatGeneral(double v, int precision) {
  if (!std::isfinite(v)) return NotFinite(v);
  std::array<char, 64> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::general, precision);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace app::instrument
