#include "link/com_port.h"

#include <array>

#include "link/link_status.h"
#include "link/stop_watch.h"
#include "platform/sys/clock.h"

namespace ilink {
namespace pc = platform::comm;
namespace {

struct DriverState {
  HANDLE handle = nullptr;
  std::uint8_t open = 0;
  pc::DCB dcb;
  pc::COMMTIMEOUTS timeouts;
  DWORD write_timeout_ms = 1000;
  DWORD in_queue_size = 32768;
  DWORD out_queue_size = 32768;
  DWORD errors = 0;
  DWORD latched = 0;  // errors that a failed read or write cleared, still to be reported
  std::string open_error;
};

DriverState g_port;

bool IsOpen() { return g_port.open != 0 && g_port.handle != nullptr; }

std::uint8_t StatusOfMask(DWORD mask) {
  if (mask & pc::kErrBreak) return kBreak;
  if (mask & pc::kErrFrame) return kFramingError;
  if (mask & (pc::kErrIo | pc::kErrMode)) return kPortUnavailable;
  if (mask & (pc::kErrOverrun | pc::kErrRxOver)) return kOverrun;
  if (mask & pc::kErrRxParity) return kParityError;
  if (mask & pc::kErrTxFull) return kTooMuchData;
  return kOk;
}

// The line status of the handle, open flag or not (the open sequence asks before it sets the flag).
// Without a status to fill only the errors are asked, which costs the port fewer calls.
std::uint8_t LineStatusOf(HANDLE handle, pc::COMSTAT* status) {
  if (!pc::ClearCommError(handle, &g_port.errors, status)) return kErrorAfterOpen;
  const DWORD mask = g_port.errors | g_port.latched;
  g_port.latched = 0;
  return StatusOfMask(mask);
}

void CloseDevice() {
  if (g_port.handle != nullptr) pc::CloseHandle(g_port.handle);
  g_port.handle = nullptr;
  g_port.latched = 0;
  g_port.open = 0;
}

// After a failed read or write: clears the line's error state and keeps the errors for the next status.
void ClearLineError() {
  if (pc::ClearCommError(g_port.handle, &g_port.errors, nullptr)) g_port.latched |= g_port.errors;
}

}  // namespace

std::uint8_t ComPortOpen(const char* name, std::uint32_t baud) {
  if (g_port.open) return kAlreadyOpen;
  g_port.handle = nullptr;
  g_port.open = 0;
  g_port.in_queue_size = 32768;
  g_port.out_queue_size = 32768;
  Sleep(9);

  HANDLE h = pc::CreateFile(name, pc::kGenericRead | pc::kGenericWrite, 0, nullptr, pc::kOpenExisting, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    g_port.open_error = pc::GetLastCommErrorText();
    return pc::GetLastCommError() == pc::kErrorFileNotFound ? kPortUnavailable : kAlreadyOpen;
  }
  g_port.handle = h;
  g_port.open_error.clear();

  if (!pc::GetCommState(h, &g_port.dcb)) {
    g_port.open_error = pc::GetLastCommErrorText();
    CloseDevice();
    return kSettingsUnreadable;
  }
  g_port.dcb.BaudRate = baud;
  g_port.dcb.ByteSize = 8;
  g_port.dcb.Parity = pc::kEvenParity;
  g_port.dcb.fParity = 1;
  g_port.dcb.fBinary = 1;
  g_port.dcb.StopBits = pc::kOneStopBit;
  g_port.dcb.fOutX = 0;
  g_port.dcb.fInX = 0;
  if (!pc::SetCommState(h, &g_port.dcb)) {
    g_port.open_error = pc::GetLastCommErrorText();
    CloseDevice();
    return kSettingsUnwritable;
  }
  g_port.timeouts.ReadIntervalTimeout = pc::kMaxDword;
  g_port.timeouts.ReadTotalTimeoutMultiplier = 0;
  g_port.timeouts.ReadTotalTimeoutConstant = 0;
  g_port.timeouts.WriteTotalTimeoutMultiplier = 0;
  g_port.timeouts.WriteTotalTimeoutConstant = g_port.write_timeout_ms;
  if (!pc::SetCommTimeouts(h, &g_port.timeouts) || !pc::SetupComm(h, g_port.in_queue_size, g_port.out_queue_size)) {
    g_port.open_error = pc::GetLastCommErrorText();
    CloseDevice();
    return kSettingsUnwritable;
  }
  pc::COMSTAT status;
  if (LineStatusOf(h, &status) != kOk) {
    CloseDevice();
    return kErrorAfterOpen;
  }
  // Discard what waits already; the local buffer bounds each read, so read until the queue is empty.
  std::array<std::uint8_t, 256> discard{};
  for (std::uint32_t left = status.cbInQue; left > 0;) {
    DWORD got = 0;
    const DWORD ask = left < discard.size() ? left : static_cast<DWORD>(discard.size());
    if (!pc::ReadFile(h, discard.data(), ask, &got, nullptr)) {
      LineStatusOf(h, nullptr);
      CloseDevice();
      return kErrorAfterOpen;
    }
    if (got == 0) break;
    left -= got < left ? got : left;
  }
  StopWatchInit();
  Sleep(2);
  g_port.open = 1;
  return kOk;
}

void ComPortClose() { CloseDevice(); }

HANDLE ComPortHandle() { return IsOpen() ? g_port.handle : nullptr; }

std::string ComPortOpenErrorText() { return g_port.open_error; }

std::uint8_t ComLineStatus(pc::COMSTAT* status) {
  if (!IsOpen()) return kOk;
  return LineStatusOf(g_port.handle, status);
}

long ComBytesWaiting() {
  if (!IsOpen()) return 0;
  pc::COMSTAT status;
  if (!pc::ClearCommError(g_port.handle, &g_port.errors, &status)) return -1;
  return static_cast<long>(status.cbInQue);
}

std::uint8_t ComPurge(bool rx, bool tx) {
  if (!IsOpen()) return 0;
  DWORD flags = 0;
  if (rx) flags |= pc::kPurgeRxAbort | pc::kPurgeRxClear;
  if (tx) flags |= pc::kPurgeTxAbort | pc::kPurgeTxClear;
  if (flags == 0) return 1;
  return pc::PurgeComm(g_port.handle, flags) ? 1 : 0;
}

std::uint8_t ComReadExact(std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeout_ms) {
  if (!IsOpen()) return 0;
  std::uint32_t got = 0;
  StopWatchStart();
  for (;;) {
    StopWatchElapsed();
    DWORD n = 0;
    if (got < count && !pc::ReadFile(g_port.handle, buffer + got, count - got, &n, nullptr)) {
      LineStatusOf(g_port.handle, nullptr);
      n = 0;
    }
    got += n;
    if (got >= count) return 1;
    if (!(static_cast<double>(timeout_ms) > StopWatchElapsedMs())) return 0;
  }
}

std::uint8_t ComReadByte(std::uint32_t timeout_ms, std::uint8_t* success) {
  std::uint8_t byte = 0;
  const std::uint8_t ok = ComReadExact(&byte, 1, timeout_ms);
  if (success) *success = ok;
  return byte;
}

long ComReadAvailable(std::uint8_t* buffer, std::uint32_t max) {
  if (!IsOpen()) return 0;
  DWORD n = 0;
  if (!pc::ReadFile(g_port.handle, buffer, max, &n, nullptr)) {
    ClearLineError();
    return -1;
  }
  return static_cast<long>(n);
}

std::uint8_t ComWriteAll(const std::uint8_t* buffer, std::uint32_t count) {
  if (!IsOpen()) return 0;
  DWORD n = 0;
  if (!pc::WriteFile(g_port.handle, buffer, count, &n, nullptr)) {
    ClearLineError();
    return 0;
  }
  return n == count ? 1 : 0;
}

std::uint8_t ComWriteByte(std::uint8_t byte) { return ComWriteAll(&byte, 1); }

long ComWriteRaw(const std::uint8_t* buffer, std::uint32_t count) {
  if (!IsOpen()) return 0;
  DWORD n = 0;
  if (!pc::WriteFile(g_port.handle, buffer, count, &n, nullptr)) {
    ClearLineError();
    return -1;
  }
  return static_cast<long>(n);
}

std::uint8_t ComSetWriteTimeout(std::uint32_t ms) {
  g_port.write_timeout_ms = ms;
  if (!IsOpen()) return 1;
  g_port.timeouts.WriteTotalTimeoutMultiplier = 0;
  g_port.timeouts.WriteTotalTimeoutConstant = ms;
  return pc::SetCommTimeouts(g_port.handle, &g_port.timeouts) ? 1 : 0;
}

}  // namespace ilink
