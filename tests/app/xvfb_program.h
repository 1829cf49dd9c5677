// The real vqpt32 binary on a virtual X server: the server, the program as a child process with COM1 on a
// pseudo-terminal, xdotool for real X input, and the X side's view of its windows (names, screenshots, the window
// manager's close). A thin layer over the shared helper in tests/support/xvfb.h.
#pragma once

#include <X11/Xatom.h>
#include <pty.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/xvfb.h"

namespace xvfb_test {

using xtest::CloseAsWindowManager;
using xtest::FindWindowNamed;
using xtest::IgnoreXError;
using xtest::kXdotool;
using xtest::Screenshot;
using xtest::WaitFor;
using xtest::Xdotool;

// A virtual X server for one test, on a screen large enough for the main window.
class VirtualServer : public xtest::VirtualServer {
 public:
  VirtualServer() : xtest::VirtualServer("1024x768x24") {}
  explicit VirtualServer(const std::string& screen) : xtest::VirtualServer(screen) {}
};

// The program with DISPLAY on the server and COM1 on a pseudo-terminal of its own, or on the device given.
class Program {
 public:
  Program(const std::string& binary, const std::string& display, const std::string& com1 = "",
          std::vector<std::string> arguments = {})
      : terminal_(com1) {
    if (!terminal_.ok) return;
    process_.emplace(binary, std::move(arguments),
                     std::vector<std::string>{"DISPLAY=" + display, "COM1=" + terminal_.name});
  }
  bool started() const { return process_ && process_->started(); }
  // The exit code once the program has ended within `ms`; nothing while it runs.
  std::optional<int> WaitExit(int ms) { return process_ ? process_->WaitExit(ms) : std::nullopt; }
  bool Signal(int signal) { return process_ && process_->Signal(signal); }

 private:
  // A pseudo-terminal held open for the program's life; its name is COM1 unless another device is given.
  struct Terminal {
    explicit Terminal(const std::string& com1) {
      char path[128] = {};
      ok = openpty(&master, &slave, path, nullptr, nullptr) == 0;
      name = com1.empty() ? path : com1;
    }
    ~Terminal() {
      if (master >= 0) close(master);
      if (slave >= 0) close(slave);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;
    int master = -1;
    int slave = -1;
    bool ok = false;
    std::string name;
  };

  Terminal terminal_;
  std::optional<xtest::ChildProcess> process_;
};

}  // namespace xvfb_test
