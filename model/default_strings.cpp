// DefaultStringTable: the default texts of string elements.
#include "model/data_set.h"

namespace model {
namespace {

constexpr const char* kDefaultStrings[] = {
#define DEFAULT_STRING(index, text) text,
#include "model/data/default_strings.def"
#undef DEFAULT_STRING
};
static_assert(std::size(kDefaultStrings) == kDefaultStringCount);

}  // namespace

const char* DefaultString(std::uint8_t index) {
  return index < kDefaultStringCount ? kDefaultStrings[index] : nullptr;
}

}  // namespace model
