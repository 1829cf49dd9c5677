// The input-check question.
#include "app/documents/input_check_question.h"

#include "app/common/shell_messages.h"
#include "app/documents/input_check_window.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kShellGroup = 13;

}  // namespace

bool InputCheckQuestion(HWND main, std::uint8_t set) {
  if (RunInputCheck(set) == kInputCheckClean) return true;
  return model::MessageBoxByNumber(main, 2, kShellGroup, kMsgWrongValuesContinue) == IDYES;
}

}  // namespace app
