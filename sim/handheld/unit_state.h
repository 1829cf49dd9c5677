// The simulated Tastomatik's memory kept in a file between runs: the data-set size and every slot with its
// attribute word, name and image. A text file, one slot a line in hexadecimal, replaced whole on every save
// (written beside it and renamed), so that a run that ends half way leaves the last state.
#pragma once

#include <string>

#include "sim/handheld/tastomatik.h"

namespace sim::tasto {

// Writes the unit's slots; false with a message in error when the file cannot be written.
bool SaveUnitState(const Unit& unit, const std::string& path, std::string* error);
// Reads slots and size into unit; false with a message in error when the file is damaged (unit unchanged).
bool LoadUnitState(const std::string& path, Unit* unit, std::string* error);

}  // namespace sim::tasto
