#include "platform/win/resources.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/sys/dynamic_library.h"

namespace {

std::map<std::uintptr_t, std::span<const StringTableEntry>>& Tables() {
  static std::map<std::uintptr_t, std::span<const StringTableEntry>> t;
  return t;
}

[[maybe_unused]] const int kDropOnUnload = platform::sys::AddModuleUnloadListener(
    platform::sys::UnloadPhase::kAfterClose,
    [](HMODULE module) { Tables().erase(reinterpret_cast<std::uintptr_t>(module)); });

const char* Find(std::span<const StringTableEntry> table, UINT id) {
  for (const auto& e : table)
    if (e.id == id) return e.text;
  return nullptr;
}

}  // namespace

int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  const char* text = nullptr;
  auto it = Tables().find(reinterpret_cast<std::uintptr_t>(instance));
  if (it != Tables().end()) text = Find(it->second, id);
  for (auto& [inst, table] : Tables()) {
    if (text) break;
    text = Find(table, id);
  }
  if (!text) return 0;
  int n = std::min<int>(size - 1, static_cast<int>(std::strlen(text)));
  std::memcpy(buffer, text, static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

void platform::win::RegisterStringTable(HINSTANCE instance, std::span<const StringTableEntry> entries) {
  Tables()[reinterpret_cast<std::uintptr_t>(instance)] = entries;
}
