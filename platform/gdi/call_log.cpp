#include "platform/gdi/call_log.h"

#include <utility>

namespace platform::gdi {
namespace {
bool g_active = false;
std::vector<std::string>& Lines() {
  static std::vector<std::string> lines;
  return lines;
}
}  // namespace

void StartCallLog() {
  g_active = true;
  Lines().clear();
}
void StopCallLog() {
  g_active = false;
  Lines().clear();
}
bool CallLogActive() { return g_active; }
std::vector<std::string> TakeCallLog() { return std::exchange(Lines(), {}); }
void AppendCallLog(std::string line) {
  if (g_active) Lines().push_back(std::move(line));
}

}  // namespace platform::gdi
