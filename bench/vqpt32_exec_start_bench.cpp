// The real start of vqpt32 as a user sees it: from the exec of the program to its main window being mapped on a
// virtual X server, in a folder of its own with a full settings file and COM1 on a pseudo-terminal. The baseline
// in the same run is a bare X window: bench_bare_x_window, a program that links the X library alone, opens the
// display, maps one window and waits. The goal is under 50 ms for vqpt32 beyond the baseline, which shows what
// exec, loading and the server alone take on this machine at this moment.
// Each repetition is one start; the aggregates give the median and the minimum. Beside the wall time each start
// reports what the scheduler counted for the program's threads up to the map: cpu_ms on a core, runqueue_ms ready
// but waiting for one (the machine's load), and blocked_ms the rest (the X server's replies, the disk, sleeps). ZPR_START_BIN_DIR names the build
// folder of the program to start (another build's, to compare two builds in one run); default: this one's.
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/settings_ini.h"
#include "platform/comm/pseudo_terminal.h"
#include "platform/sys/module_path.h"
#include "tests/support/xvfb.h"

namespace {

namespace fs = std::filesystem;
constexpr int kMapWaitMs = 10000;

fs::path BinDir() { return fs::read_symlink("/proc/self/exe").parent_path(); }

fs::path ProgramDir() {
  const char* other = std::getenv("ZPR_START_BIN_DIR");
  return other != nullptr && *other != '\0' ? fs::path(other) : BinDir();
}

// What the scheduler counted for the process's threads so far (/proc/PID/task/*/schedstat): nanoseconds on a
// core and waiting on a run queue.
struct SchedTimes {
  double cpu_ms = 0;
  double runqueue_ms = 0;
};

SchedTimes SchedTimesOf(pid_t pid) {
  SchedTimes t;
  std::error_code ec;
  for (const auto& task : fs::directory_iterator(fs::path("/proc") / std::to_string(pid) / "task", ec)) {
    std::ifstream in(task.path() / "schedstat");
    double on_cpu = 0, waiting = 0;
    if (in >> on_cpu >> waiting) {
      t.cpu_ms += on_cpu / 1e6;
      t.runqueue_ms += waiting / 1e6;
    }
  }
  return t;
}

struct StartTimes {
  double wall_ms = -1;  // < 0: no window mapped in time
  SchedTimes sched;
};

// One server, one program folder and one pseudo-terminal for the whole run.
struct Stage {
  xtest::VirtualServer server;
  Display* display = nullptr;
  fs::path folder;
  fs::path vqpt32;
  platform::comm::PseudoTerminal com1;

  Stage() {
    if (server.display().empty()) return;
    display = XOpenDisplay(server.display().c_str());
    if (display == nullptr) return;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::string pattern = (fs::temp_directory_path() / "vqpt32-start.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder = pattern;
    vqpt32 = xtest::CopyProgram(ProgramDir(), "vqpt32", folder);
    std::error_code exists;
    fs::create_symlink(ProgramDir() / "ZprScope2.so", folder / "ZprScope2.so", exists);
    // The settings file a user's program keeps beside it: every section written once by the program's own save.
    platform::sys::SetExecutablePathOverride(vqpt32.string());
    model::InitDataSet(0);
    model::SaveSettingsIni(nullptr);
    platform::sys::SetExecutablePathOverride(std::nullopt);
  }
  ~Stage() {
    if (display != nullptr) XCloseDisplay(display);
    std::error_code ec;
    if (!folder.empty()) fs::remove_all(folder, ec);
  }
  bool ok() const { return display != nullptr && !vqpt32.empty() && com1.ok(); }

  // Starts the program and times it to the map of its first top-level window.
  StartTimes TimeToMapped(const std::string& program, std::vector<std::string> arguments) {
    XSync(display, True);  // no event of an earlier start counts
    const auto start = std::chrono::steady_clock::now();
    xtest::ChildProcess child(program, std::move(arguments),
                              {"DISPLAY=" + server.display(), "COM1=" + com1.slave_path()});
    if (!child.started()) return {};
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
      while (XPending(display) == 0) {
        if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(kMapWaitMs)) return {};
        poll(&connection, 1, 1);  // wakes on the server's event, so the map is seen at once
      }
      XEvent e;
      XNextEvent(display, &e);
      if (e.type == MapNotify && !e.xmap.override_redirect) {
        StartTimes t;
        t.wall_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        t.sched = SchedTimesOf(child.pid());
        return t;
      }
    }  // the child is ended and reaped on leaving
  }
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

void Run(benchmark::State& state, bool bare) {
  Stage& stage = TheStage();
  if (!stage.ok()) {
    state.SkipWithError("no Xvfb, display or pseudo-terminal");
    return;
  }
  for (auto _ : state) {
    const StartTimes t = bare ? stage.TimeToMapped((BinDir() / "bench_bare_x_window").string(), {})
                              : stage.TimeToMapped(stage.vqpt32.string(), {});
    if (t.wall_ms < 0) {
      state.SkipWithError("no window mapped");
      return;
    }
    state.SetIterationTime(t.wall_ms / 1000.0);
    state.counters["cpu_ms"] = t.sched.cpu_ms;
    state.counters["runqueue_ms"] = t.sched.runqueue_ms;
    state.counters["blocked_ms"] = t.wall_ms - t.sched.cpu_ms - t.sched.runqueue_ms;
  }
}

void BM_BareXWindowExecToMapped(benchmark::State& state) { Run(state, true); }
void BM_Vqpt32ExecToMainWindowMapped(benchmark::State& state) { Run(state, false); }

double Minimum(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

// The repetitions of both run interleaved in random order (set in main), so that a change of the machine's load
// hits both alike.
void OneStartPerRepetition(benchmark::internal::Benchmark* b) {
  b->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(15)
      ->ComputeStatistics("min", Minimum)
      ->ReportAggregatesOnly(true);
}
BENCHMARK(BM_BareXWindowExecToMapped)->Apply(OneStartPerRepetition);
BENCHMARK(BM_Vqpt32ExecToMainWindowMapped)->Apply(OneStartPerRepetition);

}  // namespace

int main(int argc, char** argv) {
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> args{argv[0], interleave.data()};
  args.insert(args.end(), argv + 1, argv + argc);  // the caller's flags come later and win
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
