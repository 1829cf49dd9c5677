// A simulator program of build/bin as a child process (handheld-sim, inverter-sim): its first output line is the
// path of the terminal it serves. Ended with SIGTERM and reaped with the object; End does so earlier and gives
// the exit code.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace txtool {

class SimProcess {
 public:
  SimProcess(const std::string& name, const std::vector<std::string>& args) {
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv;
      const std::string program = std::string(ZPR_BIN_DIR) + "/" + name;
      argv.push_back(const_cast<char*>(program.c_str()));
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    std::FILE* f = ::fdopen(out[0], "r");
    char buffer[256] = {};
    if (f && std::fgets(buffer, sizeof buffer, f)) path_ = buffer;
    if (!path_.empty() && path_.back() == '\n') path_.pop_back();
    if (f) std::fclose(f);
  }
  explicit SimProcess(const std::vector<std::string>& args) : SimProcess("handheld-sim", args) {}
  ~SimProcess() { End(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  const std::string& path() const { return path_; }
  // Ends the program as a user's Ctrl+C would; its exit code (nullopt when it did not exit by itself).
  std::optional<int> End() {
    if (pid_ <= 0) return exit_;
    ::kill(pid_, SIGTERM);
    int status = 0;
    if (::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) exit_ = WEXITSTATUS(status);
    pid_ = -1;
    return exit_;
  }

 private:
  pid_t pid_ = -1;
  std::string path_;
  std::optional<int> exit_;
};

}  // namespace txtool
