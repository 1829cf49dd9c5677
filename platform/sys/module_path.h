// Where the running program lives, and the rule that names a settings file after it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sys/wintypes.h"

// The file of a module (null: the executable); the length copied, 0 on failure or for no module.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

namespace platform::sys {

// The executable's full path ("/proc/self/exe"), or the override.
std::string ExecutablePath();
// The folder that holds the executable, without a trailing slash.
std::string ExecutableDirectory();
// Tests: pretend the executable is at this path.
void SetExecutablePathOverride(std::optional<std::string> path);

// The settings-path rule: the path with the extension of its last component replaced by ext (which has no dot),
// or ext appended when the name has none: "/opt/x/vqpt32" + "ini" -> "/opt/x/vqpt32.ini".
std::string ReplaceExtension(std::string_view path, std::string_view ext);
// The settings file of the running program: ReplaceExtension(ExecutablePath(), ext).
std::string SettingsFilePath(std::string_view ext);
// A file beside the executable.
std::string FileBesideExecutable(std::string_view name);

}  // namespace platform::sys
