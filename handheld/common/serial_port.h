// The handheld tools' serial port: "COMn" opened exclusively, raw 8E1 at 9600 by default, reads that return at
// once with the waiting loops done here. No call throws: a failure shows as a false result, 0 or a closed port,
// with the platform's last error and the site of the failing call kept in the object.
#pragma once

#include <cstddef>
#include <cstdint>

#include "handheld/common/stop_watch.h"
#include "platform/comm/win_comm.h"

namespace handheld {

// Sites of a failed call (ErrorSite).
inline constexpr int kSiteNone = 0;
inline constexpr int kSiteOpen = 3;
inline constexpr int kSiteClose = 4;
inline constexpr int kSiteInQueue = 5;
inline constexpr int kSiteOutQueue = 6;
inline constexpr int kSiteParityRead = 7;
inline constexpr int kSiteParityWrite = 8;
inline constexpr int kSiteStopBitsRead = 9;
inline constexpr int kSiteStopBitsWrite = 10;
inline constexpr int kSiteBaudRead = 11;
inline constexpr int kSiteBaudWrite = 12;
inline constexpr int kSiteDataBitsRead = 13;
inline constexpr int kSiteDataBitsWrite = 14;
inline constexpr int kSiteBytesWaiting = 15;
inline constexpr int kSitePurge = 16;
inline constexpr int kSiteBlockRead = 17;
inline constexpr int kSiteCharRead = 18;
inline constexpr int kSiteWrite = 19;

// Parity and stop-bit codes of the settings.
inline constexpr int kParityNone = 0;
inline constexpr int kParityOdd = 1;
inline constexpr int kParityEven = 2;
inline constexpr int kParityMark = 3;
inline constexpr int kStopBitsOne = 0;
inline constexpr int kStopBitsOneFive = 1;
inline constexpr int kStopBitsTwo = 2;

class SerialPort {
 public:
  SerialPort();
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  bool Open() const { return open_; }
  void SetOpen(bool open);
  HANDLE Handle() const { return handle_; }

  int ComNumber() const { return com_number_; }
  void SetComNumber(int number);  // an open port is closed, renumbered and reopened
  int Databits() const { return data_bits_; }
  void SetDatabits(int bits);  // only 4..8 taken; a line that cannot carry them keeps the old value
  std::uint32_t Baudrate() const { return baud_; }
  void SetBaudrate(std::uint32_t baud);
  int Parity() const { return parity_; }
  void SetParity(int parity);
  int Stopbits() const { return stop_bits_; }
  void SetStopbits(int stop_bits);
  std::uint32_t InBuff() const { return in_queue_; }
  void SetInBuff(std::uint32_t size);
  std::uint32_t OutBuff() const { return out_queue_; }
  void SetOutBuff(std::uint32_t size);
  // Write time-out constant in ms (applied at once to an open port); false when applying fails.
  bool SetWriteTimeout(std::uint32_t ms);

  // Bytes waiting in the input queue (0 when closed or on failure).
  std::uint32_t CharReady();
  bool FlushBuffer(bool input, bool output);
  // True when n bytes arrived within timeout_ms; the bytes are placed in order behind those already received.
  bool ReadBlock(std::uint8_t* buffer, std::size_t n, double timeout_ms);
  std::uint8_t ReadChar(double timeout_ms, bool* ok);
  bool WriteBlock(const std::uint8_t* buffer, std::size_t n);

  DWORD LastError() const { return last_error_; }
  int ErrorSite() const { return error_site_; }
  // Stores the platform's last error with the site of the failing call.
  void RecordError(int site);
  // Forgets the stored error (a caller that must tell a failing call from a time-out clears it first).
  void ClearError() {
    last_error_ = 0;
    error_site_ = kSiteNone;
  }

  StopWatch& PauseWatch() { return pause_watch_; }

 private:
  void OpenNow();
  void CloseNow();
  // Reads the settings, lets change alter them and writes them back; records read_site or write_site.
  template <class Change>
  bool Apply(int read_site, int write_site, Change change);

  HANDLE handle_ = nullptr;
  platform::comm::COMMTIMEOUTS timeouts_{};
  platform::comm::DCB dcb_{};
  bool open_ = false;
  int com_number_ = 1;
  int data_bits_ = 8;
  std::uint32_t baud_ = 9600;
  std::uint32_t in_queue_ = 4096;
  std::uint32_t out_queue_ = 4096;
  int parity_ = kParityEven;
  int stop_bits_ = kStopBitsOne;
  DWORD last_error_ = 0;
  int error_site_ = kSiteNone;
  StopWatch pause_watch_;
  StopWatch measure_watch_;
};

}  // namespace handheld
