#include "platform/backend/x11_keys.h"

#include <array>
#include <utility>

#include "platform/gdi/cp1252.h"

namespace platform::backend {
namespace {

constexpr std::array kKeys = {
#define X11_KEY(keysym, vk) std::pair<unsigned long, int>{keysym, vk},
#include "platform/backend/x11_keys.def"
#undef X11_KEY
};
static_assert(kKeys.size() == 43);

}  // namespace

int VirtualKeyOfKeysym(unsigned long keysym) {
  if (keysym >= 'a' && keysym <= 'z') return static_cast<int>(keysym - 'a' + 'A');
  if (keysym >= 'A' && keysym <= 'Z') return static_cast<int>(keysym);
  if (keysym >= '0' && keysym <= '9') return static_cast<int>(keysym);
  for (const auto& [sym, vk] : kKeys)
    if (sym == keysym) return vk;
  return 0;
}

int CharOfKeysym(unsigned long keysym) {
  if (keysym >= 0x20 && keysym <= 0x7E) return static_cast<int>(keysym);
  if (keysym >= 0xA0 && keysym <= 0xFF) return static_cast<int>(keysym);  // Latin-1 keysyms
  if (keysym == 0x20AC) return 0x80;                                       // EuroSign
  if ((keysym & 0xFF000000) == 0x01000000) return gdi::UnicodeToCp1252(static_cast<char32_t>(keysym & 0xFFFFFF));
  return -1;
}

}  // namespace platform::backend
