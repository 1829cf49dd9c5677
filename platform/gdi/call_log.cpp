#include "platform/gdi/call_log.h"

#include <sstream>
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

void LogCall(std::string_view dc_name, const char* call, std::initializer_list<long> values) {
  if (!g_active) return;
  std::ostringstream s;
  s << call << ' ' << dc_name;
  const char* sep = " ";
  for (long v : values) {
    s << sep << v;
    sep = ",";
  }
  Lines().push_back(s.str());
}

}  // namespace platform::gdi
