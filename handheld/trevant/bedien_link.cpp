// The master loop: scan for the device's baud, start it, then poll it (key, display, job) and change the baud
// on request; a port that fails or a device that falls silent goes through the port-error state back to the
// scan.
#include <algorithm>
#include <string>

#include "handheld/trevant/bedien.h"
#include "handheld/trevant/display_line.h"

namespace trevant {

namespace {

constexpr double kInactiveSleepMs = 500;
constexpr double kScanPauseMs = 140;
constexpr double kInitPauseMs = 28;
constexpr double kRunPauseMs = 14;
constexpr double kJobPauseMs = 28;
constexpr double kPortErrorPauseMs = 210;
constexpr double kBaudPurgePauseMs = 100;
constexpr double kBaudStepPauseMs = 20;
constexpr double kBaudProbePauseMs = 50;
// The bauds in ascending order: Optimierung asks for the next one up.
constexpr std::uint32_t kAscending[] = {4800, 9600, 19200, 38400};

std::string Padded(std::string text) {
  text.resize(kDisplayLineLength, ' ');
  return text;
}

}  // namespace

void TBedien_::StartLink() {
  link_started_ = true;
  port_.SetOpen(true);
  EnterScan();
  cycle_watch_.Start();
}

void TBedien_::RunLink() {
  running_ = true;
  StartLink();
  while (!stop_ && !Application->Terminated()) LinkPass();
  port_.SetOpen(false);
  running_ = false;
  Application->Terminate();
}

void TBedien_::LinkPass() {
  if (!Application->Active()) Pause(kInactiveSleepMs);
  if (pending_com_ != 0) {
    ApplyComChange();
    return;
  }
  if (stop_ || Application->Terminated()) return;
  switch (link_state_) {
    case kStateScan: Scan(); break;
    case kStateInit: Init(); break;
    case kStateRun: Run(); break;
    default: PortError(); break;
  }
}

bool TBedien_::Interrupted() const { return stop_ || pending_com_ != 0 || Application->Terminated(); }

TBedien_::Io TBedien_::Exchange(std::span<const std::uint8_t> telegram, double timeout_ms) {
  reply_length_ = 0;
  port_.ClearError();
  // Whatever waits now is stale (a late reply of an earlier step): the reply must start clean.
  if (!port_.FlushBuffer(true, false) || !port_.WriteBlock(telegram.data(), telegram.size())) return Io::kPortFailed;
  handheld::StopWatch watch;
  watch.Start();
  const auto failed = [this] { return port_.ErrorSite() == handheld::kSiteNone ? Io::kNoAnswer : Io::kPortFailed; };
  if (!port_.ReadBlock(reply_.data(), 2, timeout_ms)) return failed();
  reply_length_ = 2;
  if (reply_[0] != kStx) return Io::kOk;  // garbled: the test of the reply refuses it
  const std::size_t total = reply_[1] + 2u;
  if (!port_.ReadBlock(reply_.data() + 2, total - 2, std::max(0.0, timeout_ms - watch.Running()))) return failed();
  reply_length_ = total;
  return Io::kOk;
}

bool TBedien_::Accepted(std::size_t length, Accept accept) const {
  const std::span<const std::uint8_t> reply(reply_.data(), reply_length_);
  if (reply_length_ != length || !ReplyIntact(reply)) return false;
  const std::uint8_t status = reply[kStatusByte];
  switch (accept) {
    case Accept::kStatusOk: return status == kStatusOk;
    case Accept::kOkOrNotServed: return status == kStatusOk || status == kStatusNotServed;
    case Accept::kAnyStatus: return true;
  }
  return false;
}

bool TBedien_::Talk(std::span<const std::uint8_t> telegram, double timeout_ms, std::size_t length, Accept accept) {
  const Io io = Exchange(telegram, timeout_ms);
  if (Interrupted()) return false;
  if (io == Io::kPortFailed) {
    EnterPortError(kTextComError);
    return false;
  }
  if (io == Io::kNoAnswer) {
    // The device fell silent: the error state tells so, then the scan looks for it again.
    EnterPortError(kTextNoConnection);
    return false;
  }
  if (!Accepted(length, accept)) {
    EnterScan();
    return false;
  }
  return true;
}

bool TBedien_::Wait(double ms) {
  Pause(ms);
  return !Interrupted();
}

void TBedien_::EnterScan() {
  link_state_ = kStateScan;
  LinkLost();
  // The scan starts at the baud in use: after a lost link or a baud change the device is most likely there.
  const auto at = std::find(kScanOrder.begin(), kScanOrder.end(), port_.Baudrate());
  const std::size_t index = at == kScanOrder.end() ? 0 : static_cast<std::size_t>(at - kScanOrder.begin());
  scan_index_ = (index + kScanOrder.size() - 1) % kScanOrder.size();
}

void TBedien_::EnterPortError(const char* text) {
  link_state_ = kStatePortError;
  error_text_ = text;
  LinkLost();
}

void TBedien_::LinkLost() {
  // Nothing of the lost link stays: no display, LEDs or cycle time, and no key that would reach the device
  // later, when nobody expects it any more.
  Zeile->Hide();
  ShowLeds(0);
  Lab_Zykluszeit->SetCaption("");
  key_code_ = 0;
  key_held_ = false;
}

void TBedien_::SetLabels(const std::string& line1, const std::string& line2) {
  Lab_Zeile1->SetCaption(line1);
  Lab_Zeile2->SetCaption(line2);
}

void TBedien_::Scan() {
  if (!port_.Open()) {
    EnterPortError(kTextComError);
    return;
  }
  Pause(kScanPauseMs, false);
  scan_index_ = (scan_index_ + 1) % kScanOrder.size();
  const std::uint32_t baud = kScanOrder[scan_index_];
  port_.SetBaudrate(baud);
  ShowSelection(static_cast<int>(baud));
  SetLabels(kTextNoConnection, std::to_string(baud) + "Baud");
  const Io io = Exchange(kProbe, timeout_scan_);
  if (Interrupted()) return;
  if (io == Io::kPortFailed) {
    EnterPortError(kTextComError);
    return;
  }
  if (io != Io::kOk || reply_length_ != kProbe.size() || !std::equal(kProbe.begin(), kProbe.end(), reply_.begin())) {
    return;  // the next pass tries the next baud
  }
  if (optimierung_) {
    // A faster baud is asked for once the device runs; the link starts at this one.
    const auto at = std::find(std::begin(kAscending), std::end(kAscending), baud);
    if (at != std::end(kAscending) && at + 1 != std::end(kAscending)) {
      pending_baud_ = *(at + 1);
      baud_change_pending_ = true;
    }
  }
  link_state_ = kStateInit;
}

void TBedien_::Init() {
  if (!Wait(kInitPauseMs) || !Talk(kStart, timeout_run_, kShortReply)) return;
  if (!Wait(kInitPauseMs)) return;
  if (!Talk(TextTableTelegram(), timeout_run_, kShortReply, Accept::kOkOrNotServed)) return;
  link_state_ = kStateRun;
  SetLabels("", "");
  Zeile->Show();
  cycle_watch_.Start();  // the first cycle shown is a poll's, not the scan's
}

void TBedien_::Run() {
  const std::uint8_t key = key_code_;
  if (!key_held_) key_code_ = 0;
  const double cycle = cycle_watch_.Stop();
  cycle_watch_.Start();
  Lab_Zykluszeit->SetCaption(std::to_string(static_cast<long>(cycle)) + " ms");
  const double timeout = 2.0 * timeout_run_;
  if (!Talk(KeyTelegram(key), timeout, kShortReply)) return;
  if (!Wait(kRunPauseMs) || !Talk(kReadDisplay, timeout, kStatusReply)) return;
  std::array<std::uint8_t, kStatusReply> status{};
  std::copy_n(reply_.begin(), kStatusReply, status.begin());
  if (status[kJobCodeByte] != 0) {
    if (!Wait(kJobPauseMs) || !Talk(kReadJob, timeout, kJobReply)) return;
    if (reply_[kJobPendingByte] == 1) {
      if (!Wait(kJobPauseMs) || !Talk(kClearJob, timeout, kShortReply, Accept::kAnyStatus)) return;
      if (!Wait(kJobPauseMs) || !Talk(kJobDone, timeout, kShortReply, Accept::kAnyStatus)) return;
    }
  }
  display_[0] = ConvertDisplayLine(std::span<const std::uint8_t, kDisplayLineLength>(&status[kLine1], kDisplayLineLength));
  display_[1] = ConvertDisplayLine(std::span<const std::uint8_t, kDisplayLineLength>(&status[kLine2], kDisplayLineLength));
  DrawDisplay();
  ShowLeds(status[kLedByte]);
  if (!Wait(kRunPauseMs)) return;
  if (baud_change_pending_) ChangeBaudrate(pending_baud_);
}

void TBedien_::PortError() {
  Zeile->Hide();
  SetLabels(kTextStars, error_text_);
  if (!Wait(kPortErrorPauseMs)) return;
  port_.SetOpen(false);
  port_.SetOpen(true);
  if (port_.Open()) EnterScan();
}

void TBedien_::ChangeBaudrate(std::uint32_t baud) {
  baud_change_pending_ = false;
  ShowSelection(static_cast<int>(baud));
  Zeile->Hide();
  SetLabels(kTextStars, kTextPleaseWait);
  const auto failed = [this] {
    optimierung_ = false;
    EnterScan();
  };
  const int code = BaudCode(baud);
  if (code < 0) return failed();
  port_.FlushBuffer(true, false);
  const double timeout = timeout_run_;
  const auto step = [&](std::span<const std::uint8_t> telegram) {
    const Io io = Exchange(telegram, timeout);
    Pause(kBaudStepPauseMs);
    return io == Io::kOk && Accepted(kShortReply, Accept::kStatusOk);
  };
  Pause(kBaudPurgePauseMs);
  if (Interrupted()) return;
  if (!step(SetBaudTelegram(static_cast<std::uint8_t>(code))) || Interrupted()) return failed();
  if (!step(kApplyBaud) || Interrupted()) return failed();
  port_.SetBaudrate(baud);
  Pause(kBaudProbePauseMs);
  if (Interrupted()) return;
  const Io io = Exchange(kProbe, timeout);
  if (io != Io::kOk || reply_length_ != kProbe.size() || !std::equal(kProbe.begin(), kProbe.end(), reply_.begin())) {
    return failed();
  }
  EnterScan();
}

void TBedien_::PaintDisplay(TObject*) { DrawDisplay(); }

void TBedien_::DrawDisplay() {
  TCanvas& canvas = Zeile->Canvas();
  canvas.TextOut(0, 0, Padded(display_[0]));
  canvas.TextOut(0, 22, Padded(display_[1]));
}

}  // namespace trevant
