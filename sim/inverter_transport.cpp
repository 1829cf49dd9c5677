#include "sim/inverter_transport.h"

#include <array>
#include <chrono>
#include <vector>

namespace sim {

void AttachInverters(platform::comm::FakePort& port, std::shared_ptr<InverterBus> bus) {
  port.SetResponder([bus](platform::comm::FakePort& p, std::span<const std::uint8_t> written) {
    std::int64_t at = 0;
    for (const Outgoing& o : bus->Feed(written)) {
      at += o.delay_ns;
      p.Deliver(o.bytes, at);
    }
  });
}

InverterServer::InverterServer(std::shared_ptr<InverterBus> bus, std::unique_ptr<SimLine> line)
    : bus_(std::move(bus)), line_(std::move(line)) {}

InverterServer::~InverterServer() { Stop(); }

void InverterServer::Start() {
  stop_ = false;
  thread_ = std::thread([this] { Run(); });
}

void InverterServer::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void InverterServer::Run() {
  std::array<std::uint8_t, 512> buf{};
  const auto start = std::chrono::steady_clock::now();
  const auto clock = [&] {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
  };
  while (!stop_) {
    if (real_time_) bus_->Advance(clock());
    if (tick_) tick_();
    if (!line_->WaitReadable(real_time_ ? 5 : 20)) continue;
    if (real_time_) bus_->Advance(clock());
    const long n = line_->Read(buf.data(), buf.size());
    if (n < 0) break;
    if (n == 0) continue;
    for (const Outgoing& o : bus_->Feed(std::span<const std::uint8_t>(buf.data(), static_cast<std::size_t>(n)))) {
      const auto due = std::chrono::steady_clock::now() + std::chrono::nanoseconds(o.delay_ns);
      while (!stop_ && std::chrono::steady_clock::now() < due) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
      if (stop_) return;
      line_->Write(o.bytes.data(), o.bytes.size());  // each reply in one write
    }
  }
}

}  // namespace sim
