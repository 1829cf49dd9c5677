// The resources of the window program: menu 1 (the main menu), menu 2 (the scope recording's commands),
// accelerator table 1, the string table of menu hints and the dialog templates of the shell.
#pragma once

#include <span>

#include "app/common/help_context.h"
#include "platform/win/win.h"

namespace app {

inline constexpr UINT kAcceleratorTable = 1;
inline constexpr UINT kMainMenu = 1;
inline constexpr UINT kScopeMenu = 2;

std::span<const MenuTemplateItem> MainMenuRows();
std::span<const MenuTemplateItem> ScopeMenuRows();
std::span<const StringTableEntry> MenuHintRows();

// Registers all of them for the instance (once per instance; again after a test cleared them is harmless).
void RegisterMainResources(HINSTANCE instance);

}  // namespace app
