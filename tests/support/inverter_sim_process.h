// The real inverter-sim program for end-to-end tests: started on a pseudo-terminal with the test's options, its
// commands written to its standard input, its state lines (standard error) collected in a file that the test
// waits on. Nothing of its state is set from the test process.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace sim_process {

class InverterSim {
 public:
  // Starts build/bin/inverter-sim --pty with `options`; path() is the terminal it serves (empty on failure).
  InverterSim(const std::string& bin_dir, std::vector<std::string> options, const std::filesystem::path& log) : log_(log) {
    std::signal(SIGPIPE, SIG_IGN);  // a command to a program that has ended is a failed write, not the test's end
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string program = bin_dir + "/inverter-sim";
    std::vector<std::string> args = {program, "--pty"};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    input_ = in[1];
    FILE* first = fdopen(out[0], "r");
    char line[256] = {};
    if (pid_ > 0 && first && std::fgets(line, sizeof line, first)) {
      path_ = line;
      while (!path_.empty() && (path_.back() == '\n' || path_.back() == '\r')) path_.pop_back();
    }
    if (first) std::fclose(first);
  }
  ~InverterSim() {
    if (input_ >= 0) close(input_);
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200 && waitpid(pid_, &status, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (waitpid(pid_, &status, WNOHANG) == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
  }
  InverterSim(const InverterSim&) = delete;
  InverterSim& operator=(const InverterSim&) = delete;

  const std::string& path() const { return path_; }
  // The exit code (128 + the signal that ended it) once the program has ended within `ms`; nothing while it runs.
  std::optional<int> WaitForExit(int ms) {
    for (int waited = 0; pid_ > 0 && waited <= ms; waited += 20) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return code_;
  }
  // One command line to the program's standard input.
  bool Command(const std::string& line) {
    const std::string l = line + "\n";
    return input_ >= 0 && write(input_, l.data(), l.size()) == static_cast<ssize_t>(l.size());
  }
  // What it printed on standard error so far.
  std::string Log() const {
    std::ifstream in(log_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // True once a line containing `text` was printed (counting from the `after`-th such line), within `ms`.
  bool WaitForLine(const std::string& text, int ms, std::size_t after = 0) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
      if (Count(text) > after) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < end);
    return Count(text) > after;
  }
  std::size_t Count(const std::string& text) const {
    std::istringstream lines(Log());
    std::size_t n = 0;
    for (std::string l; std::getline(lines, l);) n += l.find(text) != std::string::npos;
    return n;
  }
  // The value after `key` in the last "state" line (asks for one first); -1 when none came.
  long StateValue(const std::string& key) {
    const std::size_t before = Count(" state ");
    Command("state");
    if (!WaitForLine(" state ", 3000, before)) return -1;
    std::istringstream lines(Log());
    std::string last;
    for (std::string l; std::getline(lines, l);) {
      if (l.find(" state ") != std::string::npos) last = l;
    }
    const std::size_t at = last.find(" " + key + " ");
    return at == std::string::npos ? -1 : std::strtol(last.c_str() + at + key.size() + 2, nullptr, 10);
  }

 private:
  pid_t pid_ = -1;
  std::optional<int> code_;
  int input_ = -1;
  std::string path_;
  std::filesystem::path log_;
};

}  // namespace sim_process
