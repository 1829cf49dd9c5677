// ActionTable: the after-write actions that a layout row names by its action index.
#include <utility>

#include "model/default_function_tables.h"

namespace model {
namespace {

// Provisional: no element drives another until the after-write actions are written.
std::uint8_t ActionNone(std::uint16_t, std::uint16_t, std::uint8_t) { return 0; }

template <std::size_t... I>
constexpr ActionTableType FillWith(ActionFunction f, std::index_sequence<I...>) {
  return {((void)I, f)...};
}

}  // namespace

extern const ActionTableType kDefaultActionTable =
    FillWith(&ActionNone, std::make_index_sequence<kActionCount>{});
static_assert(std::tuple_size_v<ActionTableType> == 16);

}  // namespace model
