// The window object: a C++ object bound to a window handle. Objects that create their window (Create, CreateEx)
// or take one over (SubclassWindow, SubclassDlgItem) receive its messages through their message map; an object
// that only attaches a foreign handle (Attach) wraps it without taking its messages. The handle map finds the
// object of a handle; FromHandle gives a temporary object for a handle that has none (it lives as long as the
// window). The message filter of the window layer runs PreTranslateMessage of the objects from the message's
// window up to its top-level window before a message is dispatched.
#pragma once

#include <string>

#include "platform/afx/message_map.h"
#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"
#include "platform/win/rect.h"

namespace afx {

class CWnd {
 public:
  CWnd() = default;
  // Destroys a window the object created or took over; a foreign handle that was only attached is let go.
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // Binds a foreign handle (no messages are taken); false when the object already holds one or the handle is
  // invalid or bound to another object.
  BOOL Attach(HWND hwnd);
  // Lets the handle go (and gives the window its own procedure back when the object had taken it).
  HWND Detach();
  // Binds the handle and routes its messages through the object.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // The object bound to hwnd, or a temporary one; null for an invalid handle.
  static CWnd* FromHandle(HWND hwnd);
  // The object bound to hwnd by Attach, Create or subclassing; null when there is none.
  static CWnd* FromHandlePermanent(HWND hwnd);

  // Creates the window of a registered class with this object receiving every message from the first on.
  BOOL CreateEx(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
  virtual BOOL Create(LPCSTR class_name, LPCSTR window_name, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  virtual BOOL DestroyWindow();

  // The message entry: the message map, else the default processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);
  // Called before a message for this window or one of its children is dispatched; TRUE consumes it.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // The default processing of the message being handled now (the window's own procedure).
  LRESULT Default();
  LRESULT DefWindowProc(UINT message, WPARAM wparam, LPARAM lparam);

  // Thin forms of the window calls.
  LRESULT SendMessage(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
  CWnd* GetParent() const;
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  DWORD GetStyle() const;
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  CWnd* SetFocus();
  void SetWindowText(LPCSTR text);
  std::string GetWindowText() const;
  void GetWindowRect(RECT* rect) const;
  void GetClientRect(RECT* rect) const;
  void ClientToScreen(POINT* point) const;
  void ClientToScreen(RECT* rect) const;
  void ScreenToClient(POINT* point) const;
  void ScreenToClient(RECT* rect) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insert_after, int x, int y, int cx, int cy, UINT flags);
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
  void UpdateWindow();
  void SetDlgItemText(int id, LPCSTR text);
  std::string GetDlgItemText(int id) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  void CheckRadioButton(int first, int last, int check);
  CWnd* SetCapture();

 protected:
  // The class's message map; each derived class with handlers returns its own, naming the base's.
  virtual const MessageMap* GetMessageMap() const;
  // Runs the message map; true when a row handled the message (its result in *result).
  virtual bool OnWndMsg(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  // After the window's last message (WM_NCDESTROY), when the handle is gone from the object.
  virtual void PostNcDestroy() {}
  // A control's own share of a message its parent's map left unhandled (WM_DRAWITEM of an owner-drawn control is
  // handed to the control's object); true when the control handled it.
  virtual bool OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

 public:
  static const MessageMap kMessageMap;

 private:
  friend struct WndAccess;
  WNDPROC super_proc_ = nullptr;  // the procedure the object took over; null when it takes no messages
  const MSG* current_ = nullptr;  // the message being handled now, for Default
};

}  // namespace afx
