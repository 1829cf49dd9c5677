// The name of the user the process runs as (GetUserNameA), and the last system error (GetLastError).
#pragma once

#include <optional>
#include <string>

#include "platform/sys/wintypes.h"

inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_NOT_FOUND_USER = 1332;  // the account has no name

// Writes the name and its terminator into buffer; *size is in/out (capacity in, length with terminator out).
// FALSE with GetLastError() set when the name cannot be read or does not fit.
BOOL GetUserNameA(char* buffer, DWORD* size);

DWORD GetLastError();
void SetLastError(DWORD code);

namespace platform::sys {
// Tests: a fixed name, or (with failure_code) a failing look-up that reports that code.
struct UserNameOverride {
  std::string name;
  DWORD failure_code = 0;
};
void SetUserNameOverride(std::optional<UserNameOverride> fixed);
}  // namespace platform::sys
