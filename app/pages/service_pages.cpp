// R production data (display only), U protective functions, the current controller, and X developer with its
// direct access to the inverter's memory and the debugger action.
#include "app/pages/developer_memory.h"
#include "app/pages/late_pages.h"

namespace app {
namespace {

constexpr UINT kClicked = 0;  // BN_CLICKED

INT_PTR DeveloperInit(PageState& page) {
  InitDeveloperFields(page.dialog);
  return TRUE;
}

// The memory fields are no parameters: they are read when a button asks for them, never committed.
bool DeveloperCommand(PageState& page, int id, HWND control, UINT code) {
  if (id >= kDevAddressEdit && id <= kDevValueEdit) {
    if (code == EN_SETFOCUS && control != nullptr) SendMessage(control, EM_SETSEL, 0, -1);
    return true;
  }
  if (id != kDevReadButton && id != kDevWriteButton && id != kDevActionButton) return false;
  if (code != kClicked) return true;
  if (id == kDevReadButton) DeveloperReadArray(page.dialog);
  if (id == kDevWriteButton) DeveloperWriteWord(page.dialog);
  if (id == kDevActionButton) DeveloperSpecialAction(page.dialog);
  return true;
}

}  // namespace

const ParameterPage kProductionDataPage{25, 0, {.set1 = 28, .set2 = 28}, PageCommitRule::kNoStore};
const ParameterPage kProtectiveFunctionsPage{26, 0, {.set1 = 29, .set2 = 30}};
const ParameterPage kDeveloperPage{44, 0, {.set1 = 31, .set2 = 32}, PageCommitRule::kPending, PageExit::kNavigate,
                                   {.init = DeveloperInit, .command = DeveloperCommand}};
const ParameterPage kCurrentControllerPage{52, 0, {.set1 = 81, .set2 = 82}};

INT_PTR OpenProductionDataDialog() { return RunParameterPage(kProductionDataPage); }
INT_PTR OpenProtectiveFunctionsDialog() { return RunParameterPage(kProtectiveFunctionsPage); }
INT_PTR OpenDeveloperDialog() { return RunParameterPage(kDeveloperPage); }
INT_PTR OpenCurrentControllerDialog() { return RunParameterPage(kCurrentControllerPage); }

}  // namespace app
