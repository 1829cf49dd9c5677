// Trevant's one form, TBedien_: a Tastomatik on the screen. Its keys, two-line display and LEDs stand for the
// unit's; the start timer runs the master loop (RunLink) that drives a device on the unit's protocol: it scans
// the bauds for the device, starts it, sends the key pressed, polls the display and LEDs, answers the jobs and
// changes the baud on request. The loop runs on the window thread and every wait but the scan's pumps messages,
// so keys, mouse and selectors act between telegrams. Closing the form ends the loop and closes the port.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "handheld/common/led_label.h"
#include "handheld/common/serial_port.h"
#include "handheld/common/simple_led.h"
#include "handheld/common/stop_watch.h"
#include "handheld/trevant/telegrams.h"
#include "platform/vcl/vcl.h"

namespace trevant {

// LinkState.
inline constexpr int kStateScan = 1;
inline constexpr int kStateInit = 2;
inline constexpr int kStateRun = 3;
inline constexpr int kStatePortError = 1000;

// Key codes (the key buttons' Tags).
inline constexpr std::uint8_t kKeyLeft = 1;
inline constexpr std::uint8_t kKeyRight = 2;
inline constexpr std::uint8_t kKeyDown = 3;
inline constexpr std::uint8_t kKeyUp = 4;
inline constexpr std::uint8_t kKeyEnter = 5;
inline constexpr std::uint8_t kKeyEsc = 6;
inline constexpr std::uint8_t kKeyF1 = 7;
inline constexpr std::uint8_t kKeyHand = 11;
inline constexpr std::uint8_t kKeyEin = 12;
inline constexpr std::uint8_t kKeyAus = 13;
inline constexpr int kKeyCount = 13;

// Texts of the connection labels.
inline constexpr const char* kTextNoConnection = "?  Verbindung  ?";
inline constexpr const char* kTextStars = "****************";
inline constexpr const char* kTextComError = " COM - Fehler ! ";
inline constexpr const char* kTextPleaseWait = "Bitte warten ...";

// Settings.
inline constexpr const char* kSettingsSection = "Schnittstelle_RS232";
inline constexpr int kDefaultTimeoutScan = 200;
inline constexpr int kDefaultTimeoutRun = 500;
inline constexpr int kComCount = 6;

// The bauds in scan order.
inline constexpr std::array<std::uint32_t, 4> kScanOrder = {9600, 19200, 38400, 4800};

class TBedien_ : public TForm {
 public:
  explicit TBedien_(TComponent* owner);
  ~TBedien_() override;

  // Controls.
  std::array<TSpeedButton*, kKeyCount> Tasten{};  // by Tag - 1
  TPanel* Pan_Anzeige = nullptr;                  // the display's frame, behind Zeile and the labels
  TPanel* Zeile = nullptr;
  TLabel* Lab_Zeile1 = nullptr;
  TLabel* Lab_Zeile2 = nullptr;
  TSimpleLed* Led_F1_ = nullptr;
  TSimpleLed* Led_F2_ = nullptr;
  TSimpleLed* Led_F3_ = nullptr;
  TSimpleLed* Led_F4_ = nullptr;
  TSimpleLed* Led_Hand_ = nullptr;
  TSimpleLed* Led_Ein_ = nullptr;
  std::array<TLedLabel*, kComCount> Led_Com{};  // Led_Com1_ .. Led_Com6_
  TLedLabel* Led_4800_ = nullptr;
  TLedLabel* Led_9600_ = nullptr;
  TLedLabel* Led_19200_ = nullptr;
  TLedLabel* Led_38400_ = nullptr;
  TLabel* Lab_Zykluszeit = nullptr;
  TSpeedButton* Speed_Ende = nullptr;
  TTimer* Timer_Startdelay_ = nullptr;

  // Handlers.
  void FormCreate(TObject* sender);
  void Timer_Startdelay_Timer(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& can_close);
  void Speed_Ende_Click(TObject* sender);
  void Taste_Pressed(TObject* sender);
  void Taste_MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Taste_MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Rad_Com_Click(TObject* sender);
  void Rad_Baud_Click(TObject* sender);
  void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);

