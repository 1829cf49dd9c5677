// CScopeCtrl: the scope display. A child window of the scope window (id 100) that draws the traces of the 19
// channel slots over a grid of 10 x 8 divisions with the trigger line and the margins' indicators, through a
// memory bitmap copied to the screen in one step. It takes the fed channels over on activation, holds the
// colours from the library's start, and offers the mouse modes of its context menu: selection (a press on a
// trace captures it and shows its read-out), pan, zoom and capture of one channel; Up and Down move the capture
// between the slots that hold data.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/afx/afx.h"
#include "scope/core/marker.h"
#include "scope/core/plot_layout.h"
#include "scope/core/time_axis.h"
#include "scope/core/trace.h"
#include "scope/core/trend_channel.h"

namespace scope {

inline constexpr const char* kScopeCtrlClass = "Vqp5000ScopeCtrl";
inline constexpr int kNoChannel = 255;

// Colour selectors of Trend_SetScopeColor beside the channels 0..18.
inline constexpr int kColourBackground = 100;
inline constexpr int kColourGrid = 101;
inline constexpr int kColourTrigger = 102;
inline constexpr int kColourMarker = 103;

// Notifications to the owner (the scope window). The text of kMsgStatusText is passed by address.
inline constexpr UINT kMsgChannelSelected = WM_APP + 3;
inline constexpr UINT kMsgChannelsTaken = WM_APP + 4;
inline constexpr UINT kMsgMarkerSelected = WM_APP + 12;
inline constexpr UINT kMsgStatusText = WM_APP + 102;

// The marker commands appended to the context menu.
inline constexpr UINT kCmdNewTimeMarker = 32810;
inline constexpr UINT kCmdNewValueMarker = 32811;
inline constexpr UINT kCmdDeleteMarker = 32812;

// Told after every take-over and marker change, so that measurements can be recomputed (the measurement tree).
class MarkerObserver {
 public:
  virtual ~MarkerObserver() = default;
  virtual void RefreshAll() = 0;
  virtual void RefreshMarker(int number) = 0;
  virtual void MarkerAdded(int number) = 0;
  virtual void MarkerDeleted(int number) = 0;
  // The display stops capturing: the measurements no longer follow it.
  virtual void Reset() = 0;
  // While a channel is captured and this is true (the measurement window is visible), every other visible channel
  // with data is given its own read-out at the captured time.
  virtual bool ShowsReadOuts() const = 0;
  virtual void ShowReadOut(int slot, const std::string& text) = 0;
};

enum class MouseMode { kSelection = 0, kPan = 1, kZoom = 2, kCapture = 3 };

// The default trace colour of a slot: entry slot modulo 14 of the table.
COLORREF DefaultTraceColour(int slot);

class CScopeCtrl : public afx::CWnd {
 public:
  CScopeCtrl();
  ~CScopeCtrl() override;

  // Registers the window class for the module when it is not registered yet; false when that fails.
  static bool RegisterWindowClass(HINSTANCE module);
  // The visible child window with its id over rect of parent.
  BOOL CreateDisplay(afx::CWnd* parent, UINT id, const RECT& rect);

  // Colours by selector (0..18 traces, 100..103); false (and nothing stored) for any other selector.
  bool SetColour(int which, COLORREF colour);
  // The stored colour, 0 for an unknown selector.
  COLORREF Colour(int which) const;

  // Takes the channel records over: each into the slot of its index, the trigger frame and time base into every
  // trace; scales the time axis to the longest channel, tells the owner (kMsgChannelsTaken) and redraws.
  void TakeOver(const std::array<TrendChannel, kChannelCount>& channels, std::int32_t trigger_frame,
                std::int32_t time_base);

  // Scaling and moving, shared by the mouse and the control panel. Distances are logical units (1000 a
  // division); 0 means one pixel.
  bool TimeScaleDown();  // zoom in
  bool TimeScaleUp();    // zoom out
  void MoveTime(int distance);
  void MoveTimeToGrid(bool right);
  void MoveTrace(int slot, int distance);  // slot kNoChannel: all traces
  void MoveTraceToGrid(int slot, bool up);
  void CentreTrace(int slot);  // vertical offset 0
  bool ScaleTrace(int slot, StepDirection direction);
  void AutoscaleTrace(int slot);
  // The whole recording in the plot, unrounded.
  void AutoscaleTime();
  void SetTriggerPosition(int logical);
  // Redraws after a change of a trace's switches or colour.
  void Refresh() { Redraw(); }

  // Markers. A new one takes the lowest free number and the marker colour, is shown and becomes the selected
  // marker; 0 when all ten exist. Distances are logical units (half a division = 500); 0 means one pixel.
  int NewMarker(bool time_marker);
  bool DeleteMarker(int number);
  void ShowMarker(int number, bool shown);
  void MoveMarker(int number, int distance, std::uint8_t selection);
  void MoveMarkerToGrid(int number, bool forward, std::uint8_t selection);
  void SelectMarker(int number);
  int selected_marker() const { return selected_marker_; }
  const MarkerSet& markers() const { return markers_; }
  MarkerSet& markers() { return markers_; }
  // The measurement tree, or nullptr when none is open.
  void SetMarkerObserver(MarkerObserver* observer) { observer_ = observer; }

