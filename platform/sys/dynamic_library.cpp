#include "platform/sys/dynamic_library.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/sys/module_path.h"
#include "platform/sys/user_name.h"

namespace platform::sys {
namespace {

constexpr std::uintptr_t kProcessModule = 0x400000;
// Library modules: a serial number in the upper bits, never reused.
constexpr std::uintptr_t kLibraryModuleBase = 0x10000000;
constexpr unsigned kLibraryModuleShift = 16;

struct Segment {
  std::uintptr_t begin;
  std::uintptr_t end;
};

struct Module {
  std::string path;       // as given to dlopen
  std::string file_name;  // its last component: matched while its constructors run
  void* dl = nullptr;     // null while dlopen runs
  int count = 0;
  std::vector<Segment> segments;
};

struct State {
  std::recursive_mutex mutex;  // a library's constructors may load or ask again while LoadLibraryA holds it
  std::map<std::uintptr_t, Module> modules;
  std::uintptr_t next_serial = 1;
  std::map<int, std::pair<UnloadPhase, ModuleUnloadListener>> listeners;
  int next_listener = 1;
};

State& S() {
  static State state;
  return state;
}

thread_local std::string t_last_error;

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string BaseName(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// "X.dll", "X.DLL", "X" -> "X.so"; "X.so" stays; other extensions stay as they are.
std::string SharedObjectName(std::string_view name) {
  const std::string base = BaseName(name);
  const auto dot = base.rfind('.');
  std::string out(name);
  if (dot == std::string::npos) return out + ".so";
  if (Lower(std::string_view(base).substr(dot)) == ".dll") out.replace(out.size() - (base.size() - dot), 4, ".so");
  return out;
}

std::string Canonical(const std::string& path) {
  char buf[PATH_MAX];
  return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

struct SegmentSearch {
  std::uintptr_t base;
  std::vector<Segment>* out;
};

int CollectSegments(dl_phdr_info* info, std::size_t, void* data) {
  auto* search = static_cast<SegmentSearch*>(data);
  if (info->dlpi_addr != search->base) return 0;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const auto& ph = info->dlpi_phdr[i];
    if (ph.p_type != PT_LOAD) continue;
    search->out->push_back({info->dlpi_addr + ph.p_vaddr, info->dlpi_addr + ph.p_vaddr + ph.p_memsz});
  }
  return 1;
}

std::vector<Segment> SegmentsOf(void* dl) {
  std::vector<Segment> out;
  link_map* map = nullptr;
  if (dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map) return out;
  SegmentSearch search{map->l_addr, &out};
  dl_iterate_phdr(CollectSegments, &search);
  return out;
}

std::string LinkMapName(void* dl) {
  link_map* map = nullptr;
  if (dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) return {};
  return map->l_name;
}

Module* Find(State& s, HMODULE module) {
  auto it = s.modules.find(reinterpret_cast<std::uintptr_t>(module));
  return it == s.modules.end() ? nullptr : &it->second;
}

HMODULE Handle(std::uintptr_t key) { return reinterpret_cast<HMODULE>(key); }

void Fail(DWORD code, std::string reason) {
  SetLastError(code);
  t_last_error = std::move(reason);
}

void RunUnloadListeners(State& s, UnloadPhase phase, HMODULE module) {
  std::vector<ModuleUnloadListener> listeners;
  for (auto& [id, entry] : s.listeners)
    if (entry.first == phase) listeners.push_back(entry.second);
  for (auto& l : listeners) l(module);
}

}  // namespace

HMODULE ProcessModule() { return Handle(kProcessModule); }

bool IsModule(HMODULE module) {
  if (module == ProcessModule()) return true;
  State& s = S();
  std::lock_guard lock(s.mutex);
  return Find(s, module) != nullptr;
}

std::string LibraryPathFor(std::string_view name) {
  const std::string so = SharedObjectName(name);
  if (so.find('/') != std::string::npos) return so;
  return FileBesideExecutable(so);
}

HMODULE ModuleOfAddress(const void* address) {
  Dl_info info{};
  if (!address || dladdr(address, &info) == 0 || !info.dli_fname) return ProcessModule();
  const std::string file = BaseName(info.dli_fname);
  const auto where = reinterpret_cast<std::uintptr_t>(address);
  State& s = S();
  std::lock_guard lock(s.mutex);
  for (const auto& [key, m] : s.modules) {
    if (m.dl) {
      for (const Segment& seg : m.segments)
        if (where >= seg.begin && where < seg.end) return Handle(key);
    } else if (m.file_name == file) {
      return Handle(key);  // its constructors run inside dlopen
    }
  }
  return ProcessModule();
}

std::string ModulePath(HMODULE module) {
  if (module == ProcessModule()) return ExecutablePath();
  State& s = S();
  std::lock_guard lock(s.mutex);
  const Module* m = Find(s, module);
  return m ? m->path : std::string();
}

bool AddressInModule(HMODULE module, const void* address) {
  const auto where = reinterpret_cast<std::uintptr_t>(address);
  State& s = S();
  std::lock_guard lock(s.mutex);
  const Module* m = Find(s, module);
  if (!m) return false;
  return std::any_of(m->segments.begin(), m->segments.end(),
                     [&](const Segment& seg) { return where >= seg.begin && where < seg.end; });
}

std::string LastLoadError() { return t_last_error; }

int AddModuleUnloadListener(UnloadPhase phase, ModuleUnloadListener listener) {
  State& s = S();
  std::lock_guard lock(s.mutex);
  const int id = s.next_listener++;
  s.listeners.emplace(id, std::make_pair(phase, std::move(listener)));
  return id;
}

void RemoveModuleUnloadListener(int id) {
  State& s = S();
  std::lock_guard lock(s.mutex);
  s.listeners.erase(id);
}

}  // namespace platform::sys

using platform::sys::S;

HMODULE LoadLibraryA(LPCSTR name) {
  if (!name || !*name) {
    platform::sys::Fail(ERROR_INVALID_PARAMETER, "no library name");
    return nullptr;
  }
  const std::string beside = platform::sys::LibraryPathFor(name);
  const bool has_path = std::string_view(name).find('/') != std::string_view::npos;
  std::string path = access(beside.c_str(), F_OK) == 0 || has_path ? platform::sys::Canonical(beside)
                                                                     : platform::sys::SharedObjectName(name);
  auto& s = S();
  std::lock_guard lock(s.mutex);
  // Loaded already (by this or another name of the same file): the same module, one count more.
  for (auto& [key, m] : s.modules) {
    if (m.dl && (m.path == path || platform::sys::BaseName(m.path) == path)) {
      void* again = dlopen(m.path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (again) {
        ++m.count;
        platform::sys::t_last_error.clear();
        return platform::sys::Handle(key);
      }
    }
  }
  const std::uintptr_t key = platform::sys::kLibraryModuleBase + (s.next_serial++ << platform::sys::kLibraryModuleShift);
  platform::sys::Module& m = s.modules[key];
  m.path = path;
  m.file_name = platform::sys::BaseName(path);
  dlerror();
  void* dl = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!dl) {
    const char* why = dlerror();
    s.modules.erase(key);
    std::string reason = "cannot load ";
    reason += name;
    reason += ": ";
    reason += why ? why : "unknown reason";
    platform::sys::Fail(ERROR_MOD_NOT_FOUND, std::move(reason));
    return nullptr;
  }
  // The same file may have been opened under another name before: keep one module for it.
  for (auto& [other_key, other] : s.modules) {
    if (other_key != key && other.dl == dl) {
      ++other.count;
      s.modules.erase(key);
      platform::sys::t_last_error.clear();
      return platform::sys::Handle(other_key);
    }
  }
  m.dl = dl;
  m.count = 1;
  if (const std::string real = platform::sys::LinkMapName(dl); !real.empty()) m.path = real;
  m.segments = platform::sys::SegmentsOf(dl);
  platform::sys::t_last_error.clear();
  return platform::sys::Handle(key);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  if (!name || (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0) {
    platform::sys::Fail(ERROR_PROC_NOT_FOUND, "exports are found by name only");
    return nullptr;
  }
  void* dl = nullptr;
  {
    auto& s = S();
    std::lock_guard lock(s.mutex);
    if (module == platform::sys::ProcessModule()) {
      dl = RTLD_DEFAULT;
    } else if (const platform::sys::Module* m = platform::sys::Find(s, module); m && m->dl) {
      dl = m->dl;
    }
  }
  if (!dl) {
    platform::sys::Fail(ERROR_INVALID_HANDLE, "GetProcAddress: the handle names no loaded module");
    return nullptr;
  }
  dlerror();
  void* sym = dlsym(dl, name);
  if (!sym) {
    const char* why = dlerror();
    std::string reason = "no export ";
    reason += name;
    reason += ": ";
    reason += why ? why : "null symbol";
    platform::sys::Fail(ERROR_PROC_NOT_FOUND, std::move(reason));
    return nullptr;
  }
  platform::sys::t_last_error.clear();
  return reinterpret_cast<FARPROC>(sym);
}

BOOL FreeLibrary(HMODULE module) {
  if (module == platform::sys::ProcessModule()) return TRUE;
  auto& s = S();
  std::unique_lock lock(s.mutex);
  platform::sys::Module* m = platform::sys::Find(s, module);
  if (!m || !m->dl) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  void* dl = m->dl;
  if (--m->count > 0) {
    dlclose(dl);
    return TRUE;
  }
  platform::sys::RunUnloadListeners(s, platform::sys::UnloadPhase::kBeforeClose, module);
  dlclose(dl);  // the library's static destructors run here
  platform::sys::RunUnloadListeners(s, platform::sys::UnloadPhase::kAfterClose, module);
  s.modules.erase(reinterpret_cast<std::uintptr_t>(module));
  return TRUE;
}

HMODULE GetModuleHandle(LPCSTR name) {
  if (!name) return platform::sys::ProcessModule();
  const std::string wanted = platform::sys::Lower(platform::sys::BaseName(platform::sys::SharedObjectName(name)));
  auto& s = S();
  std::lock_guard lock(s.mutex);
  for (const auto& [key, m] : s.modules)
    if (m.dl && platform::sys::Lower(m.file_name) == wanted) return platform::sys::Handle(key);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}
