// The search of the bus: a log-in on every address from 0 up to the highest.
#include <algorithm>
#include <cstdio>
#include <string>

#include "link/link_settings_record.h"
#include "link/bus_search.h"
#include "link/link_status.h"
#include "link/online_state.h"
#include "link/uss_state.h"
#include "link/uss_driver.h"
#include "model/element_access.h"

namespace ilink {
namespace {

constexpr std::size_t kTextLimit = 2000;
constexpr std::uint8_t kHighestSearched = kSearchAddresses - 1;
constexpr std::uint32_t kDefaultReplyWait = 20000;  // 10 us steps
constexpr double kStepsPerMs = 100.0;

template <typename T>
T SettingOr(std::uint16_t element, T fallback) {
  T value{};
  return model::ReadElement(kLinkSettingsRecordNumber, element, &value, model::kModeRaw9, 0) == 0 ? value : fallback;
}

std::uint32_t ReplyWait() { return SettingOr<std::uint32_t>(38, kDefaultReplyWait); }

// One try and one slave's reply wait for each log-in of the search; the link's own afterwards.
class SearchTiming {
 public:
  SearchTiming() : module_(detail::Uss()), tries_(module_.settings.login_tries), limit_(module_.first_byte_limit) {
    module_.settings.login_tries = 1;
    module_.first_byte_limit = ReplyWait();
  }
  ~SearchTiming() {
    module_.settings.login_tries = tries_;
    module_.first_byte_limit = limit_;
  }
  SearchTiming(const SearchTiming&) = delete;
  SearchTiming& operator=(const SearchTiming&) = delete;

 private:
  detail::UssModule& module_;
  std::uint8_t tries_;
  std::uint32_t limit_;
};

}  // namespace

std::uint8_t SearchedAddressCount() {
  const std::uint8_t highest = SettingOr<std::uint8_t>(13, 0);
  return highest == 0 || highest > kHighestSearched ? kSearchAddresses : static_cast<std::uint8_t>(highest + 1);
}

double SearchDurationMs() {
  const double pause = SettingOr<std::uint16_t>(36, 0);
  return SearchedAddressCount() * (ReplyWait() / kStepsPerMs + pause);
}

std::uint8_t SearchInverters(std::uint8_t set, char* text, std::size_t size,
                             std::array<std::uint8_t, kSearchAddresses>* found) {
  std::array<std::uint8_t, kSearchAddresses> addresses;
  addresses.fill(kNotFound);
  std::size_t found_count = 0;
  const std::uint8_t count = SearchedAddressCount();
  if (!detail::Online().connected) ConnectInverter(set);
  detail::NestingScope scope;
  const SearchTiming timing;
  std::string out;
  std::uint8_t code = kOk;
  for (std::uint8_t a = 0; a < count; ++a) {
    if (const auto& cancel = detail::Online().cancel; cancel && cancel()) {
      code = kCancelled;
      break;
    }
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
