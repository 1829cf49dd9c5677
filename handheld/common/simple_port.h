// The serial port as a component with its settings as properties, a one-byte write and its own one-byte read.
// Mind the read's flag: TSimplePort::ReadChar reports a time-out, SerialPort::ReadChar reports success.
#pragma once

#include <cstdint>

#include "handheld/common/serial_port.h"
#include "platform/vcl/component.h"

enum class TPortParity { epNone, epOdd, epEven, epMark };
enum class TPortStopbits { esOne, esOneFive, esTwo };
using enum TPortParity;
using enum TPortStopbits;

class TSimplePort : public TComponent {
 public:
  explicit TSimplePort(TComponent* owner) : TComponent(owner) {}

  bool Open() const { return port_.Open(); }
  void SetOpen(bool open) { port_.SetOpen(open); }
  HANDLE GetHandle() const { return port_.Handle(); }
  int ComNumber() const { return port_.ComNumber(); }
  void SetComNumber(int n) { port_.SetComNumber(n); }
  int Databits() const { return port_.Databits(); }
  void SetDatabits(int bits) { port_.SetDatabits(bits); }
  TPortParity Parity() const { return static_cast<TPortParity>(port_.Parity()); }
  void SetParity(TPortParity p) { port_.SetParity(static_cast<int>(p)); }
  TPortStopbits Stopbits() const { return static_cast<TPortStopbits>(port_.Stopbits()); }
  void SetStopbits(TPortStopbits s) { port_.SetStopbits(static_cast<int>(s)); }
  std::uint32_t Baudrate() const { return port_.Baudrate(); }
  void SetBaudrate(std::uint32_t baud) { port_.SetBaudrate(baud); }
  std::uint32_t InBuff() const { return port_.InBuff(); }
  void SetInBuff(std::uint32_t size) { port_.SetInBuff(size); }
  std::uint32_t OutBuff() const { return port_.OutBuff(); }
  void SetOutBuff(std::uint32_t size) { port_.SetOutBuff(size); }
  bool SetWriteTimeout(std::uint32_t ms) { return port_.SetWriteTimeout(ms); }

  std::uint32_t CharReady() { return port_.CharReady(); }
  bool FlushBuffer(bool input, bool output) { return port_.FlushBuffer(input, output); }
  bool ReadBlock(std::uint8_t* buffer, std::size_t n, double timeout_ms) {
    return port_.ReadBlock(buffer, n, timeout_ms);
  }
  bool WriteBlock(const std::uint8_t* buffer, std::size_t n) { return port_.WriteBlock(buffer, n); }
  bool WriteChar(std::uint8_t byte) { return port_.WriteBlock(&byte, 1); }
  // One byte within timeout_ms, tried every 2 ms with the messages pumped; *timed_out tells that none came.
  std::uint8_t ReadChar(double timeout_ms, bool* timed_out);

  DWORD LastError() const { return port_.LastError(); }
  int ErrorSite() const { return port_.ErrorSite(); }
  handheld::SerialPort& Port() { return port_; }

 private:
  handheld::SerialPort port_;
};
