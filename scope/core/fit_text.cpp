#include "scope/core/fit_text.h"

namespace scope {

std::string FitText(std::string_view text, int width, const TextWidth& measure) {
  if (measure(text) <= width) return std::string(text);
  for (std::size_t n = text.size(); n-- > 0;) {
    std::string_view head = text.substr(0, n);
    while (!head.empty() && (head.back() == ' ' || head.back() == '.')) head.remove_suffix(1);
    if (head.empty()) break;
    std::string candidate(head);
    candidate += kEllipsis;
    if (measure(candidate) <= width) return candidate;
  }
  for (std::size_t n = text.size(); n-- > 0;)
    if (measure(text.substr(0, n)) <= width) return std::string(text.substr(0, n));
  return {};
}

}  // namespace scope
