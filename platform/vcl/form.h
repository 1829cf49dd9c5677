// Forms built in code: a top-level window with its controls, menu and events.
// - Show runs OnShow before the window appears; Hide hides it. ShowModal (also from inside an OnShow) disables
//   the other forms, runs a loop until ModalResult is set, the form is closed or the application terminates,
//   and returns ModalResult (mrCancel when the application ended it).
// - Close asks OnCloseQuery, then OnClose with the action caHide; closing the main form terminates the
//   application, closing a modal form sets ModalResult to mrCancel, caFree destroys the form after the current
//   message.
// - With KeyPreview the form's OnKeyDown sees every key before the focused control does.
// - Keys the focused control does not take: Tab and Shift+Tab move the focus through the tab stops (visible,
//   enabled controls with a tab stop, in the order they were put on the form), Return clicks the focused
//   button or else the Default button, Escape clicks the Cancel button. Showing a form focuses its first tab
//   stop when the focus is not on one of its controls.
#pragma once

#include <vector>

#include "platform/vcl/control.h"

class TMainMenu;
class TForm;

// Every live form, oldest first.
const std::vector<TForm*>& AllForms();

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
using enum TFormBorderStyle;

class TForm : public TControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  void SetVisible(bool visible) override;
  int ShowModal();
  void Close();
  // Destroys the form after the message now handled (from a handler of the form itself).
  void Release();
  TModalResult ModalResult() const { return modal_result_; }
  // Setting a result ends a modal run (the loop is woken to see it).
  void SetModalResult(TModalResult result);
  bool Modal() const { return modal_; }

  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool on) { key_preview_ = on; }
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle style);
  // The size of the client area (the window grows by its frame, caption and menu bar).
  void SetClientSize(int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  int HelpContext() const { return help_context_; }
  void SetHelpContext(int context) { help_context_ = context; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void DoCreate();
  // The form's key handler ahead of the focused control (KeyPreview).
  void PreviewKeyDown(WORD& key, TShiftState shift);
  bool CloseQuery();
  // The form's own handling of Tab, Return and Escape; true when the key was used.
  bool DialogKey(WORD key, TShiftState shift);
  // Moves the focus to the next (or previous) tab stop after the focused control, round the form.
  void SelectNext(bool backwards);

 protected:
  WindowParams CreateParams() const override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) override;

 private:
  // The end of a modal run: CloseQuery and OnClose may keep the form open (ModalResult back to mrNone).
  void CloseModal();
  bool key_preview_ = false;
  bool modal_ = false;
  bool shown_ = false;
  TModalResult modal_result_ = mrNone;
  TFormBorderStyle border_style_ = bsSizeable;
  TMainMenu* menu_ = nullptr;
  int help_context_ = 0;
};
