// Unit texts of the positioning parameters.
#pragma once

#include <cstddef>
#include <cstdint>

namespace model {

// The positioning unit of a data set (the selected text of I05, or the user's own unit text); "Einh" when none
// can be found. Writes nothing when size is below 4; else at most size - 1 characters.
void GetPositionUnitText(char* out, std::int32_t size, std::uint8_t set);

// The shared unit texts "unit", "unit/s" and "unit/s\xB2" (as descriptors refer to them) with the positioning
// unit in place of "unit"; any other text unchanged. At most size - 1 characters.
void ExpandUnitText(const char* unit, char* out, std::size_t size, std::uint8_t set);

}  // namespace model
