// What the window layer drops when a library module is unloaded: the classes it registered, timers calling into
// it, and the windows whose procedures lie in it. This runs after the library's own static destructors, which
// should have destroyed its windows; the leftovers are destroyed here without calling any code of the library.
#include <vector>

#include "platform/sys/dynamic_library.h"
#include "platform/win/detail/module_cleanup.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

bool In(HMODULE module, const void* code) { return code && platform::sys::AddressInModule(module, code); }

template <class Fn>
const void* Code(Fn fn) {
  return reinterpret_cast<const void*>(fn);
}

void Collect(HWND hwnd, std::vector<HWND>& out) {
  Window* w = Lookup(hwnd);
  if (!w) return;
  out.push_back(hwnd);
  for (HWND c : w->children) Collect(c, out);
}

// Cuts every link from a window into the module; true when the window cannot live on without it.
bool Detach(HMODULE module, HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return false;
  bool doomed = w->instance == module || (w->cls && w->cls->instance == module);
  if (In(module, Code(w->proc))) {
    w->proc = DefWindowProc;
    doomed = true;
  }
  if (w->dialog && In(module, reinterpret_cast<const void*>(GetWindowLongPtr(hwnd, DWLP_DLGPROC)))) {
    SetWindowLongPtr(hwnd, DWLP_DLGPROC, 0);
    doomed = true;
  }
  return doomed;
}

void DropModule(HMODULE module) {
  std::vector<HWND> all;
  for (HWND t : TopLevelWindows()) Collect(t, all);
  std::vector<HWND> doomed;
  for (HWND h : all)
    if (Detach(module, h)) doomed.push_back(h);
  for (HWND h : doomed)
    if (IsWindow(h)) DestroyWindow(h);
  RemoveClassesWhere([&](const WindowClassInfo& c) { return c.instance == module || In(module, Code(c.proc)); });
  KillTimersWhere([&](TIMERPROC proc) { return In(module, Code(proc)); });
}

[[maybe_unused]] const int kDropOnUnload =
    platform::sys::AddModuleUnloadListener(platform::sys::UnloadPhase::kAfterClose, DropModule);

}  // namespace
}  // namespace platform::win::detail
