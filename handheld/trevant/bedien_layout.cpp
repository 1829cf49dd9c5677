// The panel's controls: the display at the top, the F keys with their LEDs, the cursor block with Esc and
// Enter, Hand/Ein/Aus, and on the right the port and baud selectors, the cycle time and "Ende".
#include <string>

#include "handheld/trevant/bedien.h"

namespace trevant {

namespace {

constexpr TColor kHousing = 0x404040;
constexpr TColor kLcd = 0x90C8A8;
constexpr int kKeyHeight = 30;
constexpr unsigned kStartDelayMs = 500;

}  // namespace

TBedien_::TBedien_(TComponent* owner) : TForm(owner) {
  SetCaption("Trevant");
  SetBorderStyle(bsSingle);
  SetClientSize(400, 300);
  SetColor(kHousing);
  SetKeyPreview(true);
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCloseQuery = [this](TObject* s, bool& can_close) { FormCloseQuery(s, can_close); };
  OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
}

TBedien_::~TBedien_() {
  // The controls go first: the display's paint handler reads the lines kept here.
  DestroyComponents();
}

void TBedien_::BuildControls() {
  Pan_Anzeige = Add<TPanel>("Pan_Anzeige");
  Pan_Anzeige->SetParent(this);
  Pan_Anzeige->SetBounds(20, 14, 260, 64);
  Pan_Anzeige->SetBevelOuter(bvLowered);
  Pan_Anzeige->SetColor(kLcd);
  Lab_Zeile1 = Add<TLabel>("Lab_Zeile1");
  Lab_Zeile1->SetParent(Pan_Anzeige);
  Lab_Zeile1->SetBounds(8, 12, 244, 16);
  Lab_Zeile1->SetAlignment(taCenter);
  Lab_Zeile1->SetFontColor(clBlack);
  Lab_Zeile2 = Add<TLabel>("Lab_Zeile2");
  Lab_Zeile2->SetParent(Pan_Anzeige);
  Lab_Zeile2->SetBounds(8, 34, 244, 16);
  Lab_Zeile2->SetAlignment(taCenter);
  Lab_Zeile2->SetFontColor(clBlack);
  Zeile = Add<TPanel>("Zeile");
  Zeile->SetParent(Pan_Anzeige);
  Zeile->SetBounds(8, 9, 244, 46);
  Zeile->SetBevelOuter(bvNone);
  Zeile->SetColor(kLcd);
  Zeile->Canvas().Font = TFont{clBlack, 18, fpFixed, true};
  Zeile->Canvas().Brush.Color = kLcd;
  Zeile->OnPaint = [this](TObject* s) { PaintDisplay(s); };
  Zeile->Hide();

  const char* f_names[] = {"Taste_F1", "Taste_F2", "Taste_F3", "Taste_F4"};
  const char* f_captions[] = {"F1", "F2", "F3", "F4"};
  TSimpleLed** f_leds[] = {&Led_F1_, &Led_F2_, &Led_F3_, &Led_F4_};
  const char* f_led_names[] = {"Led_F1_", "Led_F2_", "Led_F3_", "Led_F4_"};
  for (int n = 0; n < 4; ++n) {
    const int left = 20 + n * 68;
    *f_leds[n] = MakeLed(f_led_names[n], left + 21, 92);
    MakeKey(f_names[n], f_captions[n], kKeyF1 + n, left, 108, 56);
  }
  MakeKey("Taste_Esc", "Esc", kKeyEsc, 20, 150, 40);
  MakeKey("Taste_Auf", "^", kKeyUp, 122, 150, 50);
  MakeKey("Taste_Links", "<", kKeyLeft, 66, 186, 50);
  MakeKey("Taste_Ab", "v", kKeyDown, 122, 186, 50);
  MakeKey("Taste_Rechts", ">", kKeyRight, 178, 186, 50);
  MakeKey("Taste_Enter", "Enter", kKeyEnter, 236, 150, 44)->SetHeight(66);
  Led_Hand_ = MakeLed("Led_Hand_", 41, 226);
  Led_Ein_ = MakeLed("Led_Ein_", 109, 226);
  MakeKey("Taste_Hand", "Hand", kKeyHand, 20, 242, 56);
  MakeKey("Taste_Ein", "Ein", kKeyEin, 88, 242, 56);
  MakeKey("Taste_Aus", "Aus", kKeyAus, 156, 242, 56);

  for (int n = 1; n <= kComCount; ++n) {
    const std::string number = std::to_string(n);
    Led_Com[n - 1] = MakeSelector("Led_Com" + number + "_", "COM" + number, n, 300, 14 + (n - 1) * 18, true);
  }
  Led_4800_ = MakeSelector("Led_4800_", "4800", 4800, 350, 14, false);
  Led_9600_ = MakeSelector("Led_9600_", "9600", 9600, 350, 32, false);
  Led_19200_ = MakeSelector("Led_19200_", "19200", 19200, 350, 50, false);
  Led_38400_ = MakeSelector("Led_38400_", "38400", 38400, 350, 68, false);

  Lab_Zykluszeit = Add<TLabel>("Lab_Zykluszeit");
  Lab_Zykluszeit->SetParent(this);
  Lab_Zykluszeit->SetBounds(300, 132, 90, 16);
  Lab_Zykluszeit->SetFontColor(clSilver);
  Lab_Zykluszeit->Hide();

  Speed_Ende = Add<TSpeedButton>("Speed_Ende");
  Speed_Ende->SetParent(this);
  Speed_Ende->SetCaption("Ende");
  Speed_Ende->SetBounds(310, 242, 70, kKeyHeight);
  Speed_Ende->OnClick = [this](TObject* s) { Speed_Ende_Click(s); };

  Timer_Startdelay_ = Add<TTimer>("Timer_Startdelay_");
  Timer_Startdelay_->SetEnabled(false);
  Timer_Startdelay_->SetInterval(kStartDelayMs);
  Timer_Startdelay_->OnTimer = [this](TObject* s) { Timer_Startdelay_Timer(s); };
}

TSpeedButton* TBedien_::MakeKey(const char* name, const char* caption, int tag, int left, int top, int width) {
  TSpeedButton* key = Add<TSpeedButton>(name);
  key->SetParent(this);
  key->SetCaption(caption);
  key->SetTag(tag);
  key->SetBounds(left, top, width, kKeyHeight);
  key->OnClick = [this](TObject* s) { Taste_Pressed(s); };
  key->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    Taste_MouseDown(s, b, sh, x, y);
  };
  key->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Taste_MouseUp(s, b, sh, x, y); };
  Tasten[static_cast<std::size_t>(tag - 1)] = key;
  return key;
}

TSimpleLed* TBedien_::MakeLed(const char* name, int left, int top) {
  TSimpleLed* led = Add<TSimpleLed>(name);
  led->SetParent(this);
  led->SetShape(stEllipse);
  led->SetBounds(left, top, 14, 12);
  return led;
}

TLedLabel* TBedien_::MakeSelector(const std::string& name, const std::string& caption, int tag, int left, int top,
                                  bool com) {
  TLedLabel* label = Add<TLedLabel>(name);
  label->SetParent(this);
  label->SetCaption(caption);
  label->SetTag(tag);
  label->SetBounds(left, top, 46, 16);
  label->SetActive(false);
  if (com) label->OnClick = [this](TObject* s) { Rad_Com_Click(s); };
  else label->OnClick = [this](TObject* s) { Rad_Baud_Click(s); };
  return label;
}

}  // namespace trevant
