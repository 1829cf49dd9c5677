// A parameter box on the modem lines of a FakePort: DTR set holds the clock (SCL) low, RTS set drives the data
// line (SDA) low, and RI shows the data line: on when it is high. The box feeds its EEPROM every line change
// and reports RI back. With no box (or a line stuck low) RI stays off, which a master reads as "acknowledge,
// data 0". Faults: absent, stuck low, removed after a number of bytes, refused acknowledges, any contents.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/comm/fake_port.h"
#include "sim/parambox/two_wire_eeprom.h"

namespace sim {

class ParameterBox {
 public:
  // Installs itself as the port's line hook (and removes it again when destroyed).
  explicit ParameterBox(std::shared_ptr<platform::comm::FakePort> port);
  ~ParameterBox();
  ParameterBox(const ParameterBox&) = delete;
  ParameterBox& operator=(const ParameterBox&) = delete;

  TwoWireEeprom& eeprom() { return eeprom_; }
  std::span<std::uint8_t, TwoWireEeprom::kSize> memory() { return eeprom_.memory(); }

  // Plugging in or out; a box plugged in starts from power-up.
  void SetPresent(bool present);
  bool present() const { return present_; }
  void SetStuckLow(bool stuck);
  // The box is pulled out once this many more bytes were written into or read from its memory.
  void RemoveAfterBytes(std::uint32_t bytes);

  // Observation of the master's timing on the process clock: line changes seen and the shortest time between
  // two of them (nanoseconds; -1 before the second change).
  std::uint64_t line_changes() const { return line_changes_; }
  std::int64_t shortest_gap_ns() const { return shortest_gap_ns_; }
  void ResetTiming();

 private:
  void OnLines(platform::comm::FakePort& port);
  void Publish(bool sda_high);
  void CountByte();

  std::shared_ptr<platform::comm::FakePort> port_;
  TwoWireEeprom eeprom_;
  bool present_ = true;
  bool stuck_low_ = false;
  bool dtr_ = false, rts_ = false;
  std::uint32_t bytes_until_removal_ = 0;
  bool removal_armed_ = false;
  std::uint64_t line_changes_ = 0;
  std::int64_t last_change_ns_ = 0;
  std::int64_t shortest_gap_ns_ = -1;
};

}  // namespace sim
