#include "platform/win/help.h"

#include "platform/win/messages.h"

namespace {

std::vector<platform::win::HelpRequest>& Log() {
  static std::vector<platform::win::HelpRequest> log;
  return log;
}

}  // namespace

BOOL WinHelp(HWND hwnd, LPCSTR file, UINT command, UINT_PTR data) {
  platform::win::HelpRequest r{hwnd, file && !IS_INTRESOURCE(file) ? file : "", command, data, ""};
  if ((command == HELP_KEY || command == HELP_PARTIALKEY || command == HELP_COMMAND) && data)
    r.key = reinterpret_cast<const char*>(data);
  Log().push_back(r);
  return TRUE;
}

const std::vector<platform::win::HelpRequest>& platform::win::HelpRequests() { return Log(); }
void platform::win::ClearHelpRequests() { Log().clear(); }
