#include "platform/testing/message_log.h"

#include <algorithm>
#include <cstdio>

#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::testing {

MessageLog::MessageLog(HWND hwnd, std::initializer_list<UINT> messages, bool subtree)
    : hwnd_(hwnd), filter_(messages), subtree_(subtree) {
  observer_ = platform::win::AddMessageObserver([this](HWND h, UINT m, WPARAM w, LPARAM l) {
    if (h != hwnd_ && !(subtree_ && IsChild(hwnd_, h))) return;
    if (!filter_.empty() && std::find(filter_.begin(), filter_.end(), m) == filter_.end()) return;
    entries_.push_back(LoggedMessage{h, m, w, l});
  });
}

MessageLog::~MessageLog() { platform::win::RemoveMessageObserver(observer_); }

std::vector<UINT> MessageLog::Messages() const {
  std::vector<UINT> out;
  for (const auto& e : entries_) out.push_back(e.message);
  return out;
}

std::vector<Command> MessageLog::Commands() const {
  std::vector<Command> out;
  for (const auto& e : entries_)
    if (e.message == WM_COMMAND) out.push_back(Command{LOWORD(e.wparam), HIWORD(e.wparam)});
  return out;
}

int MessageLog::Count(UINT message) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [message](const LoggedMessage& e) { return e.message == message; }));
}

std::string MessageLog::Describe() const {
  std::string out;
  char line[96];
  for (const auto& e : entries_) {
    if (e.message == WM_COMMAND) {
      std::snprintf(line, sizeof line, "WM_COMMAND id %u code %u\n", LOWORD(e.wparam), HIWORD(e.wparam));
    } else {
      std::snprintf(line, sizeof line, "%s wParam %#lx\n", MessageName(e.message).c_str(), static_cast<unsigned long>(e.wparam));
    }
    out += line;
  }
  return out;
}

std::string MessageName(UINT message) {
  struct Name {
    UINT message;
    const char* name;
  };
  static constexpr Name kNames[] = {
      {WM_CREATE, "WM_CREATE"},         {WM_DESTROY, "WM_DESTROY"},       {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},             {WM_ACTIVATE, "WM_ACTIVATE"},     {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},   {WM_ENABLE, "WM_ENABLE"},         {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"},       {WM_PAINT, "WM_PAINT"},           {WM_CLOSE, "WM_CLOSE"},
      {WM_QUIT, "WM_QUIT"},             {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_SETFONT, "WM_SETFONT"},
      {WM_KEYDOWN, "WM_KEYDOWN"},       {WM_KEYUP, "WM_KEYUP"},           {WM_CHAR, "WM_CHAR"},
      {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_COMMAND, "WM_COMMAND"},       {WM_TIMER, "WM_TIMER"},
      {WM_MENUSELECT, "WM_MENUSELECT"}, {WM_ENTERIDLE, "WM_ENTERIDLE"},   {WM_INITMENU, "WM_INITMENU"},
      {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_NOTIFY, "WM_NOTIFY"},         {WM_NCDESTROY, "WM_NCDESTROY"},   {WM_NCCREATE, "WM_NCCREATE"},
  };
  for (const Name& n : kNames)
    if (n.message == message) return n.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%#x", message);
  return buf;
}

}  // namespace platform::testing
