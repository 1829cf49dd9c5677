#include "platform/sys/process_exit.h"

#include <cstdlib>
#include <mutex>
#include <utility>

namespace {
std::mutex g_hook_mutex;
ExitProcessHook g_hook;
}  // namespace

void ExitProcess(UINT exit_code) {
  ExitProcessHook hook;
  {
    std::lock_guard lock(g_hook_mutex);
    hook = g_hook;
  }
  if (!hook) std::exit(static_cast<int>(exit_code));
  hook(exit_code);
}

ExitProcessHook SetExitProcessHook(ExitProcessHook hook) {
  std::lock_guard lock(g_hook_mutex);
  return std::exchange(g_hook, std::move(hook));
}
