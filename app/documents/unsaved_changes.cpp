// Asking before unsaved changes are overwritten.
#include "app/documents/unsaved_changes.h"

#include "app/documents/file_titles.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kConfirmGroup = 8;
constexpr std::int32_t kMsgOverwriteData = 8;
constexpr std::uint8_t kAnsweredYes = 3;

}  // namespace

bool MayReplaceActiveData() {
  if (model::ChangeList0Empty(GetActiveFile()) != 0) return true;
  return model::ShowMessage(model::kShowQuestion, kConfirmGroup, kMsgOverwriteData) == kAnsweredYes;
}

}  // namespace app
