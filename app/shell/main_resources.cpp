// The window program's resource tables.
#include "app/shell/main_resources.h"

#include <array>

#include "app/templates/copy_templates.h"
#include "app/templates/info_template.h"
#include "app/templates/link_templates.h"
#include "app/templates/page_templates.h"
#include "app/templates/print_templates.h"
#include "app/templates/result_templates.h"
#include "app/templates/scope_templates.h"
#include "app/templates/transfer_template.h"

namespace app {
namespace {

constexpr MenuTemplateItem kMainMenuRows[] = {
#define MENU_ROW(depth, flags, id, text) {depth, flags, id, text},
#include "app/data/main_menu.def"
#undef MENU_ROW
};

constexpr MenuTemplateItem kScopeMenuRows[] = {
#define MENU_ROW(depth, flags, id, text) {depth, flags, id, text},
#include "app/data/scope_menu.def"
#undef MENU_ROW
};

constexpr StringTableEntry kHintRows[] = {
#define HINT_ROW(id, text) {id, text},
#include "app/data/menu_hints.def"
#undef HINT_ROW
};

constexpr std::array<ACCEL, 1> kAccelerators{{{FVIRTKEY, VK_F1, kHelpForActiveWindow}}};

}  // namespace

std::span<const MenuTemplateItem> MainMenuRows() { return kMainMenuRows; }
std::span<const MenuTemplateItem> ScopeMenuRows() { return kScopeMenuRows; }
std::span<const StringTableEntry> MenuHintRows() { return kHintRows; }

void RegisterMainResources(HINSTANCE instance) {
  platform::win::RegisterMenuTemplate(instance, MAKEINTRESOURCE(kMainMenu), kMainMenuRows);
  platform::win::RegisterMenuTemplate(instance, MAKEINTRESOURCE(kScopeMenu), kScopeMenuRows);
  platform::win::RegisterAcceleratorTable(instance, MAKEINTRESOURCE(kAcceleratorTable), kAccelerators);
  platform::win::RegisterStringTable(instance, kHintRows);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kInfoTemplate), &InfoDialogTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kTransferTemplate), &TransferDialogTemplate());
  RegisterPageTemplates(instance);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kCopyFileTemplate), &CopyFileTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kCopyParamSetTemplate), &CopyParamSetTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kComparisonTemplate), &ComparisonTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kInputCheckTemplate), &InputCheckTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kAbortTemplate), &AbortDialogTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kPrintTemplate), &PrintDialogTemplate());
  RegisterLinkDialogTemplates(instance);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kScopeControlTemplate), &ScopeControlTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kScopeSettingsTemplate), &ScopeSettingsTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kScopeCommentsTemplate), &ScopeCommentsTemplate());
}

}  // namespace app
