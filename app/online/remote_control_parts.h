// What the two remote-control windows share: the reading of the device settings that shape the window of
// template 30, and the second window (template 77).
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// The function texts of BE 1..5 (with " invers" for an inverted input) into the window's controls 725..729.
void ShowRemoteInputTexts(HWND window, std::uint8_t set);
// Positioning mode 2 on a firmware from 'C': the positioning controls are in use, the reference value is not.
bool RemotePositioningInUse(std::uint8_t set);
// Firmware from 'H' with positioning mode 0: the reference is a torque ("M-ref", "%").
bool RemoteTorqueReference(std::uint8_t set);
// The second form: element 157 of record 305 (data set 0) is 1 and the firmware is 'Q' or later.
bool SecondRemoteControlWanted(std::uint8_t set);

void OpenSecondRemoteControl(HWND main);
// Its close routine: the stop exchanged, timer off, monitors closed, window destroyed, link closed. Nothing when
// it is closed.
void CloseSecondRemoteControl();
// The stop of its close without messages, the window left as it is (the program ends from outside).
void StopSecondRemoteControlAtEnd();

}  // namespace app
