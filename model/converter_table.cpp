// ConverterTable: the value converters that a descriptor names by its converter index.
#include <utility>

#include "model/default_function_tables.h"

namespace model {
namespace {

// PLACEHOLDER, not the physical converter: hands the value through unchanged in both directions, whatever the
// parameter, type and decimals. Every entry uses it until the real converters are written.
std::uint8_t ConvertPassThrough(const double* in, double* out, double, std::uint8_t, std::uint8_t, std::uint8_t,
                                std::uint8_t, std::uint16_t) {
  *out = *in;
  return 0;
}

template <std::size_t... I>
constexpr ConverterTableType FillWith(ConverterFunction f, std::index_sequence<I...>) {
  return {((void)I, f)...};
}

}  // namespace

extern const ConverterTableType kDefaultConverterTable =
    FillWith(&ConvertPassThrough, std::make_index_sequence<kConverterCount>{});
static_assert(std::tuple_size_v<ConverterTableType> == 35);

}  // namespace model
