// The seven online monitor windows: open or raise, fill from the active file's data set at the opening and on
// every poll, close; the drive monitor's bar gauges.
#include "app/online/monitor_dialogs.h"

#include <cmath>
#include <iterator>
#include <limits>

#include "app/binding/binding_support.h"
#include "app/binding/dialog_binding.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/documents/file_titles.h"
#include "app/drawing/drawing_layer.h"
#include "app/online/monitor_windows.h"
#include "app/pages/posi_records.h"
#include "app/templates/page_templates.h"
#include "link/online_services.h"
#include "model/element_access.h"
#include "model/value_converters.h"

namespace app {
namespace {

struct MonitorRow {
  Modeless kind;
  int number;  // template
  int first;
  int last;
  std::uint8_t list;
  int x;
  int y;
  bool full;
};

constexpr MonitorRow kMonitors[] = {
#define MONITOR(kind, number, first, last, list, x, y, full) {Modeless::kind, number, first, last, list, x, y, full},
#include "app/data/monitor_windows.def"
#undef MONITOR
};
static_assert(std::size(kMonitors) == 7);

// The fieldbus monitor's buttons that open the bit windows.
constexpr int kStatusBitsButton = 4;
constexpr int kControlBitsButton = 6;

// The drive monitor: the warning time, which shows " -" unless the event level is 2 (a warning), the frames the
// bars fill and their palette colours.
constexpr std::uint16_t kDriveRecord = 33;
constexpr std::uint16_t kEventLevelElement = 64;
constexpr std::uint16_t kWarningTimeElement = 65;
constexpr std::uint16_t kScaleModeElement = 61;
constexpr std::uint8_t kSecondSetScaleMode = 2;
constexpr std::array<int, 3> kBarFrames = {746, 747, 748};
constexpr std::array<std::uint16_t, 3> kBarColours = {2, 3, 4};
constexpr std::array<std::uint16_t, 3> kBarValueElements = {2, 6, 12};

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

DriveBars& Bars() {
  static DriveBars bars;
  return bars;
}

// The row a window was made for: its index plus one in the dialog's user word (0 before WM_INITDIALOG).
const MonitorRow* RowOfWindow(HWND dialog) {
  const LONG_PTR slot = GetWindowLongPtr(dialog, DWLP_USER);
  if (slot < 1 || static_cast<std::size_t>(slot) > std::size(kMonitors)) return nullptr;
  return &kMonitors[static_cast<std::size_t>(slot - 1)];
}

const MonitorRow& RowOfKind(Modeless kind) {
  for (const MonitorRow& row : kMonitors) {
    if (row.kind == kind) return row;
  }
  return kMonitors[0];
}

// Whether the element arrived whole in the last poll. Records the poll does not read keep what the file holds.
bool Arrived(std::uint16_t record, std::uint16_t element) {
  const auto& monitored = ilink::FixedTransferList(ilink::TransferList::kMonitor);
  bool read_by_poll = false;
  for (const ilink::TransferListRow& row : monitored) read_by_poll = read_by_poll || (row.record == record);
  if (!read_by_poll) return true;
  const std::uint16_t size = binding::ElementSize(record, element);
  return std::uint32_t{element} + size <= ilink::MonitorRecordBytes(record);
}

bool ShownByButton(const binding::MenuListEntry& row) {
  return row.kind == 14 || ((row.kind == 2 || row.kind == 3) && row.flag != 0);
}

// A value that did not arrive is shown as such: its text says so, its check box is neither on nor off.
void ShowNotArrived(HWND dialog, int id, int ids, const binding::MenuListEntry& row) {
  for (int k = 0; k < ids; ++k) {
    HWND control = GetDlgItem(dialog, id + k);
    if (control == nullptr) continue;
    if (ShownByButton(row)) {
      const LONG style = GetWindowLong(control, GWL_STYLE);
      SetWindowLong(control, GWL_STYLE, (style & ~static_cast<LONG>(BS_TYPEMASK)) | static_cast<LONG>(BS_3STATE));
      CheckDlgButton(dialog, id + k, BST_INDETERMINATE);
    } else {
      SetWindowText(control, kInvalidValueText);
    }
  }
}

void MarkRowsNotArrived(HWND dialog, const MonitorRow& m, std::uint8_t set) {
  binding::ListRows rows;
  if (!binding::LoadRows(m.list, set, rows)) return;
  int id = m.first;
  for (std::size_t i = 0; i < rows.count && id < m.last; ++i) {
    const int ids = binding::IdsOfRow(rows[i]);
    if (ids == 0) continue;
    if (!Arrived(rows[i].record, rows[i].element)) ShowNotArrived(dialog, id, ids, rows[i]);
    id += ids;
  }
}

// A converted value, unless it cannot be had or is the mark of a speed that cannot be computed.
bool ReadConverted(std::uint16_t record, std::uint16_t element, std::uint8_t set, double* value) {
  return model::ReadElement(record, element, value, model::kModeConverted, set) == 0 && std::isfinite(*value) &&
         std::fabs(*value) != model::kSpeedNotComputable;
}

// A bar's range: plus/minus the magnitude, the fallback when it cannot be read or is no magnitude.
void SetRange(BarGaugeRecord& bar, bool read, double magnitude, double fallback) {
  const double m = read && std::isfinite(magnitude) && std::fabs(magnitude) > 0.0 ? std::fabs(magnitude) : fallback;
  bar.minimum = static_cast<float>(-m);
  bar.maximum = static_cast<float>(m);
  bar.last = kRedrawMark;
}

void SetBarRanges(std::uint8_t mode, std::uint8_t set) {
  const bool second = mode == kSecondSetScaleMode;
  auto& bars = Bars().bars;
  double speed = 0.0;
  const bool speed_read = ReadConverted(second ? 39 : 38, 2, set, &speed);
  SetRange(bars[0], speed_read, speed, 3000.0);
  double torque = 0.0;
  const bool torque_read = model::ReadConvertedSetValue(second ? 41 : 40, 4, &torque, set) == 0;
  SetRange(bars[1], torque_read, torque, 100.0);
  double power = 0.0;
  const bool power_read = ReadConverted(second ? 43 : 42, 6, set, &power);
  SetRange(bars[2], power_read, 2.0 * power, 30.0);
}

// The frames' rectangles in the dialog's client area.
std::array<RECT, 3>& Frames() {
  static std::array<RECT, 3> frames{};
  return frames;
}

// The bars lie over the frame controls; the controls themselves are hidden, so that their painting (which
// comes after the dialog's) never covers a bar: the dialog draws the frames with the bars.
void PlaceBars(HWND dialog) {
  auto& bars = Bars().bars;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    HWND frame = GetDlgItem(dialog, kBarFrames[i]);
    RECT r{};
    GetWindowRect(frame, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    ShowWindow(frame, SW_HIDE);
    Frames()[i] = r;
    BarGaugeRecord& bar = bars[i];
    bar.x = static_cast<std::int16_t>(r.left + 1);
    bar.y = static_cast<std::int16_t>(r.top + 1);
    bar.width = static_cast<std::int16_t>(r.right - r.left + 1);
    bar.height = static_cast<std::int16_t>(r.bottom - r.top + 1);
    bar.colour = kBarColours[i];
    bar.last = kRedrawMark;
  }
}

void DrawFrames() {
  SelectPen(0, 0, kPaletteBlack);
  for (const RECT& r : Frames()) {
    const DrawPoint outline[] = {
        {r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, {r.left, r.top}};
    DrawPolyline(outline);
  }
}

// Draws the bars on the window's own DC (whole: with their frames, every bar anew); a value that did not
// arrive leaves its gauge empty.
void DrawBars(HWND dialog, std::uint8_t set, bool polled, bool whole) {
  DriveBars& d = Bars();
  if (!d.valid || !BeginDrawDC(dialog)) return;
  if (whole) {
    DrawFrames();
    for (BarGaugeRecord& bar : d.bars) bar.last = kRedrawMark;
  }
  for (std::size_t i = 0; i < d.bars.size(); ++i) {
    BarGaugeRecord& bar = d.bars[i];
    double value = 0.0;
    const bool arrived = !polled || Arrived(kDriveRecord, kBarValueElements[i]);
    const float shown = arrived && ReadConverted(kDriveRecord, kBarValueElements[i], set, &value)
                            ? static_cast<float>(value)
                            : kNoValue;
    if (std::isnan(shown)) {
      if (!std::isnan(bar.last)) {
        SelectBrush(kPaletteWhite);
        FillRectangle(bar.x, bar.y, bar.x + bar.width - 3, bar.y + bar.height - 3);
        bar.last = kRedrawMark;
      }
      continue;
    }
    DrawBarGauge(bar, shown);
  }
  EndDrawDC();
}

// The first control of the window's row that shows the element; 0 when no row of its list shows it.
int ControlOfElement(const MonitorRow& m, std::uint8_t set, std::uint16_t record, std::uint16_t element) {
  binding::ListRows rows;
  if (!binding::LoadRows(m.list, set, rows)) return 0;
  int id = m.first;
  for (std::size_t i = 0; i < rows.count && id < m.last; ++i) {
    const int ids = binding::IdsOfRow(rows[i]);
    if (ids == 0) continue;
    if (rows[i].record == record && rows[i].element == element) return id;
    id += ids;
  }
  return 0;
}

// The drive monitor's additions to a fill: the warning time's " -" outside a warning (the control that shows it,
// where the window's list has one; never another value's control), the bar ranges on a new scale mode, the bars.
void RefillDrive(HWND dialog, const MonitorRow& m, std::uint8_t set, bool polled) {
  double level = 0.0;
  const bool level_read = (!polled || Arrived(kDriveRecord, kEventLevelElement)) &&
                          ReadConverted(kDriveRecord, kEventLevelElement, set, &level);
  const int warning_time = ControlOfElement(m, set, kDriveRecord, kWarningTimeElement);
  if (warning_time != 0 && (!level_read || level != 2.0)) SetDlgItemText(dialog, warning_time, " -");
  double mode_value = 0.0;
  std::uint8_t mode = kUnknownScaleMode;
  if ((!polled || Arrived(kDriveRecord, kScaleModeElement)) &&
      ReadConverted(kDriveRecord, kScaleModeElement, set, &mode_value) && mode_value >= 0.0 && mode_value < 255.0) {
    mode = static_cast<std::uint8_t>(mode_value);
  }
  if (mode != Bars().scale_mode) {
    Bars().scale_mode = mode;
    SetBarRanges(mode, set);
  }
  DrawBars(dialog, set, polled, false);
}

// Fills the window from the data set; after a poll, values that did not arrive are shown as such.
void Refill(HWND dialog, const MonitorRow& m, bool polled) {
  const std::uint8_t set = GetActiveFile();
  if (FillDialogFromParameters(dialog, m.first, m.last, m.list, set, 0) != kBindingOk) return;
  if (polled) MarkRowsNotArrived(dialog, m, set);
  if (m.kind == Modeless::kDriveMonitor) RefillDrive(dialog, m, set, polled);
}

void InitMonitor(HWND dialog, const MonitorRow& m) {
  PlaceDialog(dialog, m.x, m.y);
  if (m.kind == Modeless::kDriveMonitor) {
    DriveBars& d = Bars();
    d = DriveBars{};
    PlaceBars(dialog);
    d.valid = true;
  }
  ModelessWindow(m.kind) = dialog;
  Refill(dialog, m, false);
  if (m.kind == Modeless::kPositioningMonitor || m.kind == Modeless::kFieldbusMonitor) {
    WritePositionUnitLabels(dialog, PageUnitLabels(m.number), GetActiveFile());
  }
  RegisterMonitorWindow(dialog, m.full);
}

void CloseMonitor(HWND dialog, const MonitorRow& m) {
  ModelessWindow(m.kind) = nullptr;
  UnregisterMonitorWindow(dialog);
  DestroyWindow(dialog);
}

INT_PTR CALLBACK MonitorProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    const auto index = static_cast<std::size_t>(lparam);
    if (index < std::size(kMonitors)) {
      SetWindowLongPtr(dialog, DWLP_USER, lparam + 1);
      InitMonitor(dialog, kMonitors[index]);
    }
    return TRUE;
  }
  const MonitorRow* m = RowOfWindow(dialog);
  if (m == nullptr) return FALSE;
  switch (message) {
    case WM_ACTIVATE:
      SetDefaultHelpContext(static_cast<std::uint16_t>(m->number), m->first, m->last);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == IDOK || id == IDCANCEL) {
        CloseMonitor(dialog, *m);
      } else if (m->kind == Modeless::kFieldbusMonitor && id == kStatusBitsButton) {
        OpenStatusBitsMonitor();
      } else if (m->kind == Modeless::kFieldbusMonitor && id == kControlBitsButton) {
        OpenControlBitsMonitor();
      } else {
        SetHelpContextFromCommand(static_cast<std::uint16_t>(m->number), m->first, m->last, id, HIWORD(wparam));
      }
      return TRUE;
    }
    case WM_MONITOR_UPDATE:
      Refill(dialog, *m, true);
      return TRUE;
    case WM_PAINT:
      if (m->kind != Modeless::kDriveMonitor) return FALSE;
      {
        PAINTSTRUCT ps;
        BeginPaint(dialog, &ps);
        EndPaint(dialog, &ps);
      }
      // The bars are drawn whole again at once (not only at the next poll) from the values last read.
      DrawBars(dialog, GetActiveFile(), ilink::MonitorRecordBytes(kDriveRecord) != 0, true);
      return TRUE;
    case WM_DESTROY:
      // However it ends (its button, the poll's close, CloseAllMonitors, the main window's end).
      if (m->kind == Modeless::kDriveMonitor) Bars().valid = false;
      if (ModelessWindow(m->kind) == dialog) ModelessWindow(m->kind) = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void OpenMonitor(Modeless kind) {
  HWND& handle = ModelessWindow(kind);
  if (handle != nullptr && IsWindow(handle)) {
    RaiseWindow(handle);
    return;
  }
  handle = nullptr;
  const MonitorRow& m = RowOfKind(kind);
  const auto index = static_cast<LPARAM>(&m - kMonitors);
  HWND dialog = CreateDialogParam(AppInstance(), MAKEINTRESOURCE(m.number), MainWindow(), MonitorProc, index);
  // A registration that failed has closed the window already.
  if (dialog != nullptr && IsWindow(dialog)) ShowWindow(dialog, SW_SHOW);
}

}  // namespace

