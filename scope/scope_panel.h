// CScopePanel: the control panel on the right of the scope window (child dialog 185). It selects one of the
// channels 1..8 and changes its colour, position, scale, switches and bit display; moves and scales the time axis;
// selects, shows, colours and moves the marker cursors; and opens the measurement window. Every control has a
// tool tip.
#pragma once

#include <memory>
#include <string>

#include "platform/afx/afx.h"
#include "platform/afx/controls.h"
#include "scope/child_dialog.h"
#include "scope/measure_tree.h"
#include "scope/scope_ctrl.h"

namespace scope {

class CScopePanel : public CChildDialog {
 public:
  CScopePanel();
  ~CScopePanel() override;

  // The display and the scope window, then the child window of the scope window.
  BOOL Open(CScopeCtrl* display, afx::CWnd* scope_window);
  int channel() const { return channel_; }
  int marker() const { return marker_; }
  // The tool tip text of a control, "" for none.
  std::string TipText(int id) const;
  void RelayToolTip(MSG* msg);
  // The measurement window on (made once) or off (destroyed).
  void ShowMeasurements(bool on);
  CMeasureDlg* measurements() { return measure_.get(); }

  static const afx::MessageMap kMessageMap;

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }

 private:
  BOOL OnInitDialog() override;
  LRESULT OnChannelSelected(WPARAM slot, LPARAM);
  LRESULT OnChannelsTaken(WPARAM, LPARAM);
  LRESULT OnMarkerSelected(WPARAM number, LPARAM);
  LRESULT OnDrawItem(WPARAM id, LPARAM item);
  void OnPaint();
  void OnControl(UINT id);
  void OnSpin(UINT, NMHDR* header, LRESULT* result);
  void OnToolTipText(UINT, NMHDR* header, LRESULT* result);

  void SelectChannel(int channel);
  void RefreshChannel();
  void RefreshMarker();
  void RefreshTime();
  void ChooseColour(int id);
  void ChannelAction(int id, bool ctrl, bool shift);
  void TimeAction(int id, bool ctrl, bool shift);
  void MarkerAction(int id, bool ctrl, bool shift);
  void ChannelOptions();
  afx::CWnd* Item(int id) { return GetDlgItem(id); }
  std::string FittedName(int id, const std::string& name);
  void SetText(int id, const std::string& text);
  void SetCheck(int id, bool on);
  bool Checked(int id);

  CScopeCtrl* display_ = nullptr;
  afx::CWnd* scope_window_ = nullptr;
  int channel_ = -1;
  int marker_ = 0;
  afx::CToolTipCtrl tips_;
  std::unique_ptr<CMeasureDlg> measure_;

  static const afx::MessageMapEntry kEntries[10];
};

}  // namespace scope
