// What a display backend (or the test driver) needs of the window layer: queue input as if a user gave it, learn
// when top-level windows appear, move, need painting or go away, and take over the loops' blocking wait.
#pragma once

#include <functional>

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

namespace platform::win {

// Queues a mouse message (WM_MOUSEMOVE, WM_[LRM]BUTTON{DOWN,UP,DBLCLK}) at (x, y) in the client coordinates of
// hwnd. The message goes to the capturing window when there is one, else to the deepest visible child of hwnd
// under the point; a disabled target swallows it. key_flags are the MK_ bits; the button's own bit is added.
void InjectMouse(HWND hwnd, UINT message, int x, int y, WPARAM key_flags = 0);
// Queues a key message (WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP) for the focus window (the active window
// when none has the focus). The asynchronous key state changes at once, GetKeyState when it is retrieved.
void InjectKey(UINT message, int vk, LPARAM key_data = 0);
// Queues WM_CHAR with a Windows-1252 byte for the focus window (text the keyboard map turned into a character).
void InjectChar(BYTE ch);
// Holds or releases a key without queuing input: both key states change at once (a test holds F1 or F2).
void SetKeyHeld(int vk, bool held);
// The screen position of the (virtual) mouse pointer, as a backend saw it.
void SetCursorScreenPos(int x, int y);

// Changes the display backend follows. The hook is told about top-level windows only: a change of a child is
// reported for its top-level window with the child's rectangle in that window's client coordinates (kInvalidated)
// or the window's screen rectangle (the other events).
// kMinimized: a shown top-level window turned minimized (the display iconifies it; kShown brings it back).
enum class WindowEvent { kCreated, kShown, kHidden, kMoved, kInvalidated, kTextChanged, kDestroyed, kMinimized };
using WindowEventHook = std::function<void(WindowEvent event, HWND top_level, const RECT& rect)>;
int AddWindowEventHook(WindowEventHook hook);
void RemoveWindowEventHook(int id);

// The blocking wait of every loop when the queue is empty. A backend installs a waiter that waits for its events
// up to timeout_ns (-1: no limit; the time until the next timer otherwise) and injects them; it returns false when
// it has nothing to wait on. PostMessage from another thread calls the wake hook so the waiter returns early.
using EventWaiter = std::function<bool(long long timeout_ns)>;
void SetEventWaiter(EventWaiter waiter);
void SetWakeHook(std::function<void()> wake);

}  // namespace platform::win
