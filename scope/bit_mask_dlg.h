// The bit-mask dialog "Properties" (226, modal) of one trace: the bit display switch, the mask as hexadecimal or
// bit text, and one check box per bit (those beyond the data width disabled).
#pragma once

#include <cstdint>

#include "platform/afx/afx.h"
#include "scope/core/trace.h"
#include "scope/frame_group.h"

namespace scope {

class CBitMaskDlg : public afx::CDialog {
 public:
  explicit CBitMaskDlg(const Trace& trace, afx::CWnd* parent = nullptr);

  // After OK: the switch and the mask.
  bool binary = false;
  std::uint32_t mask = 0;

  // The mask a trace's dialog starts with: its bit group's, else all bits of its width.
  static std::uint32_t InitialMask(const Trace& trace);

  static const afx::MessageMap kMessageMap;

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }

 private:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnBit(UINT id);
  void OnBinary();
  void OnRadix(UINT id);
  void OnMaskEdited(UINT id);

  int Bits() const { return width_ * 8; }
  std::string MaskText(std::uint32_t value) const;
  // The mask of the text in the current radix; false when it is not one.
  bool ParseMask(const std::string& text, std::uint32_t* value) const;
  std::uint32_t BoxesMask();
  void SetBoxes(std::uint32_t value);
  void EnableBits();

  bool can_show_bits_;
  int width_;
  bool hex_ = true;
  bool writing_ = false;  // the dialog itself writes the mask text
  FrameGroup bits_;

  static const afx::MessageMapEntry kEntries[4];
};

}  // namespace scope
