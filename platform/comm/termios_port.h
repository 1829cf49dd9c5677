// A serial device or pseudo-terminal through termios: raw, non-blocking, held exclusively (TIOCEXCL and flock,
// since root passes TIOCEXCL), line errors from the driver's interrupt counters where it keeps them.
#pragma once

#include <memory>
#include <string>

#include "platform/comm/port.h"

namespace platform::comm {

class TermiosPort final : public Port {
 public:
  struct OpenResult {
    std::unique_ptr<TermiosPort> port;  // null on failure
    int error = 0;                      // errno of the failure
  };
  // Opens an existing terminal device for reading and writing, exclusively. ENOTTY when it is no terminal,
  // EBUSY when another holder has it.
  static OpenResult Open(const std::string& path);

  ~TermiosPort() override;
  TermiosPort(const TermiosPort&) = delete;
  TermiosPort& operator=(const TermiosPort&) = delete;

  bool GetSettings(LineSettings* out) override;
  bool SetSettings(const LineSettings& settings) override;
  long Read(std::uint8_t* buffer, std::size_t max) override;
  long Write(const std::uint8_t* data, std::size_t count, unsigned timeout_ms) override;
  bool WaitReadable(unsigned timeout_ms) override;
  bool Purge(bool rx, bool tx) override;
  bool Status(QueueStatus* out) override;
  bool Errors(std::uint32_t* errors) override;
  bool SetOutputLine(OutputLine line, bool on) override;
  bool SetBreak(bool on) override;
  bool GetModemStatus(std::uint32_t* lines) override;
  int LastErrno() const override { return errno_; }

  const std::string& path() const { return path_; }
  int fd() const { return fd_; }
  // Whether the driver keeps interrupt counters (real UARTs do, pseudo-terminals do not).
  bool HasLineCounters() const { return has_counters_; }

 private:
  TermiosPort(int fd, std::string path);
  bool Fail();
  // The interrupt counters' new errors since the previous look (kErr* bits).
  std::uint32_t CounterErrors();
  // Whether poll reports a hang-up or an error on the descriptor.
  bool HungUp() const;

  int fd_ = -1;
  std::string path_;
  int errno_ = 0;
  bool has_counters_ = false;
  // Interrupt counters at the previous Status call: break, frame, overrun, buffer overrun, parity.
  int base_brk_ = 0, base_frame_ = 0, base_overrun_ = 0, base_buf_overrun_ = 0, base_parity_ = 0;
  bool pending_io_error_ = false;
  // Set by a read that found nothing waiting and the line up, and consumed by the next Errors call, which then
  // need not poll again: the two belong together (read, then ask why nothing came). Any other call clears it.
  bool line_just_polled_ = false;
};

}  // namespace platform::comm
