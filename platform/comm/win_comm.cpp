#include "platform/comm/win_comm.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/comm/com_name.h"
#include "platform/comm/termios_port.h"

namespace platform::comm {
namespace {

struct OpenPort {
  std::shared_ptr<Port> port;
  std::string installed_name;  // empty for a device
  COMMTIMEOUTS timeouts;
};

std::mutex g_mutex;
std::map<std::intptr_t, OpenPort> g_handles;
std::map<std::string, std::shared_ptr<Port>> g_installed;
std::intptr_t g_next_handle = 0x1000;

thread_local DWORD t_error = 0;
thread_local int t_errno = 0;
thread_local std::string t_error_text;

BOOL Fail(DWORD error, int err, const std::string& what) {
  t_error = error;
  t_errno = err;
  t_error_text = what.empty() ? std::string(std::strerror(err)) : what + ": " + std::strerror(err);
  return FALSE;
}

DWORD ErrorOfErrno(int err) {
  switch (err) {
    case ENOENT: case ENODEV: case ENXIO: return kErrorFileNotFound;
    case EBUSY: case EACCES: case EPERM: case EWOULDBLOCK: return kErrorAccessDenied;
    case EINVAL: return kErrorInvalidParameter;
    default: return kErrorGenFailure;
  }
}

// The entry of a handle, with the port kept alive while the caller uses it.
bool Lookup(HANDLE handle, std::shared_ptr<Port>* port, COMMTIMEOUTS* timeouts = nullptr) {
  std::lock_guard<std::mutex> lock(g_mutex);
  const auto it = g_handles.find(reinterpret_cast<std::intptr_t>(handle));
  if (it == g_handles.end()) {
    Fail(kErrorInvalidHandle, EBADF, "");
    return false;
  }
  *port = it->second.port;
  if (timeouts) *timeouts = it->second.timeouts;
  return true;
}

BOOL PortFailed(const std::shared_ptr<Port>& port) {
  const int err = port->LastErrno() != 0 ? port->LastErrno() : EIO;
  return Fail(ErrorOfErrno(err), err, "");
}

}  // namespace

HANDLE CreateFile(const char* name, DWORD /*access*/, DWORD /*share*/, void* /*security*/, DWORD /*creation*/,
                  DWORD /*flags*/, HANDLE /*template_file*/) {
  if (name == nullptr || *name == '\0') {
    Fail(kErrorFileNotFound, ENOENT, "");
    return INVALID_HANDLE_VALUE;
  }
  std::shared_ptr<Port> port;
  std::string installed;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (const auto it = g_installed.find(name); it != g_installed.end()) {
      for (const auto& [h, open] : g_handles) {
        if (open.installed_name == name) {
          Fail(kErrorAccessDenied, EBUSY, name);
          return INVALID_HANDLE_VALUE;
        }
      }
      port = it->second;
      installed = name;
    }
  }
  if (!port) {
    const std::string path = ResolvePortName(name);
    auto opened = TermiosPort::Open(path);
    if (!opened.port) {
      Fail(ErrorOfErrno(opened.error), opened.error, path);
      return INVALID_HANDLE_VALUE;
    }
    port = std::move(opened.port);
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  const std::intptr_t id = g_next_handle++;
  g_handles[id] = OpenPort{std::move(port), std::move(installed), COMMTIMEOUTS{}};
  t_error = kErrorSuccess;
  t_errno = 0;
  return reinterpret_cast<HANDLE>(id);
}

BOOL CloseHandle(HANDLE handle) {
  std::shared_ptr<Port> port;  // released outside the lock
  std::lock_guard<std::mutex> lock(g_mutex);
  const auto it = g_handles.find(reinterpret_cast<std::intptr_t>(handle));
  if (it == g_handles.end()) return Fail(kErrorInvalidHandle, EBADF, "");
  port = std::move(it->second.port);
  g_handles.erase(it);
  return TRUE;
}

BOOL GetCommState(HANDLE handle, DCB* dcb) {
  std::shared_ptr<Port> port;
  if (!Lookup(handle, &port)) return FALSE;
  LineSettings s;
  if (!port->GetSettings(&s)) return PortFailed(port);
  if (dcb) {
    dcb->BaudRate = s.baud;
    dcb->fBinary = 1;
    dcb->fParity = s.parity_check ? 1 : 0;
    dcb->fOutxCtsFlow = s.rts_cts ? 1 : 0;
    dcb->fOutX = s.xon_xoff_out ? 1 : 0;
    dcb->fInX = s.xon_xoff_in ? 1 : 0;
    dcb->ByteSize = s.data_bits;
    dcb->Parity = static_cast<BYTE>(s.parity);
    dcb->StopBits = s.stop_bits == 2 ? kTwoStopBits : kOneStopBit;
  }
  return TRUE;
}

BOOL SetCommState(HANDLE handle, const DCB* dcb) {
  std::shared_ptr<Port> port;
  if (!Lookup(handle, &port)) return FALSE;
  if (dcb == nullptr || dcb->Parity > kEvenParity || dcb->ByteSize < 5 || dcb->ByteSize > 8) {
    return Fail(kErrorInvalidParameter, EINVAL, "");
  }
  LineSettings s;
  s.baud = dcb->BaudRate;
  s.data_bits = dcb->ByteSize;
  s.parity = static_cast<Parity>(dcb->Parity);
  s.parity_check = dcb->fParity != 0;
  s.stop_bits = dcb->StopBits == kOneStopBit ? 1 : 2;
  s.xon_xoff_out = dcb->fOutX != 0;
  s.xon_xoff_in = dcb->fInX != 0;
  s.rts_cts = dcb->fOutxCtsFlow != 0;
  if (!port->SetSettings(s)) return PortFailed(port);
  return TRUE;
}

BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts) {
  std::shared_ptr<Port> port;
  COMMTIMEOUTS t;
  if (!Lookup(handle, &port, &t)) return FALSE;
  if (timeouts) *timeouts = t;
  return TRUE;
}

