#include "scope/scope_panel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/afx/color_dialog.h"
#include "platform/afx/string_format.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/gdi/text.h"
#include "platform/win/input.h"
#include "platform/win/window.h"
#include "scope/bit_mask_dlg.h"
#include "scope/caption_button.h"
#include "scope/core/fit_text.h"
#include "scope/core/lang_texts.h"
#include "scope/panel_ids.h"

namespace scope {

using namespace panel;

namespace {

struct TipRow {
  int first;
  int last;
  std::array<int, 4> rows;
};
constexpr TipRow kTips[] = {
#define PANEL_TIP(first, last, r0, r1, r2, r3) {first, last, {r0, r1, r2, r3}},
#include "scope/data/panel_tips.def"
#undef PANEL_TIP
};
constexpr int kRowColourTip = 395;
constexpr int kRowChannelTip = 407;

const char* Lang(int row) { return GetLangText(row, kLibraryLanguage); }
bool Held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }
// The logical distance that moves at least one pixel (pixels are rounded down from logical units).
int OnePixel(double logical_per_pixel) { return std::max(1, static_cast<int>(std::ceil(logical_per_pixel))); }

// The frame around the selected channel's buttons: 4 pixels wide.
constexpr int kFrameWidth = 4;
// A push button's text stays this far inside its window on each side (the focus frame and the raised edge).
constexpr int kButtonBorder = 3;

}  // namespace

const afx::MessageMapEntry CScopePanel::kEntries[10] = {
    afx::OnMessage<kMsgChannelSelected, &CScopePanel::OnChannelSelected>(),
    afx::OnMessage<kMsgChannelsTaken, &CScopePanel::OnChannelsTaken>(),
    afx::OnMessage<kMsgMarkerSelected, &CScopePanel::OnMarkerSelected>(),
    afx::OnMessage<WM_DRAWITEM, &CScopePanel::OnDrawItem>(),
    afx::OnPaint<&CScopePanel::OnPaint>(),
    afx::OnControlRange<BN_CLICKED, kSettings, kSelectLast, &CScopePanel::OnControl>(),
    afx::OnControlRange<BN_CLICKED, kRadioA, kRadioBoth, &CScopePanel::OnControl>(),
    afx::OnControlRange<BN_CLICKED, kGround, kMarkerShown, &CScopePanel::OnControl>(),
    afx::OnNotifyRange<UDN_DELTAPOS, kMarkerSpin, kMarkerSpin, &CScopePanel::OnSpin>(),
    afx::OnNotify<TTN_GETDISPINFO, &CScopePanel::OnToolTipText>(),
};
const afx::MessageMap CScopePanel::kMessageMap{&afx::CDialog::kMessageMap, kEntries};

CScopePanel::CScopePanel() : CChildDialog(kPanelDialog) {}

CScopePanel::~CScopePanel() {
  measure_.reset();
  DestroyWindow();
}

BOOL CScopePanel::Open(CScopeCtrl* display, afx::CWnd* scope_window) {
  display_ = display;
  scope_window_ = scope_window;
  if (!Create(kPanelDialog, scope_window)) return FALSE;
  ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CScopePanel::OnInitDialog() {
  CDialog::OnInitDialog();
  tips_.Create(this);
  tips_.SetMaxTipWidth(300);
  for (const TipRow& row : kTips)
    for (int id = row.first; id <= row.last; ++id)
      if (afx::CWnd* control = Item(id)) tips_.AddTool(control);
  tips_.Activate(TRUE);
  SelectChannel(-1);
  RefreshTime();
  RefreshMarker();
  return TRUE;
}

std::string CScopePanel::TipText(int id) const {
  for (const TipRow& row : kTips) {
    if (id < row.first || id > row.last) continue;
    if (row.rows[0] == kRowColourTip) return afx::Format(Lang(kRowColourTip), id - (kColourFirst - 1));
    if (row.rows[0] == kRowChannelTip) {
      const int slot = id - kSelectFirst;
      const Trace& t = display_->trace(slot);
      const std::string scale = ChannelValueText(t.step_per_division, 1, t.decimals);
      return afx::Format(Lang(kRowChannelTip), slot + 1, t.name.c_str(), t.unit.c_str(), scale.c_str(),
                         t.unit.c_str());
    }
    std::string text;
    for (int r : row.rows) {
      if (r == 0) break;
      if (!text.empty()) text += '\n';
      text += Lang(r);
    }
    return text;
  }
  return {};
}

void CScopePanel::OnToolTipText(UINT, NMHDR* header, LRESULT* result) {
  static std::string buffer;  // the tool tip reads the text before the next request
  auto* info = reinterpret_cast<NMTTDISPINFO*>(header);
  buffer = TipText(::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)));
  info->lpszText = buffer.data();
  *result = 0;
}

