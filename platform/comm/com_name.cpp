#include "platform/comm/com_name.h"

#include <cctype>
#include <cstdlib>

namespace platform::comm {

std::string ResolvePortName(std::string_view name) {
  if (name.size() < 4 || name.size() > 6) return std::string(name);
  const auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
  if (upper(name[0]) != 'C' || upper(name[1]) != 'O' || upper(name[2]) != 'M') return std::string(name);
  unsigned number = 0;
  for (char c : name.substr(3)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::string(name);
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  if (number < 1) return std::string(name);
  const std::string var = "COM" + std::to_string(number);
  if (const char* mapped = std::getenv(var.c_str()); mapped != nullptr && *mapped != '\0') return mapped;
  return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace platform::comm
