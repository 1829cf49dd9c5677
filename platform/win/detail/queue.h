// Shared parts of the message queue for the other modules of the layer.
#pragma once

#include <functional>

#include "platform/sys/wintypes.h"
#include "platform/win/idle.h"
#include "platform/win/messages.h"

namespace platform::win::detail {

// Takes the next message by the retrieval order; false when nothing is there.
bool Retrieve(MSG* out, HWND filter, UINT min, UINT max, bool remove);
// Makes the calling thread the window thread (the first window's creation does); PostMessage from any other
// thread only queues.
void BindUiThread();
// Queues input (UI thread).
void QueueInput(const MSG& msg);
// Lets the display backend take in the events it has by now, without waiting; false when there is no backend
// (or on another thread).
bool TakeDisplayEventsNow();
// Waits for work; false when nothing can ever arrive (the deadlock handler has run).
bool WaitForWork(const IdleContext& context);

// A modal loop: runs until done() is true. on_idle runs once each time the queue turns empty (WM_ENTERIDLE).
// The messages go through the message filters, then IsDialogMessage of the modal window when it is a dialog.
// Returns false when the loop gave up (deadlock) or WM_QUIT came (it is posted again). A menu loop takes the input
// first through `intercept` (true: consumed); what it leaves is dispatched as usual (timers, paint, posted).
bool RunModalLoop(HWND modal, LoopKind kind, const std::function<bool()>& done, const std::function<void()>& on_idle,
                  const std::function<bool(MSG&)>& intercept = {});

// Hooks into the focus module, for messages that leave the queue.
void OnInputRetrieved(const MSG& msg);
// Timers: the next due timer as WM_TIMER (timers.cpp).
bool DueTimer(HWND filter, UINT min, UINT max, bool remove, MSG* out);
// The cursor position the last input had.
POINT CursorPos();

}  // namespace platform::win::detail
