// handheld-sim: a simulated handheld unit on a pseudo-terminal (--pty prints the path to open). As a Tastomatik
// (the default) it connects to TX-Tool as the master, polls it and performs its jobs on data sets of its own:
// unit images of sample projects, or of ZPR files put into slots with --load; with --state the slots, their
// names and images live on in a file. With --role device it is the drive side that Trevant masters: display
// lines, LEDs, keys, jobs and the baud change.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/comm/pseudo_terminal.h"
#include "sim/handheld/tastomatik.h"
#include "sim/handheld/unit_device.h"
#include "sim/handheld/unit_image.h"
#include "sim/handheld/unit_state.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;
constexpr int kRetryMs = 500;
constexpr long kMaxSlots = 64;
constexpr int kFamilies = 3;

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: handheld-sim --pty [--role tastomatik|device] [--slots N] [--size BYTES]\n"
               "       [--load SLOT=FILE.ZPR]... [--state FILE] [--fail-job CODE]\n"
               "       [--fault bad-bcc|trailing|late|unknown-type|unserved|short|silence|reconnect]\n"
               "  --slots N        slots 0..64 holding sample projects of the families 1, 2, 3 in turn (default 3)\n"
               "  --size BYTES     the unit's data-set size up to 8192 (default 2048; a sample project needs %zu)\n"
               "  --load SLOT=FILE a ZPR project file into slot 1..64 (more slots are added up to it)\n"
               "  --state FILE     the slots are read from FILE when it exists and kept in it on every change\n"
               "  --fail-job CODE  the first job ends as failed with CODE 1..255 (2 means done and is refused)\n",
               sim::tasto::UnitImageLength(2));
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

int Refuse(const std::string& why) {
  std::fprintf(stderr, "handheld-sim: %s\n", why.c_str());
  PrintUsage(stderr);
  return kExitUsage;
}

struct Load {
  long slot;
  std::string file;
};

struct Options {
  bool pty = false;
  bool device = false;
  long slots = 3, size = 2048, fail = 0;
  std::vector<Load> loads;
  std::string state;
  sim::tasto::Fault fault = sim::tasto::Fault::kNone;
};

// Parses the arguments; a non-negative result is the exit code to end with at once.
int Parse(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      PrintUsage(stdout);
      return 0;
    }
    if (a == "--pty") {
      o->pty = true;
      continue;
    }
    const bool takes_value = a == "--role" || a == "--slots" || a == "--size" || a == "--fail-job" ||
                             a == "--fault" || a == "--load" || a == "--state";
    if (!takes_value) return Refuse("unknown option \"" + a + "\"");
    if (i + 1 >= argc) return Refuse(a + " needs a value");
    const std::string v = argv[++i];
    const auto bad = [&](const std::string& wanted) { return Refuse(a + " takes " + wanted + ", not \"" + v + "\""); };
    if (a == "--role") {
      if (v != "tastomatik" && v != "device") return bad("tastomatik or device");
      o->device = v == "device";
    } else if (a == "--slots") {
      if (!Number(v.c_str(), 0, kMaxSlots, &o->slots)) return bad("a number 0..64");
    } else if (a == "--size") {
      if (!Number(v.c_str(), 1, 8192, &o->size)) return bad("a number of bytes up to 8192");
    } else if (a == "--fail-job") {
      if (!Number(v.c_str(), 1, 255, &o->fail) || o->fail == sim::tasto::kJobDone) return bad("a code 1..255 other than 2");
    } else if (a == "--fault") {
      if (!ParseFault(v, &o->fault)) return bad("one of the faults listed");
    } else if (a == "--load") {
      const auto eq = v.find('=');
      Load l{};
      if (eq == std::string::npos || !Number(v.substr(0, eq).c_str(), 1, kMaxSlots, &l.slot) || eq + 1 == v.size()) {
        return bad("SLOT=FILE with a slot 1..64");
      }
      l.file = v.substr(eq + 1);
      o->loads.push_back(l);
    } else {
      if (v.empty()) return bad("a file name");
      o->state = v;
    }
  }
  if (!o->pty) return Refuse("--pty is needed: the unit serves a pseudo-terminal");
  return -1;
}

