// The simulated inverter in time: its inputs decoded into the drive's command, the drive model, the device state
// and status bits, the recorder, the guided motor actions, the telegram monitoring and the time counters.
#include <algorithm>
#include <array>
#include <cmath>

#include "model/device_identity.h"
#include "sim/drive_scales.h"
#include "sim/inverter_device.h"

namespace sim {
namespace {

constexpr std::int64_t kMillisecond = 1'000'000;
constexpr std::int64_t kLongestCatchUpMs = 10'000;  // a longer pause is skipped, not replayed
constexpr std::uint16_t kActionRecord = 13;
constexpr std::uint16_t kStateRecord = 33;
constexpr std::uint16_t kInputRecord = 36;
constexpr std::uint16_t kControlRecord = 52;
constexpr std::uint16_t kCounterRecord = 32;
constexpr std::uint16_t kScopeSettingsRecord = 454;
constexpr std::uint16_t kScopeSampleRecord = 453;
constexpr std::uint16_t kStartScope = 10;
constexpr std::uint16_t kStopScope = 11;
constexpr std::uint16_t kFaultAcknowledge = 9;
constexpr std::uint16_t kAutotuning = 13;
constexpr std::uint16_t kPhaseTest = 17;
constexpr double kAutotuningSeconds = 5.0;
constexpr double kPhaseTestSeconds = 3.0;
constexpr std::uint8_t kGuidedDone = 253;        // element 69 of record 33: the guided action has finished
constexpr std::uint8_t kGuidedProgressTop = 252;
constexpr std::uint8_t kInterruptedResult = 1;
constexpr std::uint8_t kNoChannelResult = 24;
constexpr std::int32_t kStandstill = 50;          // raw speed
constexpr std::int32_t kSpeedWindow = 100;        // raw speed: n = reference
constexpr double kQuickStopFactor = 5.0;          // quick stop ramp: the deceleration five times as fast

// Status bits (E100, record 33 element 104).
enum StatusBit : std::uint32_t {
  kBitReady = 1u << 0,
  kBitEnabled = 1u << 1,
  kBitFault = 1u << 2,
  kBitAtReference = 1u << 4,
  kBitStandstill = 1u << 5,
  kBitAccelerating = 1u << 6,
  kBitDecelerating = 1u << 7,
  kBitSerial = 1u << 8,
  kBitEnableInput = 1u << 9,
  kBitQuickStop = 1u << 10,
  kBitLeft = 1u << 11,
  kBitRecorder = 1u << 12,
};

std::uint32_t Raw(double v, double lo, double hi) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(std::clamp(v, lo, hi)))); }
std::uint32_t I16(double v) { return Raw(v, -32768, 32767); }

// Raw speed per second from a ramp time in tenths of a second per 150 Hz; 0 (no ramp) for a time of 0 or less.
double RampRate(std::uint32_t stored) {
  const auto tenths = static_cast<std::int16_t>(stored);
  if (tenths <= 0) return 0;
  return kRampSpanHz * kSpeedRawPerHz / (tenths * kRampTimeUnitS);
}

}  // namespace

void InverterDevice::Emit(const std::string& event) {
  if (events_) events_(address_, event);
}

bool InverterDevice::hardware_enable() { return ReadNumber(kInputRecord, 9) == 1; }

void InverterDevice::SetHardwareEnable(bool on) {
  if (hardware_enable() == on) return;
  WriteNumber(kInputRecord, 9, on ? 1 : 0);
  Emit(on ? "hardware enable on" : "hardware enable off");
  UpdateDrive();
}

ControlSources InverterDevice::Sources() {
  ControlSources s;
  s.operation_input = operation_input();
  s.hw_enable = hardware_enable();
  s.control_seen = control_seen_;
  s.control_word = control_word_;
  s.control_flags = control_flags_;
  s.terminal_reference = terminal_reference_;
  // Without a clock the master enable acts through its own count of state reads.
  s.master_enable = !live_ || ReadNumber(kControlRecord, 112) != 0;
  const std::uint16_t set = ReadNumber(kStateRecord, 61) == 1 ? 35 : 34;
  for (std::size_t i = 0; i < kBinaryInputs; ++i) {
    s.setup.function[i] = static_cast<std::uint8_t>(ReadNumber(set, static_cast<std::uint16_t>(19 + i)));
    s.setup.inverted[i] = ReadNumber(set, static_cast<std::uint16_t>(32 + i)) == 1;
  }
  return s;
}

