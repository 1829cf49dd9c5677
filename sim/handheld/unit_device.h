// The simulated device on the unit's protocol that Trevant masters (the side TX-Tool plays): it echoes the
// probe, accepts start, text table and keys, answers the display read with scripted lines and LEDs, the job read
// with a scripted pending flag, and the baud change. It records what the master sent for the tests.
// It serves a pseudo-terminal (ServeOne) or, in process, answers whole telegrams handed to it (Answer).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/handheld/tasto_line.h"

namespace sim::tasto {

struct DeviceScript {
  std::array<std::uint8_t, 17> line1{};
  std::array<std::uint8_t, 17> line2{};
  std::uint8_t led = 0;
  std::uint8_t job = 0;
  std::uint8_t pending = 0;
  std::uint8_t text_table_status = 0;  // 0 or 19 (not served)
  bool refuse_status = false;          // the display read is answered with status 19
  bool refuse_baud = false;            // the set-baud telegram is answered with status 19
  bool silent = false;                 // nothing is answered
};

struct DeviceLog {
  int probes = 0;
  int starts = 0;
  int text_tables = 0;
  std::vector<std::uint8_t> keys;       // key code of every key telegram
  std::vector<std::uint8_t> bauds_set;  // codes of (14,8): 0 4800, 1 9600, 2 19200, 3 38400
  int bauds_applied = 0;
  int status_reads = 0;
  int job_reads = 0;
  int jobs_cleared = 0;
  std::vector<std::uint8_t> jobs_done;  // data byte of every job-done telegram
  int unknown = 0;                      // telegrams not understood (answered "not served")
};

class UnitDevice {
 public:
  UnitDevice() = default;  // in process: Answer only
  explicit UnitDevice(Line& line) : line_(&line) {}
  DeviceScript& script() { return script_; }
  const DeviceLog& log() const { return log_; }
  // The baud the device listens at: 9600 at first, the set code's baud once the apply telegram came (on a
  // pseudo-terminal the switch is logical only).
  std::uint32_t baud() const { return baud_; }
  void set_baud(std::uint32_t baud) { baud_ = baud; }

  // Serves one telegram that arrives within timeout_ms; false when none did (or it was garbled).
  bool ServeOne(int timeout_ms);
  // The reply to one whole telegram; empty when none is due (garbled, or the device is silent).
  std::vector<std::uint8_t> Answer(const std::vector<std::uint8_t>& frame);

 private:
  static std::vector<std::uint8_t> Reply(std::uint8_t status, const std::vector<std::uint8_t>& data = {});

  Line* line_ = nullptr;
  DeviceScript script_;
  DeviceLog log_;
  std::uint32_t baud_ = 9600;
};

}  // namespace sim::tasto
