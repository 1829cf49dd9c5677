// Global memory blocks: GlobalAlloc and its family, fixed or moveable, with failure injection for tests.
//
// A moveable block is reached through its handle; GlobalLock pins it and gives its address, GlobalUnlock releases
// one lock. A fixed block's handle is its address. Handles are never reused, so a freed or unknown handle fails
// every call (0/null, GetLastError ERROR_INVALID_HANDLE) instead of touching freed memory.
//
// GlobalUnlock follows the platform's rule that callers often get wrong: it returns nonzero while the block is
// still locked and 0 when the last lock was released; that 0 is success when GetLastError() is NO_ERROR, and
// a failure (ERROR_NOT_LOCKED) only when the block was not locked at all.
#pragma once

#include <cstddef>

#include "platform/sys/error_codes.h"
#include "platform/sys/wintypes.h"

using SIZE_T = std::size_t;

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_MODIFY = 0x0080;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
// GlobalFlags: the lock count sits in the low byte.
inline constexpr UINT GMEM_LOCKCOUNT = 0x00FF;
inline constexpr UINT GMEM_INVALID_HANDLE = 0x8000;

// A new block of bytes (at least 1 byte is reserved for a 0-byte request); null on failure.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// The block's address with its lock count raised (moveable) or the fixed block's address; null on failure.
LPVOID GlobalLock(HGLOBAL block);
// See the rule above: nonzero while still locked, 0 otherwise (check GetLastError()).
BOOL GlobalUnlock(HGLOBAL block);
// Null on success; the handle itself when it is not a live block. A locked block is freed too.
HGLOBAL GlobalFree(HGLOBAL block);
// Resizes the block (new bytes zeroed with GMEM_ZEROINIT). A moveable block keeps its handle and may move while
// unlocked; a locked moveable block, or a fixed block without GMEM_MOVEABLE, is resized only in place (shrinking),
// so no address the caller holds dangles. A fixed block given GMEM_MOVEABLE may move and gets a new handle.
// Null on failure, and the block is then left as it was.
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
// The block's size in bytes; 0 for an invalid handle.
SIZE_T GlobalSize(HGLOBAL block);
// The lock count in GMEM_LOCKCOUNT; GMEM_INVALID_HANDLE for an invalid handle.
UINT GlobalFlags(HGLOBAL block);
// The handle of a fixed block's or a locked moveable block's address; null when it is no block's address.
HGLOBAL GlobalHandle(LPCVOID address);

namespace platform::sys {

// The largest block handed out; bigger requests fail as out of memory.
inline constexpr SIZE_T kMaxGlobalBlock = SIZE_T{256} << 20;

enum class GlobalOp { kAlloc, kLock, kUnlock, kFree, kReAlloc };

// Tests: after `skip` more successful calls of op, the next `count` calls of it fail as the platform reports it
// (alloc/realloc: null and ERROR_NOT_ENOUGH_MEMORY; lock: null; unlock: 0 with ERROR_NOT_LOCKED; free: the
// handle back). A failed unlock or free leaves the block as it was.
void InjectGlobalMemoryFailure(GlobalOp op, int skip, int count = 1);
// Removes every injected failure.
void ClearGlobalMemoryFailures();
// Live blocks (tests check that a path frees what it took).
std::size_t LiveGlobalBlocks();

}  // namespace platform::sys
