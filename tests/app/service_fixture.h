// End-to-end runs of the vqpt32 binary: a simulated inverter served on a pseudo-terminal by a thread of the test,
// COM1 pointed at it, files in a temporary folder, the exit code and standard output captured.
#pragma once

#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sim/inverter_bus.h"
#include "sim/inverter_transport.h"

extern char** environ;

namespace service_test {

struct ProgramRun {
  int exit_code = -1;
  std::string out;
};

// Runs build/bin/vqpt32 with the arguments; COM1 names com1 (unset when empty), DISPLAY is unset.
inline ProgramRun RunVqpt32(const std::vector<std::string>& args, const std::string& com1) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string v = *e;
    if (v.rfind("DISPLAY=", 0) == 0 || v.rfind("COM1=", 0) == 0) continue;
    env.push_back(v);
  }
  if (!com1.empty()) env.push_back("COM1=" + com1);
  const std::string program = std::string(ZPR_BIN_DIR) + "/vqpt32";
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);

  int pipe_fds[2];
  ProgramRun run;
  if (pipe(pipe_fds) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[1]);
  if (spawned == 0) {
    char buffer[512];
    for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) run.out.append(buffer, static_cast<std::size_t>(n));
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  }
  close(pipe_fds[0]);
  return run;
}

// A fresh temporary folder, removed with the fixture.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vqpt32-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The simulated inverter: a device type that stays itself when a reverse documentation becomes a project.
inline sim::DeviceIdentity DefaultIdentity() {
  sim::DeviceIdentity id;
  id.device_type = 43;
  return id;
}

class ServiceModeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder_.path().empty()); }
  void TearDown() override { StopInverter(); }

  // Serves one inverter at address 0 (and 30 when asked) on a new pseudo-terminal.
  void StartInverter(sim::DeviceIdentity identity = DefaultIdentity(), bool serve = true) {
    StopInverter();
    bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity);
    auto line = std::make_unique<sim::PtyLine>();
    ASSERT_TRUE(line->ok());
    com1_ = line->slave_path();
    server_ = std::make_unique<sim::InverterServer>(bus_, std::move(line));
    if (serve) server_->Start();
  }
  void StopInverter() {
    if (server_) server_->Stop();
    server_.reset();
  }
  sim::InverterDevice& device(std::uint8_t address = 0) { return *bus_->Device(address); }

  ProgramRun Vqpt32(const std::vector<std::string>& args) { return RunVqpt32(args, com1_); }
  std::string File(const std::string& name) const { return (folder_.path() / name).string(); }
  // Reads the inverter into name; true when that gave 0.
  bool ReadInto(const std::string& name) {
    return Vqpt32({"/serv=read", "/file=" + File(name)}).exit_code == 0;
  }

  TempFolder folder_;
  std::shared_ptr<sim::InverterBus> bus_;
  std::unique_ptr<sim::InverterServer> server_;
  std::string com1_;
};

}  // namespace service_test
