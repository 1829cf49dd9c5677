#include "model/confirm_hook.h"

namespace model {
namespace {
ConfirmHook g_hook = nullptr;
}  // namespace

void SetConfirmHook(ConfirmHook hook) {
  if (hook) g_hook = hook;
}

void ClearConfirmHook() { g_hook = nullptr; }

bool IsConfirmHookInstalled() { return g_hook != nullptr; }

std::uint32_t AskConfirmHook(std::uint32_t previous, std::uint32_t value, std::uint32_t kind,
                             std::uint32_t reserved) {
  return g_hook ? g_hook(previous, value, kind, reserved) : 0;
}

}  // namespace model
