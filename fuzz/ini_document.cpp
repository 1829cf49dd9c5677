// Fuzz target: the INI reader and editor on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/sys/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using platform::sys::IniDocument;
  auto doc = IniDocument::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& section : doc.SectionNames()) {
    if (!doc.HasSection(section)) __builtin_trap();
    for (const auto& key : doc.KeyNames(section)) {
      if (!doc.Get(section, key)) __builtin_trap();
    }
  }
  doc.Set("Fuzz Section", "fuzz key", "value");
  if (doc.Get("fuzz section", "FUZZ KEY") != "value") __builtin_trap();
  doc.RemoveKey("fuzz section", "fuzz key");
  if (doc.Get("fuzz section", "fuzz key")) __builtin_trap();
  doc.RemoveSection("fuzz section");
  if (doc.HasSection("fuzz section")) __builtin_trap();
  auto again = IniDocument::Parse(doc.Serialize());
  if (again.SectionNames().size() != doc.SectionNames().size()) __builtin_trap();
  return 0;
}
