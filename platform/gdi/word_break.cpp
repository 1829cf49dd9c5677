#include "platform/gdi/word_break.h"

namespace platform::gdi {

std::vector<BrokenLine> BreakAtBlanks(std::string_view p, int width,
                                      const std::function<int(std::string_view)>& measure) {
  if (measure(p) <= width) return {BrokenLine{0, std::string(p)}};
  // Words are joined back with the one blank they were split at, so a line is a piece of p from its start.
  std::vector<BrokenLine> lines;
  std::string line;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < p.size()) {
    std::size_t j = p.find(' ', i);
    if (j == std::string_view::npos) j = p.size();
    const std::string_view word = p.substr(i, j - i);
    std::string trial = line.empty() ? std::string(word) : line + ' ' + std::string(word);
    if (!line.empty() && measure(trial) > width) {
      lines.push_back({start, line});
      start = i;
      line = std::string(word);
    } else {
      line = std::move(trial);
    }
    i = j + 1;
  }
  lines.push_back({start, line});
  return lines;
}

}  // namespace platform::gdi
