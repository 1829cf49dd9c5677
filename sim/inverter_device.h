// One simulated inverter on the bus: its own parameter records (stored least significant byte first, element
// types from the record layout), its identity, status word and device state, and the services it answers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "sim/control_inputs.h"
#include "sim/drive_model.h"
#include "sim/scope_recorder.h"
#include "sim/telegram_watch.h"

namespace sim {

// Status bytes the device answers with.
inline constexpr std::uint8_t kStatusOk = 0;
inline constexpr std::uint8_t kStatusUnknownService = 18;
inline constexpr std::uint8_t kStatusUnknownParameter = 19;
inline constexpr std::uint8_t kStatusNotInThisState = 25;

// Device states (record 33 element 67).
inline constexpr std::uint8_t kStateReady = 2;     // power section off, no fault
inline constexpr std::uint8_t kStateRunning = 4;   // power section on, following the reference
inline constexpr std::uint8_t kStateFault = 6;
inline constexpr std::uint8_t kStateStopping = 7;  // power section on, running down to rest

// Fault codes the simulated drive trips with.
inline constexpr std::uint8_t kFaultExternal = 44;
inline constexpr std::uint8_t kFaultCommunication = 52;

struct DeviceIdentity {
  std::uint8_t family = 1;        // record 5, element 0 (1..3)
  // Record 5, element 1: a type the selection list shows, so a read and a send back name the same device, and
  // whose software versions ('B'..'E') take the P01 'E' of the default image (3.5 A at 400 V).
  std::uint8_t device_type = 55;
  std::uint8_t option_board = 0;  // record 5, element 3
  char version = 'Q';             // record 4, element 0
  std::uint8_t version_byte = 22;  // record 4, element 1
  std::uint8_t positioning = 0;    // record 5, element 9
};

class InverterDevice {
 public:
  InverterDevice(std::uint8_t address, DeviceIdentity identity);

  std::uint8_t address() const { return address_; }
  const DeviceIdentity& identity() const { return identity_; }

  // Answers one request's net data (service byte first): the reply's net data (status byte first).
  std::vector<std::uint8_t> Serve(std::span<const std::uint8_t> request);
  // A broadcast acts like a request whose reply nobody hears.
  void ServeBroadcast(std::span<const std::uint8_t> request) { Serve(request); }

  // --- the device's data, stored form ---
  bool ReadStored(std::uint16_t record, std::uint16_t element, std::span<std::uint8_t> out);
  bool WriteStored(std::uint16_t record, std::uint16_t element, std::span<const std::uint8_t> in);
  std::uint32_t ReadNumber(std::uint16_t record, std::uint16_t element);  // integer elements up to 32 bits
  bool WriteNumber(std::uint16_t record, std::uint16_t element, std::uint32_t value);

  // --- behaviour ---
  // Status k (18..27, or any byte) answered for requests of one element.
  void SetElementError(std::uint16_t record, std::uint16_t element, std::uint8_t status);
  // Bytes of a record the device serves (an older firmware serves less). By default the records and byte
  // counts of the firmware's family and version; a record the firmware lacks answers 19.
  void SetServedBytes(std::uint16_t record, std::uint16_t bytes);
  std::uint16_t ServedBytes(std::uint16_t record) const;
  bool Serves(std::uint16_t record) const;
  // Action n (written 1 into 13.n) ends after this many reads of 13.n, with this result in 33.66 (12.51
  // below firmware '@'). Writing the operation input 55.6 answers 25 while the enable input 36.9 is 1.
  void SetActionBehaviour(std::uint16_t polls, std::uint8_t result);
  // The same for one action only (after the general behaviour is set, this one wins for n).
  void SetActionBehaviour(std::uint16_t n, std::uint16_t polls, std::uint8_t result);
  // Starting action n answers 25 (not in this state).
  void RefuseAction(std::uint16_t n, bool refuse = true);
  bool ActionRunning(std::uint16_t n) const { return running_actions_.count(n) != 0; }
  // Master enable 52.112 written 0 while enabled (states 3, 4, 7): the state leaves them after this many
  // reads of the device state 33.67 (0: at once).
  void SetMasterEnableReads(std::uint16_t reads) { master_enable_reads_ = reads; }
  // The operation input 55.6 and the enable input 36.9 (the hardware enable at the terminals).
  void set_enable(bool on) { SetHardwareEnable(on); }
  std::uint8_t operation_input();
  std::uint16_t status_word() const { return status_word_; }
  std::uint8_t device_state() const { return device_state_; }
  void set_device_state(std::uint8_t state);  // also into 33.67
  std::uint16_t control_word() const { return control_word_; }
  // The control flags of the last control-word telegram (service 3).
  std::uint8_t control_flags() const { return control_flags_; }
  std::uint32_t memory(std::uint32_t address) const;
  void set_memory(std::uint32_t address, std::uint32_t value) { memory_[address] = value; }