void InverterDevice::UpdateDrive() {
  const DriveCommand c = DecodeControl(Sources());
  command_ = c;
  if (c.fault_reset && !last_fault_reset_) AcknowledgeFault();
  last_fault_reset_ = c.fault_reset;
  if (c.external_fault && !tripped_) Trip(kFaultExternal);
  // A guided motor action holds the motor: it needs the enable, not a direction.
  const bool enable = guided_.empty() ? c.enable : c.enable_request;
  if (!enable) need_enable_edge_ = false;
  const bool run = enable && !tripped_ && !need_enable_edge_;
  if (tripped_) {
    mode_ = DriveMode::kOff;
  } else if (run) {
    mode_ = DriveMode::kRun;
  } else if (!drive_.AtRest() && mode_ != DriveMode::kOff) {
    mode_ = c.quick_stop || mode_ == DriveMode::kQuickStop ? DriveMode::kQuickStop : DriveMode::kStop;
  } else {
    mode_ = DriveMode::kOff;
  }
  const std::uint8_t state = tripped_                       ? kStateFault
                             : mode_ == DriveMode::kRun     ? kStateRunning
                             : mode_ == DriveMode::kOff     ? kStateReady
                                                            : kStateStopping;
  if (state != device_state_) set_device_state(state);
  if (mode_ == DriveMode::kRun && !reported_running_) Emit("enabled");
  if (mode_ != DriveMode::kRun && reported_running_) Emit("disabled");
  reported_running_ = mode_ == DriveMode::kRun;
  WriteOutputs();
}

void InverterDevice::Trip(std::uint8_t code) {
  if (tripped_) return;
  tripped_ = true;
  need_enable_edge_ = true;
  watch_.Stop();
  const DriveValues& v = drive_.values();
  StoreFaultEntry(code, RunSeconds(), static_cast<std::int16_t>(I16(v.speed)),
                  static_cast<std::int16_t>(I16(v.current * kNominalRaw)), static_cast<std::int16_t>(I16(v.dc_link * kVoltRaw)));
  CountFault(code);
  WriteNumber(kStateRecord, 58, code);
  WriteNumber(kStateRecord, 64, 3);  // event level: fault
  Emit("tripped code " + std::to_string(code));
  UpdateDrive();
}

bool InverterDevice::AcknowledgeFault() {
  if (!tripped_) return false;
  tripped_ = false;
  WriteNumber(kStateRecord, 58, 0);
  WriteNumber(kStateRecord, 64, 0);
  Emit("fault acknowledged");
  UpdateDrive();
  return true;
}

// The monitoring starts with the first valid telegram under serial control.
void InverterDevice::NoteTelegram() {
  if (IsSerial(operation_input()) && !tripped_) watch_.Watch(now_ns_);
  watch_.Seen(now_ns_);
}

void InverterDevice::StartAction(std::uint16_t n) {
  const bool scripted = general_behaviour_set_ || action_behaviours_.count(n) != 0;
  bool refused_start = false;
  if (n == kStartScope) {
    std::array<std::uint8_t, kRecorderSettingsBytes> settings{};
    ReadStored(kScopeSettingsRecord, 0, settings);
    refused_start = !recorder_.Start(settings);
    WriteNumber(kStateRecord, 59, static_cast<std::uint8_t>(recorder_.state()));
    Emit(std::string("recorder ") + RecorderStateName(recorder_.state()));
  } else if (n == kStopScope) {
    const RecorderState before = recorder_.state();
    recorder_.Stop();
    WriteNumber(kStateRecord, 59, static_cast<std::uint8_t>(recorder_.state()));
    if (recorder_.state() != before) Emit(std::string("recorder ") + RecorderStateName(recorder_.state()));
  } else if (n == kFaultAcknowledge) {
    AcknowledgeFault();
  } else if ((n == kAutotuning || n == kPhaseTest) && !scripted) {
    guided_[n] = Guided{n == kPhaseTest ? kPhaseTestSeconds : kAutotuningSeconds, 0.0, false};
    WriteNumber(kStateRecord, 69, 0);
    WriteNumber(kStateRecord, 66, 0);
    Emit("action " + std::to_string(n) + " requested");
    return;  // it runs while the drive is enabled, not by polls
  }
  StartPolledAction(n);
  if (refused_start && !scripted) action_results_[n] = kNoChannelResult;
}

