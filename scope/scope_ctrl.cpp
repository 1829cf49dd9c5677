#include "scope/scope_ctrl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/win/cursor.h"
#include "platform/win/dialog.h"
#include "platform/win/message_box.h"
#include "platform/win/window.h"
#include "platform/win/window_class.h"
#include "scope/core/lang_texts.h"
#include "scope/core/step_rule.h"
#include "scope/scope_resources.h"

namespace scope {

namespace {
constexpr COLORREF kDefaultTraceColours[14] = {
    0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0x0000FF, 0x008000,
    0x800000, 0x008080, 0x808000, 0x800080, 0x000080, 0xC0DCC0, 0xF0CAA6,
};
}  // namespace

COLORREF DefaultTraceColour(int slot) { return kDefaultTraceColours[static_cast<std::size_t>(slot % 14)]; }

const afx::MessageMapEntry CScopeCtrl::kEntries[12] = {
    afx::OnCreate<&CScopeCtrl::OnCreate>(),
    afx::OnPaint<&CScopeCtrl::OnPaint>(),
    afx::OnRButtonUp<&CScopeCtrl::OnRButtonUp>(),
    afx::OnLButtonDown<&CScopeCtrl::OnLButtonDown>(),
    afx::OnLButtonUp<&CScopeCtrl::OnLButtonUp>(),
    afx::OnMouseMove<&CScopeCtrl::OnMouseMove>(),
    afx::OnKeyDown<&CScopeCtrl::OnKeyDown>(),
    afx::OnCommandRange<kCmdSelection, kCmdPan, &CScopeCtrl::OnModeCommand>(),
    afx::OnCommandRange<kCmdNewTimeMarker, kCmdDeleteMarker, &CScopeCtrl::OnMarkerCommand>(),
    afx::OnMessage<WM_GETDLGCODE, &CScopeCtrl::OnGetDlgCode>(),
    afx::OnMessage<WM_ERASEBKGND, &CScopeCtrl::OnEraseBkgnd>(),
};
const afx::MessageMap CScopeCtrl::kMessageMap{&afx::CWnd::kMessageMap, kEntries};

CScopeCtrl::CScopeCtrl() {
  for (int i = 0; i < kChannelCount; ++i) {
    traces_[static_cast<std::size_t>(i)].index = i;
    traces_[static_cast<std::size_t>(i)].colour = DefaultTraceColour(i);
  }
}

CScopeCtrl::~CScopeCtrl() { DestroyWindow(); }

bool CScopeCtrl::RegisterWindowClass(HINSTANCE module) {
  WNDCLASS existing;
  if (GetClassInfo(module, kScopeCtrlClass, &existing)) return true;
  WNDCLASS wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hInstance = module;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kScopeCtrlClass;
  return RegisterClass(&wc) != 0;
}

BOOL CScopeCtrl::CreateDisplay(afx::CWnd* parent, UINT id, const RECT& rect) {
  return CreateEx(0, kScopeCtrlClass, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id);
}

int CScopeCtrl::OnCreate(CREATESTRUCT*) {
  // The control shows its cursor itself, by mode.
  SetClassLongPtr(m_hWnd, GCLP_HCURSOR, 0);
  return 0;
}

// The arrows come to the control, not to the scope window's keyboard navigation.
LRESULT CScopeCtrl::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTARROWS; }

// Nothing is erased: the paint covers every pixel.
LRESULT CScopeCtrl::OnEraseBkgnd(WPARAM, LPARAM) { return 1; }

bool CScopeCtrl::SetColour(int which, COLORREF colour) {
  drag_picture_.reset();
  if (which >= 0 && which < kChannelCount) {
    trace(which).colour = colour;
  } else if (which == kColourBackground) {
    background_ = colour;
  } else if (which == kColourGrid) {
    grid_ = colour;
  } else if (which == kColourTrigger) {
    trigger_ = colour;
  } else if (which == kColourMarker) {
    marker_ = colour;
    markers_.SetColour(colour);
    Redraw();
  } else {
    return false;
  }
  return true;
}

COLORREF CScopeCtrl::Colour(int which) const {
  if (which >= 0 && which < kChannelCount) return trace(which).colour;
  switch (which) {
    case kColourBackground: return background_;
    case kColourGrid: return grid_;
    case kColourTrigger: return trigger_;
    case kColourMarker: return marker_;
    default: return 0;
  }
}

