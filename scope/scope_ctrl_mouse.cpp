// The scope display's mouse modes, context menu, keyboard and read-outs.
#include <cmath>
#include <cstdint>

#include "platform/afx/string_format.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "scope/core/value_format.h"
#include "scope/scope_ctrl.h"
#include "scope/scope_resources.h"

namespace scope {

namespace {
HCURSOR OwnCursor(UINT id) { return LoadCursor(afx::AfxGetResourceHandle(), MAKEINTRESOURCE(id)); }
bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
}  // namespace

void CScopeCtrl::OnRButtonUp(UINT, POINT point) {
  afx::CMenu menu;
  if (!menu.LoadMenu(kDisplayMenu)) return;
  afx::CMenu popup = menu.GetSubMenu(0);
  if (!popup.m_hMenu) return;
  for (const Trace& t : traces_) {
    if (!t.has_data) continue;
    popup.AppendMenu(MF_STRING, kCmdCaptureFirst + static_cast<UINT>(t.index),
                     afx::Format("Fangen: %s", t.name.c_str()).c_str());
  }
  UINT checked = kCmdSelection;
  switch (mode_) {
    case MouseMode::kSelection: checked = kCmdSelection; break;
    case MouseMode::kPan: checked = kCmdPan; break;
    case MouseMode::kZoom: checked = kCmdZoom; break;
    case MouseMode::kCapture: checked = kCmdCaptureFirst + static_cast<UINT>(capture_); break;
  }
  popup.CheckMenuRadioItem(kCmdSelection, kCmdPan, checked, MF_BYCOMMAND);
  popup.AppendMenu(MF_SEPARATOR, 0, nullptr);
  const UINT full = markers_.all().size() >= static_cast<std::size_t>(kMarkerCount) ? MF_GRAYED : 0u;
  popup.AppendMenu(MF_STRING | full, kCmdNewTimeMarker, "New &marker");
  popup.AppendMenu(MF_STRING | full, kCmdNewValueMarker, "New &value marker");
  if (selected_marker_ != 0)
    popup.AppendMenu(MF_STRING, kCmdDeleteMarker, afx::Format("&Delete M%d", selected_marker_).c_str());
  ClientToScreen(&point);
  popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CScopeCtrl::OnModeCommand(UINT id) {
  if (id >= kCmdCaptureFirst && id < kCmdCaptureFirst + kChannelCount) {
    ReleaseCapturing();
    mode_ = MouseMode::kCapture;
    capture_ = static_cast<int>(id - kCmdCaptureFirst);
    return;
  }
  if (id == kCmdSelection) {
    mode_ = MouseMode::kSelection;
  } else if (id == kCmdPan) {
    mode_ = MouseMode::kPan;
  } else if (id == kCmdZoom) {
    mode_ = MouseMode::kZoom;
  } else {
    return;
  }
  // A capture in progress ends as at its button release: its read-out goes with it.
  if (capturing_) ReleaseCapturing();
  capture_ = kNoChannel;
  capturing_ = false;
  panning_ = false;
  drag_x_ = -1;
  EndMarkerDrag();
  Redraw();
  ClipCursor(nullptr);
}

void CScopeCtrl::ClipToPlot() {
  RECT r = Layout().plot;
  ClientToScreen(&r);
  ClipCursor(&r);
}

// Ends a capture's read-out: cursor free, arrow, empty status text, redraw.
void CScopeCtrl::ReleaseCapturing() {
  capturing_ = false;
  drag_x_ = -1;
  ClipCursor(nullptr);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  SetStatusText("");
  if (observer_) observer_->Reset();
  Redraw();
}

void CScopeCtrl::OnLButtonDown(UINT flags, POINT point) {
  SetFocus();
  switch (mode_) {
    case MouseMode::kSelection: {
      if (PressMarker(point)) return;
      const int slot = HitTrace(point);
      if (slot == kNoChannel) return;
      Notify(kMsgChannelSelected, static_cast<WPARAM>(slot));
      capture_ = slot;
      capturing_ = true;
      ClipToPlot();
      ShowReadOut(point);
      return;
    }
    case MouseMode::kPan:
      if (PressMarker(point)) return;
      pressed_ = point;
      panning_ = true;
      pressed_trace_ = HitTrace(point);
      if (pressed_trace_ != kNoChannel) Notify(kMsgChannelSelected, static_cast<WPARAM>(pressed_trace_));
      SetCursor(OwnCursor(kPanCursor));
      return;
    case MouseMode::kZoom: {
      const PlotLayout layout = Layout();
      if (!layout.valid) return;
      // The pressed point comes to the plot's middle, then one step in (out with Ctrl).
      const int middle_x = kXDivisions * kLogicalPerDivision / 2;
      axis_.trigger_position +=
          middle_x - static_cast<int>(std::lround(layout.XLogical(point.x - layout.plot.left)));
      const int dy = static_cast<int>(std::lround(layout.YLogical(layout.middle_y() - point.y)));
      for (Trace& t : traces_) t.vertical_offset += dy;
      if (flags & MK_CONTROL) {
        axis_.ZoomOut();
      } else {
        axis_.ZoomIn();
      }
      Notify(kMsgChannelsTaken, 0);
      Redraw();
      return;
    }
    case MouseMode::kCapture: return;
  }
}

void CScopeCtrl::OnLButtonUp(UINT, POINT point) {
  // A marker's release ends its drag and nothing else: no capture ended, so the measurements keep their values.
  if (dragged_marker_ != 0) {
    ReleaseMarker(point);
    return;
  }
  switch (mode_) {
    case MouseMode::kSelection:
      capture_ = kNoChannel;
      ReleaseCapturing();
      return;
    case MouseMode::kPan: {
      if (!panning_) return;
      panning_ = false;
      const PlotLayout layout = Layout();
      const int dx = static_cast<int>(std::lround(layout.XLogical(point.x - pressed_.x)));
      const int dy = static_cast<int>(std::lround(layout.YLogical(point.y - pressed_.y)));
      if (pressed_trace_ == kNoChannel) {
        axis_.trigger_position += dx;
        for (Trace& t : traces_) t.vertical_offset += dy;
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
      } else {
        trace(pressed_trace_).vertical_offset += dy;
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
      }
      Redraw();
      return;
    }
    case MouseMode::kZoom: return;
    case MouseMode::kCapture:
      if (capturing_) {
        ReleaseCapturing();
      } else if (capture_ != kNoChannel) {
        capturing_ = true;
        ClipToPlot();
        ShowReadOut(point);
      }
      return;
  }
}

void CScopeCtrl::ShowModeCursor(bool ctrl_held) {
  if (capturing_) {
    SetCursor(LoadCursor(nullptr, IDC_CROSS));
    return;
  }
  switch (mode_) {
    case MouseMode::kSelection: SetCursor(LoadCursor(nullptr, IDC_ARROW)); return;
    case MouseMode::kPan: SetCursor(OwnCursor(kPanCursor)); return;
    case MouseMode::kZoom: SetCursor(OwnCursor(ctrl_held ? kZoomOutCursor : kZoomInCursor)); return;
    case MouseMode::kCapture: SetCursor(OwnCursor(kCaptureCursor)); return;
  }
}

void CScopeCtrl::OnMouseMove(UINT flags, POINT point) {
  ShowModeCursor((flags & MK_CONTROL) != 0);
  if (dragged_marker_ != 0) {
    DragMarker(point);
    return;
  }
  if (capturing_ && capture_ != kNoChannel) ShowReadOut(point);
}

void CScopeCtrl::OnKeyDown(UINT key, UINT, UINT) {
  if (!capturing_ || (key != VK_UP && key != VK_DOWN)) return;
  // From none, Up starts below the first slot and Down above the last.
  int slot = capture_ == kNoChannel ? (key == VK_UP ? -1 : kChannelCount) : capture_;
  do {
    slot += key == VK_UP ? 1 : -1;
  } while (slot >= 0 && slot < kChannelCount && !trace(slot).has_data);
  capture_ = (slot >= 0 && slot < kChannelCount) ? slot : kNoChannel;
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  ShowReadOut(cursor);
}

// The read-out of the captured trace at a client point: the drag line follows, the status text shows the sample.
void CScopeCtrl::ShowReadOut(POINT point) {
  const PlotLayout layout = Layout();
  if (!layout.valid || !Inside(layout.plot, point)) return;
  drag_x_ = point.x;
  Redraw();
  if (capture_ == kNoChannel) {
    SetStatusText("");
    return;
  }
  const double time = axis_.TimeAt(layout.XLogical(point.x - layout.plot.left));
  const std::string text = ReadOut(trace(capture_), time);
  if (!text.empty()) SetStatusText(text);
  if (!observer_ || !observer_->ShowsReadOuts()) return;
  // The other channels' read-outs at the same time; a channel outside its visible range keeps its item.
  for (int slot = 0; slot < kChannelCount; ++slot) {
    const Trace& other = trace(slot);
    if (slot == capture_ || !other.has_data || !other.visible) continue;
    const std::string own = ReadOut(other, time);
    if (!own.empty()) observer_->ShowReadOut(slot, own);
  }
}

std::string CScopeCtrl::ReadOut(const Trace& t, double time) const {
  std::uint32_t index;
  if (!t.has_data || t.points.empty() || !t.IndexAt(time, &index) || index < t.first_visible ||
      index > t.last_visible)
    return {};
  const TimeLabel when = MakeTimeLabel((static_cast<double>(index) - t.trigger_frame) * t.time_base, t.time_base);
  const double value = t.samples[index];
  if (t.has_bits || t.kind == 3 || t.kind == 4) {
    const int width = DataTypeWidth(t.data_type);
    const auto raw = (value > -9.2e18 && value < 9.2e18)
                         ? static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)))
                         : 0u;
    const std::string hex = HexText(raw, width);
    return afx::Format("%s: %s, %shex,%sbin %s", t.name.c_str(), when.Joined().c_str(), hex.c_str(),
                       HexToBits(hex, width).c_str(), t.unit.c_str());
  }
  return afx::Format("%s: %s, %s %s", t.name.c_str(), when.Joined().c_str(),
                     ChannelValueText(value, t.key, t.decimals).c_str(), t.unit.c_str());
}

}  // namespace scope
