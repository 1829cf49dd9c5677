// The simulated Tastomatik in its master role towards TX-Tool: it connects (probe, start, text table, data-set
// count), polls (key, status, job read) and performs the jobs the PC asks for on data sets of its own.
// It records what it saw (job codes, LED bytes, display lines, block lengths) for the tests to check.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/handheld/tasto_frame.h"
#include "sim/handheld/tasto_line.h"

namespace sim::tasto {

inline constexpr std::size_t kNameLength = 17;
// The data byte of the job-done telegram: 2 the job is done, any other value a failure.
inline constexpr std::uint8_t kJobDone = 2;
inline constexpr std::uint8_t kJobFailed = 1;

struct Slot {
  std::uint16_t attribute = 0;  // bit 0 valid, 1 write-protected, 2 reverse documentation
  std::array<std::uint8_t, kNameLength> name{};
  std::vector<std::uint8_t> image;
};

struct Unit {
  std::array<std::uint8_t, 4> identity = {0x54, 0x41, 0x01, 0x07};
  std::string version = "TASTO V 3.02";
  std::string display1 = "Tastomatik      ";
  std::string display2 = "Bereit          ";
  std::uint16_t data_set_size = 2048;
  std::vector<Slot> slots;
  int announced_count = -1;  // the data-set count sent (-1: the number of slots)
};

// The unit's text tables (parameters 1028, 1029, 1030) hold the slots' names, 14 of 17 bytes each.
inline constexpr std::size_t kNamesPerTable = 14;
inline constexpr std::size_t kTextTableCount = 3;
// Text table `table` (0..2): the names of its slots, zeros for a slot without one.
std::vector<std::uint8_t> NameTable(const Unit& unit, std::size_t table);
// The tables a connect sends: one at least, as many as the slots need, three at most.
std::size_t NameTablesSent(const Unit& unit);

// What the master saw of the PC.
struct Seen {
  std::vector<std::uint8_t> jobs;  // job codes performed, in order
  std::vector<std::uint8_t> leds;  // LED byte of every status reply
  std::string line1, line2;        // display lines of the last status reply
  std::vector<std::size_t> block_lengths;  // of every job 1 and job 2 block
  int bad_replies = 0;
};

class Tastomatik {
 public:
  static constexpr int kReplyTimeoutMs = 1500;
  static constexpr int kGapMs = 20;  // the PC clears its input when it starts to receive

  Tastomatik(Line& line, Unit unit) : line_(line), unit_(std::move(unit)) {}

  // Probe, start, text table, data-set count; false when the PC does not answer as expected.
  bool Connect();
  // One poll: key, status and, when a job is pending, the job. False when a reply failed.
  bool Poll();
  // A job that the unit reports as failed with this code (0: none).
  void FailNextJob(std::uint8_t code) { next_code_ = code != 0 ? std::optional<std::uint8_t>(code) : std::nullopt; }
  // The next job performed is reported with this job-done byte, whatever it is (0 as older units send it).
  void ReportNextJobAs(std::uint8_t code) { next_code_ = code; }
  // The unit is pulled mid-job: the next job is taken (pending cleared) but neither performed nor reported.
  void PullDuringNextJob() { pull_next_ = true; }

  // One request and its reply (after the gap); nullopt when none came or it was garbled.
  std::optional<Reply> Transact(const std::vector<std::uint8_t>& request);
  // Sends bytes that expect no reply, then waits settle_ms.
  void SendOnly(const std::vector<std::uint8_t>& bytes, int settle_ms);

  Unit& unit() { return unit_; }
  // Whether a slot's contents changed (a data set, its name or attribute) since the last call.
  bool TakeChanged() { return std::exchange(changed_, false); }
  const Seen& seen() const { return seen_; }

 private:
  bool Ok(const std::optional<Reply>& r) const { return r && r->status == 0 && r->data.empty(); }
  bool PerformJob(std::uint8_t job, std::uint16_t length, std::uint32_t offset, std::uint8_t slot);
  Slot* SlotAt(std::uint8_t n);

  Line& line_;
  Unit unit_;
  Seen seen_;
  std::optional<std::uint8_t> next_code_;
  bool pull_next_ = false;
  bool changed_ = false;
};

// Faults the simulator can play once (for the program's --fault option and the tests).
enum class Fault { kNone, kBadBcc, kTrailing, kLateBody, kUnknownType, kUnserved, kShortLength, kSilence, kReconnect };
// Plays fault; for those with a reply, true when the PC answered as it must.
bool PlayFault(Tastomatik& unit, Line& line, Fault fault);

}  // namespace sim::tasto
