// The A.. Inverter pages. Part 2's button 6 moves part 2 to the left and runs part 3 beside it at the right as
// a nested page (both owned by the main window, so part 2 stays usable); part 2's end closes an open part 3 by
// its OK.
#include "app/common/dialog_placement.h"
#include "app/pages/parameter_pages.h"

namespace app {
namespace {

constexpr int kPart3Button = 6;
constexpr UINT kClicked = 0;  // BN_CLICKED

HWND g_part3 = nullptr;  // part 3 while it is open

bool Part2Command(PageState& page, int id, HWND, UINT code) {
  if (id != kPart3Button) return false;
  if (code != kClicked) return true;
  if (g_part3 != nullptr) {
    SendMessage(g_part3, WM_ACTIVATE, WA_ACTIVE, 0);
    return true;
  }
  PlaceDialog(page.dialog, kPlaceBelowMenu, kPlaceCentred);
  OpenInverterPart3Dialog();
  if (IsWindow(page.dialog)) PlaceDialog(page.dialog, kPlaceCentred, kPlaceCentred);
  return true;
}

void Part2Ending(PageState&, int) {
  if (g_part3 != nullptr) SendMessage(g_part3, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
}

INT_PTR Part3Init(PageState& page) {
  PlaceDialog(page.dialog, kPlaceBottomRight, kPlaceCentred);
  g_part3 = page.dialog;
  return TRUE;
}

void Part3Ending(PageState&, int) { g_part3 = nullptr; }

}  // namespace

const ParameterPage kInverterPage{15, 0, {.set1 = 13, .set2 = 13}};
const ParameterPage kInverterPart2Page{60, 0, {.set1 = 14, .set2 = 14}, PageCommitRule::kPending,
                                       PageExit::kNavigate, {.command = Part2Command, .ending = Part2Ending}};
const ParameterPage kInverterPart3Page{72, 0, {.set1 = 131, .set2 = 131}, PageCommitRule::kPending,
                                       PageExit::kOkCancel, {.init = Part3Init, .ending = Part3Ending}};

INT_PTR OpenInverterDialog() { return RunParameterPage(kInverterPage); }
INT_PTR OpenInverterPart2Dialog() { return RunParameterPage(kInverterPart2Page); }
INT_PTR OpenInverterPart3Dialog() { return RunParameterPage(kInverterPart3Page); }

}  // namespace app
