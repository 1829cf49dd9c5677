#include "platform/win/resource_name.h"

#include <cctype>
#include <cstdint>

namespace platform::win {

std::string ResourceNumberKey(LPCSTR name) {
  std::string key = "#";
  key += std::to_string(reinterpret_cast<std::uintptr_t>(name));
  return key;
}

std::string ResourceNameKey(LPCSTR name) {
  if (!name) return "";
  if ((reinterpret_cast<std::uintptr_t>(name) >> 16) == 0) return ResourceNumberKey(name);
  std::string s(name);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace platform::win
