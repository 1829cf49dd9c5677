// The message dialogs on the window layer. Until the layer offers dialogs this presenter shows nothing:
// modal dialogs report failure (-1) and the message box answers 0.
#include "model/message_presenter.h"

namespace model {
namespace {

class NoWindowPresenter final : public MessagePresenter {
 public:
  int RunModal(const MessageDialogRequest&) override { return -1; }
  bool NoticeOpen() override { return false; }
  void OpenNotice(const MessageDialogRequest&) override {}
  void CloseNotice() override {}
  int ShowMessageBox(HWND, const std::string&, const std::string&, MessageBoxKind) override { return 0; }
};

}  // namespace

MessagePresenter& WindowMessagePresenter() {
  static NoWindowPresenter presenter;
  return presenter;
}

}  // namespace model