void OpenDriveMonitor() { OpenMonitor(Modeless::kDriveMonitor); }
void OpenControlInterfaceMonitor() { OpenMonitor(Modeless::kControlInterfaceMonitor); }
void OpenProcessDataMonitor() { OpenMonitor(Modeless::kProcessDataMonitor); }
void OpenPositioningMonitor() { OpenMonitor(Modeless::kPositioningMonitor); }
void OpenFieldbusMonitor() { OpenMonitor(Modeless::kFieldbusMonitor); }
void OpenStatusBitsMonitor() { OpenMonitor(Modeless::kStatusBits); }
void OpenControlBitsMonitor() { OpenMonitor(Modeless::kControlBits); }

void CommandOpenMonitor(HWND /*main*/, UINT id) {
  switch (id) {
    case 2090: OpenDriveMonitor(); break;
    case 2091: OpenControlInterfaceMonitor(); break;
    case 2092: OpenProcessDataMonitor(); break;
    case 2093: OpenPositioningMonitor(); break;
    case 2098: OpenFieldbusMonitor(); break;
    default: break;
  }
}

const DriveBars& DriveMonitorBars() { return Bars(); }

// Every open monitor window closes: its handle cleared first (its own destroy handling then finds nothing left to
// do), taken off the poll list, destroyed.
void CloseAllMonitors() {
  for (const MonitorRow& m : kMonitors) {
    if (const HWND window = ModelessWindow(m.kind)) CloseMonitor(window, m);
  }
}

}  // namespace app