void CScopePanel::RelayToolTip(MSG* msg) {
  if (tips_.m_hWnd) tips_.RelayEvent(msg);
}

// A channel's name as it fits its select button's face (the tool tip shows it whole).
std::string CScopePanel::FittedName(int id, const std::string& name) {
  afx::CWnd* button = Item(id);
  if (!button) return name;
  RECT client;
  button->GetClientRect(&client);
  // The text stays inside the focus frame and the raised edge.
  const int width = client.right - client.left - 2 * kButtonBorder;
  HDC dc = ::GetDC(button->m_hWnd);
  if (!dc) return name;
  // The font the button draws with: its own, else the default GUI font.
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(button->SendMessage(WM_GETFONT, 0, 0));
  if (!font) font = ::GetStockObject(DEFAULT_GUI_FONT);
  HGDIOBJ old = ::SelectObject(dc, font);
  const std::string fitted = FitText(name, width, [dc](std::string_view text) {
    SIZE size{};
    ::GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  });
  ::SelectObject(dc, old);
  ::ReleaseDC(button->m_hWnd, dc);
  return fitted;
}

void CScopePanel::SetText(int id, const std::string& text) {
  if (afx::CWnd* w = Item(id)) w->SetWindowText(text.c_str());
}

void CScopePanel::SetCheck(int id, bool on) { CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED); }

bool CScopePanel::Checked(int id) { return IsDlgButtonChecked(id) == BST_CHECKED; }

LRESULT CScopePanel::OnChannelSelected(WPARAM slot, LPARAM) {
  // The panel serves channels 1..8 only: a capture of a higher slot leaves its selection alone.
  if (slot < static_cast<WPARAM>(kChannels)) SelectChannel(static_cast<int>(slot));
  return 0;
}

LRESULT CScopePanel::OnChannelsTaken(WPARAM, LPARAM) {
  if (channel_ >= 0 && !display_->trace(channel_).has_data) channel_ = -1;
  SelectChannel(channel_);
  RefreshTime();
  RefreshMarker();
  return 0;
}

LRESULT CScopePanel::OnMarkerSelected(WPARAM number, LPARAM) {
  marker_ = static_cast<int>(number);
  RefreshMarker();
  return 0;
}

void CScopePanel::SelectChannel(int channel) {
  channel_ = channel;
  for (int i = 0; i < kChannels; ++i) {
    const Trace& t = display_->trace(i);
    SetText(kSelectFirst + i, t.has_data ? FittedName(kSelectFirst + i, t.name) : afx::Format("%d", i + 1));
    SetCheck(kSelectFirst + i, i == channel_);
    if (afx::CWnd* w = Item(kSelectFirst + i)) w->EnableWindow(t.has_data);
  }
  RefreshChannel();
  Invalidate(TRUE);
}

