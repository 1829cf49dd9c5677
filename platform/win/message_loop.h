// The one message queue of the program and the calls that move messages: SendMessage calls the window procedure
// directly; PostMessage queues (from any thread). Retrieval order: posted messages, then input, then WM_PAINT for
// windows with an update rectangle, then WM_TIMER; WM_QUIT only when no posted message remains.
#pragma once

#include <functional>

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

// PeekMessage flags.
inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
inline constexpr UINT PM_NOYIELD = 0x0002;

// A broadcast target of PostMessage/SendMessage: every top-level window.
#define HWND_BROADCAST (reinterpret_cast<HWND>(static_cast<std::intptr_t>(0xFFFF)))

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Posts a message with no window; DispatchMessage ignores it, the loop sees it.
BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);

// Waits (through the idle handler) until a message is there; FALSE for WM_QUIT, -1 for a bad filter window.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove);
BOOL WaitMessage();
// Key-down messages of character keys post a WM_CHAR after them.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
DWORD GetMessageTime();
DWORD GetMessagePos();
DWORD GetCurrentThreadId();
BOOL InSendMessage();

#define SendMessageA SendMessage
#define PostMessageA PostMessage
#define GetMessageA GetMessage
#define PeekMessageA PeekMessage
#define DispatchMessageA DispatchMessage

namespace platform::win {

// Filters that run on every retrieved message before it is dispatched, in every loop: the program's own loop calls
// RunMessageFilters itself (as a pre-translation step) and the layer's modal loops call it too. A filter that
// returns true has consumed the message. Returns an id for RemoveMessageFilter.
using MessageFilter = std::function<bool(MSG&)>;
int AddMessageFilter(MessageFilter filter);
void RemoveMessageFilter(int id);
bool RunMessageFilters(MSG& msg);

// Watches every message delivered to a window procedure (sent or dispatched), before the procedure runs;
// the test driver's message log hangs here. Returns an id for RemoveMessageObserver.
using MessageObserver = std::function<void(HWND, UINT, WPARAM, LPARAM)>;
int AddMessageObserver(MessageObserver observer);
void RemoveMessageObserver(int id);

}  // namespace platform::win
