// What the message functions need of a user interface: modal message dialogs by template, the one modeless
// notice, the message box and its beep. The window layer plugs in its implementation; tests plug in a fake.
#pragma once

#include <string>

#include "platform/sys/wintypes.h"

namespace model {

// Dialog templates of the message dialogs: all have the static text 100 and the buttons 1 and 2.
inline constexpr int kMessageTemplateOneButton = 2;  // modal with one button, and the modeless notice
inline constexpr int kMessageTemplateModal = 3;
inline constexpr int kMessageTemplateQuestion = 4;   // question with two buttons
inline constexpr int kMessageTextControl = 100;

// Results of the message box as its callers test them.
inline constexpr int kMessageAnswerOk = 1;
inline constexpr int kMessageAnswerCancel = 2;
inline constexpr int kMessageAnswerYes = 6;
inline constexpr int kMessageAnswerNo = 7;

enum class MessageBoxKind {
  kInformation,         // OK, information icon, default beep
  kExclamation,         // OK, exclamation icon, exclamation beep
  kQuestionYesNoCancel  // yes/no/cancel, question icon, question beep
};

struct MessageDialogRequest {
  int dialog_template = kMessageTemplateOneButton;
  std::string title;
  std::string text;
  HINSTANCE instance = nullptr;
  HWND owner = nullptr;
};

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // Runs a modal message dialog; returns the number of the button that ended it (1 or 2), -1 when it failed.
  virtual int RunModal(const MessageDialogRequest& request) = 0;
  virtual bool NoticeOpen() = 0;
  virtual void OpenNotice(const MessageDialogRequest& request) = 0;
  virtual void CloseNotice() = 0;
  // Beeps as the kind asks and shows the box; returns the box's result (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7).
  virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, MessageBoxKind kind) = 0;
};

// The presenter the message functions use: the window dialogs unless one is set; nullptr restores them.
void SetMessagePresenter(MessagePresenter* presenter);
MessagePresenter& ActiveMessagePresenter();

// The presenter on the window layer.
MessagePresenter& WindowMessagePresenter();

}  // namespace model
