#include "platform/testing/scripted_dialogs.h"

namespace platform::testing {

bool AnswerFileDialogNow(HWND, const platform::win::ModalInfo&) { return false; }

}  // namespace platform::testing
