#include "platform/vcl/application.h"

#include "platform/vcl/no_destructor.h"

#include "platform/sys/module_path.h"
#include "platform/vcl/thread.h"
#include "platform/win/help.h"
#include "platform/win/input.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/threads.h"
#include "platform/win/window.h"

namespace {

// The application lives until the process ends and is never destroyed: at exit the window layer's own tables
// may already be gone, so its forms are left to the process's end (Reset destroys them in order before).

TApplication* TheApplication() {
  static NoDestructor<TApplication> application;
  return application.get();
}

}  // namespace

TApplication* const Application = TheApplication();

TApplication::TApplication() : TComponent(nullptr) {
  // The title defaults to the program's name without its folder and extension.
  std::string path = platform::sys::ExecutablePath();
  std::string name = path.substr(path.find_last_of('/') + 1);
  title_ = name.substr(0, name.find('.'));
}

TApplication::~TApplication() { DestroyComponents(); }

void TApplication::Created(TComponent* component) {
  if (auto* form = dynamic_cast<TForm*>(component)) {
    if (!main_form_) {
      main_form_ = form;
      main_handle_ = form->Handle();
    }
    form->DoCreate();
  } else if (auto* module = dynamic_cast<TDataModule*>(component)) {
    module->DoCreate();
  }
}

TForm* TApplication::MainForm() const {
  for (TForm* form : AllForms())
    if (form == main_form_) return form;
  return nullptr;
}

bool TApplication::OnWindowThread() const { return platform::win::IsWindowThread(); }

void TApplication::Run() {
  if (TForm* main = MainForm(); main && show_main_form_ && !terminated_) main->Show();
  while (!terminated_) HandleMessage();
  TThread::JoinAll();
}

void TApplication::Terminate() {
  terminated_ = true;
  if (OnWindowThread()) {
    PostQuitMessage(0);
  } else {
    // The quit message ends every loop on the way out (a modal form's, a menu's) as well as the main one.
    PostMessage(main_handle_.load(), WM_QUIT, 0, 0);
  }
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!platform::win::RunMessageFilters(msg)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  if (!OnWindowThread()) return;
  while (ProcessMessage()) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  BOOL got = GetMessage(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return;
  }
  if (platform::win::RunMessageFilters(msg)) return;
  TranslateMessage(&msg);
  DispatchMessage(&msg);
}

bool TApplication::Active() const {
  HWND active = GetActiveWindow();
  if (!active) return false;
  for (TForm* form : AllForms())
    if (form->Handle() == active) return true;
  return false;
}

bool TApplication::HelpContext(int context) {
  if (help_file_.empty()) return false;
  TForm* main = MainForm();
  return WinHelp(main ? main->Handle() : nullptr, help_file_.c_str(), HELP_CONTEXT, static_cast<UINT_PTR>(context)) != 0;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  HWND owner = GetActiveWindow();
  if (!TControl::FromHandle(owner)) {
    TForm* main = MainForm();
    owner = main ? main->Handle() : nullptr;
  }
  return ::MessageBox(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::HandleException(const std::exception& e) {
  if (GetCapture()) ReleaseCapture();
  if (OnException) OnException(this, e);
  else ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
  std::string message = e.what();
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::Reset() {
  TThread::JoinAll();
  DestroyComponents();
  main_form_ = nullptr;
  main_handle_ = nullptr;
  terminated_ = false;
  show_main_form_ = true;
  help_file_.clear();
  OnException = nullptr;
}