// The unit's slots: from the state file when there is one, else sample projects; then the files loaded.
bool BuildUnit(const Options& o, sim::tasto::Unit* unit) {
  namespace tasto = sim::tasto;
  std::string error;
  unit->data_set_size = static_cast<std::uint16_t>(o.size);
  if (!o.state.empty() && std::filesystem::exists(o.state)) {
    if (!tasto::LoadUnitState(o.state, unit, &error)) {
      std::fprintf(stderr, "handheld-sim: %s\n", error.c_str());
      return false;
    }
  } else {
    for (long n = 0; n < o.slots; ++n) {
      const auto family = static_cast<std::uint8_t>(n % kFamilies + 1);
      auto image = tasto::SampleUnitImage(family, unit->data_set_size);
      if (!image) {
        std::fprintf(stderr, "handheld-sim: --size %ld is too small for the sample data sets (%zu bytes needed)\n",
                     o.size, tasto::UnitImageLength(family));
        return false;
      }
      tasto::Slot s;
      s.attribute = 1;
      const std::string name = "Datensatz " + std::to_string(n + 1);
      std::copy(name.begin(), name.end(), s.name.begin());
      s.image = std::move(*image);
      unit->slots.push_back(std::move(s));
    }
  }
  for (const Load& l : o.loads) {
    auto image = tasto::UnitImageOfProjectFile(l.file, unit->data_set_size, &error);
    if (!image) {
      std::fprintf(stderr, "handheld-sim: --load %ld=%s: %s\n", l.slot, l.file.c_str(), error.c_str());
      return false;
    }
    if (unit->slots.size() < static_cast<std::size_t>(l.slot)) unit->slots.resize(static_cast<std::size_t>(l.slot));
    tasto::Slot& s = unit->slots[static_cast<std::size_t>(l.slot - 1)];
    s = tasto::Slot{};
    s.attribute = 1;
    // The file's name without its folder and extension names the data set (16 characters at most).
    const std::string name = std::filesystem::path(l.file).stem().string().substr(0, s.name.size() - 1);
    std::copy(name.begin(), name.end(), s.name.begin());
    s.image = std::move(*image);
  }
  return true;
}

bool Keep(const Options& o, const sim::tasto::Unit& unit) {
  if (o.state.empty()) return true;
  std::string error;
  if (sim::tasto::SaveUnitState(unit, o.state, &error)) return true;
  std::fprintf(stderr, "handheld-sim: %s\n", error.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (const int code = Parse(argc, argv, &o); code >= 0) return code;
  sim::tasto::Unit unit;
  if (!o.device && (!BuildUnit(o, &unit) || !Keep(o, unit))) return kExitFailure;
  platform::comm::PseudoTerminal terminal;
  if (!terminal.ok()) {
    std::fprintf(stderr, "handheld-sim: no pseudo-terminal (errno %d)\n", terminal.error());
    return kExitFailure;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::printf("%s\n", terminal.slave_path().c_str());
  std::fflush(stdout);
  sim::tasto::Line line(terminal);
  if (o.device) {
    sim::tasto::UnitDevice served(line);
    const std::string line1 = "Simulation     ~", line2 = "\x8A" "tatus: Bereit   ";
    std::copy(line1.begin(), line1.end(), served.script().line1.begin());
    std::copy(line2.begin(), line2.end(), served.script().line2.begin());
    served.script().led = 0x05;
    while (!g_stop) served.ServeOne(kRetryMs);
    return 0;
  }
  sim::tasto::Tastomatik master(line, unit);
  if (o.fail != 0) master.FailNextJob(static_cast<std::uint8_t>(o.fail));
  bool connected = false, fault_played = false;
  while (!g_stop) {
    if (!connected) {
      connected = master.Connect();
      if (!connected) line.Settle(kRetryMs);
      continue;
    }
    if (!fault_played) {
      fault_played = true;
      sim::tasto::PlayFault(master, line, o.fault);
    }
    connected = master.Poll();
    if (master.TakeChanged()) Keep(o, master.unit());
  }
  return Keep(o, master.unit()) ? 0 : kExitFailure;
}
