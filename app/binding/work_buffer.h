// The application's work buffer: 10000 zero-filled bytes held for the program's lifetime, into which the
// comparison and input-check result windows write their reports.
#pragma once

#include <cstddef>
#include <span>

namespace app {

inline constexpr std::size_t kWorkBufferSize = 10000;

// Takes the work buffer; false (message 13.16 shown) when it cannot be had.
bool InitApplication();
// Gives it back (messages 13.17 / 13.18 when that fails).
void ExitApplication();
// The buffer; empty while the program has none.
std::span<char> WorkBuffer();

}  // namespace app
