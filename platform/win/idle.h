// What the loops do when the queue is empty: an idle handler (the test driver's, which answers modal dialogs as a
// user would), else the backend's waiter, else the timers on the clock. When nothing can ever arrive the deadlock
// handler runs; the loop then gives up (a modal loop returns -1, GetMessage returns WM_QUIT with -1).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sys/wintypes.h"

namespace platform::win {

enum class LoopKind { kMain, kModalDialog, kMenu };

struct IdleContext {
  LoopKind kind;
  HWND modal;  // the innermost modal window (dialog or menu owner), null in the main loop
  int depth;   // modal nesting depth
};

// Returns true when it did something that may have produced work.
using IdleHandler = std::function<bool(const IdleContext&)>;
void SetIdleHandler(IdleHandler handler);
using DeadlockHandler = std::function<void(const IdleContext&)>;
void SetDeadlockHandler(DeadlockHandler handler);

// The modal windows that are running their loops, outermost first.
std::vector<HWND> ModalWindows();

// What a modal window is: a dialog from a template, or one of the layer's own dialogs with its request record
// (MessageBoxRequest, FileDialogRequest, ...).
enum class ModalKind { kDialog, kMessageBox, kFileOpen, kFileSave, kColor, kPrint, kOther };
struct ModalInfo {
  ModalKind kind = ModalKind::kOther;
  std::uintptr_t template_id = 0;
  std::string template_name;
  const void* request = nullptr;
  bool ended = false;  // EndDialog was called
};
ModalInfo DescribeModal(HWND window);

// Whether the queue holds something a loop would retrieve now (posted, input, paint or a due timer).
bool HasPendingWork();

}  // namespace platform::win
