// A message presenter for tests: the texts of the modal catalogue messages and message boxes shown, each answered
// with OK; notices are not recorded.
#pragma once

#include <string>
#include <vector>

#include "model/message_presenter.h"
#include "platform/win/win.h"

namespace app_test {

class MessageSink final : public model::MessagePresenter {
 public:
  int RunModal(const model::MessageDialogRequest& request) override {
    texts.push_back(request.text);
    return 1;
  }
  bool NoticeOpen() override { return false; }
  void OpenNotice(const model::MessageDialogRequest&) override {}
  void CloseNotice() override {}
  int ShowMessageBox(HWND, const std::string& text, const std::string&, model::MessageBoxKind) override {
    texts.push_back(text);
    return model::kMessageAnswerOk;
  }
  std::vector<std::string> texts;
};

}  // namespace app_test
