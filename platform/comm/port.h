// A serial port as the comm layer sees it: line settings, reads that never block, writes with a time-out,
// purge, line errors and queue levels, modem lines. TermiosPort serves devices and pseudo-terminals,
// FakePort serves tests and in-process simulated devices.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::comm {

// Line error bits, in the positions the Win32-shaped calls report them.
inline constexpr std::uint32_t kErrRxOver = 0x0001;    // receive queue overflow
inline constexpr std::uint32_t kErrOverrun = 0x0002;   // hardware overrun
inline constexpr std::uint32_t kErrRxParity = 0x0004;  // receive parity error
inline constexpr std::uint32_t kErrFrame = 0x0008;     // framing error
inline constexpr std::uint32_t kErrBreak = 0x0010;     // break on the line
inline constexpr std::uint32_t kErrTxFull = 0x0100;    // transmit queue full
inline constexpr std::uint32_t kErrIo = 0x0400;        // I/O error (device gone, hang-up)
inline constexpr std::uint32_t kErrMode = 0x8000;      // mode not supported

// Modem input lines, as GetCommModemStatus reports them.
inline constexpr std::uint32_t kModemCts = 0x0010;
inline constexpr std::uint32_t kModemDsr = 0x0020;
inline constexpr std::uint32_t kModemRing = 0x0040;
inline constexpr std::uint32_t kModemCd = 0x0080;

enum class Parity : std::uint8_t { kNone = 0, kOdd = 1, kEven = 2 };
enum class OutputLine : std::uint8_t { kDtr, kRts };

struct LineSettings {
  std::uint32_t baud = 9600;
  std::uint8_t data_bits = 8;
  Parity parity = Parity::kNone;
  bool parity_check = false;
  std::uint8_t stop_bits = 1;  // 1 or 2
  bool xon_xoff_out = false;
  bool xon_xoff_in = false;
  bool rts_cts = false;
};

struct QueueStatus {
  std::uint32_t errors = 0;     // kErr* bits raised since the previous call
  std::uint32_t in_queue = 0;   // received bytes waiting
  std::uint32_t out_queue = 0;  // bytes not yet sent
};

class Port {
 public:
  virtual ~Port() = default;

  virtual bool GetSettings(LineSettings* out) = 0;
  virtual bool SetSettings(const LineSettings& settings) = 0;
  // Takes what is waiting, at most max bytes, without blocking: the count, 0 when nothing waits, -1 on failure.
  virtual long Read(std::uint8_t* buffer, std::size_t max) = 0;
  // Writes within timeout_ms: the count written (short when the time ran out), -1 on failure.
  virtual long Write(const std::uint8_t* data, std::size_t count, unsigned timeout_ms) = 0;
  // Waits until received bytes wait or timeout_ms has passed; true when bytes wait.
  virtual bool WaitReadable(unsigned timeout_ms) = 0;
  virtual bool Purge(bool rx, bool tx) = 0;
  // Line errors since the previous call and the queue levels; false when they cannot be read.
  virtual bool Status(QueueStatus* out) = 0;
  // The line errors alone, for a caller that does not need the queue levels: a port may answer it with fewer
  // system calls. The same errors, and the same consumption of them, as Status.
  virtual bool Errors(std::uint32_t* errors) {
    QueueStatus s;
    if (!Status(&s)) return false;
    if (errors) *errors = s.errors;
    return true;
  }
  virtual bool SetOutputLine(OutputLine line, bool on) = 0;
  virtual bool SetBreak(bool on) = 0;
  virtual bool GetModemStatus(std::uint32_t* lines) = 0;  // kModem* bits
  // errno of the last failure (0 when none).
  virtual int LastErrno() const = 0;
};

}  // namespace platform::comm