BOOL SetCommTimeouts(HANDLE handle, const COMMTIMEOUTS* timeouts) {
  if (timeouts == nullptr) return Fail(kErrorInvalidParameter, EINVAL, "");
  std::lock_guard<std::mutex> lock(g_mutex);
  const auto it = g_handles.find(reinterpret_cast<std::intptr_t>(handle));
  if (it == g_handles.end()) return Fail(kErrorInvalidHandle, EBADF, "");
  it->second.timeouts = *timeouts;
  return TRUE;
}

BOOL SetupComm(HANDLE handle, DWORD /*in_queue*/, DWORD /*out_queue*/) {
  std::shared_ptr<Port> port;
  return Lookup(handle, &port) ? TRUE : FALSE;
}

BOOL PurgeComm(HANDLE handle, DWORD flags) {
  std::shared_ptr<Port> port;
  if (!Lookup(handle, &port)) return FALSE;
  const bool rx = (flags & (kPurgeRxAbort | kPurgeRxClear)) != 0;
  const bool tx = (flags & (kPurgeTxAbort | kPurgeTxClear)) != 0;
  if (!port->Purge(rx, tx)) return PortFailed(port);
  return TRUE;
}

BOOL ClearCommError(HANDLE handle, DWORD* errors, COMSTAT* status) {
  std::shared_ptr<Port> port;
  if (!Lookup(handle, &port)) return FALSE;
  if (!status) {  // the errors alone
    std::uint32_t e = 0;
    if (!port->Errors(&e)) return PortFailed(port);
    if (errors) *errors = e;
    return TRUE;
  }
  QueueStatus s;
  if (!port->Status(&s)) return PortFailed(port);
  if (errors) *errors = s.errors;
  status->cbInQue = s.in_queue;
  status->cbOutQue = s.out_queue;
  return TRUE;
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD count, DWORD* read, void* /*overlapped*/) {
  if (read) *read = 0;
  std::shared_ptr<Port> port;
  COMMTIMEOUTS t;
  if (!Lookup(handle, &port, &t)) return FALSE;
  if (count > 0 && buffer == nullptr) return Fail(kErrorInvalidParameter, EINVAL, "");
  // "Return at once with what waits" unless a total read time-out is set.
  const DWORD wait_ms = t.ReadTotalTimeoutConstant + t.ReadTotalTimeoutMultiplier * count;
  if (wait_ms > 0 && count > 0) port->WaitReadable(wait_ms);
  const long n = port->Read(static_cast<std::uint8_t*>(buffer), count);
  if (n < 0) return PortFailed(port);
  if (read) *read = static_cast<DWORD>(n);
  return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* written, void* /*overlapped*/) {
  if (written) *written = 0;
  std::shared_ptr<Port> port;
  COMMTIMEOUTS t;
  if (!Lookup(handle, &port, &t)) return FALSE;
  if (count > 0 && buffer == nullptr) return Fail(kErrorInvalidParameter, EINVAL, "");
  const DWORD timeout = t.WriteTotalTimeoutConstant + t.WriteTotalTimeoutMultiplier * count;
  const long n = port->Write(static_cast<const std::uint8_t*>(buffer), count, timeout);
  if (n < 0) return PortFailed(port);
  if (written) *written = static_cast<DWORD>(n);
  return TRUE;
}

BOOL EscapeCommFunction(HANDLE handle, DWORD function) {
  std::shared_ptr<Port> port;
  if (!Lookup(handle, &port)) return FALSE;
  bool ok = false;
  switch (function) {
    case kSetRts: ok = port->SetOutputLine(OutputLine::kRts, true); break;
    case kClrRts: ok = port->SetOutputLine(OutputLine::kRts, false); break;
    case kSetDtr: ok = port->SetOutputLine(OutputLine::kDtr, true); break;
    case kClrDtr: ok = port->SetOutputLine(OutputLine::kDtr, false); break;
    case kSetBreak: ok = port->SetBreak(true); break;
    case kClrBreak: ok = port->SetBreak(false); break;
    default: return Fail(kErrorInvalidParameter, EINVAL, "");
  }
  return ok ? TRUE : PortFailed(port);
}

BOOL GetCommModemStatus(HANDLE handle, DWORD* status) {
  std::shared_ptr<Port> port;
  if (!Lookup(handle, &port)) return FALSE;
  std::uint32_t lines = 0;
  if (!port->GetModemStatus(&lines)) return PortFailed(port);
  if (status) *status = lines;
  return TRUE;
}

DWORD GetLastCommError() { return t_error; }
int GetLastCommErrno() { return t_errno; }
std::string GetLastCommErrorText() { return t_error_text; }

void InstallPort(const std::string& name, std::shared_ptr<Port> port) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (port) {
    g_installed[name] = std::move(port);
  } else {
    g_installed.erase(name);
  }
}

std::shared_ptr<Port> PortOfHandle(HANDLE handle) {
  std::shared_ptr<Port> port;
  return Lookup(handle, &port) ? port : nullptr;
}

}  // namespace platform::comm
