// The reverse-documentation mark (element 38 of record 15): set back to its default before the data leave the
// program (saved, sent, written to the Quellox).
#pragma once

#include <cstdint>

namespace app {

// The mark of a data set back to its default value (raw, not logged as a change).
void ResetReverseDocMark(std::uint8_t set);

}  // namespace app
