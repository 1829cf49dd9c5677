// A virtual X server (Xvfb) for one test: it tells its display number through a pipe once it is ready and is
// ended with the test. display() is empty where Xvfb is not installed or does not start.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace xtest {

constexpr const char* kXvfb = "/usr/bin/Xvfb";

class VirtualServer {
 public:
  explicit VirtualServer(const std::string& screen = "800x600x24") {
    if (access(kXvfb, X_OK) != 0) return;
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", nullptr};
    if (posix_spawn(&pid_, kXvfb, nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) pid_ = -1;
    close(fds[1]);
    std::string number;
    char c;
    while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~VirtualServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status;
      waitpid(pid_, &status, 0);
    }
  }
  VirtualServer(const VirtualServer&) = delete;
  VirtualServer& operator=(const VirtualServer&) = delete;
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace xtest
