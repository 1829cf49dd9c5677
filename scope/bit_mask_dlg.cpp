#include "scope/bit_mask_dlg.h"

#include <cstdlib>
#include <string>

#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"
#include "scope/core/value_format.h"
#include "scope/panel_ids.h"

namespace scope {

using namespace bitmask;

namespace {
constexpr int kBitLast = kBitFirst + 31;
// Widths above 4 bytes (and unknown types) offer all 32 bits.
int MaskWidth(const Trace& t) {
  const int width = DataTypeWidth(t.data_type);
  return width >= 1 && width <= 2 ? width : 4;
}
std::uint32_t AllBits(int width) { return width >= 4 ? 0xFFFFFFFFu : (1u << (width * 8)) - 1u; }
}  // namespace

const afx::MessageMapEntry CBitMaskDlg::kEntries[4] = {
    afx::OnControlRange<BN_CLICKED, kBitFirst, kBitLast, &CBitMaskDlg::OnBit>(),
    afx::OnControl<BN_CLICKED, kBinary, &CBitMaskDlg::OnBinary>(),
    afx::OnControlRange<BN_CLICKED, kHex, kBin, &CBitMaskDlg::OnRadix>(),
    afx::OnControlRange<EN_CHANGE, kMaskText, kMaskText, &CBitMaskDlg::OnMaskEdited>(),
};
const afx::MessageMap CBitMaskDlg::kMessageMap{&afx::CDialog::kMessageMap, kEntries};

CBitMaskDlg::CBitMaskDlg(const Trace& trace, afx::CWnd* parent)
    : CDialog(kBitMaskDialog, parent),
      binary(trace.has_bits),
      mask(InitialMask(trace)),
      can_show_bits_(trace.CanShowBits()),
      width_(MaskWidth(trace)) {}

std::uint32_t CBitMaskDlg::InitialMask(const Trace& trace) {
  if (trace.has_bits) return trace.bit_group.mask;
  return AllBits(MaskWidth(trace));
}

BOOL CBitMaskDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  bits_.Collect(*this, kFrame);
  CheckDlgButton(kBinary, binary ? BST_CHECKED : BST_UNCHECKED);
  if (afx::CWnd* w = GetDlgItem(kBinary)) w->EnableWindow(can_show_bits_);
  CheckDlgButton(kHex, BST_CHECKED);
  writing_ = true;
  SetDlgItemText(kMaskText, MaskText(mask).c_str());
  writing_ = false;
  SetBoxes(mask);
  EnableBits();
  return TRUE;
}

// The bit boxes are usable while the bit display is on; those beyond the data width never.
void CBitMaskDlg::EnableBits() {
  bits_.Enable(IsDlgButtonChecked(kBinary) == BST_CHECKED);
  for (int bit = Bits(); bit < 32; ++bit)
    if (afx::CWnd* w = GetDlgItem(kBitFirst + bit)) w->EnableWindow(FALSE);
}

std::string CBitMaskDlg::MaskText(std::uint32_t value) const {
  const std::string hex = HexText(value & AllBits(width_), width_);
  return hex_ ? hex : HexToBits(hex, width_);
}

bool CBitMaskDlg::ParseMask(const std::string& text, std::uint32_t* value) const {
  if (text.empty()) return false;
  if (hex_) {
    if (text.size() > 8 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    *value = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
  } else {
    if (text.size() > static_cast<std::size_t>(Bits()) || text.find_first_not_of("01") != std::string::npos)
      return false;
    *value = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 2));
  }
  *value &= AllBits(width_);
  return true;
}

std::uint32_t CBitMaskDlg::BoxesMask() {
  std::uint32_t value = 0;
  for (int bit = 0; bit < Bits(); ++bit)
    if (IsDlgButtonChecked(kBitFirst + bit) == BST_CHECKED) value |= 1u << bit;
  return value;
}

void CBitMaskDlg::SetBoxes(std::uint32_t value) {
  for (int bit = 0; bit < 32; ++bit)
    CheckDlgButton(kBitFirst + bit, (value >> bit) & 1u ? BST_CHECKED : BST_UNCHECKED);
}

void CBitMaskDlg::OnBit(UINT) {
  writing_ = true;
  SetDlgItemText(kMaskText, MaskText(BoxesMask()).c_str());
  writing_ = false;
}

void CBitMaskDlg::OnBinary() { EnableBits(); }

void CBitMaskDlg::OnRadix(UINT id) {
  const bool hex = static_cast<int>(id) == kHex;
  if (hex == hex_) return;
  std::uint32_t value = BoxesMask();
  ParseMask(GetDlgItem(kMaskText)->GetWindowText(), &value);
  hex_ = hex;
  writing_ = true;
  SetDlgItemText(kMaskText, MaskText(value).c_str());
  writing_ = false;
}

// Typing sets the boxes from the text; a text that is no mask leaves them as they are.
void CBitMaskDlg::OnMaskEdited(UINT) {
  if (writing_) return;
  std::uint32_t value;
  if (ParseMask(GetDlgItem(kMaskText)->GetWindowText(), &value)) SetBoxes(value);
}

void CBitMaskDlg::OnOK() {
  binary = IsDlgButtonChecked(kBinary) == BST_CHECKED;
  mask = BoxesMask();
  EndDialog(IDOK);
}

}  // namespace scope
