// CScopeApp: the scope library's application object, one static instance from the library's load to its unload.
// It holds the host's window (attached while the scope window is open), the scope window object and the 19
// channel records the host feeds.
#pragma once

#include <memory>

#include "platform/afx/afx.h"
#include "scope/core/trend_channel.h"
#include "scope/scope_dlg.h"

namespace scope {

class CScopeApp : public afx::CWinApp {
 public:
  CScopeApp();

  // The start: window class, scope window object (no window yet), the host's window object as the main window,
  // the channel reset. False when the display's window class cannot be registered.
  BOOL InitInstance() override;
  // The end: the host's window let go, the scope window object deleted (its window destroyed), the channels reset.
  int ExitInstance() override;

  afx::CWnd caller;  // the host's window, attached by Trend_OpenWindow
  std::unique_ptr<CScopeDlg> window;
  TrendChannels channels;
};

CScopeApp& TheApp();

}  // namespace scope
