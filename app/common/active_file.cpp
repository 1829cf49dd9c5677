// The active file.
#include "app/common/active_file.h"

namespace app {
namespace {

std::uint8_t g_active = 0;

}  // namespace

std::uint8_t GetActiveFile() { return g_active; }

void SetActiveFile(std::uint8_t set) {
  if (set <= 1) g_active = set;
}

}  // namespace app
