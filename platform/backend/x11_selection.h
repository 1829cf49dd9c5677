// The X selections CLIPBOARD and PRIMARY for the window layer's clipboard: text the program copies is offered to
// the other clients as UTF8_STRING (and as STRING, TEXT), text it pastes is asked of the selection's owner. Inside
// the program text is Windows-1252 with CR LF line ends, on X it is Unicode with LF.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace platform::backend {

// Starts serving the selections on the display (a hidden window of its own owns them) and installs the window
// layer's selection backend.
void StartX11Selections(Display* display);
void StopX11Selections();
// Takes the events that concern the selections (requests, notifications, lost ownership); false for others,
// whose time stamps it notes for claiming a selection.
bool HandleX11SelectionEvent(const XEvent& event);

// The boundary conversions, for tests: Windows-1252 with CR LF to UTF-8 with LF, and back.
std::string SelectionTextToX(const std::string& cp1252);
std::string SelectionTextFromX(const std::string& utf8);

}  // namespace platform::backend