void InverterDevice::StepGuidedActions(double dt) {
  for (auto it = guided_.begin(); it != guided_.end();) {
    const std::string name = "action " + std::to_string(it->first);
    Guided& g = it->second;
    const bool running = mode_ == DriveMode::kRun;
    if (!g.done && running) {
      if (g.elapsed_s == 0) Emit(name + " running");
      g.elapsed_s += dt;
      WriteNumber(kStateRecord, 69,
                  static_cast<std::uint32_t>(std::min<double>(kGuidedProgressTop, g.elapsed_s / g.duration_s * kGuidedProgressTop)));
      if (g.elapsed_s >= g.duration_s) {
        g.done = true;
        WriteNumber(kStateRecord, 69, kGuidedDone);
        WriteNumber(kStateRecord, 66, 0);
        Emit(name + " done");
      }
    } else if (!g.done && g.elapsed_s > 0) {
      // The enable went away while it ran.
      WriteNumber(kActionRecord, it->first, 0);
      WriteNumber(kStateRecord, 66, kInterruptedResult);
      WriteNumber(kStateRecord, 69, 0);
      Emit(name + " interrupted");
      it = guided_.erase(it);
      continue;
    } else if (g.done && !running) {
      WriteNumber(kActionRecord, it->first, 0);
      Emit(name + " ended");
      it = guided_.erase(it);
      continue;
    }
    ++it;
  }
}

DriveSettings InverterDevice::ReadDriveSettings() {
  DriveSettings s;
  const bool second = ReadNumber(kStateRecord, 61) == 1;
  const std::uint16_t ramps = second ? 49 : 48;  // D00 accel, D01 decel
  s.accel_per_s = RampRate(ReadNumber(ramps, 0));
  s.decel_per_s = RampRate(ReadNumber(ramps, 2));
  s.quick_per_s = s.decel_per_s * kQuickStopFactor;
  s.max_speed = std::max<std::int32_t>(0, static_cast<std::int16_t>(ReadNumber(second ? 39 : 38, 2)));  // C01 n-Max
  s.mains_volts = mains_ > 0 ? mains_ : model::InverterTypeRowOf(ReadNumber(5, 1)).mains_voltage / 10.0;
  s.load = load_;
  return s;
}

void InverterDevice::Advance(std::int64_t now_ns) {
  now_ns_ = now_ns;
  if (!live_) {
    live_ = true;
    stepped_ns_ = now_ns;
    UpdateDrive();
    return;
  }
  std::int64_t steps = (now_ns - stepped_ns_) / kMillisecond;
  if (steps <= 0) return;
  if (steps > kLongestCatchUpMs) {
    stepped_ns_ = now_ns - kLongestCatchUpMs * kMillisecond;
    steps = kLongestCatchUpMs;
  }
  settings_ = ReadDriveSettings();
  for (std::int64_t i = 0; i < steps; ++i) {
    stepped_ns_ += kMillisecond;
    StepMillisecond();
  }
}

void InverterDevice::StepMillisecond() {
  constexpr double dt = 0.001;
  ++run_ms_;
  if (!IsSerial(operation_input()) || tripped_) watch_.Stop();
  if (watch_.Expired(stepped_ns_)) Trip(kFaultCommunication);
  StepGuidedActions(dt);
  const std::int32_t target = guided_.empty() ? command_.reference : 0;  // a guided action holds the motor
  drive_.Step(dt, settings_, mode_, command_.ramp_hold, target);
  if (mode_ == DriveMode::kRun) ++enable_ms_;
  if ((mode_ == DriveMode::kStop || mode_ == DriveMode::kQuickStop) && drive_.AtRest()) UpdateDrive();
  if (drive_.AtRest() && !reported_rest_) Emit("stopped");
  reported_rest_ = drive_.AtRest();
  if (recorder_.Tick([this](std::uint16_t r, std::uint16_t e, std::span<std::uint8_t> out) { return ReadStored(r, e, out); })) {
    if (recorder_.state() == RecorderState::kReady) {
      WriteStored(kScopeSampleRecord, 0, recorder_.ring());
      WriteNumber(kStateRecord, 42, recorder_.ring_start());
    }
    WriteNumber(kStateRecord, 59, static_cast<std::uint8_t>(recorder_.state()));
    Emit(std::string("recorder ") + RecorderStateName(recorder_.state()));
  }
  WriteOutputs();
}

