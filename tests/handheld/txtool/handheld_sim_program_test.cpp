// The handheld-sim program on its own pseudo-terminal against TX-Tool's worker: the path it prints is the port,
// the slot list comes in and a data set is read with the simulator's contents.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "handheld/txtool/slave_thread.h"
#include "platform/sys/clock.h"
#include "platform/vcl/application.h"

namespace txtool {
namespace {

// The simulator as a child process; its first output line is the terminal's path.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args) {
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv;
      const std::string program = std::string(ZPR_BIN_DIR) + "/handheld-sim";
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
  ~SimProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
  }
  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

TEST(HandheldSimProgram, ServesTheSlotListAndADataSetOverItsTerminal) {
  platform::sys::UseRealClock();
  Application->Reset();
  SimProcess sim({"--pty", "--slots", "2", "--size", "300"});
  ASSERT_FALSE(sim.path().empty());
  ::setenv("COM46", sim.path().c_str(), 1);
  auto shared = std::make_shared<UnitShared>();
  int list_reads = 0, data_set_reads = 0;
  SlaveEvents e;
  e.list_read = [&] { ++list_reads; };
  e.data_set_read = [&] { ++data_set_reads; };
  TSlaveThread* worker = TThread::Create<TSlaveThread>(true, shared, e);
  worker->Port().SetComNumber(46);
  worker->Resume();
  const auto pump_until = [&](auto done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done() && std::chrono::steady_clock::now() < end) {
      TThread::CheckSynchronize();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  };
  EXPECT_TRUE(pump_until([&] { return list_reads > 0; }));
  shared->RequestJob(kStateReadDataSet, 1);
  EXPECT_TRUE(pump_until([&] { return data_set_reads > 0; }));
  {
    std::lock_guard lock(shared->mutex);
    EXPECT_EQ(shared->data_set_count, 2);
    ASSERT_EQ(shared->incoming_length, 300u);
    for (std::size_t b = 0; b < 300; ++b) ASSERT_EQ(shared->incoming[b], (b * 7 + 1) & 0xFF) << b;
  }
  worker->Terminate();
  EXPECT_TRUE(pump_until([] { return TThread::Count() == 0; }));
  ::unsetenv("COM46");
  Application->Reset();
}

TEST(HandheldSimProgram, RefusesBadArguments) {
  for (const char* args : {"", "--pty --slots 65", "--pty --size 0", "--pty --fault nonsense", "--bogus"}) {
    const std::string command = std::string(ZPR_BIN_DIR) + "/handheld-sim " + args + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << args;
    EXPECT_EQ(WEXITSTATUS(status), 2) << args;
  }
}

}  // namespace
}  // namespace txtool
