// The driver's answers for the layer's own dialogs (message boxes are answered in driver.cpp, file dialogs here).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/win/idle.h"

namespace platform::testing {

std::deque<std::optional<std::string>>& FileAnswers();
std::function<std::optional<std::string>(const FileDialogRecord&)>& FileResponder();
std::vector<FileDialogRecord>& FileRecords();

// Answers a waiting file dialog from the queued answers or the responder; false when none is there.
bool AnswerFileDialogNow(HWND dialog, const platform::win::ModalInfo& info);
// The colour and print dialogs' queued answers; false when none is queued.
bool AnswerOtherDialogNow(HWND dialog, const platform::win::ModalInfo& info);
void ClearOtherAnswers();

}  // namespace platform::testing