void CScopePanel::RefreshChannel() {
  const bool any = channel_ >= 0 && display_->trace(channel_).has_data;
  for (int id : {kTraceUp, kTraceDown, kScaleUp, kScaleDown, kOff, kInvert, kGround, kOptions})
    if (afx::CWnd* w = Item(id)) w->EnableWindow(any);
  if (!any) {
    SetText(kNameText, "");
    SetText(kScaleText, "");
    for (int id : {kOff, kInvert, kGround}) SetCheck(id, false);
    return;
  }
  const Trace& t = display_->trace(channel_);
  SetText(kNameText, t.name);
  const std::string scale = ChannelValueText(t.step_per_division, 1, t.decimals);
  SetText(kScaleText, afx::Format("%s %s / DIV", scale.c_str(), t.unit.c_str()));
  SetCheck(kOff, !t.visible);
  SetCheck(kInvert, t.inverted);
  SetCheck(kGround, t.ground_line);
  Item(kScaleUp)->EnableWindow(t.CanScale(StepDirection::kUp));
  Item(kScaleDown)->EnableWindow(t.CanScale(StepDirection::kDown));
}

void CScopePanel::RefreshTime() {
  const double t = display_->time_axis().time_per_division;
  std::string text;
  if (t >= 1000000) {
    text = afx::Format("%.0f s", t / 1000000);
  } else if (t >= 1000) {
    text = afx::Format("%.0f ms", t / 1000);
  } else {
    text = afx::Format("%.0f \xB5s", t);
  }
  SetText(kTimeText, afx::Format("%s / DIV", text.c_str()));
  SetCheck(kStairSteps, display_->stair_steps);
}

void CScopePanel::RefreshMarker() {
  const Marker* m = display_->markers().Find(marker_);
  if (!m) {
    marker_ = 0;
    SetText(kMarkerShown, "M-");
    SetCheck(kMarkerShown, false);
    for (int id : {kMarkerLeft, kMarkerRight, kMarkerUp, kMarkerDown})
      if (afx::CWnd* w = Item(id)) w->ShowWindow(SW_HIDE);
  } else {
    SetText(kMarkerShown, afx::Format("M%d", m->number));
    SetCheck(kMarkerShown, m->shown);
    SetCheck(kRadioA, m->move_selection == kMoveA);
    SetCheck(kRadioB, m->move_selection == kMoveB);
    SetCheck(kRadioBoth, m->move_selection == kMoveBoth);
    Item(kMarkerLeft)->ShowWindow(m->time_marker ? SW_SHOW : SW_HIDE);
    Item(kMarkerRight)->ShowWindow(m->time_marker ? SW_SHOW : SW_HIDE);
    Item(kMarkerUp)->ShowWindow(m->time_marker ? SW_HIDE : SW_SHOW);
    Item(kMarkerDown)->ShowWindow(m->time_marker ? SW_HIDE : SW_SHOW);
  }
  if (afx::CWnd* w = Item(kMarkerColour)) w->Invalidate(TRUE);
}

LRESULT CScopePanel::OnDrawItem(WPARAM id, LPARAM lparam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
  COLORREF colour = 0;
  if (static_cast<int>(id) >= kColourFirst && static_cast<int>(id) <= kColourLast) {
    colour = display_->trace(static_cast<int>(id) - kColourFirst).colour;
  } else if (static_cast<int>(id) == kMarkerColour) {
    const Marker* m = display_->markers().Find(marker_);
    colour = m ? m->colour : display_->Colour(kColourMarker);
  } else if (item->CtlType == ODT_BUTTON) {
    PaintCaptionButton(*item);
    return TRUE;
  } else {
    return FALSE;
  }
  RECT r = item->rcItem;
  HBRUSH frame = ::CreateSolidBrush((item->itemState & ODS_SELECTED) ? 0xFFFFFF : 0x000000);
  ::FrameRect(item->hDC, &r, frame);
  ::DeleteObject(frame);
  r.left += 2;
  r.top += 2;
  r.right -= 2;
  r.bottom -= 2;
  HBRUSH fill = ::CreateSolidBrush(colour);
  ::FillRect(item->hDC, &r, fill);
  ::DeleteObject(fill);
  return TRUE;
}

