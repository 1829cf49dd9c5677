// inverter-sim: simulated inverters on a pseudo-terminal (--pty, prints the path to open) or on a device.
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

int Usage() {
  std::fprintf(stderr,
               "usage: inverter-sim (--pty | --device PATH [--baud N]) [--address N]... [--family N] [--type N]\n"
               "       [--version LETTER] [--option-board N] [--positioning N] [--first-byte-delay-ms N] [--rest-delay-ms N]\n"
               "       [--fault drop|wrong-stx|bad-bcc|truncate|extra|wrong-address|mirror|echo|stall|status=K]\n");
  return 2;
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
  if (text.rfind("status=", 0) == 0) {
    fault->kind = FaultKind::kStatus;
    fault->status = static_cast<std::uint8_t>(std::strtoul(text.c_str() + 7, nullptr, 10));
    return true;
  }
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
    if (a == "--pty") pty = true;
    else if (a == "--device") device = value();
    else if (a == "--baud") baud = static_cast<std::uint32_t>(std::strtoul(value().c_str(), nullptr, 10));
    else if (a == "--address") addresses.push_back(static_cast<std::uint8_t>(std::strtoul(value().c_str(), nullptr, 10)));
    else if (a == "--family") identity.family = static_cast<std::uint8_t>(std::strtoul(value().c_str(), nullptr, 10));
    else if (a == "--type") identity.device_type = static_cast<std::uint8_t>(std::strtoul(value().c_str(), nullptr, 10));
    else if (a == "--option-board") identity.option_board = static_cast<std::uint8_t>(std::strtoul(value().c_str(), nullptr, 10));
    else if (a == "--positioning") identity.positioning = static_cast<std::uint8_t>(std::strtoul(value().c_str(), nullptr, 10));
    else if (a == "--version") { const std::string v = value(); if (v.empty()) return Usage(); identity.version = v[0]; }
    else if (a == "--first-byte-delay-ms") first_ms = std::strtol(value().c_str(), nullptr, 10);
    else if (a == "--rest-delay-ms") rest_ms = std::strtol(value().c_str(), nullptr, 10);
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
