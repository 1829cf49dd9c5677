#include "platform/win/clipboard.h"

#include <array>

namespace platform::win {
namespace {

struct SelectionState {
  SelectionBackend backend;
  std::array<std::string, 2> local;  // the in-process selections, used while no backend is installed
};

SelectionState& S() {
  static SelectionState s;
  return s;
}

std::size_t Index(Selection which) { return which == Selection::kClipboard ? 0 : 1; }

}  // namespace

void SetSelectionBackend(SelectionBackend backend) { S().backend = std::move(backend); }

void SetSelectionText(Selection which, std::string text) {
  SelectionState& s = S();
  if (s.backend.offer) {
    s.backend.offer(which, text);
    return;
  }
  s.local[Index(which)] = std::move(text);
}

std::string SelectionText(Selection which) {
  SelectionState& s = S();
  if (s.backend.fetch) return s.backend.fetch(which).value_or(std::string());
  return s.local[Index(which)];
}

}  // namespace platform::win
