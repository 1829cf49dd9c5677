// The simulated line: one or more inverters behind one serial line. Bytes from the master are collected into
// telegrams (framed here, apart from the master's code); each complete telegram for a served address is
// answered after the configured delays, unless the fault script says otherwise.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "sim/inverter_device.h"

namespace sim {

enum class FaultKind : std::uint8_t {
  kNone,
  kDrop,          // no reply at all
  kWrongStx,      // first byte not STX
  kBadBcc,
  kTruncate,      // the last byte missing
  kExtraBytes,    // one byte behind the BCC
  kWrongAddress,  // reply from the next address
  kAlterMirror,   // log-in mirror with one pattern byte changed
  kEcho,          // the request comes back as it was sent
  kStatus,        // a reply with the given status byte
  kStall,         // STX and LGE, then nothing
};

struct Fault {
  FaultKind kind = FaultKind::kNone;
  std::uint8_t status = 0;  // kStatus
};

// Bytes to send, delay_ns after the previous chunk (or after the request for the first one).
struct Outgoing {
  std::vector<std::uint8_t> bytes;
  std::int64_t delay_ns = 0;
};

class InverterBus {
 public:
  explicit InverterBus(std::vector<std::uint8_t> addresses = {0}, DeviceIdentity identity = {});

  // Takes bytes from the line; the replies due (each reply as few chunks as its delays allow).
  std::vector<Outgoing> Feed(std::span<const std::uint8_t> bytes);

  InverterDevice* Device(std::uint8_t address);  // null when no device has it
  void AddDevice(std::uint8_t address, DeviceIdentity identity);

  // Moves every device's clock to now_ns (see InverterDevice::Advance).
  void Advance(std::int64_t now_ns);
  // Runs `act` on every device (address -1) or on the one with the address, under the bus's lock; false when
  // no device has the address.
  bool ForDevices(int address, const std::function<void(InverterDevice&)>& act);

  // The fault for the next answered telegram (queued in order), or for every one.
  void QueueFault(Fault fault);
  void SetPersistentFault(Fault fault);
  void SetFirstByteDelay(std::int64_t ns);
  void SetRestDelay(std::int64_t ns);  // between LGE and the rest
  // Telegrams seen (complete, BCC right) and how many of them were answered.
  std::size_t telegrams() const;
  std::size_t answered() const;

 private:
  std::vector<Outgoing> Handle(const std::vector<std::uint8_t>& telegram);
  std::vector<Outgoing> Send(std::vector<std::uint8_t> reply, bool login, Fault fault);
  Fault NextFault();

  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<InverterDevice>> devices_;
  std::vector<std::uint8_t> input_;
  std::deque<Fault> faults_;
  Fault persistent_;
  std::int64_t first_delay_ = 0;
  std::int64_t rest_delay_ = 0;
  std::size_t telegrams_ = 0;
  std::size_t answered_ = 0;
};

}  // namespace sim
