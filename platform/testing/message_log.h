// A log of the messages a window (and, if asked, its descendants) received, to compare with an expected table.
#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "platform/sys/wintypes.h"

namespace platform::testing {

struct LoggedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

// A WM_COMMAND reduced to what sequence tables compare: the id and the notification code.
struct Command {
  int id;
  int code;
  bool operator==(const Command&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Command& c) {
  return out << "{" << c.id << ", " << c.code << "}";
}

class MessageLog {
 public:
  // Logs the given messages (all when the list is empty) delivered to hwnd (and its descendants with subtree).
  explicit MessageLog(HWND hwnd, std::initializer_list<UINT> messages = {}, bool subtree = false);
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  const std::vector<LoggedMessage>& Entries() const { return entries_; }
  // The message numbers in order.
  std::vector<UINT> Messages() const;
  // The WM_COMMAND notifications in order.
  std::vector<Command> Commands() const;
  int Count(UINT message) const;
  void Clear() { entries_.clear(); }
  // One line per entry ("WM_COMMAND id 1001 code 512"), for failure output.
  std::string Describe() const;

 private:
  HWND hwnd_;
  std::vector<UINT> filter_;
  bool subtree_;
  int observer_;
  std::vector<LoggedMessage> entries_;
};

// The name of a message number ("WM_KILLFOCUS"), or its number.
std::string MessageName(UINT message);

}  // namespace platform::testing