void CScopePanel::OnPaint() {
  afx::CPaintDC dc(this);
  if (channel_ < 0) return;
  // The selected channel's colour and select buttons framed in its colour.
  afx::CWnd* colour = Item(kColourFirst + channel_);
  afx::CWnd* select = Item(kSelectFirst + channel_);
  if (!colour || !select) return;
  RECT a, b;
  colour->GetWindowRect(&a);
  select->GetWindowRect(&b);
  ScreenToClient(&a);
  ScreenToClient(&b);
  RECT r{std::min(a.left, b.left) - kFrameWidth - 1, std::min(a.top, b.top) - kFrameWidth - 1,
         std::max(a.right, b.right) + kFrameWidth + 1, std::max(a.bottom, b.bottom) + kFrameWidth + 1};
  afx::CBrush brush(display_->trace(channel_).colour);
  for (int i = 0; i < kFrameWidth; ++i) {
    dc.FrameRect(r, &brush);
    r.left += 1;
    r.top += 1;
    r.right -= 1;
    r.bottom -= 1;
  }
}

void CScopePanel::OnSpin(UINT, NMHDR* header, LRESULT* result) {
  const auto* nm = reinterpret_cast<const NMUPDOWN*>(header);
  const MarkerSet& set = display_->markers();
  const int next = nm->iDelta > 0 ? set.Next(marker_) : set.Previous(marker_ == 0 ? kMarkerCount + 1 : marker_);
  if (next != 0) display_->SelectMarker(next);
  *result = 1;  // the spin control keeps no position of its own
}

void CScopePanel::OnControl(UINT id_) {
  const int id = static_cast<int>(id_);
  const bool ctrl = Held(VK_CONTROL);
  const bool shift = Held(VK_SHIFT);
  if (id >= kColourFirst && id <= kColourLast) {
    ChooseColour(id);
  } else if (id == kMarkerColour) {
    ChooseColour(id);
  } else if (id >= kSelectFirst && id <= kSelectLast) {
    if (display_->trace(id - kSelectFirst).has_data) SelectChannel(id - kSelectFirst);
  } else if (id == kTraceUp || id == kTraceDown || id == kScaleUp || id == kScaleDown || id == kOff ||
             id == kInvert || id == kGround || id == kOptions) {
    ChannelAction(id, ctrl, shift);
  } else if (id == kTimeLeft || id == kTimeRight || id == kTimeScaleUp || id == kTimeScaleDown ||
             id == kStairSteps) {
    TimeAction(id, ctrl, shift);
  } else if (id == kMeasure) {
    ShowMeasurements(true);
  } else {
    MarkerAction(id, ctrl, shift);
  }
}

void CScopePanel::ChooseColour(int id) {
  const bool marker = id == kMarkerColour;
  Marker* m = display_->markers().Find(marker_);
  if (marker && !m) return;
  const COLORREF initial = marker ? m->colour : display_->trace(id - kColourFirst).colour;
  afx::CColorDialog dialog(initial, 0, this);
  if (dialog.DoModal() != IDOK) return;
  if (marker) {
    m->colour = dialog.GetColor();
  } else {
    display_->SetColour(id - kColourFirst, dialog.GetColor());
  }
  display_->Refresh();
  Invalidate(TRUE);
  if (afx::CWnd* w = Item(id)) w->Invalidate(TRUE);
}

void CScopePanel::ChannelAction(int id, bool ctrl, bool shift) {
  if (channel_ < 0 || !display_->trace(channel_).has_data) return;
  Trace& t = display_->trace(channel_);
  switch (id) {
    case kTraceUp:
    case kTraceDown: {
      const bool up = id == kTraceUp;
      if (ctrl && shift) {
        display_->CentreTrace(channel_);
      } else if (ctrl) {
        display_->MoveTraceToGrid(channel_, up);
      } else {
        // Offsets grow downwards.
        const int distance =
            shift ? OnePixel(display_->Layout().YLogical(1)) : kLogicalPerDivision;
        display_->MoveTrace(channel_, up ? -distance : distance);
      }
      break;
    }
    case kScaleUp:
    case kScaleDown:
      if (ctrl) {
        display_->AutoscaleTrace(channel_);
      } else {
        display_->ScaleTrace(channel_, id == kScaleUp ? StepDirection::kUp : StepDirection::kDown);
      }
      break;
    case kOff: t.visible = !Checked(kOff); display_->Refresh(); break;
    case kInvert: t.inverted = Checked(kInvert); display_->Refresh(); break;
    case kGround: t.ground_line = Checked(kGround); display_->Refresh(); break;
    case kOptions: ChannelOptions(); break;
    default: break;
  }
  RefreshChannel();
}

