// The D.. Reference value pages: the ramp unit of the device family in the unit labels, and on part 1 the
// reference-value characteristic drawn into its frame control from the limits and points of the active set. The
// paint reads without message boxes; a failed read is reported once, after the paint, by a posted message.
#include <array>
#include <cmath>

#include "app/binding/binding_support.h"
#include "app/binding/dialog_binding.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/drawing/instruments.h"
#include "app/pages/parameter_pages.h"
#include "app/templates/page_templates.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"

namespace app {
namespace {

constexpr std::uint8_t kFamilyRpm = 2;
constexpr int kPlotControl = 349;
constexpr int kFirstPointEdit = 341;  // the edits of the characteristic's points
constexpr int kLastPointEdit = 344;
constexpr RECT kRedrawRect{0, 0, 888, 666};
constexpr UINT kLostFocus = 512;  // EN_KILLFOCUS
// Posted by the paint when the plot's values could not be read: the failure is shown once, outside the paint.
constexpr UINT kReportPlotRead = WM_APP + 0x131;
constexpr std::uint16_t kCurveRecordSet1 = 53;
constexpr std::uint16_t kCurveRecordSet2 = 54;
// The elements the plot reads: full scale (upper limit of the first), a1, b1, a2, b2.
constexpr std::uint16_t kA1 = 18;
constexpr std::uint16_t kB1 = 22;
constexpr std::uint16_t kA2 = 16;
constexpr std::uint16_t kB2 = 20;
constexpr std::array<std::uint16_t, 4> kPlotElements{kB2, kA2, kB1, kA1};

std::uint16_t CurveRecord() { return GetActiveParamSet() == 1 ? kCurveRecordSet2 : kCurveRecordSet1; }

struct Reading {
  double value = NAN;
  double lower = NAN;
  double upper = NAN;
};

// Value and limits without any message (the paint must not open a box); false when one could not be read.
bool ReadSilently(std::uint16_t element, Reading& out) {
  const std::uint8_t set = GetActiveFile();
  const std::uint16_t record = CurveRecord();
  return binding::ReadValue(record, element, &out.value, set) == 0 &&
         model::GetElementLowerLimit(record, element, &out.lower, model::kModeConverted, set) == 0 &&
         model::GetElementUpperLimit(record, element, &out.upper, model::kModeConverted, set) == 0;
}

void WriteRampUnits(PageState& page) {
  const char* unit = page.family == kFamilyRpm ? model::kRampUnitRpm : model::kRampUnitHz;
  for (int id : PageUnitLabels(page.number, page.list)) SetDlgItemText(page.dialog, id, unit);
}

INT_PTR InitPart(PageState& page) {
  WriteRampUnits(page);
  return TRUE;
}

// Draws the curve into the plot control (its frame is painted already).
void DrawPlot(PageState& page, HWND plot) {
  std::array<Reading, kPlotElements.size()> readings{};
  bool read = true;
  for (std::size_t i = 0; i < kPlotElements.size() && read; ++i) read = ReadSilently(kPlotElements[i], readings[i]);
  if (!read && !page.read_failure_shown) {
    page.read_failure_shown = true;
    PostMessage(page.dialog, kReportPlotRead, 0, 0);
  }
  const Reading& a1 = readings[3];
  const double full_scale = read ? a1.upper : NAN;
  RECT client{};
  GetClientRect(plot, &client);
  HDC dc = GetDC(plot);
  DrawCrossPlot(dc, client.left, client.top, client.right, client.bottom, full_scale, a1.value, readings[2].value,
                readings[1].value, readings[0].value);
  ReleaseDC(plot, dc);
}

// The plot control paints its frame as a static does, then the curve over it: the curve is back whenever the
// control is painted, by the page's paint or on its own.
WNDPROC g_static_proc = nullptr;

LRESULT CALLBACK PlotProc(HWND plot, UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = CallWindowProc(g_static_proc, plot, message, wparam, lparam);
  if (message == WM_PAINT) {
    if (PageState* page = PageStateOf(GetParent(plot)); page != nullptr) DrawPlot(*page, plot);
  }
  return result;
}

INT_PTR InitPart1(PageState& page) {
  if (HWND plot = GetDlgItem(page.dialog, kPlotControl); plot != nullptr) {
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(plot, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlotProc)));
    if (previous != &PlotProc) g_static_proc = previous;
  }
  return InitPart(page);
}

// Shows the first failing read's message (ReadValueAndLimits does so).
void ReportPlotRead(PageState& page) {
  Reading unused;
  for (std::uint16_t element : kPlotElements) {
    if (ReadValueAndLimits(page.dialog, CurveRecord(), element, &unused.value, &unused.lower, &unused.upper) == 0) {
      return;
    }
  }
}

void Redraw(PageState& page) { InvalidateRect(page.dialog, &kRedrawRect, TRUE); }

bool Part1Message(PageState& page, UINT message, WPARAM, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_MOVE:
      Redraw(page);
      return false;
    case kReportPlotRead:
      ReportPlotRead(page);
      result = TRUE;
      return true;
    default:
      return false;
  }
}

void Part1Committed(PageState& page, int id, UINT code, std::uint8_t) {
  if (code == kLostFocus && id >= kFirstPointEdit && id <= kLastPointEdit) Redraw(page);
}

}  // namespace

const ParameterPage kReferenceValuePage{19, 0, {.set1 = 21, .set2 = 22}, PageCommitRule::kPending,
                                        PageExit::kNavigate,
                                        {.init = InitPart1, .committed = Part1Committed, .message = Part1Message}};
const ParameterPage kReferenceValuePart2Page{20, 0, {.set1 = 23, .set2 = 24}, PageCommitRule::kPending,
                                             PageExit::kNavigate, {.init = InitPart}};

INT_PTR OpenReferenceValueDialog() { return RunParameterPage(kReferenceValuePage); }
INT_PTR OpenReferenceValuePart2Dialog() { return RunParameterPage(kReferenceValuePart2Page); }

}  // namespace app
