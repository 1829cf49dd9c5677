// The main window's names and the numbers of the group-13 messages that the program's windows show.
#pragma once

#include <cstdint>

namespace app {

inline constexpr char kMainWindowClass[] = "VQPWIN_Class";
inline constexpr char kMainWindowCaption[] = "ZPR-Tool";

inline constexpr std::int32_t kMsgIniReadError = 2;
inline constexpr std::int32_t kMsgIniWriteError = 3;
inline constexpr std::int32_t kMsgSaveBeforeExit = 4;
inline constexpr std::int32_t kMsgNotAvailable = 8;
inline constexpr std::int32_t kMsgNoTimer = 12;
inline constexpr std::int32_t kMsgWorkBufferNotReserved = 16;
inline constexpr std::int32_t kMsgWorkBufferNotUnlocked = 17;
inline constexpr std::int32_t kMsgWorkBufferNotReleased = 18;
inline constexpr std::int32_t kMsgWrongValuesContinue = 33;

}  // namespace app
