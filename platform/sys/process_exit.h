// A replaceable process exit. Programs that end from inside a handler call ExitProcess; by default it ends the
// process (std::exit: buffered output is flushed and static objects are destroyed). A test installs a hook that
// records the code or throws an exception of its own to unwind out of the handler. When the hook returns,
// ExitProcess returns to its caller, so code after the call must be safe to run (typically `return`).
#pragma once

#include <functional>

#include "platform/sys/wintypes.h"

using ExitProcessHook = std::function<void(UINT exit_code)>;

void ExitProcess(UINT exit_code);

// Installs hook (an empty one restores the real exit) and returns the one it replaces.
ExitProcessHook SetExitProcessHook(ExitProcessHook hook);

namespace platform::sys {
using ::SetExitProcessHook;

// Tests: installs a hook for its lifetime and restores the previous one after.
class ScopedExitProcessHook {
 public:
  explicit ScopedExitProcessHook(ExitProcessHook hook) : previous_(::SetExitProcessHook(std::move(hook))) {}
  ~ScopedExitProcessHook() { ::SetExitProcessHook(std::move(previous_)); }
  ScopedExitProcessHook(const ScopedExitProcessHook&) = delete;
  ScopedExitProcessHook& operator=(const ScopedExitProcessHook&) = delete;

 private:
  ExitProcessHook previous_;
};

}  // namespace platform::sys
