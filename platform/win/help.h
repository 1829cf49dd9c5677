// Help requests. There is no help viewer: WinHelp records what was asked (file, command, data) and succeeds.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/wintypes.h"

inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_INDEX = 0x0003;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_HELPONHELP = 0x0004;
inline constexpr UINT HELP_SETINDEX = 0x0005;
inline constexpr UINT HELP_SETCONTENTS = 0x0005;
inline constexpr UINT HELP_CONTEXTPOPUP = 0x0008;
inline constexpr UINT HELP_FORCEFILE = 0x0009;
inline constexpr UINT HELP_KEY = 0x0101;
inline constexpr UINT HELP_COMMAND = 0x0102;
inline constexpr UINT HELP_PARTIALKEY = 0x0105;
inline constexpr UINT HELP_FINDER = 0x000B;

BOOL WinHelp(HWND hwnd, LPCSTR file, UINT command, UINT_PTR data);
#define WinHelpA WinHelp

namespace platform::win {

struct HelpRequest {
  HWND hwnd;
  std::string file;
  UINT command;
  UINT_PTR data;
  std::string key;  // the keyword of HELP_KEY / HELP_PARTIALKEY / HELP_COMMAND
};
const std::vector<HelpRequest>& HelpRequests();
void ClearHelpRequests();

}  // namespace platform::win
