#include "scope/scope_dlg.h"

#include <algorithm>

#include "platform/win/common_controls.h"
#include "platform/win/window.h"
#include "scope/scope_resources.h"
#include "scope/trend_exports.h"

namespace scope {

const afx::MessageMapEntry CScopeDlg::kEntries[10] = {
    afx::OnSysCommand<&CScopeDlg::OnSysCommand>(),
    afx::OnGetMinMaxInfo<&CScopeDlg::OnGetMinMaxInfo>(),
    afx::OnDestroy<&CScopeDlg::OnDestroy>(),
    afx::OnMessage<kMsgChannelSelected, &CScopeDlg::OnChannelSelected>(),
    afx::OnMessage<kMsgChannelsTaken, &CScopeDlg::OnChannelsTaken>(),
    afx::OnMessage<kMsgMarkerSelected, &CScopeDlg::OnMarkerSelected>(),
    afx::OnSize<&CScopeDlg::OnSize>(),
    afx::OnMessage<kMsgStatusText, &CScopeDlg::OnStatusText>(),
    afx::OnNotify<TTN_NEEDTEXT, &CScopeDlg::OnToolTipText>(),
};
const afx::MessageMap CScopeDlg::kMessageMap{&afx::CDialog::kMessageMap, kEntries};

CScopeDlg::CScopeDlg() : CDialog(kScopeDialog) {}

CScopeDlg::~CScopeDlg() { DestroyWindow(); }

bool CScopeDlg::IsOpen() const { return m_hWnd && IsWindow(m_hWnd); }

void CScopeDlg::DoDataExchange(afx::CDataExchange* dx) { afx::DDX_Text(dx, kStatusText, status_text); }

RECT CScopeDlg::PlaceOver(const RECT& caller, SIZE minimum) {
  const int inset = (caller.bottom - caller.top) / 5;
  RECT r{caller.left + inset, caller.top + inset, caller.right - inset, caller.bottom - inset};
  // A caller much higher than wide (or minimised) would give no width: keep the smallest usable window.
  if (r.right - r.left < minimum.cx) r.right = r.left + minimum.cx;
  if (r.bottom - r.top < minimum.cy) r.bottom = r.top + minimum.cy;
  return r;
}

BOOL CScopeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  RECT client;
  GetClientRect(&client);
  display.CreateDisplay(this, kDisplayId, client);
  panel.Open(&display, this);
  if (afx::CWnd* caller = GetParent()) {
    RECT r;
    caller->GetWindowRect(&r);
    MINMAXINFO limits{};
    limits.ptMinTrackSize = POINT{kMinimumWidth, kMinimumHeight};
    OnGetMinMaxInfo(&limits);
    MoveWindow(PlaceOver(r, SIZE{limits.ptMinTrackSize.x, limits.ptMinTrackSize.y}), FALSE);
  }
  LayOut();
  return TRUE;
}

void CScopeDlg::LayOut() {
  if (!display.m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  // The panel keeps its size and height and goes to the right edge; the display takes the rest.
  int display_right = client.right;
  if (panel.m_hWnd) {
    RECT r;
    panel.GetWindowRect(&r);
    ScreenToClient(&r);
    const int panel_width = r.right - r.left;
    panel.MoveWindow(client.right - panel_width, r.top, panel_width, r.bottom - r.top, TRUE);
    display_right = client.right - panel_width;
  }
  if (afx::CWnd* status = GetDlgItem(kStatusText))
    status->MoveWindow(client.left, client.bottom - kStatusHeight, width, kStatusHeight, TRUE);
  display.MoveWindow(client.left, client.top, std::max(0, display_right - client.left),
                     std::max(0, height - kStatusHeight), FALSE);
  Invalidate(TRUE);
}

void CScopeDlg::OnSysCommand(UINT command, LPARAM) {
  if ((command & 0xFFF0) == SC_CLOSE) Trend_CloseWindow();
  // The window may be gone now: the default processing is only for a window that still exists.
  if (IsOpen()) Default();
}

void CScopeDlg::OnSize(UINT, int, int) {
  Default();
  LayOut();
}

LRESULT CScopeDlg::OnStatusText(WPARAM, LPARAM text) {
  const char* s = reinterpret_cast<const char*>(text);
  status_text = s ? s : "";
  UpdateData(FALSE);
  return 0;
}

void CScopeDlg::OnGetMinMaxInfo(MINMAXINFO* info) {
  if (panel.m_hWnd) {
    RECT r;
    panel.GetWindowRect(&r);
    info->ptMinTrackSize.x = 2 * (r.right - r.left) + 20;
    info->ptMinTrackSize.y = (r.bottom - r.top) + 50;
  }
}

void CScopeDlg::OnDestroy() {
  panel.ShowMeasurements(false);
  Default();
}

LRESULT CScopeDlg::OnPanelRelay(UINT message, WPARAM wparam, LPARAM lparam) {
  if (panel.m_hWnd) return panel.SendMessage(message, wparam, lparam);
  return 0;
}

BOOL CScopeDlg::PreTranslateMessage(MSG* msg) {
  if (IsOpen() && panel.m_hWnd) panel.RelayToolTip(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CScopeDlg::OnToolTipText(UINT, NMHDR*, LRESULT* result) { *result = 0; }

}  // namespace scope
