#include "model/message_show.h"

#include "model/message_presenter.h"
#include "model/message_text.h"

namespace model {
namespace {

HINSTANCE g_instance = nullptr;
HWND g_owner = nullptr;
MessagePresenter* g_presenter = nullptr;
bool g_modal_open = false;

class ModalGuard {
 public:
  ModalGuard() { g_modal_open = true; }
  ~ModalGuard() { g_modal_open = false; }
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;
};

MessageDialogRequest MakeRequest(int dialog_template, std::int8_t group, const std::string& text) {
  MessageDialogRequest request;
  request.dialog_template = dialog_template;
  request.title = BuildMessageTitle(group, true);
  request.text = text;
  request.instance = g_instance;
  request.owner = g_owner;
  return request;
}

}  // namespace

void SetMessagePresenter(MessagePresenter* presenter) { g_presenter = presenter; }

MessagePresenter& ActiveMessagePresenter() { return g_presenter != nullptr ? *g_presenter : WindowMessagePresenter(); }

std::uint8_t ShowMessage(std::uint8_t kind, std::int8_t group, std::int32_t number, const char* insert) {
  return ShowMessageText(kind, group, SubstituteMessageInsert(BuildMessageText(group, number), insert));
}

std::uint8_t ShowMessageText(std::uint8_t kind, std::int8_t group, const std::string& text) {
  MessagePresenter& presenter = ActiveMessagePresenter();
  switch (kind) {
    case kShowModal:
    case kShowQuestion:
    case kShowFault: {
      if (g_modal_open) return kind == kShowQuestion ? kQuestionNo : 0;
      const int dialog_template = kind == kShowModal      ? kMessageTemplateOneButton
                                  : kind == kShowQuestion ? kMessageTemplateQuestion
                                                          : kMessageTemplateModal;
      const MessageDialogRequest request = MakeRequest(dialog_template, group, text);
      int button;
      {
        ModalGuard guard;
        button = presenter.RunModal(request);
      }
      if (kind == kShowQuestion) return button == 1 ? kQuestionYes : kQuestionNo;
      return kind == kShowFault ? 3 : 0;
    }
    case kShowNotice:
      if (!presenter.NoticeOpen()) presenter.OpenNotice(MakeRequest(kMessageTemplateOneButton, group, text));
      return 0;
    case kShowCloseNotice:
      presenter.CloseNotice();
      return 0;
    default:
      return 0;
  }
}

int MessageBoxByNumber(HWND owner, std::uint8_t kind, std::int8_t group, std::int32_t number) {
  return MessageBoxText(owner, kind, group, BuildMessageText(group, number));
}

int MessageBoxText(HWND owner, std::uint8_t kind, std::int8_t group, const std::string& text) {
  const MessageBoxKind box = kind == 2   ? MessageBoxKind::kQuestionYesNoCancel
                             : kind == 3 ? MessageBoxKind::kExclamation
                                         : MessageBoxKind::kInformation;
  return ActiveMessagePresenter().ShowMessageBox(owner, text, BuildMessageTitle(group, false), box);
}

void SetMessageOwner(HINSTANCE instance, HWND owner) {
  g_instance = instance;
  g_owner = owner;
}

void SetMessageOwner(HWND owner, HINSTANCE instance) { SetMessageOwner(instance, owner); }

HWND MessageOwner() { return g_owner; }
HINSTANCE MessageInstance() { return g_instance; }
bool MessageDialogActive() { return g_modal_open; }

}  // namespace model
