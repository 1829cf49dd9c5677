// RunInputCheck and the input-check result window: the check's lines in an error buffer of moveable memory that
// lives while the window is open, shown through the work buffer.
#include "app/documents/input_check_window.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "app/binding/work_buffer.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/shell_messages.h"
#include "app/common/shell_state.h"
#include "app/common/wait_cursor.h"
#include "app/documents/result_reports.h"
#include "app/documents/result_window.h"
#include "app/templates/result_templates.h"
#include "model/input_check.h"
#include "model/message_show.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/user_name.h"

namespace app {
namespace {

constexpr std::int8_t kShellGroup = 13;
constexpr std::int8_t kAccessGroup = 12;
constexpr std::int32_t kMsgCheckIncomplete = 3;

struct ErrorBuffer {
  HGLOBAL block = nullptr;
  char* lines = nullptr;
  std::uint16_t count = 0;
  std::uint8_t status = 0;  // CheckParameterSet's
};

ErrorBuffer& Errors() {
  static ErrorBuffer buffer;
  return buffer;
}

HWND& Window() { return ModelessWindow(Modeless::kInputCheckResult); }

void ShowInternalError(std::int32_t number) { model::MessageBoxByNumber(MainWindow(), 3, kShellGroup, number); }

bool AllocErrorBuffer() {
  ErrorBuffer& e = Errors();
  e.block = GlobalAlloc(GHND, kInputCheckBufferSize);
  e.lines = e.block != nullptr ? static_cast<char*>(GlobalLock(e.block)) : nullptr;
  if (e.lines != nullptr) return true;
  if (e.block != nullptr) GlobalFree(e.block);
  e.block = nullptr;
  ShowInternalError(kMsgWorkBufferNotReserved);
  return false;
}

// Unlocks and frees the error buffer; false (the block kept) when it cannot be unlocked.
bool FreeErrorBuffer() {
  ErrorBuffer& e = Errors();
  if (e.block == nullptr) return true;
  SetLastError(NO_ERROR);
  if (GlobalUnlock(e.block) == 0 && GetLastError() != NO_ERROR) {
    ShowInternalError(kMsgWorkBufferNotUnlocked);
    return false;
  }
  if (GlobalFree(e.block) != nullptr) ShowInternalError(kMsgWorkBufferNotReleased);
  e = ErrorBuffer{};
  return true;
}

// Runs the check into the error buffer (emptied first); true when something was found. A check that did not
// run to its end is a finding even without a line: its message is shown.
bool CheckInto(std::uint8_t set) {
  ErrorBuffer& e = Errors();
  std::memset(e.lines, 0, kInputCheckBufferSize);
  e.count = 0;
  e.status = model::CheckParameterSet(set, &e.count, e.lines, static_cast<std::uint16_t>(kInputCheckBufferSize));
  if (e.status != 0) model::ShowMessage(model::kShowFault, kAccessGroup, kMsgCheckIncomplete);
  return e.status != 0 || e.count != 0;
}

void FillWindow(HWND window) {
  const ErrorBuffer& e = Errors();
  std::array<char, 16> count{};
  std::snprintf(count.data(), count.size(), "%d", static_cast<int>(e.count));
  SetDlgItemText(window, kInputCheckCount, count.data());
  const std::span<char> text = WorkBuffer();
  if (e.lines == nullptr || text.empty()) return;
  WriteInputCheckReport(std::span<const char>(e.lines, kInputCheckBufferSize), e.count, text);
  SetDlgItemText(window, kInputCheckList, text.data());
}

constexpr ResultWindowKind kWindowKind{Modeless::kInputCheckResult, kInputCheckTemplate, kInputCheckCount,
                                      kInputCheckHeading, kPlaceBottomRight, kPlaceBottomRight, FillWindow,
                                      FreeErrorBuffer, kInputCheckList};

INT_PTR CALLBACK InputCheckProc(HWND window, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  return ResultWindowMessage(kWindowKind, window, message, wparam);
}

std::uint8_t RunCheckAndShow(std::uint8_t set) {
  HWND window = Window();
  if (window != nullptr && IsWindow(window) && Errors().lines != nullptr) {
    if (!CheckInto(set)) {
      PostMessage(window, WM_COMMAND, IDOK, 0);
      return kInputCheckClean;
    }
    RaiseWindow(window);
    FillWindow(window);
    return kInputCheckFound;
  }
  Window() = nullptr;
  if (!AllocErrorBuffer()) return kInputCheckFound;
  if (!CheckInto(set)) {
    FreeErrorBuffer();
    return kInputCheckClean;
  }
  window = CreateDialogParam(AppInstance(), MAKEINTRESOURCE(kInputCheckTemplate), MainWindow(), InputCheckProc, 0);
  if (window == nullptr) {
    FreeErrorBuffer();
  } else {
    ShowWindow(window, SW_SHOW);
  }
  return kInputCheckFound;
}

}  // namespace

std::uint8_t RunInputCheck(std::uint8_t set) {
  BeginWaitCursor();
  const std::uint8_t result = RunCheckAndShow(set);
  EndWaitCursor();
  return result;
}

}  // namespace app
