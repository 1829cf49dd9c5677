// The measurement tree (id 1723) and the measurement window (dialog 400) that holds it. Under the root "catch all"
// one item per channel with data, under each one item per marker and under that the eleven measurements between
// the marker's A and B. The display tells the tree about take-overs and marker changes.
#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>

#include "platform/afx/afx.h"
#include "platform/afx/controls.h"
#include "scope/child_dialog.h"
#include "scope/core/measurement.h"
#include "scope/scope_ctrl.h"

namespace scope {

inline constexpr UINT kMeasureDialog = 400;
inline constexpr int kMeasureTreeId = 1723;

class CMeasureTree : public afx::CTreeCtrl, public MarkerObserver {
 public:
  void SetDisplay(CScopeCtrl* display) { display_ = display; }
  // The root, the channels with data and their markers, every measurement computed.
  void Build();

  void RefreshAll() override { Build(); }
  void RefreshMarker(int number) override;
  void MarkerAdded(int) override { Build(); }
  void MarkerDeleted(int) override { Build(); }
  void Reset() override;
  bool ShowsReadOuts() const override;
  // The channel's item shows the read-out instead of its name until the capture ends.
  void ShowReadOut(int slot, const std::string& text) override;

 private:
  using Items = std::array<HTREEITEM, kMeasurementCount>;
  void SetTexts(int slot, int number, const Items& items);
  std::string ChannelText(int slot) const;

  CScopeCtrl* display_ = nullptr;
  std::map<std::pair<int, int>, Items> items_;  // (slot, marker number) -> the measurement items
  std::map<int, HTREEITEM> channels_;           // slot -> the channel's item
};

class CMeasureDlg : public CChildDialog {
 public:
  CMeasureDlg();
  ~CMeasureDlg() override;
  // Creates the window on the parent with the display's measurements, titled title, beside the window rectangle
  // `beside` (screen coordinates) so that it does not cover it.
  BOOL Open(afx::CWnd* parent, CScopeCtrl* display, const char* title, const RECT& beside);
  CMeasureTree tree;

  static const afx::MessageMap kMessageMap;

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }

 private:
  BOOL OnInitDialog() override;
  void OnSize(UINT type, int cx, int cy);
  void OnSysCommand(UINT command, LPARAM lparam);
  void OnDestroy();
  void FitTree();

  CScopeCtrl* display_ = nullptr;
  static const afx::MessageMapEntry kEntries[3];
};

}  // namespace scope
