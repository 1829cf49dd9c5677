#include "scope/scope_dlg.h"

#include <algorithm>

#include "platform/win/common_controls.h"
#include "platform/win/window.h"
#include "scope/scope_resources.h"
#include "scope/trend_exports.h"

namespace scope {

const afx::MessageMapEntry CScopeDlg::kEntries[4] = {
    afx::OnSysCommand<&CScopeDlg::OnSysCommand>(),
    afx::OnSize<&CScopeDlg::OnSize>(),
    afx::OnMessage<kMsgStatusText, &CScopeDlg::OnStatusText>(),
    afx::OnNotify<TTN_NEEDTEXT, &CScopeDlg::OnToolTipText>(),
};
const afx::MessageMap CScopeDlg::kMessageMap{&afx::CDialog::kMessageMap, kEntries};

CScopeDlg::CScopeDlg() : CDialog(kScopeDialog) {}

CScopeDlg::~CScopeDlg() { DestroyWindow(); }

bool CScopeDlg::IsOpen() const { return m_hWnd && IsWindow(m_hWnd); }

void CScopeDlg::DoDataExchange(afx::CDataExchange* dx) { afx::DDX_Text(dx, kStatusText, status_text); }

RECT CScopeDlg::PlaceOver(const RECT& caller) {
  const int inset = (caller.bottom - caller.top) / 5;
  RECT r{caller.left + inset, caller.top + inset, caller.right - inset, caller.bottom - inset};
  // A caller much higher than wide (or minimised) would give no width: keep the smallest usable window.
  if (r.right - r.left < kMinimumWidth) r.right = r.left + kMinimumWidth;
  if (r.bottom - r.top < kMinimumHeight) r.bottom = r.top + kMinimumHeight;
  return r;
}

BOOL CScopeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  RECT client;
  GetClientRect(&client);
  display.CreateDisplay(this, kDisplayId, client);
  if (afx::CWnd* caller = GetParent()) {
    RECT r;
    caller->GetWindowRect(&r);
    MoveWindow(PlaceOver(r), FALSE);
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
  if (afx::CWnd* status = GetDlgItem(kStatusText))
    status->MoveWindow(client.left, client.bottom - kStatusHeight, width, kStatusHeight, TRUE);
  display.MoveWindow(client.left, client.top, width, std::max(0, height - kStatusHeight), FALSE);
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

void CScopeDlg::OnToolTipText(UINT, NMHDR*, LRESULT* result) { *result = 0; }

}  // namespace scope
