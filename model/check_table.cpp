// CheckTable: the availability checks that a layout row names by its check index.
#include <utility>

#include "model/default_function_tables.h"

namespace model {
namespace {

// Provisional: every element counts as available until the availability checks are written.
std::uint8_t CheckAlwaysAvailable(std::uint16_t, std::uint16_t, std::uint8_t) { return 0; }

template <std::size_t... I>
constexpr CheckTableType FillWith(CheckFunction f, std::index_sequence<I...>) {
  return {((void)I, f)...};
}

}  // namespace

extern const CheckTableType kDefaultCheckTable =
    FillWith(&CheckAlwaysAvailable, std::make_index_sequence<kCheckCount>{});
static_assert(std::tuple_size_v<CheckTableType> == 95);

}  // namespace model
