// handheld-sim: a simulated handheld unit on a pseudo-terminal (--pty prints the path to open). As a Tastomatik
// (the default) it connects to TX-Tool as the master, polls it and performs its jobs on data sets of its own; with
// --role device it is the drive side that Trevant masters: display lines, LEDs, keys, jobs and the baud change.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/comm/pseudo_terminal.h"
#include "sim/handheld/tastomatik.h"
#include "sim/handheld/unit_device.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

constexpr int kExitUsage = 2;
constexpr int kRetryMs = 500;

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: handheld-sim --pty [--role tastomatik|device] [--slots N] [--size N] [--fail-job CODE]\n"
               "       [--fault bad-bcc|trailing|late|unknown-type|unserved|short|silence|reconnect]\n"
               "       N: slots 0..64 with data sets, size 1..8192 bytes; CODE 1..255 ends the first job as failed\n");
}

bool Number(const char* text, long min, long max, long* out) {
  if (text == nullptr) return false;
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || v < min || v > max) return false;
  *out = v;
  return true;
}

bool ParseFault(const std::string& name, sim::tasto::Fault* fault) {
  using sim::tasto::Fault;
  const struct {
    const char* name;
    Fault fault;
  } names[] = {{"bad-bcc", Fault::kBadBcc},       {"trailing", Fault::kTrailing},
               {"late", Fault::kLateBody},        {"unknown-type", Fault::kUnknownType},
               {"unserved", Fault::kUnserved},    {"short", Fault::kShortLength},
               {"silence", Fault::kSilence},      {"reconnect", Fault::kReconnect}};
  for (const auto& n : names) {
    if (name == n.name) {
      *fault = n.fault;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  bool pty = false;
  bool device = false;
  long slots = 3, size = 2048, fail = 0;
  sim::tasto::Fault fault = sim::tasto::Fault::kNone;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--help" || a == "-h") {
      PrintUsage(stdout);
      return 0;
    }
    if (a == "--pty") {
      pty = true;
      continue;
    }
    bool ok = false;
    if (a == "--role") {
      ok = v != nullptr && (std::string(v) == "tastomatik" || std::string(v) == "device");
      device = ok && std::string(v) == "device";
    } else if (a == "--slots") ok = Number(v, 0, 64, &slots);
    else if (a == "--size") ok = Number(v, 1, 8192, &size);
    else if (a == "--fail-job") ok = Number(v, 1, 255, &fail);
    else if (a == "--fault") ok = v != nullptr && ParseFault(v, &fault);
    if (!ok) {
      std::fprintf(stderr, "handheld-sim: bad argument \"%s\"%s%s\n", a.c_str(), v ? " " : "", v ? v : "");
      PrintUsage(stderr);
      return kExitUsage;
    }
    ++i;
  }
  if (!pty) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  platform::comm::PseudoTerminal terminal;
  if (!terminal.ok()) {
    std::fprintf(stderr, "handheld-sim: no pseudo-terminal (errno %d)\n", terminal.error());
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  if (device) {
    std::printf("%s\n", terminal.slave_path().c_str());
    std::fflush(stdout);
    sim::tasto::Line line(terminal);
    sim::tasto::UnitDevice served(line);
    const std::string line1 = "Simulation     ~", line2 = "\x8A" "tatus: Bereit   ";
    std::copy(line1.begin(), line1.end(), served.script().line1.begin());
    std::copy(line2.begin(), line2.end(), served.script().line2.begin());
    served.script().led = 0x05;
    while (!g_stop) served.ServeOne(kRetryMs);
    return 0;
  }
  sim::tasto::Unit unit;
  unit.data_set_size = static_cast<std::uint16_t>(size);
  for (long n = 0; n < slots; ++n) {
    sim::tasto::Slot s;
    s.attribute = 1;
    const std::string name = "Datensatz " + std::to_string(n + 1);
    std::copy(name.begin(), name.end(), s.name.begin());
    for (long b = 0; b < size; ++b) s.image.push_back(static_cast<std::uint8_t>((b * 7 + n) & 0xFF));
    unit.slots.push_back(s);
  }
  std::printf("%s\n", terminal.slave_path().c_str());
  std::fflush(stdout);
  sim::tasto::Line line(terminal);
  sim::tasto::Tastomatik master(line, unit);
  if (fail != 0) master.FailNextJob(static_cast<std::uint8_t>(fail));
  bool connected = false, fault_played = false;
  while (!g_stop) {
    if (!connected) {
      connected = master.Connect();
      if (!connected) line.Settle(kRetryMs);
      continue;
    }
    if (!fault_played) {
      fault_played = true;
      sim::tasto::PlayFault(master, line, fault);
    }
    connected = master.Poll();
  }
  return 0;
}
