// Ways to put the simulated inverters on a line: on a fake port in process (replies delivered on the process
// clock, so virtual time works), or served on a pseudo-terminal or device by a thread in real time.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/comm/fake_port.h"
#include "platform/comm/port.h"
#include "platform/comm/pseudo_terminal.h"
#include "sim/inverter_bus.h"

namespace sim {

// Every write to the port feeds the bus; its replies arrive after their delays.
void AttachInverters(platform::comm::FakePort& port, std::shared_ptr<InverterBus> bus);

// The device end of a line.
class SimLine {
 public:
  virtual ~SimLine() = default;
  virtual long Read(std::uint8_t* buffer, std::size_t max) = 0;  // -1 when the line is gone
  virtual bool Write(const std::uint8_t* data, std::size_t count) = 0;
  virtual bool WaitReadable(int timeout_ms) = 0;
};

// A new pseudo-terminal; the program under test opens slave_path().
class PtyLine final : public SimLine {
 public:
  PtyLine() = default;
  bool ok() const { return pty_.ok(); }
  const std::string& slave_path() const { return pty_.slave_path(); }
  long Read(std::uint8_t* buffer, std::size_t max) override { return pty_.Read(buffer, max); }
  bool Write(const std::uint8_t* data, std::size_t count) override { return pty_.Write(data, count); }
  bool WaitReadable(int timeout_ms) override { return pty_.WaitReadable(timeout_ms); }

 private:
  platform::comm::PseudoTerminal pty_;
};

// A serial device opened by the simulator (8E1 at the given baud rate).
class PortLine final : public SimLine {
 public:
  explicit PortLine(std::unique_ptr<platform::comm::Port> port) : port_(std::move(port)) {}
  long Read(std::uint8_t* buffer, std::size_t max) override { return port_->Read(buffer, max); }
  bool Write(const std::uint8_t* data, std::size_t count) override {
    return port_->Write(data, count, 1000) == static_cast<long>(count);
  }
  bool WaitReadable(int timeout_ms) override { return port_->WaitReadable(static_cast<unsigned>(timeout_ms)); }

 private:
  std::unique_ptr<platform::comm::Port> port_;
};

// Serves a line until Stop: reads everything that comes and answers after the bus's delays; with SetRealTime it
// also keeps the devices' clocks on real time (counted from Run), so that their drives move while they are served.
class InverterServer {
 public:
  InverterServer(std::shared_ptr<InverterBus> bus, std::unique_ptr<SimLine> line);
  ~InverterServer();
  void Start();  // on a thread of its own
  void Run();    // on the calling thread, until Stop (or the line is gone)
  void Stop();
  void RequestStop() { stop_ = true; }  // safe in a signal handler
  // Called on the serving thread between reads (at least every few milliseconds); set before Start or Run.
  void SetTick(std::function<void()> tick) { tick_ = std::move(tick); }
  void SetRealTime(bool on) { real_time_ = on; }
  SimLine& line() { return *line_; }

 private:
  std::shared_ptr<InverterBus> bus_;
  std::unique_ptr<SimLine> line_;
  std::function<void()> tick_;
  bool real_time_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace sim
