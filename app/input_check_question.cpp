// The input-check question.
#include "app/input_check_question.h"

#include <vector>

#include "model/input_check.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kShellGroup = 13;
constexpr std::int32_t kMsgWrongValuesContinue = 33;

}  // namespace

bool InputCheckQuestion(HWND main, std::uint8_t set) {
  std::uint16_t errors = 0;
  std::vector<char> report(model::kInputCheckReportSize);
  const std::uint8_t status = model::CheckParameterSet(set, &errors, report.data(), model::kInputCheckReportSize);
  if (status == 0 && errors == 0) return true;
  return model::MessageBoxByNumber(main, 2, kShellGroup, kMsgWrongValuesContinue) == IDYES;
}

}  // namespace app
