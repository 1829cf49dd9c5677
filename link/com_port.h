// The serial-port driver: one port per process in module state, opened 8E1 with reads that return at once.
// Results are status codes of message group 1 (link/link_status.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/comm/win_comm.h"
#include "platform/sys/wintypes.h"

namespace ilink {

// 0, 33 (name unknown to the system), 36 (already open, or the device refused: busy, no access),
// 37 (settings unreadable), 38 (settings, time-outs or queues not set), 40 (line error after opening).
std::uint8_t ComPortOpen(const char* name, std::uint32_t baud);
void ComPortClose();
HANDLE ComPortHandle();  // null while closed
// What the system said when the last open failed ("/dev/ttyS0: No such file or directory"); empty after success.
std::string ComPortOpenErrorText();

// 0, 2, 3, 4, 10, 28, 33 or 40 (status unreadable); the queue levels go to status when given.
std::uint8_t ComLineStatus(platform::comm::COMSTAT* status);
long ComBytesWaiting();  // -1 when the status cannot be read, 0 when closed
std::uint8_t ComPurge(bool rx, bool tx);  // 1 done, 0 failed or closed

std::uint8_t ComReadExact(std::uint8_t* buffer, std::uint32_t count, std::uint32_t timeout_ms);
std::uint8_t ComReadByte(std::uint32_t timeout_ms, std::uint8_t* success);
long ComReadAvailable(std::uint8_t* buffer, std::uint32_t max);  // bytes taken, -1 on failure

std::uint8_t ComWriteAll(const std::uint8_t* buffer, std::uint32_t count);  // 1 when all were written
std::uint8_t ComWriteByte(std::uint8_t byte);
long ComWriteRaw(const std::uint8_t* buffer, std::uint32_t count);  // bytes written, -1 on failure
std::uint8_t ComSetWriteTimeout(std::uint32_t ms);  // 1 done or closed, 0 failed

}  // namespace ilink
