// The software version of a project's target, kept within what its device type allows.
#pragma once

#include <cstdint>

namespace model {

// The target's software version (element 5 of record 304) brought within the limits its device type allows, as
// an identity copied into the target needs it; 0, or 3 when it cannot be read or written.
std::uint8_t KeepTargetVersionInRange(std::uint8_t set);

}  // namespace model
