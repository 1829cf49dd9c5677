// The handle map of the class layer: which object a window handle is bound to. Objects bound by Attach, Create
// or subclassing are permanent; FromHandle makes temporary objects for other handles, which go when their
// window goes or when no permanent object is left.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/sys/wintypes.h"

namespace afx {

class CWnd;

namespace detail {

CWnd* LookupPermanent(HWND hwnd);
// False when the handle is bound already.
bool BindPermanent(HWND hwnd, CWnd* object);
void UnbindPermanent(HWND hwnd, const CWnd* object);
CWnd* TemporaryFor(HWND hwnd);
// Every permanent binding, for the unload of a library.
std::vector<std::pair<HWND, CWnd*>> PermanentBindings();
// Lets go of every window bound to an object of a library module (the object, or its class's code, lies in it),
// destroying the windows those objects created or took over; no code of the library runs.
void TakeDownObjectsOf(HMODULE module);

}  // namespace detail

// Objects bound now (permanent and temporary), for tests that check an unload leaves nothing behind.
std::size_t BoundWindowCount();

}  // namespace afx
