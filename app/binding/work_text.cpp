// The work text buffer: one moveable, zero-filled block of 1025 bytes, locked from start to end.
#include "app/binding/binding_support.h"
#include "app/common/shell_state.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/user_name.h"

namespace app {
namespace {

HGLOBAL g_block = nullptr;
char* g_text = nullptr;

}  // namespace

byte AllocWorkText() {
  if (g_text != nullptr) return kBindingOk;
  g_block = GlobalAlloc(GHND, kStringBackupBytes);
  g_text = g_block != nullptr ? static_cast<char*>(GlobalLock(g_block)) : nullptr;
  if (g_text != nullptr) return kBindingOk;
  if (g_block != nullptr) GlobalFree(g_block);
  g_block = nullptr;
  binding::InternalError(MainWindow(), kMsgBackupNotReserved);
  return kBindingFailed;
}

void FreeWorkText() {
  if (g_block == nullptr) return;
  SetLastError(NO_ERROR);
  if (GlobalUnlock(g_block) == 0 && GetLastError() != NO_ERROR) binding::InternalError(MainWindow(), kMsgBackupNotUnlocked);
  if (GlobalFree(g_block) != nullptr) binding::InternalError(MainWindow(), kMsgBackupNotReleased);
  g_block = nullptr;
  g_text = nullptr;
}

std::span<char> WorkText() {
  return g_text != nullptr ? std::span<char>(g_text, kStringBackupBytes) : std::span<char>();
}

}  // namespace app
