// Turning X key events into what the window layer takes: a virtual-key code, or a Windows-1252 character for
// keys that have none (letters of other layouts, signs).
#pragma once

namespace platform::backend {

// The virtual-key code of a keysym; letters and digits map to 'A'..'Z' and '0'..'9'; 0 when none.
int VirtualKeyOfKeysym(unsigned long keysym);
// The Windows-1252 character a keysym types; -1 when none.
int CharOfKeysym(unsigned long keysym);

}  // namespace platform::backend
