#include "platform/sys/private_profile.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sys/atomic_file.h"
#include "platform/sys/ini_document.h"

namespace {

// One lock for all profile files: a read-modify-write must not interleave with another.
std::mutex g_profile_mutex;

// The copies of a ProfileReadOnce: each file as read at its first look-up and as this process wrote it since.
int g_read_once_depth = 0;
std::map<std::string, platform::sys::IniDocument, std::less<>> g_read_once;
long g_file_reads = 0;

platform::sys::IniDocument ReadOrEmpty(const char* file) {
  ++g_file_reads;
  auto text = platform::sys::ReadWholeFile(file);
  return text ? platform::sys::IniDocument::Parse(*text) : platform::sys::IniDocument{};
}

// The file's document: read into fresh, or inside a ProfileReadOnce the copy kept for it.
const platform::sys::IniDocument& LoadOrEmpty(const char* file, platform::sys::IniDocument& fresh) {
  if (g_read_once_depth == 0) {
    fresh = ReadOrEmpty(file);
    return fresh;
  }
  auto found = g_read_once.find(std::string_view(file));
  if (found == g_read_once.end()) found = g_read_once.emplace(file, ReadOrEmpty(file)).first;
  return found->second;
}

// After a write: the copy follows the file, or is dropped when the file was not written.
void Remember(const char* file, const platform::sys::IniDocument& doc, bool written) {
  if (g_read_once_depth == 0) return;
  if (written) g_read_once[file] = doc;
  else g_read_once.erase(file);
}

DWORD CopyString(const std::string& s, LPSTR out, DWORD size) {
  const std::size_t n = s.size() < size - 1 ? s.size() : size - 1;
  std::memcpy(out, s.data(), n);
  out[n] = '\0';
  return static_cast<DWORD>(n);
}

// Copies names as a double-terminated list; a list that does not fit is cut and still ends in two terminators.
DWORD CopyList(const std::vector<std::string>& names, LPSTR out, DWORD size) {
  if (size < 2) {
    out[0] = '\0';
    return 0;
  }
  std::size_t pos = 0;
  for (const auto& name : names) {
    if (pos + name.size() + 1 > size - 1) {
      if (pos < size - 2) std::memcpy(out + pos, name.data(), size - 2 - pos);
      out[size - 2] = '\0';
      out[size - 1] = '\0';
      return size - 2;
    }
    std::memcpy(out + pos, name.data(), name.size());
    pos += name.size();
    out[pos++] = '\0';
  }
  out[pos] = '\0';
  if (pos == 0 && size > 1) out[1] = '\0';
  return static_cast<DWORD>(pos);
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR out, DWORD size, LPCSTR file) {
  if (!out || size == 0) return 0;
  std::string fallback = def ? def : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  if (!file) return CopyString(fallback, out, size);

  std::lock_guard lock(g_profile_mutex);
  platform::sys::IniDocument fresh;
  const auto& doc = LoadOrEmpty(file, fresh);
  if (!section) return CopyList(doc.SectionNames(), out, size);
  if (!key) return CopyList(doc.KeyNames(section), out, size);
  const auto value = doc.Get(section, key);
  return CopyString(value ? *value : fallback, out, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT def, LPCSTR file) {
  if (!section || !key || !file) return static_cast<UINT>(def);
  std::optional<std::string> value;
  {
    std::lock_guard lock(g_profile_mutex);
    platform::sys::IniDocument fresh;
    value = LoadOrEmpty(file, fresh).Get(section, key);
  }
  if (!value || value->empty()) return static_cast<UINT>(def);
  const char* p = value->c_str();
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  UINT n = 0;
  for (; *p >= '0' && *p <= '9'; ++p) n = n * 10u + static_cast<UINT>(*p - '0');  // wraps like a 32-bit UINT
  return negative ? 0u - n : n;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
  if (!section || !file) return FALSE;
  std::lock_guard lock(g_profile_mutex);
  std::error_code error;
  ++g_file_reads;
  auto text = platform::sys::ReadWholeFile(file, &error);
  if (!text && error != std::errc::no_such_file_or_directory) {
    Remember(file, {}, false);
    return FALSE;  // never overwrite what we cannot read
  }
  auto doc = text ? platform::sys::IniDocument::Parse(*text) : platform::sys::IniDocument{};
  if (!key) {
    if (!doc.RemoveSection(section)) return TRUE;
  } else if (!value) {
    if (!doc.RemoveKey(section, key)) return TRUE;
  } else {
    doc.Set(section, key, value);
  }
  const bool written = !platform::sys::WriteFileAtomically(file, doc.Serialize());
  Remember(file, doc, written);
  return written ? TRUE : FALSE;
}

DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR out, DWORD size, LPCSTR file) {
  if (!out || size == 0) return 0;
  std::vector<std::string> entries;
  if (section && file) {
    std::lock_guard lock(g_profile_mutex);
    platform::sys::IniDocument fresh;
    const auto& doc = LoadOrEmpty(file, fresh);
    for (const auto& key : doc.KeyNames(section)) entries.push_back(key + "=" + doc.Get(section, key).value_or(""));
  }
  return CopyList(entries, out, size);
}

namespace platform::sys {

ProfileReadOnce::ProfileReadOnce() {
  std::lock_guard lock(g_profile_mutex);
  ++g_read_once_depth;
}

ProfileReadOnce::~ProfileReadOnce() {
  std::lock_guard lock(g_profile_mutex);
  if (--g_read_once_depth == 0) g_read_once.clear();
}

long ProfileFileReads() {
  std::lock_guard lock(g_profile_mutex);
  return g_file_reads;
}

}  // namespace platform::sys
