// PageDialogBox.
#include "app/pages/page_dialog_box.h"

#include "app/common/app_instance.h"
#include "app/templates/page_templates.h"

namespace app {

INT_PTR PageDialogBox(int number, std::uint8_t list, HWND owner, DLGPROC proc, LPARAM init) {
  const DialogTemplate* dialog = PageTemplate(number, list);
  if (dialog == nullptr) return -1;
  HINSTANCE instance = AppInstance() != nullptr ? AppInstance() : GetModuleHandle(nullptr);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(number), dialog);
  return DialogBoxParam(instance, MAKEINTRESOURCE(number), owner, proc, init);
}

}  // namespace app
