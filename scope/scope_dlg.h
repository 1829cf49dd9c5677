// CScopeDlg: the scope window, a modeless dialog (template 406) over the host's window. It holds the display
// (child id 100) and the status line (2006) at the bottom, lays them out on every size change, and shows the
// status texts the display sends. Its system-menu Close closes it as Trend_CloseWindow does.
#pragma once

#include <string>

#include "platform/afx/afx.h"
#include "scope/scope_ctrl.h"
#include "scope/scope_panel.h"

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
  // The control panel on the right; created with the window.
  CScopePanel panel;
  std::string status_text;

  bool IsOpen() const;
  BOOL OnInitDialog() override;
  // Every message is shown to the panel's tool tips first, so that they see the mouse over the whole window.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Enter and Escape do not end the window: it closes only by its Close command or the host.
  void OnOK() override {}
  void OnCancel() override {}

  // The window's place over the caller's window: the caller's screen rectangle shrunk on every side by a fifth of
  // its height, at least the minimum size (the window's minimum tracking size once the panel exists).
  static RECT PlaceOver(const RECT& caller, SIZE minimum = SIZE{kMinimumWidth, kMinimumHeight});

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
  void OnGetMinMaxInfo(MINMAXINFO* info);
  void OnDestroy();
  LRESULT OnPanelRelay(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnChannelSelected(WPARAM wparam, LPARAM lparam) { return OnPanelRelay(kMsgChannelSelected, wparam, lparam); }
  LRESULT OnChannelsTaken(WPARAM wparam, LPARAM lparam) { return OnPanelRelay(kMsgChannelsTaken, wparam, lparam); }
  LRESULT OnMarkerSelected(WPARAM wparam, LPARAM lparam) { return OnPanelRelay(kMsgMarkerSelected, wparam, lparam); }

  static const afx::MessageMapEntry kEntries[10];
};

}  // namespace scope
