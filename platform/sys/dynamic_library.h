// Shared libraries as modules: LoadLibraryA/GetProcAddress/FreeLibrary on dlopen, and module handles.
//
// Names. "X.dll" (any case of the extension, or no extension) names "X.so" beside the executable; when no such file
// is there, the plain "X.so" is tried the system's usual way (LD_LIBRARY_PATH, rpath, the loader cache). A name
// holding '/' is a path and is only given the ".so" extension. Libraries open with RTLD_NOW | RTLD_LOCAL, so a
// library with an unresolved symbol fails to load, as it would on the original platform.
//
// Modules. Every loaded library is its own module with one handle; loading it again gives the same handle and
// raises its count, FreeLibrary lowers it. When the count reaches 0 the library is closed (its static destructors
// run), and everything registered for its module is removed: message filters it added (just before the close),
// then dialog templates, menus, accelerators, strings, bitmaps, window classes, timers with its procedures, and the
// windows whose procedure lies in it (destroyed without calling into it), so no registry keeps a pointer into an
// unmapped library. A library should still destroy its windows itself from a static destructor. A handle is never reused: after the last FreeLibrary the old handle
// names no module, and a later load gets a fresh one. The executable (and libplatform itself, and any library
// linked at start-up) is the process module, GetModuleHandle(nullptr).
//
// How a library learns its own module handle: call platform::sys::ThisModule() from any code of the library,
// including its static constructors, which run inside LoadLibraryA (the module exists before dlopen starts). It
// answers from the address of a symbol of the calling library itself, so each library gets its own handle; code
// of the executable gets the process module. Register the library's resources under that handle: they are found
// first for it (look-ups under another module fall back to any module that has the name) and go with it.
//
// Failure: 0/null with GetLastError() (ERROR_MOD_NOT_FOUND, ERROR_PROC_NOT_FOUND, ERROR_INVALID_HANDLE) and a
// readable reason in platform::sys::LastLoadError() (the loader's own text: missing file, missing symbol...).
// Threads: every call may come from any thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/sys/error_codes.h"
#include "platform/sys/wintypes.h"

HMODULE LoadLibraryA(LPCSTR name);
inline HMODULE LoadLibrary(LPCSTR name) { return LoadLibraryA(name); }
// The address of an exported symbol; null (ERROR_PROC_NOT_FOUND) when the module has none of that name.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
// TRUE when the handle named a loaded module (the process module always stays).
BOOL FreeLibrary(HMODULE module);
// null: the process module; else the loaded library of that name ("X.dll", "X", "X.so", or its path), null if none.
HMODULE GetModuleHandle(LPCSTR name);
#define GetModuleHandleA GetModuleHandle

namespace platform::sys {

// The handle of the executable's module.
HMODULE ProcessModule();
// Whether the handle names the process module or a loaded library.
bool IsModule(HMODULE module);
// The module whose code or data holds the address: a library loaded (or being loaded) through LoadLibraryA, or
// else the process module.
HMODULE ModuleOfAddress(const void* address);
// The file a module was loaded from (the executable's path for the process module); empty for no module.
std::string ModulePath(HMODULE module);
// Whether the address lies in a loaded library's mapped segments (false for the process module). Unload listeners
// use it to find procedures that point into the library being closed; it answers until they have all run.
bool AddressInModule(HMODULE module, const void* address);

namespace {
// Internal linkage: every library has its own copy of the anchor, so its address lies in the calling library.
inline const char this_module_anchor = 0;
inline HMODULE ThisModule() { return ModuleOfAddress(&this_module_anchor); }
}  // namespace

// The path LoadLibraryA tries first for a name (see above).
std::string LibraryPathFor(std::string_view name);

// Why the last LoadLibraryA or GetProcAddress of this thread failed; empty after a success.
std::string LastLoadError();

// Registries call these listeners when a module goes away, to drop what was registered for it. kBeforeClose runs
// while the library is still mapped (for what would run its code when dropped: callbacks held as std::function);
// kAfterClose runs after its static destructors (tables, classes, windows: dropped without calling into it).
// Returns an id for RemoveModuleUnloadListener.
enum class UnloadPhase { kBeforeClose, kAfterClose };
using ModuleUnloadListener = std::function<void(HMODULE)>;
int AddModuleUnloadListener(UnloadPhase phase, ModuleUnloadListener listener);
void RemoveModuleUnloadListener(int id);

}  // namespace platform::sys
