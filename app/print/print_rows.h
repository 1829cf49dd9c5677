// The texts of single rows of the printout, shared by the sections.
#pragma once

#include <cstdint>
#include <string>

#include "app/binding/binding_support.h"

namespace app::print {

// The text of one row ("name: value unit"); empty for a row that prints nothing (kinds 8, 11, 12, or a value
// equal to its default when only differing values print). Kind 0 gives a line end alone.
std::string PrintRowText(const binding::MenuListEntry& row, std::uint8_t set, bool only_differing);
// One step of the walk through a list: the line of the row at `at` (and the row after it when both fit on one
// line, the second at column 40), ended by "\n\r"; `at` moves past the rows taken.
std::string PrintRowPair(const binding::ListRows& rows, std::size_t& at, std::uint8_t set, bool only_differing);
// One line of the fault memory from the row at `at`: a heading, or one parameter's fields of all stored entries.
std::string PrintFaultRow(const binding::ListRows& rows, std::size_t& at, std::uint8_t set);

}  // namespace app::print
