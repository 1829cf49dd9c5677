// Backup slots: taking, finding and releasing them.
#include "app/binding/binding_backup.h"

#include <array>
#include <cstring>

#include "app/binding/binding_support.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/user_name.h"

namespace app {
namespace binding {
namespace {

std::array<BackupSlot, kBackupSlots> g_slots{};

// Unlocks and frees a slot's block; the message of the step that failed, 0 when both worked. A block that was
// unlocked but not freed stays with its owner, unlocked, for the next try.
std::int32_t FreeBlock(BackupSlot& slot) {
  if (slot.base != nullptr) {
    SetLastError(NO_ERROR);
    if (GlobalUnlock(slot.block) == 0 && GetLastError() != NO_ERROR) return kMsgBackupNotUnlocked;
    slot.base = nullptr;
    slot.size = slot.cursor = slot.valid = 0;
  }
  if (GlobalFree(slot.block) != nullptr) return kMsgBackupNotReleased;
  slot = BackupSlot{};
  return 0;
}

}  // namespace

void BackupSlot::Append(const void* data, std::size_t bytes) {
  if (cursor + bytes > size) return;
  std::memcpy(base + cursor, data, bytes);
  cursor += bytes;
  valid = cursor;
}

const std::uint8_t* BackupSlot::Next(std::size_t bytes) {
  const std::uint8_t* at = cursor + bytes <= valid ? base + cursor : nullptr;
  cursor += bytes;
  return bytes != 0 ? at : nullptr;
}

BackupSlot* TakeBackupSlot(HWND owner, int key, std::size_t bytes) {
  for (BackupSlot& slot : g_slots) {
    if (slot.owner == owner && slot.key == key) FreeBlock(slot);
  }
  BackupSlot* free_slot = nullptr;
  for (BackupSlot& slot : g_slots) {
    if (slot.owner == nullptr) {
      free_slot = &slot;
      break;
    }
  }
  if (free_slot == nullptr) {
    InternalError(owner, kMsgAllBackupsUsed);
    return nullptr;
  }
  HGLOBAL block = GlobalAlloc(GHND, bytes);
  auto* base = block != nullptr ? static_cast<std::uint8_t*>(GlobalLock(block)) : nullptr;
  if (base == nullptr) {
    if (block != nullptr) GlobalFree(block);
    InternalError(owner, kMsgBackupNotReserved);
    return nullptr;
  }
  *free_slot = BackupSlot{owner, key, block, base, bytes, 0, 0};
  return free_slot;
}

BackupSlot* FindBackupSlot(HWND owner, int key) {
  for (BackupSlot& slot : g_slots) {
    if (slot.owner == owner && owner != nullptr && slot.key == key) {
      slot.cursor = 0;
      return &slot;
    }
  }
  return nullptr;
}

}  // namespace binding

std::size_t CountUsedBackupSlots() {
  std::size_t used = 0;
  for (const binding::BackupSlot& slot : binding::g_slots) used += slot.owner != nullptr ? 1 : 0;
  return used;
}

byte ReleaseDialogBuffers(HWND dialog) {
  if (CountUsedBackupSlots() == 0) {
    binding::InternalError(dialog, kMsgNoBackupToRelease);
    return kBindingFailed;
  }
  bool owned = false;
  std::int32_t failure = 0;
  for (binding::BackupSlot& slot : binding::g_slots) {
    if (slot.owner != dialog || dialog == nullptr) continue;
    owned = true;
    const std::int32_t step = binding::FreeBlock(slot);
    if (failure == 0) failure = step;
  }
  if (!owned) failure = kMsgBackupOtherOwner;
  if (failure == 0) return kBindingOk;
  binding::InternalError(dialog, failure);
  return kBindingFailed;
}

}  // namespace app
