// The decimal-places byte of an element, chosen by its descriptor's attribute selector.
#pragma once

#include <cstdint>

namespace model {

std::uint8_t GetElementAttributes(std::uint16_t record, std::uint8_t selector, std::uint8_t set);

}  // namespace model