void CScopeCtrl::TakeOver(const std::array<TrendChannel, kChannelCount>& channels, std::int32_t trigger_frame,
                          std::int32_t time_base) {
  afx::CWaitCursor wait;
  for (Trace& t : traces_) t.Clear();
  std::uint32_t largest = 0;
  bool out_of_memory = false;
  for (const TrendChannel& c : channels) {
    if (c.index >= kChannelCount) continue;
    // A channel whose copy cannot be allocated stays empty; the others are shown.
    if (!trace(c.index).TakeOver(c, trigger_frame, time_base)) {
      out_of_memory = true;
      continue;
    }
    largest = std::max(largest, c.count());
  }
  axis_.TakeOver(time_base, largest, trigger_frame);
  Notify(kMsgChannelsTaken, 0);
  Redraw();
  for (auto& [number, m] : markers_.all()) m.PlaceUnset(axis_);
  if (observer_) observer_->RefreshAll();
  if (out_of_memory && m_hWnd)
    ::MessageBox(::GetParent(m_hWnd), GetLangText(kRowAllocationFailed, kLibraryLanguage), nullptr,
                 MB_OK | MB_ICONSTOP);
}

void CScopeCtrl::Redraw() {
  drag_picture_.reset();
  if (m_hWnd) Invalidate(FALSE);
}

PlotLayout CScopeCtrl::Layout() const {
  RECT client{};
  if (m_hWnd) GetClientRect(&client);
  return LayOutPlot(client, markers_.AnyShown(true), markers_.AnyShown(false));
}

bool CScopeCtrl::TimeScaleDown() {
  bool done = axis_.ZoomIn();
  if (done) Redraw();
  return done;
}

bool CScopeCtrl::TimeScaleUp() {
  bool done = axis_.ZoomOut();
  if (done) Redraw();
  return done;
}

void CScopeCtrl::MoveTime(int distance) {
  const PlotLayout layout = Layout();
  if (distance == 0) distance = std::max(1, static_cast<int>(layout.XLogical(1)));
  axis_.trigger_position += distance;
  Redraw();
}

void CScopeCtrl::MoveTimeToGrid(bool right) {
  axis_.trigger_position = SnapToGrid(axis_.trigger_position + (right ? 1 : -1), right ? 1 : -1);
  Redraw();
}

void CScopeCtrl::MoveTrace(int slot, int distance) {
  const PlotLayout layout = Layout();
  if (distance == 0) distance = std::max(1, static_cast<int>(layout.YLogical(1)));
  for (Trace& t : traces_)
    if (slot == kNoChannel || t.index == slot) t.vertical_offset += distance;
  Redraw();
}

void CScopeCtrl::MoveTraceToGrid(int slot, bool up) {
  for (Trace& t : traces_)
    if (slot == kNoChannel || t.index == slot)
      t.vertical_offset = up ? SnapToGrid(t.vertical_offset - 1, -1) : SnapToGrid(t.vertical_offset + 1, 1);
  Redraw();
}

void CScopeCtrl::CentreTrace(int slot) {
  if (slot < 0 || slot >= kChannelCount) return;
  trace(slot).vertical_offset = 0;
  Refresh();
}

bool CScopeCtrl::ScaleTrace(int slot, StepDirection direction) {
  if (slot < 0 || slot >= kChannelCount) return false;
  const bool done = trace(slot).ScaleStep(direction);
  if (done) Refresh();
  return done;
}

void CScopeCtrl::AutoscaleTrace(int slot) {
  if (slot < 0 || slot >= kChannelCount) return;
  trace(slot).Autoscale();
  Refresh();
}

void CScopeCtrl::AutoscaleTime() {
  double longest = 0;
  double trigger = 0;
  for (const Trace& t : traces_) {
    if (!t.has_data || t.time_base <= 0) continue;
    longest = std::max(longest, static_cast<double>(t.count()) * t.time_base);
    trigger = std::max(trigger, static_cast<double>(t.trigger_frame) * t.time_base);
  }
  axis_.Autoscale(longest, trigger, Layout().x_step);
  Refresh();
}

void CScopeCtrl::SetTriggerPosition(int logical) {
  axis_.trigger_position = logical;
  Refresh();
}

int CScopeCtrl::HitTrace(POINT point) const {
  const PlotLayout layout = Layout();
  if (!layout.valid) return kNoChannel;
  const double time = axis_.TimeAt(layout.XLogical(point.x - layout.plot.left));
  int best = kNoChannel;
  int best_distance = 11;
  for (const Trace& t : traces_) {
    std::uint32_t i;
    if (!t.has_data || !t.visible || t.points.empty() || !t.IndexAt(time, &i) || i < t.first_visible ||
        i > t.last_visible)
      continue;
    const int y = t.ZeroLineY(layout) + t.YOf(t.samples[i], layout);
    const int distance = std::abs(y - point.y);
    if (distance < best_distance) {
      best_distance = distance;
      best = t.index;
    }
  }
  return best;
}

void CScopeCtrl::Notify(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!m_hWnd) return;
  if (afx::CWnd* owner = GetParent()) owner->SendMessage(message, wparam, lparam);
}

void CScopeCtrl::SetStatusText(const std::string& text) {
  Notify(kMsgStatusText, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace scope
