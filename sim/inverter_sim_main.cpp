// inverter-sim: simulated inverters on a pseudo-terminal (--pty, prints the path to open) or on a device.
// While it runs it takes commands on its standard input (sim/sim_console.h) and switches the hardware enable
// input on SIGUSR1 and off on SIGUSR2; it prints the drives' state changes on standard error.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/comm/termios_port.h"
#include "sim/inverter_transport.h"
#include "sim/sim_console.h"

namespace {

sim::InverterServer* g_server = nullptr;
std::atomic<int> g_enable_signal{0};  // 1 on, 2 off, from the signal handlers
std::atomic<bool> g_quit{false};

void OnSignal(int) {
  if (g_server) g_server->RequestStop();
}
void OnEnableSignal(int signal) { g_enable_signal = signal == SIGUSR1 ? 1 : 2; }

constexpr std::uint32_t kDefaultTelegramTimeoutMs = 5000;
constexpr unsigned long kLongestTimeoutMs = 600000;
constexpr unsigned long kFaultEntries = 10;
constexpr unsigned long kHighestLoad = 200;      // percent of the nominal torque
constexpr unsigned long kHighestMains = 1000;    // V
constexpr std::size_t kLongestLine = 256;
constexpr long kHighestReferenceRpm = 9000;
constexpr double kRpmPerRawPolePair = 7.32421875 / 10;  // rpm = raw x this / pole pairs

void PrintEvent(std::uint8_t address, const std::string& event) {
  std::fprintf(stderr, "inverter-sim: address %u %s\n", address, event.c_str());
  std::fflush(stderr);
}

void PrintState(sim::InverterDevice& d) {
  const sim::DriveValues& v = d.drive();
  std::fprintf(stderr,
               "inverter-sim: address %u state %u speed %ld reference %ld current %ld hw-enable %s operation input %u "
               "recorder %s%s\n",
               d.address(), d.device_state(), std::lround(v.speed), std::lround(v.reference),
               std::lround(v.current * 8191.75), d.hardware_enable() ? "on" : "off", d.operation_input(),
               sim::RecorderStateName(d.recorder_state()), d.tripped() ? " tripped" : "");
  std::fflush(stderr);
}

void RunCommand(sim::InverterBus& bus, const sim::ConsoleCommand& c) {
  using sim::ConsoleKind;
  if (c.kind == ConsoleKind::kHelp) {
    std::fputs(sim::kConsoleHelp, stderr);
    return;
  }
  if (c.kind == ConsoleKind::kQuit) {
    g_quit = true;
    return;
  }
  const bool any = bus.ForDevices(c.address, [&](sim::InverterDevice& d) {
    switch (c.kind) {
      case ConsoleKind::kHardwareEnable: d.SetHardwareEnable(c.value == 1); break;
      case ConsoleKind::kTrip: d.Trip(static_cast<std::uint8_t>(c.value)); break;
      case ConsoleKind::kAcknowledge: d.AcknowledgeFault(); break;
      case ConsoleKind::kLoad: d.SetLoad(static_cast<double>(c.value) / 100.0); break;
      case ConsoleKind::kState: PrintState(d); break;
      default: break;
    }
  });
  if (!any) std::fprintf(stderr, "inverter-sim: no inverter at address %d\n", c.address);
}

// Reads command lines until the input ends; a line too long for a command is refused whole.
void ReadCommands(std::shared_ptr<sim::InverterBus> bus) {
  char buffer[kLongestLine];
  std::string line;
  while (std::fgets(buffer, sizeof buffer, stdin)) {
    line += buffer;
    if (line.back() != '\n' && !std::feof(stdin)) {
      if (line.size() < 4 * kLongestLine) continue;
    }
    if (line.size() >= kLongestLine) {
      std::fprintf(stderr, "inverter-sim: a command line is at most %zu characters\n", kLongestLine - 1);
    } else {
      std::string error;
      if (const auto c = sim::ParseConsoleLine(line, &error)) {
        RunCommand(*bus, *c);
      } else if (!error.empty()) {
        std::fprintf(stderr, "inverter-sim: %s (help lists the commands)\n", error.c_str());
      }
    }
    if (line.back() == '\n' || line.size() >= 4 * kLongestLine) line.clear();
  }
}

constexpr int kExitUsage = 2;
constexpr unsigned long kHighestAddress = 31;       // USS bus addresses
constexpr unsigned long kLongestDelayMs = 600000;  // ten minutes

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: inverter-sim (--pty | --device PATH [--baud N]) [--address N]... [--family N] [--type N]\n"
               "       [--version LETTER] [--option-board N] [--positioning N] [--first-byte-delay-ms N] [--rest-delay-ms N]\n"
               "       [--fault drop|wrong-stx|bad-bcc|truncate|extra|wrong-address|mirror|echo|stall|status=K]\n"
               "       [--hw-enable on|off] [--telegram-timeout MS] [--faults N] [--trip CODE] [--load PERCENT]\n"
               "       [--mains V] [--reference RPM] [--seed N]\n"
               "       K: the status byte 0..255 the inverter answers with; MS: 0 switches the monitoring off\n"
               "       (default %u); N: fault-memory entries 0..10; CODE: 1..255, the drive starts tripped\n"
               "while running, standard input takes: hw-enable on|off, trip CODE, ack, load PERCENT, state, help, quit;\n"
               "SIGUSR1 switches the hardware enable on, SIGUSR2 off\n",
               kDefaultTelegramTimeoutMs);
}

