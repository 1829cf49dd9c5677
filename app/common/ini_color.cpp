// Reading colours from the settings file.
#include "app/common/ini_color.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "model/settings_ini.h"
#include "platform/sys/private_profile.h"

namespace app {
namespace {

constexpr int kColorTextCapacity = 88;

DWORD ComponentAfter(const char* text, char letter) {
  const char* at = std::strchr(text, letter);
  if (at == nullptr) return 0;
  const long value = std::strtol(at + 1, nullptr, 10);
  return static_cast<DWORD>(std::clamp(value, 0L, 255L));
}

}  // namespace

COLORREF ParseIniColor(const char* text) {
  return (ComponentAfter(text, 'b') << 16) | (ComponentAfter(text, 'g') << 8) | ComponentAfter(text, 'r');
}

COLORREF ReadIniColor(const char* section, const char* key, COLORREF fallback) {
  std::array<char, 1025> path{};
  if (model::GetSettingsIniPath(path.data(), static_cast<std::uint32_t>(path.size())) != 0) return fallback;
  std::array<char, kColorTextCapacity> text{};
  GetPrivateProfileStringA(section, key, "", text.data(), kColorTextCapacity, path.data());
  if (text[0] == '\0') return fallback;
  return ParseIniColor(text.data());
}

}  // namespace app
