// The work buffer.
#include "app/work_buffer.h"

#include <vector>

namespace app {
namespace {

std::vector<char> g_buffer;

}  // namespace

bool InitApplication() {
  g_buffer.assign(kWorkBufferSize, '\0');
  return true;
}

void ExitApplication() { g_buffer = {}; }

std::span<char> WorkBuffer() { return g_buffer; }

}  // namespace app
