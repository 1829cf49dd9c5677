// The result texts of the command-line service mode, as data.
#include "app/service/service_texts.h"

#include <array>
#include <cstddef>

namespace app {
namespace {

constexpr std::array kServiceTexts = {
#define SERVICE_TEXT(name, text) text,
#include "app/data/service_texts.def"
#undef SERVICE_TEXT
};
static_assert(kServiceTexts.size() == static_cast<std::size_t>(ServiceTextId::kCount));

}  // namespace

const char* ServiceText(ServiceTextId id) {
  const auto n = static_cast<std::size_t>(id);
  return n < kServiceTexts.size() ? kServiceTexts[n] : "";
}

}  // namespace app