  // --- the drive in time ---
  // State changes as short texts ("enabled", "tripped code 52", "recorder ready", ...).
  using EventSink = std::function<void(std::uint8_t address, const std::string& event)>;
  void SetEventSink(EventSink sink) { events_ = std::move(sink); }
  // Moves the device's clock to now_ns: the drive model, the recorder, the telegram monitoring, the guided
  // actions and the time counters step in milliseconds. A device that is never advanced stands still: its
  // state follows its inputs at once, its actual values do not move.
  void Advance(std::int64_t now_ns);
  // A valid telegram for this device arrived (at the time of the last Advance).
  void NoteTelegram();
  void SetHardwareEnable(bool on);
  bool hardware_enable();
  // Trips with the fault code (the fault memory and counters take it); a fault acknowledge clears it, and the
  // drive runs again only after its enable was withdrawn once.
  void Trip(std::uint8_t code);
  bool AcknowledgeFault();
  bool tripped() const { return tripped_; }
  // Monitoring time of the telegrams under serial control; 0 switches it off (the default).
  void SetTelegramTimeout(std::uint32_t ms) { watch_.set_timeout_ms(ms); }
  void SetLoad(double share) { load_ = share; }   // load torque, share of nominal
  // The reference at the terminals (raw speed), taken while the operation input is not serial.
  void SetTerminalReference(std::int16_t raw) {
    terminal_reference_ = raw;
    UpdateDrive();
  }
  void SetMains(double volts) { mains_ = volts; }  // 0: from the device type
  void SetSeed(std::uint32_t seed);
  // Fills the fault memory (records 336..345) with n entries and the fault counters of record 32.
  void FillFaultMemory(unsigned n);
  const DriveValues& drive() const { return drive_.values(); }
  RecorderState recorder_state() const { return recorder_.state(); }

 private:
  std::vector<std::uint8_t>* Record(std::uint16_t record);
  std::uint8_t CheckElement(std::uint16_t record, std::uint16_t element, std::uint16_t* size, std::uint8_t* type);
  void TakeControl(std::uint16_t word, std::uint8_t flags);
  void StartPolledAction(std::uint16_t n);
  bool RefusesWrite(std::uint16_t record, std::uint16_t element, const std::uint8_t* stored);
  bool Enabled() const;
  void AfterWrite(std::uint16_t record, std::uint16_t element);
  void BeforeRead(std::uint16_t record, std::uint16_t element);
  // inverter_drive.cpp
  ControlSources Sources();
  void UpdateDrive();
  void StepMillisecond();
  void WriteOutputs();
  void StartAction(std::uint16_t n);
  void StepGuidedActions(double dt);
  void Emit(const std::string& event);
  DriveSettings ReadDriveSettings();
  // inverter_faults.cpp
  void StoreFaultEntry(std::uint8_t code, std::uint32_t seconds, std::int16_t speed, std::int16_t current,
                       std::int16_t dc_link);
  void CountFault(std::uint8_t code);
  std::uint32_t RunSeconds();

  std::uint8_t address_;
  DeviceIdentity identity_;
  std::map<std::uint16_t, std::vector<std::uint8_t>> records_;
  std::map<std::pair<std::uint16_t, std::uint16_t>, std::uint8_t> element_errors_;
  std::map<std::uint16_t, std::uint16_t> served_bytes_;
  std::map<std::uint32_t, std::uint32_t> memory_;
  std::map<std::uint16_t, std::uint16_t> running_actions_;  // element of record 13 -> polls left
  std::uint16_t action_polls_ = 0;
  std::uint8_t action_result_ = 0;
  struct ActionBehaviour {
    std::uint16_t polls;
    std::uint8_t result;
  };
  std::map<std::uint16_t, ActionBehaviour> action_behaviours_;
  std::map<std::uint16_t, std::uint8_t> action_results_;  // result of the running action
  std::map<std::uint16_t, bool> refused_actions_;
  std::uint8_t old_result_ = 0;  // 12.51 of firmware below '@' (no record of the layout)
  std::uint16_t master_enable_reads_ = 3;
  int master_enable_countdown_ = -1;
  std::uint16_t status_word_ = 0;  // the actual speed, raw
  std::uint8_t device_state_ = 2;  // ready; 3, 4 and 7 are enabled states
  std::uint16_t control_word_ = 0;
  std::uint8_t control_flags_ = 0;
  std::vector<std::uint8_t> remote_block_ = std::vector<std::uint8_t>(12, 0);
  bool general_behaviour_set_ = false;

  // The drive (inverter_drive.cpp).
  EventSink events_;
  DriveModel drive_;
  std::uint32_t seed_ = 1;
  ScopeRecorder recorder_;
  TelegramWatch watch_;
  bool live_ = false;
  std::int64_t now_ns_ = 0;
  std::int64_t stepped_ns_ = 0;
  bool control_seen_ = false;
  std::uint8_t last_operation_input_ = 0;  // as the last write left it
  bool tripped_ = false;
  bool need_enable_edge_ = false;
  bool last_fault_reset_ = false;
  DriveMode mode_ = DriveMode::kOff;
  double load_ = 0;
  std::int16_t terminal_reference_ = 0;
  double mains_ = 0;
  bool reported_running_ = false;
  bool reported_rest_ = true;
  std::uint64_t run_ms_ = 0;
  std::uint64_t enable_ms_ = 0;
  std::uint32_t run_base_s_ = 0;     // the operating-time counters before the simulation
  std::uint32_t enable_base_s_ = 0;
  DriveCommand command_;
  DriveSettings settings_;
  struct Guided {
    double duration_s = 0;
    double elapsed_s = 0;
    bool done = false;
  };
  std::map<std::uint16_t, Guided> guided_;  // element of record 13 -> its run
};

}  // namespace sim
