// The simulated Tastomatik on a pseudo-terminal, run on a thread of its own: it connects, polls, and once asked
// leaves the line in the middle of its next job for longer than the PC waits for a telegram.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "platform/comm/pseudo_terminal.h"
#include "sim/handheld/tastomatik.h"

namespace txtool {

inline constexpr int kPulledSilenceMs = 5600;  // longer than the worker's wait for a telegram

// The unit on its own thread: connects, polls, and once asked leaves the line in the middle of its next job.
class UnitOnLine {
 public:
  explicit UnitOnLine(sim::tasto::Unit unit) : master_(line_, std::move(unit)) {}
  ~UnitOnLine() { Stop(); }
  bool ok() const { return pty_.ok(); }
  const std::string& path() const { return pty_.slave_path(); }
  void Start() {
    thread_ = std::thread([this] { Run(); });
  }
  // Ends the thread; the unit's state may be read afterwards.
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  void PullDuringNextJob() { pull_ = true; }
  // The next job the unit performs is reported failed with code (before that job comes).
  void FailNextJob(std::uint8_t code) { fail_ = code; }
  // Polls answered since the start.
  int Polls() const { return polls_; }
  sim::tasto::Unit& unit() { return master_.unit(); }

 private:
  void Run() {
    bool connected = false;
    bool armed = false;  // the next job is to be left half done
    while (!stop_) {
      if (!connected) {
        connected = master_.Connect();
        if (!connected) line_.Settle(50);
        continue;
      }
      if (const std::uint8_t code = fail_.exchange(0); code != 0) master_.FailNextJob(code);
      if (pull_.exchange(false)) {
        master_.PullDuringNextJob();
        armed = true;
      }
      connected = master_.Poll();
      polls_ += connected;
      if (armed && !connected) {
        armed = false;
        for (int waited = 0; waited < kPulledSilenceMs && !stop_; waited += 50) line_.Settle(50);
      }
    }
  }
  platform::comm::PseudoTerminal pty_;
  sim::tasto::Line line_{pty_};
  sim::tasto::Tastomatik master_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> pull_{false};
  std::atomic<std::uint8_t> fail_{0};
  std::atomic<int> polls_{0};
};

}  // namespace txtool
