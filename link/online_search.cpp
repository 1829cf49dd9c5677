// The search of the bus: a log-in on every address from 0 up to the highest.
#include <algorithm>
#include <cstdio>
#include <string>

#include "link/link_settings_record.h"
#include "link/link_status.h"
#include "link/online_state.h"
#include "link/uss_driver.h"
#include "model/element_access.h"

namespace ilink {
namespace {

constexpr std::size_t kTextLimit = 2000;
constexpr std::uint8_t kHighestSearched = kSearchAddresses - 1;

}  // namespace

std::uint8_t SearchInverters(std::uint8_t set, char* text, std::size_t size,
                             std::array<std::uint8_t, kSearchAddresses>* found) {
  std::array<std::uint8_t, kSearchAddresses> addresses;
  addresses.fill(kNotFound);
  std::size_t found_count = 0;
  std::uint8_t highest = 0;
  if (model::ReadElement(kLinkSettingsRecordNumber, 13, &highest, model::kModeRaw9, 0) != 0 ||
      highest > kHighestSearched) {
    highest = kHighestSearched;
  }
  if (!detail::Online().connected) ConnectInverter(set);
  detail::NestingScope scope;
  std::string out;
  std::uint8_t code = kOk;
  for (std::uint8_t a = 0; a <= highest; ++a) {
    UssSlotAt(a).address = a;
    code = UssCommand(3, a);
    char entry[64];
    if (code != kOk) {
      std::snprintf(entry, sizeof entry, "%d: %s %d, ", a, "Not found, Error", code);
    } else {
      std::snprintf(entry, sizeof entry, "%d: %s, ", a, "Found!");
      addresses[found_count++] = a;
    }
    std::string piece = entry;
    piece += (a % 2 == 1) ? "\r\n" : "\t";
    if (out.size() + piece.size() < kTextLimit) out += piece;
  }
  if (text && size > 0) {
    const std::size_t n = std::min(out.size(), size - 1);
    std::copy_n(out.begin(), n, text);
    text[n] = '\0';
  }
  if (found) *found = addresses;
  return code;
}

}  // namespace ilink
