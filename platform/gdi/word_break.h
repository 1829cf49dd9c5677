// DrawText's word break: a paragraph broken at blanks into lines that fit a width as `measure` measures them; a
// word wider than the width stands alone on its line. Each line keeps where it starts in the paragraph.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi {

struct BrokenLine {
  std::size_t start;
  std::string text;
};

std::vector<BrokenLine> BreakAtBlanks(std::string_view paragraph, int width,
                                      const std::function<int(std::string_view)>& measure);

}  // namespace platform::gdi
