// The result texts of the command-line service mode.
#pragma once

#include <cstdint>

namespace app {

enum class ServiceTextId : std::uint8_t {
#define SERVICE_TEXT(name, text) name,
#include "app/data/service_texts.def"
#undef SERVICE_TEXT
  kCount
};

// The text (Windows-1252); empty for kCount.
const char* ServiceText(ServiceTextId id);

}  // namespace app
