// The work buffer: a moveable, zero-filled global block, locked from start to close.
#include "app/binding/work_buffer.h"

#include "app/binding/dialog_binding.h"
#include "app/common/shell_messages.h"
#include "app/common/shell_state.h"
#include "model/message_show.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/user_name.h"

namespace app {
namespace {

constexpr std::int8_t kShellGroup = 13;

HGLOBAL g_block = nullptr;
char* g_data = nullptr;

void ShowInternalError(std::int32_t number) { model::MessageBoxByNumber(MainWindow(), 3, kShellGroup, number); }

}  // namespace

bool InitApplication() {
  g_block = GlobalAlloc(GHND, kWorkBufferSize);
  g_data = g_block != nullptr ? static_cast<char*>(GlobalLock(g_block)) : nullptr;
  if (g_data == nullptr) {
    if (g_block != nullptr) GlobalFree(g_block);
    g_block = nullptr;
    ShowInternalError(kMsgWorkBufferNotReserved);
    return false;
  }
  return AllocWorkText() == kBindingOk;
}

void ExitApplication() {
  FreeWorkText();
  if (g_block == nullptr) return;
  SetLastError(NO_ERROR);
  // 0 with no error is the last lock released; a failed unlock keeps the block (freed below all the same).
  if (GlobalUnlock(g_block) == 0 && GetLastError() != NO_ERROR) ShowInternalError(kMsgWorkBufferNotUnlocked);
  if (GlobalFree(g_block) != nullptr) ShowInternalError(kMsgWorkBufferNotReleased);
  g_block = nullptr;
  g_data = nullptr;
}

std::span<char> WorkBuffer() { return g_data != nullptr ? std::span<char>(g_data, kWorkBufferSize) : std::span<char>(); }

}  // namespace app
