// The driver settings from the link settings record (305) of a data set.
#include <cstdint>

#include "link/link_status.h"
#include "link/uss_driver.h"
#include "model/element_access.h"

namespace ilink {
namespace {

constexpr std::uint16_t kLinkSettingsRecord = 305;

template <typename T>
bool Take(std::uint16_t element, T* value, std::uint8_t set) {
  return model::ReadElement(kLinkSettingsRecord, element, value, model::kModeRaw9, set) == 0;
}

}  // namespace

std::uint8_t LoadUssDriverSettings(std::uint8_t set) {
  std::uint8_t port = 0, baud = 0, tries = 0, highest = 0, spare_byte = 0;
  std::uint16_t spare_word = 0, pause = 0;
  std::uint32_t reply_wait = 0;
  const bool ok = Take(0, &port, set) && Take(28, &baud, set) && Take(30, &tries, set) &&
                  Take(34, &spare_word, set) && Take(36, &pause, set) && Take(38, &reply_wait, set) &&
                  Take(13, &highest, set) && Take(27, &spare_byte, set);
  if (!ok) return kSoftwareError;
  SetUssDriverSettings(port, baud, tries, spare_word, pause, reply_wait, highest, spare_byte);
  return kOk;
}

}  // namespace ilink
