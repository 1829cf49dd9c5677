// The simulated unit's side of the line: the master end of a pseudo-terminal, whole frames out, reply frames in
// with a deadline. While it waits it runs an idle hook (tests let the window thread serve its workers there).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/comm/pseudo_terminal.h"

namespace sim::tasto {

class Line {
 public:
  explicit Line(platform::comm::PseudoTerminal& pty) : pty_(pty) {}
  std::function<void()> idle;

  bool Send(const std::vector<std::uint8_t>& bytes);
  // A frame STX, LEN and LEN bytes within timeout_ms (bytes before the STX are dropped); nullopt when none.
  std::optional<std::vector<std::uint8_t>> ReceiveFrame(int timeout_ms);
  // Waits ms, serving the idle hook.
  void Settle(int ms);
  // Drops what waits.
  void Drain();

 private:
  bool ReadByte(std::uint8_t* b, long long deadline_ms);
  platform::comm::PseudoTerminal& pty_;
};

}  // namespace sim::tasto
