// EnsureActiveFileKind.
#include "app/documents/active_file_kind.h"

#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "model/data_set.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kConfirmGroup = 8;
constexpr std::int32_t kMsgModifyValue = 5;
constexpr std::int32_t kMsgWriteQuellox = 6;
constexpr std::uint8_t kAnsweredYes = 3;

// Set while the conversion question is shown: a page's focus change during the question must not ask again.
bool g_question_open = false;

}  // namespace

std::uint8_t EnsureActiveFileKind(HWND /*owner*/, std::uint8_t kind, std::uint8_t question_variant) {
  if (kind != kKindProject && kind != kKindReverseDoc) return kKindRefused;
  const std::uint8_t set = GetActiveFile();
  if (model::GetFileTypeCode(set) == kind) return kKindAlready;
  if (g_question_open) return kKindQuestionOpen;
  if (kind == kKindProject) {
    g_question_open = true;
    const std::int32_t question = question_variant != 0 ? kMsgModifyValue : kMsgWriteQuellox;
    const bool yes = model::ShowMessage(model::kShowQuestion, kConfirmGroup, question) == kAnsweredYes;
    g_question_open = false;
    if (!yes) return kKindRefused;
  }
  if (model::ConvertToProjectType(kind, set) != kind) return kKindConversionFailed;
  UpdateFileTitles();
  return kKindConverted;
}

}  // namespace app
