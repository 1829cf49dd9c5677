#include "platform/sys/global_memory.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "platform/sys/user_name.h"

namespace platform::sys {
namespace {

// Moveable handles are a serial number shifted up with 4 in the low bits: never a heap address (16-byte aligned).
constexpr std::uintptr_t kMoveableTag = 4;
constexpr std::uintptr_t kMoveableShift = 4;

struct Block {
  std::unique_ptr<std::byte[]> data;
  SIZE_T size = 0;
  SIZE_T capacity = 0;
  unsigned locks = 0;
  bool moveable = false;
};

struct Injection {
  int skip = 0;
  int count = 0;
};

struct State {
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, Block> blocks;
  std::uintptr_t next_serial = 1;
  std::array<Injection, 5> injections{};
};

State& S() {
  static State state;
  return state;
}

// True when this call of op is to fail; counts the call down otherwise.
bool InjectedFailure(State& s, GlobalOp op) {
  Injection& in = s.injections[static_cast<std::size_t>(op)];
  if (in.count <= 0) return false;
  if (in.skip > 0) {
    --in.skip;
    return false;
  }
  --in.count;
  return true;
}

std::uintptr_t Key(HGLOBAL h) { return reinterpret_cast<std::uintptr_t>(h); }
HGLOBAL Handle(std::uintptr_t key) { return reinterpret_cast<HGLOBAL>(key); }

std::unique_ptr<std::byte[]> NewBytes(SIZE_T bytes) {
  if (bytes > kMaxGlobalBlock) return nullptr;
  return std::unique_ptr<std::byte[]>(new (std::nothrow) std::byte[std::max<SIZE_T>(bytes, 1)]);
}

Block* Find(State& s, HGLOBAL h) {
  auto it = s.blocks.find(Key(h));
  if (it == s.blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &it->second;
}

}  // namespace

void InjectGlobalMemoryFailure(GlobalOp op, int skip, int count) {
  State& s = S();
  std::lock_guard lock(s.mutex);
  s.injections[static_cast<std::size_t>(op)] = Injection{std::max(skip, 0), std::max(count, 0)};
}

void ClearGlobalMemoryFailures() {
  State& s = S();
  std::lock_guard lock(s.mutex);
  s.injections = {};
}

std::size_t LiveGlobalBlocks() {
  State& s = S();
  std::lock_guard lock(s.mutex);
  return s.blocks.size();
}

}  // namespace platform::sys

using platform::sys::GlobalOp;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  auto& s = platform::sys::S();
  std::lock_guard lock(s.mutex);
  if (platform::sys::InjectedFailure(s, GlobalOp::kAlloc)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  platform::sys::Block block;
  block.data = platform::sys::NewBytes(bytes);
  if (!block.data) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (flags & GMEM_ZEROINIT) std::memset(block.data.get(), 0, std::max<SIZE_T>(bytes, 1));
  block.size = bytes;
  block.capacity = std::max<SIZE_T>(bytes, 1);
  block.moveable = (flags & GMEM_MOVEABLE) != 0;
  const std::uintptr_t key = block.moveable
                                 ? (s.next_serial++ << platform::sys::kMoveableShift) | platform::sys::kMoveableTag
                                 : reinterpret_cast<std::uintptr_t>(block.data.get());
  s.blocks.emplace(key, std::move(block));
  return platform::sys::Handle(key);
}

LPVOID GlobalLock(HGLOBAL h) {
  auto& s = platform::sys::S();
  std::lock_guard lock(s.mutex);
  platform::sys::Block* b = platform::sys::Find(s, h);
  if (!b) return nullptr;
  if (platform::sys::InjectedFailure(s, GlobalOp::kLock)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (b->moveable && b->locks < GMEM_LOCKCOUNT) ++b->locks;
  return b->data.get();
}

BOOL GlobalUnlock(HGLOBAL h) {
  auto& s = platform::sys::S();
  std::lock_guard lock(s.mutex);
  platform::sys::Block* b = platform::sys::Find(s, h);
  if (!b) return FALSE;
  if (platform::sys::InjectedFailure(s, GlobalOp::kUnlock)) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (!b->moveable) {
    SetLastError(NO_ERROR);
    return FALSE;
  }
  if (b->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  --b->locks;
  SetLastError(NO_ERROR);
  return b->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL h) {
  auto& s = platform::sys::S();
  std::unique_lock lock(s.mutex);
  if (!h) return nullptr;
  if (!platform::sys::Find(s, h)) return h;
  if (platform::sys::InjectedFailure(s, GlobalOp::kFree)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return h;
  }
  auto node = s.blocks.extract(platform::sys::Key(h));
  lock.unlock();  // the bytes are released outside the lock
  return nullptr;
}

HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T bytes, UINT flags) {
  auto& s = platform::sys::S();
  std::lock_guard lock(s.mutex);
  platform::sys::Block* b = platform::sys::Find(s, h);
  if (!b) return nullptr;
  if (flags & GMEM_MODIFY) return h;  // only attributes would change; the layer keeps none
  if (platform::sys::InjectedFailure(s, GlobalOp::kReAlloc)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const SIZE_T old_size = b->size;
  if (bytes <= b->capacity) {
    // In place: grows into reserved bytes or shrinks; nothing moves.
    if (bytes > old_size && (flags & GMEM_ZEROINIT)) std::memset(b->data.get() + old_size, 0, bytes - old_size);
    b->size = bytes;
    return h;
  }
  const bool may_move = b->moveable ? b->locks == 0 : (flags & GMEM_MOVEABLE) != 0;
  if (!may_move) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto fresh = platform::sys::NewBytes(bytes);
  if (!fresh) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::memcpy(fresh.get(), b->data.get(), old_size);
  if (flags & GMEM_ZEROINIT) std::memset(fresh.get() + old_size, 0, bytes - old_size);
  b->data = std::move(fresh);
  b->size = bytes;
  b->capacity = bytes;
  if (b->moveable) return h;
  // A fixed block's handle is its address: re-key it.
  auto node = s.blocks.extract(platform::sys::Key(h));
  node.key() = reinterpret_cast<std::uintptr_t>(node.mapped().data.get());
  const std::uintptr_t key = node.key();
  s.blocks.insert(std::move(node));
  return platform::sys::Handle(key);
}

SIZE_T GlobalSize(HGLOBAL h) {
  auto& s = platform::sys::S();
  std::lock_guard lock(s.mutex);
  platform::sys::Block* b = platform::sys::Find(s, h);
  return b ? b->size : 0;
}

UINT GlobalFlags(HGLOBAL h) {
  auto& s = platform::sys::S();
  std::lock_guard lock(s.mutex);
  platform::sys::Block* b = platform::sys::Find(s, h);
  return b ? b->locks : GMEM_INVALID_HANDLE;
}

HGLOBAL GlobalHandle(LPCVOID address) {
  auto& s = platform::sys::S();
  std::lock_guard lock(s.mutex);
  for (const auto& [key, block] : s.blocks) {
    if (block.data.get() == address && (!block.moveable || block.locks > 0)) return platform::sys::Handle(key);
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}
