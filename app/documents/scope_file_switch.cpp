// The scope control window after a file switch or open.
#include "app/documents/scope_file_switch.h"

#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "model/check_support.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kScopeGroup = 7;
constexpr std::int32_t kMsgNoRecording = 17;

ScopeLibraryCalls& Calls() {
  static ScopeLibraryCalls calls;
  return calls;
}

}  // namespace

void SetScopeLibraryCalls(const ScopeLibraryCalls& calls) { Calls() = calls; }

bool ScopeControlOpen() { return IsWindow(ModelessWindow(Modeless::kScopeControl)) != 0; }

void CloseScopeControl() {
  HWND& window = ModelessWindow(Modeless::kScopeControl);
  if (!IsWindow(window)) {
    window = nullptr;
    return;
  }
  if (Calls().close_window != nullptr) {
    Calls().close_window();
    return;
  }
  if (Calls().unload != nullptr) Calls().unload();
  DestroyWindow(window);
  window = nullptr;
}

void ScopeFollowsActiveFile() {
  if (!ScopeControlOpen()) return;
  if (model::HasScopeData(GetActiveFile()) == 1) {
    if (Calls().show_recording != nullptr) Calls().show_recording();
    return;
  }
  model::ShowMessage(model::kShowModal, kScopeGroup, kMsgNoRecording);
  CloseScopeControl();
}

}  // namespace app
