// CScopeDlg: the scope window, a modeless dialog (template 406) over the host's window. It holds the display
// (child id 100) and the status line (2006) at the bottom, lays them out on every size change, and shows the
// status texts the display sends. Its system-menu Close closes it as Trend_CloseWindow does.
#pragma once

#include <string>

#include "platform/afx/afx.h"
#include "scope/scope_ctrl.h"

namespace scope {

inline constexpr int kStatusHeight = 20;
// The smallest the window is placed at (its frame included).
inline constexpr int kMinimumWidth = 220;
inline constexpr int kMinimumHeight = 150;

class CScopeDlg : public afx::CDialog {
 public:
  CScopeDlg();
  ~CScopeDlg() override;

  // The display: a member, so it exists (with its colours) from the library's start.
  CScopeCtrl display;
  std::string status_text;

  bool IsOpen() const;
  BOOL OnInitDialog() override;
  // Enter and Escape do not end the window: it closes only by its Close command or the host.
  void OnOK() override {}
  void OnCancel() override {}

  // The window's place over the caller's window: the caller's screen rectangle shrunk on every side by a fifth of
  // its height (at least the minimum size).
  static RECT PlaceOver(const RECT& caller);

  static const afx::MessageMap kMessageMap;

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }
  void DoDataExchange(afx::CDataExchange* dx) override;

 private:
  void LayOut();
  void OnSysCommand(UINT command, LPARAM lparam);
  void OnSize(UINT type, int cx, int cy);
  LRESULT OnStatusText(WPARAM, LPARAM text);
  void OnToolTipText(UINT, NMHDR*, LRESULT* result);

  static const afx::MessageMapEntry kEntries[4];
};

}  // namespace scope
