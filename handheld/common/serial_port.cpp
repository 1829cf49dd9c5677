#include "handheld/common/serial_port.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/sys/clock.h"
#include "platform/vcl/application.h"

namespace handheld {

namespace comm = platform::comm;

namespace {

constexpr double kReadRoundMs = 5.0;

// The line cannot carry 1.5 stop bits or mark parity; those are refused like a driver refuses them.
bool Representable(int parity, int stop_bits) {
  return parity >= kParityNone && parity <= kParityEven &&
         (stop_bits == kStopBitsOne || stop_bits == kStopBitsTwo);
}

}  // namespace

SerialPort::SerialPort() {
  timeouts_.ReadIntervalTimeout = comm::kMaxDword;
  timeouts_.ReadTotalTimeoutMultiplier = 0;
  timeouts_.ReadTotalTimeoutConstant = 0;
  timeouts_.WriteTotalTimeoutMultiplier = 0;
  timeouts_.WriteTotalTimeoutConstant = 1000;
}

SerialPort::~SerialPort() {
  if (open_) CloseNow();
}

void SerialPort::RecordError(int site) {
  last_error_ = comm::GetLastCommError();
  error_site_ = site;
}

void SerialPort::SetOpen(bool open) {
  if (open == open_) return;
  if (open) OpenNow();
  else CloseNow();
}

void SerialPort::OpenNow() {
  const std::string name = "COM" + std::to_string(com_number_);
  HANDLE h = comm::CreateFile(name.c_str(), comm::kGenericRead | comm::kGenericWrite, 0, nullptr,
                              comm::kOpenExisting, 0, nullptr);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) {
    RecordError(kSiteOpen);
    handle_ = nullptr;
    return;
  }
  comm::DCB dcb{};
  bool ok = comm::GetCommState(h, &dcb) != FALSE;
  if (ok) {
    dcb.BaudRate = baud_;
    dcb.Parity = static_cast<BYTE>(parity_);
    dcb.ByteSize = static_cast<BYTE>(data_bits_);
    dcb.StopBits = static_cast<BYTE>(stop_bits_);
    dcb.fBinary = 0;
    dcb.fParity = 0;
    ok = Representable(parity_, stop_bits_) && comm::SetCommState(h, &dcb) &&
         comm::SetCommTimeouts(h, &timeouts_) && comm::SetupComm(h, in_queue_, out_queue_);
  }
  if (!ok) {
    RecordError(kSiteOpen);
    comm::CloseHandle(h);
    handle_ = nullptr;
    return;
  }
  dcb_ = dcb;
  handle_ = h;
  open_ = true;
}

void SerialPort::CloseNow() {
  try {
    if (!comm::CloseHandle(handle_)) throw std::runtime_error("ERR_PORTCLOSE");
    handle_ = nullptr;
    open_ = false;
  } catch (const std::runtime_error&) {
    RecordError(kSiteClose);  // the port counts as still open
  }
}

void SerialPort::SetComNumber(int number) {
  if (!open_) {
    com_number_ = number;
    return;
  }
  CloseNow();
  if (open_) return;  // a port that cannot be closed keeps its number
  com_number_ = number;
  OpenNow();
}

template <class Change>
bool SerialPort::Apply(int read_site, int write_site, Change change) {
  if (!open_) return true;
  comm::DCB dcb{};
  if (!comm::GetCommState(handle_, &dcb)) {
    RecordError(read_site);
    return false;
  }
  change(dcb);
  if (!comm::SetCommState(handle_, &dcb)) {
    RecordError(write_site);
    return false;
  }
  dcb_ = dcb;
  return true;
}

void SerialPort::SetBaudrate(std::uint32_t baud) {
  const std::uint32_t old = baud_;
  baud_ = baud;
  if (!Apply(kSiteBaudRead, kSiteBaudWrite, [&](comm::DCB& d) { d.BaudRate = baud; })) baud_ = old;
}

void SerialPort::SetDatabits(int bits) {
  if (bits < 4 || bits > 8) return;
  const int old = data_bits_;
  data_bits_ = bits;
  if (!Apply(kSiteDataBitsRead, kSiteDataBitsWrite, [&](comm::DCB& d) { d.ByteSize = static_cast<BYTE>(bits); })) {
    data_bits_ = old;
  }
}

