// The handheld-sim program on its own pseudo-terminal against TX-Tool's worker: the path it prints is the port,
// the slot list comes in and a data set is read with the simulator's contents.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "handheld/txtool/slave_thread.h"
#include "sim/handheld/tastomatik.h"
#include "sim/handheld/unit_image.h"
#include "tests/handheld/txtool/sim_process.h"
#include "platform/sys/clock.h"
#include "platform/vcl/application.h"

namespace txtool {
namespace {

TEST(HandheldSimProgram, ServesTheSlotListAndADataSetOverItsTerminal) {
  platform::sys::UseRealClock();
  Application->Reset();
  SimProcess sim({"--pty", "--slots", "2"});
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
    // The second slot holds the sample project of family 2 as a unit image, named in the text table.
    const auto image = sim::tasto::SampleUnitImage(2, 2048);
    ASSERT_TRUE(image);
    std::lock_guard lock(shared->mutex);
    EXPECT_EQ(shared->data_set_count, 2);
    EXPECT_EQ(shared->data_set_size, 2048);
    ASSERT_EQ(shared->incoming_length, 2048u);
    EXPECT_TRUE(std::equal(image->begin(), image->end(), shared->incoming.begin()));
    ASSERT_GE(shared->text_tables[0].size(), 2 * sim::tasto::kNameLength);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(shared->text_tables[0].data() + sim::tasto::kNameLength)),
              "Datensatz 2");
  }
  worker->Terminate();
  EXPECT_TRUE(pump_until([] { return TThread::Count() == 0; }));
  ::unsetenv("COM46");
  Application->Reset();
}

TEST(HandheldSimProgram, RefusesBadArgumentsWithAClearMessage) {
  const std::string err = ::testing::TempDir() + "/handheld_sim_err_" + std::to_string(::getpid());
  const struct {
    const char* args;
    int exit_code;
    const char* message;  // a part of what it says on stderr
  } cases[] = {
      {"", 2, "--pty is needed"},
      {"--pty --slots 65", 2, "--slots takes a number 0..64, not \"65\""},
      {"--pty --size 0", 2, "--size takes a number of bytes"},
      {"--pty --size 300", 1, "--size 300 is too small for the sample data sets"},
      {"--pty --fault nonsense", 2, "--fault takes one of the faults listed"},
      {"--pty --fail-job 2", 2, "--fail-job takes a code 1..255 other than 2"},
      {"--pty --load 0=a.ZPR", 2, "--load takes SLOT=FILE with a slot 1..64"},
      {"--pty --load 2=/no/such/file.ZPR", 1, "--load 2=/no/such/file.ZPR: not a readable ZPR file"},
      {"--pty --slots", 2, "--slots needs a value"},
      {"--bogus", 2, "unknown option \"--bogus\""},
  };
  for (const auto& c : cases) {
    const std::string command = std::string(ZPR_BIN_DIR) + "/handheld-sim " + c.args + " >/dev/null 2>" + err;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << c.args;
    EXPECT_EQ(WEXITSTATUS(status), c.exit_code) << c.args;
    std::ifstream in(err);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(said.rfind("handheld-sim: ", 0), 0u) << said;
    EXPECT_NE(said.find(c.message), std::string::npos) << said;
  }
  std::remove(err.c_str());
}

}  // namespace
}  // namespace txtool
