// The confirm hook: one global callback through which the after-write actions ask the user before they change
// dependent values (new motors after a change of the target device). None is installed at start.
#pragma once

#include <cstdint>

namespace model {

// (previous value, new value or 0, kind (always 1), 0) -> 0 go ahead, non-zero keep the dependent values.
using ConfirmHook = std::uint32_t (*)(std::uint32_t previous, std::uint32_t value, std::uint32_t kind,
                                      std::uint32_t reserved);

void SetConfirmHook(ConfirmHook hook);  // a null hook is ignored
void ClearConfirmHook();
bool IsConfirmHookInstalled();

// The hook's answer; 0 (go ahead) when none is installed.
std::uint32_t AskConfirmHook(std::uint32_t previous, std::uint32_t value, std::uint32_t kind,
                             std::uint32_t reserved);

}  // namespace model
