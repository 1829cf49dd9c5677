// The master end of a pseudo-terminal as a port that the program opens by a COM name: two programs of this
// system then talk over one pseudo-terminal pair, one on each end. The line settings are kept only (a
// pseudo-terminal has no baud).
#pragma once

#include <sys/ioctl.h>

#include <cerrno>

#include "platform/comm/port.h"
#include "platform/comm/pseudo_terminal.h"

namespace trevant {

class PtyMasterPort final : public platform::comm::Port {
 public:
  explicit PtyMasterPort(platform::comm::PseudoTerminal& pty) : pty_(pty) {}
  bool GetSettings(platform::comm::LineSettings* out) override {
    *out = settings_;
    return true;
  }
  bool SetSettings(const platform::comm::LineSettings& s) override {
    settings_ = s;
    return true;
  }
  long Read(std::uint8_t* buffer, std::size_t max) override { return pty_.Read(buffer, max); }
  long Write(const std::uint8_t* data, std::size_t count, unsigned) override {
    return pty_.Write(data, count) ? static_cast<long>(count) : -1;
  }
  bool WaitReadable(unsigned timeout_ms) override { return pty_.WaitReadable(static_cast<int>(timeout_ms)); }
  bool Purge(bool rx, bool) override {
    std::uint8_t drop[64];
    while (rx && pty_.Read(drop, sizeof drop) > 0) {
    }
    return true;
  }
  bool Status(platform::comm::QueueStatus* out) override {
    int waiting = 0;
    if (::ioctl(pty_.master_fd(), FIONREAD, &waiting) != 0) return false;
    *out = platform::comm::QueueStatus{0, static_cast<std::uint32_t>(waiting), 0};
    return true;
  }
  bool SetOutputLine(platform::comm::OutputLine, bool) override { return true; }
  bool SetBreak(bool) override { return true; }
  bool GetModemStatus(std::uint32_t* lines) override {
    *lines = 0;
    return true;
  }
  int LastErrno() const override { return 0; }

 private:
  platform::comm::PseudoTerminal& pty_;
  platform::comm::LineSettings settings_{};
};

}  // namespace trevant
