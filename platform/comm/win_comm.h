// Win32-shaped communications calls over Port, so that driver code keeps the shape of the system it was
// designed for. Handles name open ports in a table (never reused, so a stale handle fails). A name opens the
// port installed under it (tests, in-process devices), else the device that ResolvePortName gives.
#pragma once

#include <memory>
#include <string>

#include "platform/comm/port.h"
#include "platform/sys/wintypes.h"

namespace platform::comm {

inline constexpr DWORD kGenericRead = 0x80000000u;
inline constexpr DWORD kGenericWrite = 0x40000000u;
inline constexpr DWORD kOpenExisting = 3;
inline constexpr DWORD kMaxDword = 0xFFFFFFFFu;

// Error codes of GetLastCommError.
inline constexpr DWORD kErrorSuccess = 0;
inline constexpr DWORD kErrorFileNotFound = 2;
inline constexpr DWORD kErrorAccessDenied = 5;
inline constexpr DWORD kErrorInvalidHandle = 6;
inline constexpr DWORD kErrorGenFailure = 31;
inline constexpr DWORD kErrorInvalidParameter = 87;

// Parity and stop-bit values of the device-control block.
inline constexpr BYTE kNoParity = 0;
inline constexpr BYTE kOddParity = 1;
inline constexpr BYTE kEvenParity = 2;
inline constexpr BYTE kOneStopBit = 0;
inline constexpr BYTE kTwoStopBits = 2;

// PurgeComm flags.
inline constexpr DWORD kPurgeTxAbort = 0x0001;
inline constexpr DWORD kPurgeRxAbort = 0x0002;
inline constexpr DWORD kPurgeTxClear = 0x0004;
inline constexpr DWORD kPurgeRxClear = 0x0008;

// EscapeCommFunction functions.
inline constexpr DWORD kSetRts = 3;
inline constexpr DWORD kClrRts = 4;
inline constexpr DWORD kSetDtr = 5;
inline constexpr DWORD kClrDtr = 6;
inline constexpr DWORD kSetBreak = 8;
inline constexpr DWORD kClrBreak = 9;

// The line settings of a port (the fields this system uses).
struct DCB {
  DWORD DCBlength = sizeof(DCB);
  DWORD BaudRate = 9600;
  DWORD fBinary = 1;
  DWORD fParity = 0;      // parity checking on receive
  DWORD fOutxCtsFlow = 0;
  DWORD fOutX = 0;        // XON/XOFF on transmit
  DWORD fInX = 0;         // XON/XOFF on receive
  BYTE ByteSize = 8;
  BYTE Parity = kNoParity;
  BYTE StopBits = kOneStopBit;
};

struct COMMTIMEOUTS {
  DWORD ReadIntervalTimeout = 0;
  DWORD ReadTotalTimeoutMultiplier = 0;
  DWORD ReadTotalTimeoutConstant = 0;
  DWORD WriteTotalTimeoutMultiplier = 0;
  DWORD WriteTotalTimeoutConstant = 0;
};

struct COMSTAT {
  DWORD cbInQue = 0;
  DWORD cbOutQue = 0;
};

// Opens a port by name ("COM1" or a device path). INVALID_HANDLE_VALUE on failure; GetLastCommError says why.
HANDLE CreateFile(const char* name, DWORD access, DWORD share, void* security, DWORD creation, DWORD flags,
                  HANDLE template_file);
BOOL CloseHandle(HANDLE handle);
BOOL GetCommState(HANDLE handle, DCB* dcb);
BOOL SetCommState(HANDLE handle, const DCB* dcb);
BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts);
BOOL SetCommTimeouts(HANDLE handle, const COMMTIMEOUTS* timeouts);
// Queue sizes are the kernel's own; the call only checks the handle.
BOOL SetupComm(HANDLE handle, DWORD in_queue, DWORD out_queue);
BOOL PurgeComm(HANDLE handle, DWORD flags);
// The line errors since the previous call (cleared); the queue levels too when status is given.
BOOL ClearCommError(HANDLE handle, DWORD* errors, COMSTAT* status);
BOOL ReadFile(HANDLE handle, void* buffer, DWORD count, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* written, void* overlapped);
BOOL EscapeCommFunction(HANDLE handle, DWORD function);
BOOL GetCommModemStatus(HANDLE handle, DWORD* status);

// The error of the last failed call on this thread, and its errno with a readable text ("/dev/ttyS0: ...").
DWORD GetLastCommError();
int GetLastCommErrno();
std::string GetLastCommErrorText();

// Tests and in-process devices: the port that CreateFile(name) opens instead of a device. Installing null
// removes the entry. An installed port opens once at a time, like a device.
void InstallPort(const std::string& name, std::shared_ptr<Port> port);
// The port behind an open handle (null for a stale one).
std::shared_ptr<Port> PortOfHandle(HANDLE handle);

}  // namespace platform::comm