void CScopePanel::TimeAction(int id, bool ctrl, bool shift) {
  switch (id) {
    case kTimeLeft:
    case kTimeRight: {
      const bool right = id == kTimeRight;
      if (ctrl && shift) {
        display_->SetTriggerPosition(right ? 0 : kXDivisions / 2 * kLogicalPerDivision);
      } else if (ctrl) {
        display_->MoveTimeToGrid(right);
      } else if (shift) {
        const int pixel = OnePixel(display_->Layout().XLogical(1));
        display_->MoveTime(right ? pixel : -pixel);
      } else {
        display_->MoveTime(right ? kLogicalPerDivision : -kLogicalPerDivision);
      }
      break;
    }
    case kTimeScaleUp:
    case kTimeScaleDown:
      if (ctrl) {
        display_->AutoscaleTime();
      } else if (id == kTimeScaleUp) {
        display_->TimeScaleUp();
      } else {
        display_->TimeScaleDown();
      }
      break;
    case kStairSteps:
      display_->stair_steps = Checked(kStairSteps);
      display_->Refresh();
      break;
    default: break;
  }
  RefreshTime();
}

void CScopePanel::MarkerAction(int id, bool ctrl, bool shift) {
  if (id == kMarkerShown) {
    // With no marker selected, the toggle makes a new time marker.
    if (!display_->markers().Find(marker_)) {
      if (!display_->NewMarker(true)) SetCheck(kMarkerShown, false);
      return;
    }
    display_->ShowMarker(marker_, Checked(kMarkerShown));
    RefreshMarker();
    return;
  }
  Marker* m = display_->markers().Find(marker_);
  if (!m) return;
  switch (id) {
    case kRadioA: m->move_selection = kMoveA; return;
    case kRadioB: m->move_selection = kMoveB; return;
    case kRadioBoth: m->move_selection = kMoveBoth; return;
    default: break;
  }
  // Left and down move backwards (down the value axis for a value marker: screen-wise forwards).
  const bool forward = id == kMarkerRight || id == kMarkerUp;
  if (ctrl) {
    display_->MoveMarkerToGrid(marker_, forward, m->move_selection);
    return;
  }
  const int half = kLogicalPerDivision / 2;
  if (m->time_marker) {
    if (shift) {
      const int pixel = OnePixel(display_->Layout().XLogical(1));
      display_->MoveMarker(marker_, forward ? pixel : -pixel, m->move_selection);
    } else {
      display_->MoveMarker(marker_, forward ? half : -half, m->move_selection);
    }
  } else {
    // Value markers move screen-wise: up is a negative screen distance.
    display_->MoveMarker(marker_, forward ? -half : half, m->move_selection);
  }
}

void CScopePanel::ChannelOptions() {
  Trace& t = display_->trace(channel_);
  CBitMaskDlg dialog(t, this);
  if (dialog.DoModal() != IDOK) return;
  t.SetBitDisplay(dialog.binary, dialog.mask);
  display_->Refresh();
}

void CScopePanel::ShowMeasurements(bool on) {
  if (!on) {
    measure_.reset();
    return;
  }
  if (measure_ && measure_->m_hWnd) {
    measure_->ShowWindow(SW_SHOW);
    return;
  }
  measure_ = std::make_unique<CMeasureDlg>();
  const std::string title = Lang(kRowMeasureTitle);
  RECT beside{};
  if (scope_window_) {
    scope_window_->GetWindowRect(&beside);
  } else {
    GetWindowRect(&beside);
  }
  if (!measure_->Open(this, display_, title.c_str(), beside)) measure_.reset();
}

}  // namespace scope
