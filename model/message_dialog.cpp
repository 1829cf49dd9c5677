// The message dialogs on the window layer: templates 2, 3 and 4, their dialog procedure, the modeless notice
// and the message box. The only file of the model that uses windows.
#include "model/message_dialog.h"

#include <array>
#include <string>

#include "model/message_dialog_layout.h"
#include "model/message_presenter.h"
#include "platform/gdi/text.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/message_box.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace model {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kTextStyle = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP;

// Sizes in dialog units; MessageDlgProc fits dialog, text and button positions to the text on every start.
constexpr DialogItemTemplate kOneButtonItems[] = {
    {kMessageTextControl, "STATIC", "", kTextStyle, 10, 8, 140, 24},
    {1, "BUTTON", "OK", kDefaultButton, 55, 40, 50, 14},
};
constexpr DialogItemTemplate kModalItems[] = {
    {kMessageTextControl, "STATIC", "", kTextStyle, 10, 8, 180, 32},
    {1, "BUTTON", "OK", kDefaultButton, 75, 48, 50, 14},
};
constexpr DialogItemTemplate kQuestionItems[] = {
    {kMessageTextControl, "STATIC", "", kTextStyle, 10, 8, 180, 32},
    {1, "BUTTON", "&Yes", kDefaultButton, 40, 48, 50, 14},
    {2, "BUTTON", "&No", BS_PUSHBUTTON | WS_TABSTOP, 110, 48, 50, 14},
};

const DialogTemplate kOneButtonTemplate{kDialogStyle, 0, 0, 160, 62, "", kOneButtonItems};
const DialogTemplate kModalTemplate{kDialogStyle, 0, 0, 200, 70, "", kModalItems};
const DialogTemplate kQuestionTemplate{kDialogStyle, 0, 0, 200, 70, "", kQuestionItems};

void RegisterTemplates(HINSTANCE instance) {
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kMessageTemplateOneButton), &kOneButtonTemplate);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kMessageTemplateModal), &kModalTemplate);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kMessageTemplateQuestion), &kQuestionTemplate);
}

SIZE WindowSize(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void Start(HWND dialog, const MessageDialogStart& start) {
  const MessageDialogRequest& request = *start.request;
  SetWindowLongPtr(dialog, DWLP_USER, start.notice ? 1 : 0);

  MessageDialogMetrics m;
  if (HDC dc = GetDC(dialog)) {
    SIZE title{};
    GetTextExtentPoint32(dc, request.text.c_str(), static_cast<int>(request.text.size()), &m.text_extent);
    GetTextExtentPoint32(dc, request.title.c_str(), static_cast<int>(request.title.size()), &title);
    m.title_width = title.cx;
    ReleaseDC(dialog, dc);
  }
  HWND button1 = GetDlgItem(dialog, 1);
  HWND button2 = GetDlgItem(dialog, 2);
  if (button1) m.button = WindowSize(button1);
  m.has_button2 = button2 != nullptr;
  m.notice = start.notice;
  m.frame_width = GetSystemMetrics(SM_CXFRAME);
  m.screen_width = GetSystemMetrics(SM_CXSCREEN);
  m.screen_height = GetSystemMetrics(SM_CYSCREEN);
  m.present_height = WindowSize(dialog).cy;
  if (!request.owner || !GetWindowRect(request.owner, &m.owner)) m.owner = RECT{0, 0, m.screen_width, m.screen_height};

  const MessageDialogLayout l = LayoutMessageDialog(ShapeOfMessageText(request.text), m);
  SetWindowPos(dialog, nullptr, l.dialog.left, l.dialog.top, l.dialog.right - l.dialog.left,
               l.dialog.bottom - l.dialog.top, SWP_NOZORDER);
  if (button1) SetWindowPos(button1, nullptr, l.button1.x, l.button1.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  if (button2) SetWindowPos(button2, nullptr, l.button2.x, l.button2.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // The notice takes no answer: its button would do nothing.
  if (start.notice && button1) ShowWindow(button1, SW_HIDE);
  if (HWND text = GetDlgItem(dialog, kMessageTextControl)) {
    SetWindowPos(text, nullptr, l.text.left, l.text.top, l.text.right - l.text.left, l.text.bottom - l.text.top,
                 SWP_NOZORDER);
  }
  SetWindowText(dialog, request.title.c_str());
  SetDlgItemText(dialog, kMessageTextControl, request.text.c_str());
}

class WindowPresenter final : public MessagePresenter {
 public:
  int RunModal(const MessageDialogRequest& request) override {
    RegisterTemplates(request.instance);
    MessageDialogStart start{&request, false};
    return static_cast<int>(DialogBoxParam(request.instance, MAKEINTRESOURCE(request.dialog_template), request.owner,
                                           MessageDlgProc, reinterpret_cast<LPARAM>(&start)));
  }

  bool NoticeOpen() override { return notice_ != nullptr && IsWindow(notice_); }

  void OpenNotice(const MessageDialogRequest& request) override {
    RegisterTemplates(request.instance);
    MessageDialogStart start{&request, true};
    notice_ = CreateDialogParam(request.instance, MAKEINTRESOURCE(request.dialog_template), request.owner,
                                MessageDlgProc, reinterpret_cast<LPARAM>(&start));
    if (notice_) {
      ShowWindow(notice_, SW_SHOWNORMAL);
      UpdateWindow(notice_);
    }
  }

  void CloseNotice() override {
    if (NoticeOpen()) DestroyWindow(notice_);
    notice_ = nullptr;
  }

  int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, MessageBoxKind kind) override {
    UINT type = MB_OK | MB_ICONINFORMATION;
    UINT beep = MB_OK;
    if (kind == MessageBoxKind::kQuestionYesNoCancel) {
      type = MB_YESNOCANCEL | MB_ICONQUESTION;
      beep = MB_ICONQUESTION;
    } else if (kind == MessageBoxKind::kExclamation) {
      type = MB_OK | MB_ICONEXCLAMATION;
      beep = MB_ICONEXCLAMATION;
    }
    MessageBeep(beep);
    return MessageBox(owner, text.c_str(), title.c_str(), type);
  }

 private:
  HWND notice_ = nullptr;
};

}  // namespace

INT_PTR MessageDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* start = reinterpret_cast<const MessageDialogStart*>(lparam);
      if (start != nullptr && start->request != nullptr) Start(dialog, *start);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if ((id == 1 || id == 2) && GetWindowLongPtr(dialog, DWLP_USER) == 0) {
        EndDialog(dialog, id);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

MessagePresenter& WindowMessagePresenter() {
  static WindowPresenter presenter;
  return presenter;
}

}  // namespace model
