// The application: its title and help file, the forms it creates (the first form created is the main form; a
// data module is not a form), the message loop, termination, the active flag, help calls, message boxes and the
// display of an exception that reaches a loop.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/component.h"
#include "platform/vcl/form.h"

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& HelpFile() const { return help_file_; }
  void SetHelpFile(std::string file) { help_file_ = std::move(file); }
  // Whether Run shows the main form (default: yes).
  bool ShowMainForm() const { return show_main_form_; }
  void SetShowMainForm(bool show) { show_main_form_ = show; }

  // Creates a form or data module owned by the application, runs its OnCreate and returns it. The first form
  // becomes the main form.
  template <class T>
  T* CreateForm() {
    T* made = Add<T>("");
    Created(made);
    return made;
  }
  TForm* MainForm() const;

  // Shows the main form and handles messages until the application terminates.
  void Run();
  // Ends the application: Terminated is true from now on (also for loops that pump with PeekMessage, where the
  // quit message is lost) and the main loop ends. Safe from any thread (another thread wakes the loop).
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the waiting messages and returns; does nothing off the window thread.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();
  // Whether one of the application's forms is the active window.
  bool Active() const;

  // Help for a context of the help file (WinHelp); false without a help file.
  bool HelpContext(int context);
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

  // The display of an exception that reached a loop: OnException when set, else ShowException.
  void HandleException(const std::exception& e);
  void ShowException(const std::exception& e);
  std::function<void(TObject* sender, const std::exception& e)> OnException;

  // Whether the caller runs on the window thread (the thread that made the first window).
  bool OnWindowThread() const;
  // Destroys every form and data module and clears the state (between tests, and at the end of Run's caller).
  void Reset();

 private:
  void Created(TComponent* component);
  bool ProcessMessage();
  std::string title_;
  std::string help_file_;
  bool show_main_form_ = true;
  std::atomic<bool> terminated_{false};
  TForm* main_form_ = nullptr;
  std::atomic<HWND> main_handle_{nullptr};  // for Terminate from another thread
};

// The one application of the process.
extern TApplication* const Application;
