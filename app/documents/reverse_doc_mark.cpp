// The reverse-documentation mark reset.
#include "app/documents/reverse_doc_mark.h"

#include <array>

#include "model/element_access.h"

namespace app {

void ResetReverseDocMark(std::uint8_t set) {
  std::array<char, 512> value{};
  if (model::ReadDefaultElement(15, 38, value.data(), model::kModeRaw, set) == 0) {
    model::WriteElement(15, 38, value.data(), model::kModeRaw, set);
  }
}

}  // namespace app
