#include "scope/measure_tree.h"

#include "platform/afx/string_format.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"
#include "scope/core/beside_placement.h"
#include "scope/core/lang_texts.h"

namespace scope {

namespace {
constexpr int kRowCatchAll = 369;
constexpr int kRowMarker = 371;
}  // namespace

std::string CMeasureTree::ChannelText(int slot) const {
  return afx::Format("%d: %s", slot + 1, display_->trace(slot).name.c_str());
}

void CMeasureTree::Build() {
  items_.clear();
  channels_.clear();
  if (!m_hWnd || !display_) return;
  DeleteAllItems();
  HTREEITEM root = InsertItem(GetLangText(kRowCatchAll, kLibraryLanguage));
  for (int slot = 0; slot < kChannelCount; ++slot) {
    const Trace& t = display_->trace(slot);
    if (!t.has_data) continue;
    HTREEITEM channel = InsertItem(ChannelText(slot).c_str(), root);
    channels_[slot] = channel;
    for (const auto& [number, m] : display_->markers().all()) {
      HTREEITEM marker = InsertItem(afx::Format(GetLangText(kRowMarker, kLibraryLanguage), number, number).c_str(),
                                    channel);
      Items& items = items_[{slot, number}];
      for (HTREEITEM& item : items) item = InsertItem("", marker);
      SetTexts(slot, number, items);
      Expand(marker, TVE_EXPAND);
    }
    Expand(channel, TVE_EXPAND);
  }
  Expand(root, TVE_EXPAND);
}

void CMeasureTree::SetTexts(int slot, int number, const Items& items) {
  const Marker* m = display_->markers().Find(number);
  if (!m) return;
  for (int code = 0; code < kMeasurementCount; ++code)
    SetItemText(items[static_cast<std::size_t>(code)],
                MeasurementText(display_->trace(slot), *m, false, code).c_str());
}

void CMeasureTree::RefreshMarker(int number) {
  if (!m_hWnd || !display_) return;
  for (const auto& [key, items] : items_)
    if (key.second == number) SetTexts(key.first, number, items);
}

void CMeasureTree::Reset() {
  if (!m_hWnd) return;
  for (const auto& [key, items] : items_)
    for (HTREEITEM item : items) SetItemText(item, GetLangText(kRowNoValue, kLibraryLanguage));
  if (display_)
    for (const auto& [slot, item] : channels_) SetItemText(item, ChannelText(slot).c_str());
}

bool CMeasureTree::ShowsReadOuts() const { return m_hWnd && ::IsWindowVisible(::GetParent(m_hWnd)); }

void CMeasureTree::ShowReadOut(int slot, const std::string& text) {
  if (const auto it = channels_.find(slot); it != channels_.end()) SetItemText(it->second, text.c_str());
}

const afx::MessageMapEntry CMeasureDlg::kEntries[3] = {
    afx::OnSize<&CMeasureDlg::OnSize>(),
    afx::OnSysCommand<&CMeasureDlg::OnSysCommand>(),
    afx::OnDestroy<&CMeasureDlg::OnDestroy>(),
};
const afx::MessageMap CMeasureDlg::kMessageMap{&afx::CDialog::kMessageMap, kEntries};

CMeasureDlg::CMeasureDlg() : CChildDialog(kMeasureDialog) {}

CMeasureDlg::~CMeasureDlg() { DestroyWindow(); }

// The window's Close destroys it (Escape does not).
void CMeasureDlg::OnSysCommand(UINT command, LPARAM) {
  if ((command & 0xFFF0) == SC_CLOSE) {
    DestroyWindow();
    return;
  }
  Default();
}

// The display must not tell a tree that is gone.
void CMeasureDlg::OnDestroy() {
  if (display_) display_->SetMarkerObserver(nullptr);
  Default();
}

BOOL CMeasureDlg::Open(afx::CWnd* parent, CScopeCtrl* display, const char* title, const RECT& beside) {
  display_ = display;
  if (!Create(kMeasureDialog, parent)) return FALSE;
  SetWindowText(title);
  RECT r;
  GetWindowRect(&r);
  const SIZE size{r.right - r.left, r.bottom - r.top};
  const POINT at = PlaceBeside(beside, size, SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  MoveWindow(at.x, at.y, size.cx, size.cy, FALSE);
  ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CMeasureDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  tree.SubclassDlgItem(kMeasureTreeId, this);
  tree.SetDisplay(display_);
  FitTree();
  tree.Build();
  if (display_) display_->SetMarkerObserver(&tree);
  return TRUE;
}

void CMeasureDlg::OnSize(UINT, int, int) {
  Default();
  FitTree();
}

void CMeasureDlg::FitTree() {
  if (!tree.m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  tree.MoveWindow(client, TRUE);
}

}  // namespace scope
