// The backup slots of the binding: eight blocks of moveable memory, each owned by a dialog for one run of
// controls (its key: the first id of the run), holding the values a page showed when it opened.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/sys/wintypes.h"

namespace app::binding {

struct BackupSlot {
  HWND owner = nullptr;  // null: free
  int key = 0;
  HGLOBAL block = nullptr;
  std::uint8_t* base = nullptr;
  std::size_t size = 0;
  std::size_t cursor = 0;
  // Bytes a fill has written: a fill that stopped early leaves the rows after it without a backup.
  std::size_t valid = 0;

  // Appends bytes at the cursor (nothing beyond the block).
  void Append(const void* data, std::size_t bytes);
  // The bytes at the cursor when a whole row of them was backed up, else null; the cursor moves on either way.
  const std::uint8_t* Next(std::size_t bytes);
};

// A slot for (owner, key) with a zero-filled block of `bytes`: one the owner holds for the key is given back
// first. Null after message (3, 13, 20) when all are taken or (3, 13, 16) when the block cannot be had.
BackupSlot* TakeBackupSlot(HWND owner, int key, std::size_t bytes);
// The owner's slot for the key, with its cursor at the start; null when it has none.
BackupSlot* FindBackupSlot(HWND owner, int key);

}  // namespace app::binding
