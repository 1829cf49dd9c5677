// Showing catalogue messages by (kind, group, number): modal dialogs, the modeless notice, the message box.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sys/wintypes.h"

namespace model {

// Kinds of ShowMessage.
inline constexpr std::uint8_t kShowModal = 1;        // one button; returns 0
inline constexpr std::uint8_t kShowQuestion = 2;     // returns 3 for button 1 (yes), else 1
inline constexpr std::uint8_t kShowFault = 3;        // returns 3
inline constexpr std::uint8_t kShowNotice = 4;       // opens the modeless notice unless one is open; returns 0
inline constexpr std::uint8_t kShowCloseNotice = 5;  // closes the notice; returns 0

inline constexpr std::uint8_t kQuestionYes = 3;
inline constexpr std::uint8_t kQuestionNo = 1;

// Shows text `number` of `group` with the first "%s" replaced by the insert (may be nullptr). Kinds 0 and
// above 5 show nothing and return 0. Modal kinds do not nest: while one of them is open a further modal call
// shows nothing and returns at once, kind 2 with 1 ("no"); callers take 1 as "leave it as it is".
std::uint8_t ShowMessage(std::uint8_t kind, std::int8_t group, std::int32_t number, const char* insert = nullptr);
// The same with a text of the caller's (a catalogue text with details added) under the group's title.
std::uint8_t ShowMessageText(std::uint8_t kind, std::int8_t group, const std::string& text);

// Shows the text as stored ("%s" stays) in the platform message box under the group's title: kind 2 asks
// yes/no/cancel, kind 3 warns, any other kind informs. Returns the box's result.
int MessageBoxByNumber(HWND owner, std::uint8_t kind, std::int8_t group, std::int32_t number);
// The same with a text of the caller's.
int MessageBoxText(HWND owner, std::uint8_t kind, std::int8_t group, const std::string& text);

// The instance and the owner window of the message dialogs, set once at start.
void SetMessageOwner(HINSTANCE instance, HWND owner);
void SetMessageOwner(HWND owner, HINSTANCE instance);
HWND MessageOwner();
HINSTANCE MessageInstance();

// Whether a modal message dialog of the catalogue is open.
bool MessageDialogActive();

}  // namespace model
