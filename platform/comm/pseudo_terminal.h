// A pseudo-terminal pair for simulated devices and tests: the device side holds the master, the program under
// test opens the slave by its path. A slave descriptor stays open here so that the line keeps its raw settings
// and the master never sees a hang-up while the program closes and reopens its port.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::comm {

class PseudoTerminal {
 public:
  PseudoTerminal();  // opens the pair; ok() tells whether that worked
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool ok() const { return master_ >= 0; }
  int error() const { return error_; }
  const std::string& slave_path() const { return slave_path_; }
  int master_fd() const { return master_; }

  // Master side, non-blocking: bytes read (0 when none wait), -1 on failure.
  long Read(std::uint8_t* buffer, std::size_t max);
  // Writes all bytes (waiting for room): true when all went out.
  bool Write(const std::uint8_t* data, std::size_t count);
  // Waits up to timeout_ms (negative: without limit) for bytes from the slave side.
  bool WaitReadable(int timeout_ms);
  // Closes the master: the slave side then reads EIO (a device that went away).
  void CloseMaster();

 private:
  int master_ = -1;
  int slave_ = -1;
  int error_ = 0;
  std::string slave_path_;
};

}  // namespace platform::comm