void SerialPort::SetParity(int parity) {
  const int old = parity_;
  parity_ = parity;
  const bool ok = Apply(kSiteParityRead, kSiteParityWrite, [&](comm::DCB& d) {
    d.Parity = static_cast<BYTE>(Representable(parity, kStopBitsOne) ? parity : 0xFF);
  });
  if (!ok) parity_ = old;
}

void SerialPort::SetStopbits(int stop_bits) {
  const int old = stop_bits_;
  stop_bits_ = stop_bits;
  bool ok = true;
  if (open_ && !Representable(kParityNone, stop_bits)) {
    error_site_ = kSiteStopBitsWrite;
    last_error_ = comm::kErrorInvalidParameter;
    ok = false;
  } else {
    ok = Apply(kSiteStopBitsRead, kSiteStopBitsWrite,
               [&](comm::DCB& d) { d.StopBits = static_cast<BYTE>(stop_bits); });
  }
  if (!ok) stop_bits_ = old;
}

void SerialPort::SetInBuff(std::uint32_t size) {
  const std::uint32_t old = in_queue_;
  in_queue_ = size;
  if (open_ && !comm::SetupComm(handle_, in_queue_, out_queue_)) {
    RecordError(kSiteInQueue);
    in_queue_ = old;
  }
}

void SerialPort::SetOutBuff(std::uint32_t size) {
  const std::uint32_t old = out_queue_;
  out_queue_ = size;
  if (open_ && !comm::SetupComm(handle_, in_queue_, out_queue_)) {
    RecordError(kSiteOutQueue);
    out_queue_ = old;
  }
}

bool SerialPort::SetWriteTimeout(std::uint32_t ms) {
  timeouts_.WriteTotalTimeoutMultiplier = 0;
  timeouts_.WriteTotalTimeoutConstant = ms;
  return !open_ || comm::SetCommTimeouts(handle_, &timeouts_);
}

std::uint32_t SerialPort::CharReady() {
  if (!open_) return 0;
  DWORD errors = 0;
  comm::COMSTAT stat{};
  if (!comm::ClearCommError(handle_, &errors, &stat)) {
    RecordError(kSiteBytesWaiting);
    return 0;
  }
  return stat.cbInQue;
}

bool SerialPort::FlushBuffer(bool input, bool output) {
  if (!open_) return false;
  DWORD flags = 0;
  if (input) flags |= comm::kPurgeRxAbort | comm::kPurgeRxClear;
  if (output) flags |= comm::kPurgeTxAbort | comm::kPurgeTxClear;
  if (!comm::PurgeComm(handle_, flags)) {
    RecordError(kSitePurge);
    return false;
  }
  return true;
}

bool SerialPort::ReadBlock(std::uint8_t* buffer, std::size_t n, double timeout_ms) {
  if (!open_) return false;
  measure_watch_.Start();
  std::size_t total = 0;
  const auto port = comm::PortOfHandle(handle_);
  for (;;) {
    DWORD got = 0;
    if (!comm::ReadFile(handle_, buffer + total, static_cast<DWORD>(n - total), &got, nullptr)) {
      RecordError(kSiteBlockRead);
      return false;
    }
    total += got;
    if (total >= n) return true;
    const double left = timeout_ms - measure_watch_.Running();
    if (left <= 0) return false;
    // The round's pause: the window thread keeps its messages flowing; a worker sleeps until bytes come.
    if (Application->OnWindowThread()) {
      pause_watch_.Pause(true, std::min(kReadRoundMs, left));
      // A message handled meanwhile may have ended the program: its wait for a reply ends with it.
      if (Application->Terminated()) return false;
    } else if (port == nullptr || platform::sys::IsVirtualClock()) {
      pause_watch_.Pause(true, std::min(kReadRoundMs, left));
    } else {
      port->WaitReadable(static_cast<unsigned>(std::min(kReadRoundMs, left)) + 1);
    }
  }
}

std::uint8_t SerialPort::ReadChar(double timeout_ms, bool* ok) {
  std::uint8_t byte = 0;
  const bool got = ReadBlock(&byte, 1, timeout_ms);
  if (ok != nullptr) *ok = got;
  return got ? byte : 0;
}

bool SerialPort::WriteBlock(const std::uint8_t* buffer, std::size_t n) {
  if (!open_) return false;
  DWORD written = 0;
  if (!comm::WriteFile(handle_, buffer, static_cast<DWORD>(n), &written, nullptr) || written != n) {
    RecordError(kSiteWrite);
    return false;
  }
  return true;
}

}  // namespace handheld
