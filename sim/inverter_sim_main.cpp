// inverter-sim: simulated inverters on a pseudo-terminal (--pty, prints the path to open) or on a device.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/comm/termios_port.h"
#include "sim/inverter_transport.h"
#include "sim/scope_recording.h"

namespace {

sim::InverterServer* g_server = nullptr;

void OnSignal(int) {
  if (g_server) g_server->RequestStop();
}

constexpr int kExitUsage = 2;
constexpr unsigned long kHighestAddress = 31;       // USS bus addresses
constexpr unsigned long kLongestDelayMs = 600000;  // ten minutes

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: inverter-sim (--pty | --device PATH [--baud N]) [--address N]... [--family N] [--type N]\n"
               "       [--version LETTER] [--option-board N] [--positioning N] [--first-byte-delay-ms N] [--rest-delay-ms N]\n"
               "       [--fault drop|wrong-stx|bad-bcc|truncate|extra|wrong-address|mirror|echo|stall|status=K]\n"
               "       K: the status byte 0..255 the inverter answers with\n");
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
    else return Usage();
  }
  if (pty == !device.empty()) return Usage();
  if (addresses.empty()) addresses.push_back(0);

  auto bus = std::make_shared<sim::InverterBus>(addresses, identity);
  bus->SetPersistentFault(fault);
  for (const std::uint8_t a : addresses) {
    if (sim::InverterDevice* d = bus->Device(a)) sim::InstallScopeRecording(*d);  // a recording to read
  }
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
  server.Run();
  g_server = nullptr;
  return 0;
}