  // The master loop: opens the port, runs passes until stopped, closes the port and ends the application.
  void RunLink();
  // LinkState := scan and the port opened (RunLink's start).
  void StartLink();
  // One pass of the loop in the current state.
  void LinkPass();

  void LoadSettings();
  void SaveSettings();
  // Lights the COM label 1-6 or the baud label that matches value and darkens the others of its group.
  void ShowSelection(int value);
  void ShowLeds(std::uint8_t leds);

  // State, for the tests and the panel.
  int LinkState() const { return link_state_; }
  std::uint8_t KeyCode() const { return key_code_; }
  bool KeyHeld() const { return key_held_; }
  bool Stopped() const { return stop_; }
  bool Optimierung() const { return optimierung_; }
  bool BaudChangePending() const { return baud_change_pending_; }
  std::uint32_t PendingBaud() const { return pending_baud_; }
  int TimeoutScan() const { return timeout_scan_; }
  int TimeoutRun() const { return timeout_run_; }
  const std::string& SettingsPath() const { return settings_path_; }
  const std::array<std::string, 2>& DisplayLines() const { return display_; }
  handheld::SerialPort& Port() { return port_; }

 private:
  // The result of one exchange on the line.
  enum class Io { kOk, kNoAnswer, kPortFailed };
  // The replies a step takes.
  enum class Accept { kStatusOk, kOkOrNotServed, kAnyStatus };

  void BuildControls();
  TSpeedButton* MakeKey(const char* name, const char* caption, int tag, int left, int top, int width);
  TSimpleLed* MakeLed(const char* name, int left, int top);
  TLedLabel* MakeSelector(const std::string& name, const std::string& caption, int tag, int left, int top,
                          bool com);

  void Scan();
  void Init();
  void Run();
  void PortError();
  void ChangeBaudrate(std::uint32_t baud);
  // Sends a telegram and reads the reply frame (STX, LEN and what LEN counts) within timeout_ms into reply_.
  Io Exchange(std::span<const std::uint8_t> telegram, double timeout_ms);
  // The reply just read: whole, of the expected length, with a status the step takes.
  bool Accepted(std::size_t length, Accept accept) const;
  // One step of init or run: the exchange and its test. False when the step did not go through; the state
  // has then moved (a refusal rescans, a silent device or failing port goes to the port-error state) unless
  // the pass was interrupted.
  bool Talk(std::span<const std::uint8_t> telegram, double timeout_ms, std::size_t length,
            Accept accept = Accept::kStatusOk);
  // A pause of the run: false when the pass was interrupted meanwhile.
  bool Wait(double ms);
  void EnterScan();
  void EnterPortError(const char* text);
  // Leaving the run state: display, LEDs and cycle time cleared, a pending or held key dropped.
  void LinkLost();
  // A key press: taken only while the device is polled, dropped otherwise.
  void TakeKey(std::uint8_t key, bool held);
  // The pass must end now: stopped, or the port is to change.
  bool Interrupted() const;
  void ApplyComChange();
  void SelectCom(int com);
  void Pause(double ms, bool pump = true) { pause_watch_.Pause(pump, ms); }
  void SetLabels(const std::string& line1, const std::string& line2);
  void PaintDisplay(TObject* sender);
  void DrawDisplay();

  handheld::SerialPort port_;
  handheld::StopWatch pause_watch_;
  handheld::StopWatch cycle_watch_;
  std::string settings_path_;
  std::string error_text_;
  int link_state_ = kStateScan;
  std::uint8_t key_code_ = 0;
  bool key_held_ = false;
  bool stop_ = false;
  bool running_ = false;         // RunLink is on the stack
  bool link_started_ = false;    // the loop has opened the port: a port change waits for the pass's end
  bool optimierung_ = false;
  bool baud_change_pending_ = false;
  std::uint32_t pending_baud_ = 0;
  int pending_com_ = 0;  // a port chosen while a pass runs (0: none)
  int timeout_scan_ = kDefaultTimeoutScan;
  int timeout_run_ = kDefaultTimeoutRun;
  std::size_t scan_index_ = kScanOrder.size() - 1;  // the next scan tries the baud after this one
  std::array<std::uint8_t, kReplyMax> reply_{};
  std::size_t reply_length_ = 0;
  std::array<std::string, 2> display_;
};

}  // namespace trevant
