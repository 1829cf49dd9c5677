// Fuzz target: the INI look-up functions and the program's settings loading on an arbitrary settings file.
// Every look-up stays inside its buffer and terminates it; loading gives a status and values that a save and a
// second load reproduce; the save keeps the file readable.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fresh_data_set.h"
#include "fuzz/scratch_folder.h"
#include "model/data_set.h"
#include "model/settings_ini.h"
#include "platform/sys/local_time.h"
#include "platform/sys/module_path.h"
#include "platform/sys/private_profile.h"

namespace {

struct Folder {
  fuzz::ScratchFolder scratch{"zpr-fuzz-ini"};
  std::string dir = scratch.path();
  std::string ini;
  Folder() {
    platform::sys::SetExecutablePathOverride(dir + "/vqpt32");
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 2, 17, 9, 30, 0, 0});  // fresh sets alike
    if (model::MakeSettingsIniPath(nullptr) != model::kSettingsDone) std::abort();
    ini = dir + "/vqpt32.ini";
  }
};

// The names of a double-terminated list.
std::vector<std::string> Names(const std::vector<char>& list) {
  std::vector<std::string> names;
  for (const char* p = list.data(); *p != '\0'; p += std::strlen(p) + 1) names.emplace_back(p);
  return names;
}

// A look-up into a buffer with a guard byte behind it: the guard stays, the text is terminated inside.
void CheckedString(const char* section, const char* key, DWORD size, const std::string& ini) {
  std::vector<char> buffer(size + 1, 'G');
  const DWORD n = GetPrivateProfileStringA(section, key, "def", buffer.data(), size, ini.c_str());
  if (buffer[size] != 'G' || (size > 0 && n >= size)) __builtin_trap();
  if (size > 0 && std::memchr(buffer.data(), '\0', size) == nullptr) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Folder folder;
  if (std::FILE* f = std::fopen(folder.ini.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  const char* ini = folder.ini.c_str();
  std::vector<char> sections(4096, '\0');
  GetPrivateProfileStringA(nullptr, nullptr, "", sections.data(), static_cast<DWORD>(sections.size()), ini);
  std::size_t looked = 0;
  // The list above read the file; the look-ups below answer from one parse of it, as the program's start does
  // (every call parsing the file again took most of each input's time). The second load below reads afresh.
  std::optional<platform::sys::ProfileReadOnce> once;
  once.emplace();
  for (const auto& section : Names(sections)) {
    if (++looked > 8) break;
    std::vector<char> keys(4096, '\0');
    GetPrivateProfileStringA(section.c_str(), nullptr, "", keys.data(), static_cast<DWORD>(keys.size()), ini);
    for (DWORD small : {0u, 1u, 2u, 7u}) CheckedString(section.c_str(), nullptr, small, folder.ini);
    std::size_t key_count = 0;
    for (const auto& key : Names(keys)) {
      if (++key_count > 8) break;
      for (DWORD small : {1u, 5u, 300u}) CheckedString(section.c_str(), key.c_str(), small, folder.ini);
      GetPrivateProfileIntA(section.c_str(), key.c_str(), -7, ini);
    }
    std::vector<char> whole(64, 'G');
    const DWORD n = GetPrivateProfileSectionA(section.c_str(), whole.data(), 63, ini);
    if (n >= 63 || whole[63] != 'G') __builtin_trap();
  }

  fuzz::FreshDataSet(0);
  const std::uint8_t loaded = model::LoadSettingsIni(nullptr);
  once.reset();
  if (loaded != model::kSettingsDone && loaded != model::kSettingsFault) __builtin_trap();
  if (loaded == model::kSettingsDone) {
    const auto first = model::DataSetSlot(0)->storage;
    if (model::SaveSettingsIni(nullptr) != model::kSettingsDone) __builtin_trap();
    fuzz::FreshDataSet(0);
    if (model::LoadSettingsIni(nullptr) != model::kSettingsDone) __builtin_trap();
    if (model::DataSetSlot(0)->storage != first) __builtin_trap();  // what was saved loads back the same
  }
  return 0;
}