int Usage() {
  PrintUsage(stderr);
  return kExitUsage;
}

// A decimal number in 0..max and nothing else; false leaves value untouched.
bool ParseWholeNumber(const std::string& text, unsigned long max, unsigned long* value) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v > max) return false;
  *value = v;
  return true;
}

bool ParseFault(const std::string& text, sim::Fault* fault) {
  using sim::FaultKind;
  const struct {
    const char* name;
    FaultKind kind;
  } names[] = {{"drop", FaultKind::kDrop},           {"wrong-stx", FaultKind::kWrongStx},
               {"bad-bcc", FaultKind::kBadBcc},      {"truncate", FaultKind::kTruncate},
               {"extra", FaultKind::kExtraBytes},    {"wrong-address", FaultKind::kWrongAddress},
               {"mirror", FaultKind::kAlterMirror},  {"echo", FaultKind::kEcho},
               {"stall", FaultKind::kStall}};
  for (const auto& n : names) {
    if (text == n.name) {
      fault->kind = n.kind;
      return true;
    }
  }
  unsigned long status = 0;
  if (text.rfind("status=", 0) == 0 && ParseWholeNumber(text.substr(7), 255, &status)) {
    fault->kind = FaultKind::kStatus;
    fault->status = static_cast<std::uint8_t>(status);
    return true;
  }
  std::fprintf(stderr, "inverter-sim: unknown fault \"%s\"\n", text.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  bool pty = false;
  std::string device;
  std::uint32_t baud = 9600;
  std::vector<std::uint8_t> addresses;
  sim::DeviceIdentity identity;
  sim::Fault fault;
  long first_ms = 0, rest_ms = 0;
  bool hw_enable = false;
  std::uint32_t telegram_timeout = kDefaultTelegramTimeoutMs;
  unsigned long faults = 0, trip = 0, load = 0, mains = 0, seed = 1;
  long reference_rpm = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
    unsigned long n = 0;
    const auto number = [&](unsigned long max, unsigned long* out) {
      const std::string v = value();
      if (ParseWholeNumber(v, max, out)) return true;
      std::fprintf(stderr, "inverter-sim: %s takes a number 0..%lu, not \"%s\"\n", a.c_str(), max, v.c_str());
      return false;
    };
    if (a == "--help" || a == "-h") {
      PrintUsage(stdout);
      return 0;
    }
    if (a == "--pty") pty = true;
    else if (a == "--device") device = value();
    else if (a == "--baud") { if (!number(0xFFFFFFFFul, &n)) return Usage(); baud = static_cast<std::uint32_t>(n); }
    else if (a == "--address") { if (!number(kHighestAddress, &n)) return Usage(); addresses.push_back(static_cast<std::uint8_t>(n)); }
    else if (a == "--family") { if (!number(255, &n)) return Usage(); identity.family = static_cast<std::uint8_t>(n); }
    else if (a == "--type") { if (!number(255, &n)) return Usage(); identity.device_type = static_cast<std::uint8_t>(n); }
    else if (a == "--option-board") { if (!number(255, &n)) return Usage(); identity.option_board = static_cast<std::uint8_t>(n); }
    else if (a == "--positioning") { if (!number(255, &n)) return Usage(); identity.positioning = static_cast<std::uint8_t>(n); }
    else if (a == "--version") { const std::string v = value(); if (v.empty()) return Usage(); identity.version = v[0]; }
    else if (a == "--first-byte-delay-ms") { if (!number(kLongestDelayMs, &n)) return Usage(); first_ms = static_cast<long>(n); }
    else if (a == "--rest-delay-ms") { if (!number(kLongestDelayMs, &n)) return Usage(); rest_ms = static_cast<long>(n); }
    else if (a == "--fault") { if (!ParseFault(value(), &fault)) return Usage(); }
    else if (a == "--hw-enable") {
      const std::string v = value();
      if (v != "on" && v != "off") {
        std::fprintf(stderr, "inverter-sim: --hw-enable takes on or off, not \"%s\"\n", v.c_str());
        return Usage();
      }
      hw_enable = v == "on";
    }
    else if (a == "--telegram-timeout") { if (!number(kLongestTimeoutMs, &n)) return Usage(); telegram_timeout = static_cast<std::uint32_t>(n); }
    else if (a == "--faults") { if (!number(kFaultEntries, &faults)) return Usage(); }
    else if (a == "--trip") { if (!number(255, &trip) || trip == 0) { if (trip == 0) std::fprintf(stderr, "inverter-sim: --trip takes a fault code 1..255\n"); return Usage(); } }
    else if (a == "--load") { if (!number(kHighestLoad, &load)) return Usage(); }
    else if (a == "--mains") { if (!number(kHighestMains, &mains)) return Usage(); }
    else if (a == "--reference") {
      const std::string v = value();
      char* end = nullptr;
      errno = 0;
      const long r = v.empty() ? 0 : std::strtol(v.c_str(), &end, 10);
      if (v.empty() || errno != 0 || *end != '\0' || r < -kHighestReferenceRpm || r > kHighestReferenceRpm) {
        std::fprintf(stderr, "inverter-sim: --reference takes rpm -%ld..%ld, not \"%s\"\n", kHighestReferenceRpm,
                     kHighestReferenceRpm, v.c_str());
        return Usage();
      }
      reference_rpm = r;
    }
    else if (a == "--seed") { if (!number(0xFFFFFFFFul, &seed)) return Usage(); }
    else return Usage();
  }
  if (pty == !device.empty()) return Usage();
  if (addresses.empty()) addresses.push_back(0);

  auto bus = std::make_shared<sim::InverterBus>(addresses, identity);
  bus->SetPersistentFault(fault);
  bus->ForDevices(-1, [&](sim::InverterDevice& d) {
    d.SetEventSink(PrintEvent);  // first, so that the state given by the options is reported too
    d.SetSeed(static_cast<std::uint32_t>(seed + d.address()));
    d.WriteNumber(52, 112, 1);  // master enable on
    d.SetHardwareEnable(hw_enable);
    d.SetTelegramTimeout(telegram_timeout);
    d.SetLoad(static_cast<double>(load) / 100.0);
    const double pole_pairs = std::max<std::uint32_t>(1, d.ReadNumber(33, 68));
    d.SetTerminalReference(static_cast<std::int16_t>(
        std::clamp<long>(std::lround(reference_rpm * pole_pairs / kRpmPerRawPolePair), -32768, 32767)));
    d.SetMains(static_cast<double>(mains));
    d.FillFaultMemory(static_cast<unsigned>(faults));
    if (trip != 0) d.Trip(static_cast<std::uint8_t>(trip));
  });
  bus->SetFirstByteDelay(first_ms * 1'000'000);
  bus->SetRestDelay(rest_ms * 1'000'000);

  std::unique_ptr<sim::SimLine> line;
  if (pty) {
    auto p = std::make_unique<sim::PtyLine>();
    if (!p->ok()) {
      std::fprintf(stderr, "inverter-sim: no pseudo-terminal\n");
      return 1;
    }
    std::printf("%s\n", p->slave_path().c_str());
    std::fflush(stdout);
    line = std::move(p);
  } else {
    auto opened = platform::comm::TermiosPort::Open(device);
    if (!opened.port) {
      std::fprintf(stderr, "inverter-sim: %s: %s\n", device.c_str(), std::strerror(opened.error));
      return 1;
    }
    platform::comm::LineSettings s;
    s.baud = baud;
    s.parity = platform::comm::Parity::kEven;
    s.parity_check = true;
    if (!opened.port->SetSettings(s)) {
      std::fprintf(stderr, "inverter-sim: %s: cannot set %u baud 8E1\n", device.c_str(), baud);
      return 1;
    }
    line = std::make_unique<sim::PortLine>(std::move(opened.port));
  }
  sim::InverterServer server(bus, std::move(line));
  g_server = &server;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGUSR1, OnEnableSignal);
  std::signal(SIGUSR2, OnEnableSignal);
  std::signal(SIGTTIN, SIG_IGN);  // in the background of a terminal the input ends instead of stopping the program
  server.SetRealTime(true);
  server.SetTick([&] {
    if (const int e = g_enable_signal.exchange(0); e != 0) {
      bus->ForDevices(-1, [&](sim::InverterDevice& d) { d.SetHardwareEnable(e == 1); });
    }
    if (g_quit) server.RequestStop();
  });
  std::thread(ReadCommands, bus).detach();
  server.Run();
  g_server = nullptr;
  return 0;
}
