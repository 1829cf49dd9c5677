// A text shortened to a width: whole characters only, the end replaced by "..." when the text does not fit.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace scope {

inline constexpr std::string_view kEllipsis = "...";

// The width of a text in pixels, as the control that shows it measures it.
using TextWidth = std::function<int(std::string_view)>;

// The text itself when it fits width; else its longest beginning followed by "..." that
// fits; else the longest beginning that fits without the dots (possibly empty). Blanks and dots before the
// "..." are dropped.
std::string FitText(std::string_view text, int width, const TextWidth& measure);

}  // namespace scope