void InverterDevice::WriteOutputs() {
  if (!live_) return;  // a device without a clock keeps the values it was given
  const DriveValues& v = drive_.values();
  const std::uint32_t speed = I16(v.speed);
  WriteNumber(kStateRecord, 0, speed);
  WriteNumber(kStateRecord, 2, speed);
  WriteNumber(kStateRecord, 18, speed);  // reference behind the ramp
  WriteNumber(kStateRecord, 40, speed);
  WriteNumber(kStateRecord, 32, I16(v.reference));
  WriteNumber(kStateRecord, 16, I16(std::abs(v.speed)));
  WriteNumber(kStateRecord, 14, I16(v.current * kNominalRaw));
  WriteNumber(kStateRecord, 6, I16(v.torque * kNominalRaw));
  WriteNumber(kStateRecord, 4, I16(v.torque * kTorqueRawPerUnit));
  WriteNumber(kStateRecord, 12, I16(v.power * kNominalRaw));
  WriteNumber(kStateRecord, 8, I16(v.dc_link * kVoltRaw));
  WriteNumber(kStateRecord, 10, I16(v.motor_volts * kVoltRaw));
  WriteNumber(kStateRecord, 50, I16(v.heat * 100 * kPercentRaw));
  WriteNumber(kStateRecord, 52, I16(v.heat * 100 * kPercentRaw));
  WriteNumber(kStateRecord, 34, I16(30 + 20 * v.heat));
  WriteNumber(kStateRecord, 36, I16(25 + 30 * v.heat));
  status_word_ = static_cast<std::uint16_t>(speed);

  const bool serial = IsSerial(operation_input());
  const bool hw = hardware_enable();
  std::uint32_t bits = 0;
  if (!tripped_) bits |= kBitReady;
  if (mode_ != DriveMode::kOff) bits |= kBitEnabled;
  if (tripped_) bits |= kBitFault;
  if (mode_ == DriveMode::kRun && std::abs(v.speed - v.reference) < kSpeedWindow) bits |= kBitAtReference;
  if (std::abs(v.speed) < kStandstill) bits |= kBitStandstill;
  if (v.acceleration * v.speed > 0) bits |= kBitAccelerating;
  if (v.acceleration * v.speed < 0) bits |= kBitDecelerating;
  if (serial) bits |= kBitSerial;
  if (hw) bits |= kBitEnableInput;
  if (command_.quick_stop) bits |= kBitQuickStop;
  if (v.speed < 0) bits |= kBitLeft;
  if (recorder_.state() != RecorderState::kInactive && recorder_.state() != RecorderState::kReady) bits |= kBitRecorder;
  WriteNumber(kStateRecord, 104, bits);
  WriteNumber(kStateRecord, 84, bits & 0xFFFF);
  if (command_.set_by_input) WriteNumber(kStateRecord, 61, command_.second_set ? 1 : 0);
  WriteNumber(kInputRecord, 16, (hw ? 1u : 0u) | std::uint32_t{command_.inputs} << 1);
  for (std::uint16_t i = 0; i < kBinaryInputs; ++i) {
    WriteNumber(kInputRecord, static_cast<std::uint16_t>(10 + i), (command_.inputs >> i) & 1);
  }
  WriteNumber(kControlRecord, 40,
              (command_.enable ? 1u : 0u) | std::uint32_t{command_.inputs} << 1 | (command_.quick_stop ? 0x40u : 0u));

  // Operating times: run time and mains-on time since the counters' base, enable time, energy in Wh.
  const std::uint32_t run = RunSeconds();
  const std::uint32_t enabled = enable_base_s_ + static_cast<std::uint32_t>(enable_ms_ / 1000);
  for (const auto& [element, seconds] : std::array<std::pair<std::uint16_t, std::uint32_t>, 3>{
           {{0, run}, {4, run}, {12, enabled}}}) {
    WriteNumber(kCounterRecord, element, std::min<std::uint32_t>(seconds / 3600, 65535));
    WriteNumber(kCounterRecord, static_cast<std::uint16_t>(element + 2), seconds / 60 % 60);
    WriteNumber(kCounterRecord, static_cast<std::uint16_t>(element + 3), seconds % 60);
  }
}

}  // namespace sim
