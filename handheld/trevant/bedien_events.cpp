// The panel's handlers: start and end, the key buttons (held or clicked), the PC keyboard, and the port and
// baud selectors.
#include <algorithm>

#include "handheld/trevant/bedien.h"
#include "platform/sys/module_path.h"
#include "platform/win/input.h"

namespace trevant {

namespace {

struct PcKey {
  WORD vk;
  std::uint8_t key;
};
constexpr PcKey kPcKeys[] = {
    {VK_RETURN, kKeyEnter}, {VK_ESCAPE, kKeyEsc}, {VK_LEFT, kKeyLeft},     {VK_UP, kKeyUp},
    {VK_RIGHT, kKeyRight},  {VK_DOWN, kKeyDown},  {VK_F1, kKeyF1},         {VK_F2, kKeyF1 + 1},
    {VK_F3, kKeyF1 + 2},    {VK_F4, kKeyF1 + 3},  {'H', kKeyHand},         {'I', kKeyEin},
    {'O', kKeyAus},
};
static_assert(std::size(kPcKeys) == kKeyCount);

// F5-F8 ask for these bauds.
constexpr std::uint32_t kBaudKeys[] = {4800, 9600, 19200, 38400};

}  // namespace

void TBedien_::FormCreate(TObject*) {
  settings_path_ = platform::sys::SettingsFilePath("cfg");
  LoadSettings();
  Timer_Startdelay_->SetEnabled(true);
}

void TBedien_::Timer_Startdelay_Timer(TObject*) {
  Timer_Startdelay_->SetEnabled(false);
  if (!stop_) RunLink();
}

void TBedien_::FormCloseQuery(TObject*, bool& can_close) {
  // The loop sees the stop flag at its next step, closes the port and ends the application; without a
  // running loop the port is closed here.
  stop_ = true;
  Timer_Startdelay_->SetEnabled(false);
  if (!running_) port_.SetOpen(false);
  can_close = true;
}

void TBedien_::Speed_Ende_Click(TObject*) { Close(); }

void TBedien_::TakeKey(std::uint8_t key, bool held) {
  if (link_state_ != kStateRun) return;  // no device polled: the key would act on it later, unseen
  key_code_ = key;
  key_held_ = held;
}

void TBedien_::Taste_Pressed(TObject* sender) {
  TakeKey(static_cast<std::uint8_t>(static_cast<TComponent*>(sender)->Tag()), key_held_);
}

void TBedien_::Taste_MouseDown(TObject* sender, TMouseButton button, TShiftState, int, int) {
  if (button != mbLeft) return;
  TakeKey(static_cast<std::uint8_t>(static_cast<TComponent*>(sender)->Tag()), true);
}

void TBedien_::Taste_MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  key_code_ = 0;
  key_held_ = false;
}

void TBedien_::Rad_Com_Click(TObject* sender) { SelectCom(static_cast<TComponent*>(sender)->Tag()); }

void TBedien_::Rad_Baud_Click(TObject* sender) {
  const auto baud = static_cast<std::uint32_t>(static_cast<TComponent*>(sender)->Tag());
  if (BaudCode(baud) < 0) return;
  pending_baud_ = baud;
  baud_change_pending_ = true;
}

void TBedien_::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
  if (shift.Contains(ssShift) && key == 'Z') {
    Lab_Zykluszeit->SetVisible(!Lab_Zykluszeit->Visible());
    key = 0;
    return;
  }
  for (const PcKey& k : kPcKeys) {
    if (k.vk == key) {
      TakeKey(k.key, key_held_);
      key = 0;
      return;
    }
  }
  if (key >= '1' && key < '1' + kComCount) {
    SelectCom(key - '0');
    key = 0;
  } else if (key >= VK_F5 && key <= VK_F8) {
    pending_baud_ = kBaudKeys[key - VK_F5];
    baud_change_pending_ = true;
    key = 0;
  } else if (key == VK_F12) {
    key = 0;
    Close();
  }
}

void TBedien_::SelectCom(int com) {
  if (com < 1 || com > kComCount || com == port_.ComNumber()) return;
  ShowSelection(com);
  // The port changes between telegrams: a pass that runs now ends at its next exchange and the loop changes it.
  pending_com_ = com;
  if (!link_started_) ApplyComChange();
  SaveSettings();
}

void TBedien_::ApplyComChange() {
  if (pending_com_ == 0) return;
  const int com = pending_com_;
  pending_com_ = 0;
  port_.SetOpen(false);
  port_.SetComNumber(com);
  port_.SetOpen(true);
  EnterScan();
}

void TBedien_::ShowSelection(int value) {
  if (value >= 1 && value <= kComCount) {
    for (TLedLabel* l : Led_Com) l->SetActive(l->Tag() == value);
    return;
  }
  for (TLedLabel* l : {Led_4800_, Led_9600_, Led_19200_, Led_38400_}) l->SetActive(l->Tag() == value);
}

void TBedien_::ShowLeds(std::uint8_t leds) {
  TSimpleLed* const in_bit_order[] = {Led_F1_, Led_F2_, Led_F3_, Led_F4_, Led_Hand_, Led_Ein_};
  for (std::size_t bit = 0; bit < std::size(in_bit_order); ++bit) in_bit_order[bit]->SetActive((leds >> bit) & 1);
}

}  // namespace trevant