  // The nearest visible trace within 10 pixels of a client point, kNoChannel for none.
  int HitTrace(POINT point) const;

  Trace& trace(int slot) { return traces_[static_cast<std::size_t>(slot)]; }
  const Trace& trace(int slot) const { return traces_[static_cast<std::size_t>(slot)]; }
  const TimeAxis& time_axis() const { return axis_; }
  // The plot laid out for the current client size.
  PlotLayout Layout() const;
  MouseMode mouse_mode() const { return mode_; }
  int capture_channel() const { return capture_; }
  bool capturing() const { return capturing_; }
  bool stair_steps = false;  // the panel's switch: traces drawn as steps instead of a polyline

  // Draws the whole display into dc for a client rectangle (the memory bitmap of a paint).
  void Draw(afx::CDC& dc, const RECT& client);

  static const afx::MessageMap kMessageMap;

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }

 private:
  int OnCreate(CREATESTRUCT* cs);
  void OnPaint();
  void OnRButtonUp(UINT flags, POINT point);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnModeCommand(UINT id);
  LRESULT OnGetDlgCode(WPARAM, LPARAM);
  LRESULT OnEraseBkgnd(WPARAM, LPARAM);

  void DrawGrid(afx::CDC& dc, const PlotLayout& layout) const;
  bool DrawTraces(afx::CDC& dc, const PlotLayout& layout);
  void DrawTrace(afx::CDC& dc, const PlotLayout& layout, const Trace& t) const;
  void DrawBitLanes(afx::CDC& dc, const PlotLayout& layout, const Trace& t) const;
  void DrawMargins(afx::CDC& dc, const PlotLayout& layout) const;
  // What does not move while a marker is dragged: background, grid, traces, trigger line and margins. True when
  // a trace was drawn.
  bool DrawStill(afx::CDC& dc, const RECT& client, const PlotLayout& layout);
  // Drawn over it: the markers and the read-out's drag line (clipped to the plot), then the marker labels.
  void DrawMoving(afx::CDC& dc, const RECT& client, const PlotLayout& layout);
  void DrawMarkers(afx::CDC& dc, const PlotLayout& layout);
  void DrawMarkerLabels(afx::CDC& dc, const RECT& client, const PlotLayout& layout) const;
  void OnMarkerCommand(UINT id);
  // The times (from the trigger) that every channel with data has samples for, narrowed to what the plot shows
  // when it shows any of them; false when no channel has data.
  bool RecordedSpan(double* first, double* last) const;
  // A marker point under the client point starts a drag of it; false when none is hit.
  bool PressMarker(POINT point);
  void DragMarker(POINT point);
  void ReleaseMarker(POINT point);
  void EndMarkerDrag();
  // Invalidates the display; the picture kept for a marker drag is dropped, as something else changed.
  void Redraw();
  // A label of capitals and digits in the 5 x 7 glyphs at a client point (top left); other characters leave gaps.
  void DrawLabel(afx::CDC& dc, int x, int y, std::string_view text, COLORREF colour) const;
  const afx::CBitmap* Glyphs(UINT id, COLORREF colour) const;

  void Notify(UINT message, WPARAM wparam, LPARAM lparam = 0);
  void SetStatusText(const std::string& text);
  void ClipToPlot();
  void ReleaseCapturing();
  void ShowReadOut(POINT point);
  std::string ReadOut(const Trace& t, double time) const;
  void ShowModeCursor(bool ctrl_held);

  std::array<Trace, kChannelCount> traces_;
  TimeAxis axis_;
  COLORREF background_ = 0x000000;
  COLORREF grid_ = 0x606060;
  COLORREF trigger_ = 0x0000FF;
  COLORREF marker_ = 0xFFFFFF;
  MouseMode mode_ = MouseMode::kSelection;
  int capture_ = kNoChannel;
  bool capturing_ = false;
  bool panning_ = false;
  int pressed_trace_ = kNoChannel;
  POINT pressed_{};
  int drag_x_ = -1;  // the read-out's drag line, -1 for none
  MarkerSet markers_;
  int selected_marker_ = 0;
  int dragged_marker_ = 0;        // the marker dragged by the mouse, 0 for none
  std::uint8_t dragged_points_ = 0;
  double dragged_from_a_ = 0;     // its points at the press
  double dragged_from_b_ = 0;
  // While a marker is dragged: what does not move (DrawStill), drawn once for the client size.
  std::unique_ptr<afx::CBitmap> drag_picture_;
  SIZE drag_picture_size_{};
  bool drag_picture_traces_ = false;
  MarkerObserver* observer_ = nullptr;
  // Recoloured glyph bitmaps by (bitmap id, colour).
  mutable std::map<std::uint64_t, std::unique_ptr<afx::CBitmap>> glyphs_;

  static const afx::MessageMapEntry kEntries[12];
};

}  // namespace scope
