// Making the active file a project (or a reverse documentation) before something is written into it.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// EnsureActiveFileKind results.
inline constexpr std::uint8_t kKindAlready = 0;         // the file has that kind
inline constexpr std::uint8_t kKindRefused = 1;         // not 17/18, or the user said no
inline constexpr std::uint8_t kKindConversionFailed = 2;  // the data set could not be converted (left as it was)
inline constexpr std::uint8_t kKindConverted = 3;
inline constexpr std::uint8_t kKindQuestionOpen = 4;    // a conversion question is on the screen already

// Question variants for kind 17: set asks 8.5 ("modify this value"), clear asks 8.6 ("write the Quellox").
inline constexpr std::uint8_t kAskModifyValue = 1;
inline constexpr std::uint8_t kAskWriteQuellox = 0;

// Gives the active file the kind 17 (project) or 18 (reverse documentation). Turning a reverse documentation
// into a project loses its read-back data and asks first; the other way needs no question. After a conversion the
// menus follow the new kind. The owner is where the question belongs (the catalogue's message owner shows it).
std::uint8_t EnsureActiveFileKind(HWND owner, std::uint8_t kind, std::uint8_t question_variant);

}  // namespace app
