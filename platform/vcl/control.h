// Controls: components with a window. A control's window is made when it gets a parent (a form makes its own
// at once); until then its properties are only kept. Input reaches the control's events in the originals'
// order: OnMouseDown, OnMouseUp, then OnClick (a click is a left button released over the control); keys go to
// the form's OnKeyDown first when the form has KeyPreview, then to the control's own OnKeyDown.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/wintypes.h"
#include "platform/vcl/component.h"
#include "platform/win/messages.h"

class TForm;
class TPopupMenu;

enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using enum TFontPitch;

// A font: its colour, and for a canvas also its height in pixels (0: the layer's own font), pitch and weight.
struct TFont {
  TColor Color = clWindowText;
  int Height = 0;
  TFontPitch Pitch = fpDefault;
  bool Bold = false;
};
struct TBrush {
  TColor Color = clWhite;
};
struct TPen {
  TColor Color = clBlack;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // The window (null while the control has no parent).
  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  // The control that owns a window of the form layer; null for any other window.
  static TControl* FromHandle(HWND hwnd);

  TControl* Parent() const { return parent_; }
  void SetParent(TControl* parent);
  // The form the control sits on (itself for a form); null when it has no parent yet.
  TForm* ParentForm() const;
  const std::vector<TControl*>& Controls() const { return children_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFont& Font() { return font_; }
  void SetFontColor(TColor color);
  TPopupMenu* PopupMenu() const { return popup_; }
  void SetPopupMenu(TPopupMenu* menu) { popup_ = menu; }
  void SetFocus();
  bool Focused() const;
  void Invalidate();
  void Repaint();

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TKeyEvent OnKeyDown;

  // Runs the click as a user's click does (OnClick; a button also sets its form's ModalResult).
  virtual void Click();

 protected:
  struct WindowParams {
    const char* class_name;
    DWORD style;
    DWORD ex_style;
    bool subclass;  // a built-in control: its own procedure runs behind the control's
  };
  // How the control's window is made (default: the layer's plain control class, painted by Paint).
  virtual WindowParams CreateParams() const;
  void CreateHandle();
  void DestroyHandle();
  // The messages of the control's window; what it does not handle goes to DefaultHandler.
  virtual LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam);
  // Paints the client area of a plain control (dc of BeginPaint).
  virtual void Paint(HDC dc);
  // A WM_COMMAND notification from the control's own built-in window.
  virtual void CommandNotify(WORD code);
  // Whether a left button released over the control counts as a click (plain controls; built-in buttons
  // click themselves).
  virtual bool ClickOnMouseUp() const { return !CreateParams().subclass; }
  // Whether the control looks different while the left button is held on it (repainted on press and release).
  virtual bool ShowsPressed() const { return false; }
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // A key for this control: the form's preview first; true when the key was consumed.
  bool KeyDown(WORD& key, TShiftState shift);
  // The colour a built-in control is painted on when it asks its parent (WM_CTLCOLOR*): the parent's colour;
  // an edit has its own.
  virtual TColor BackgroundColor() const { return parent_ ? parent_->color_ : color_; }
  // Called once the window exists, to push the kept state into it.
  virtual void HandleCreated() {}
  void SetParentHandle(HWND parent_handle) { parent_handle_ = parent_handle; }
  bool pressed_ = false;  // the left button went down on this control

 private:
  friend LRESULT CALLBACK VclControlProc(HWND, UINT, WPARAM, LPARAM);
  WNDPROC default_proc_ = nullptr;

 protected:
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  HWND handle_ = nullptr;
  HWND parent_handle_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 100, height_ = 25;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  TColor color_ = clBtnFace;
  TFont font_;
  TPopupMenu* popup_ = nullptr;

 private:
  // The brush the control gives its parent for painting it (made for one colour at a time).
  HBRUSH BackgroundBrush();
  HBRUSH brush_ = nullptr;
  TColor brush_color_ = 0;
};

// Registers the window classes of forms and plain controls (once a process).
void EnsureVclWindowClasses();
// The shift state as of the current input message: keys held and buttons down.
TShiftState KeyboardShiftState();
// The window thread's guard around a handler: an exception derived from std::exception goes to the
// application's exception display, every other one passes.
LRESULT CALLBACK VclControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
