#include "sim/handheld/tasto_line.h"

#include <chrono>
#include <thread>

namespace sim::tasto {

namespace {
long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
constexpr int kWaitStepMs = 2;
}  // namespace

bool Line::Send(const std::vector<std::uint8_t>& bytes) { return pty_.Write(bytes.data(), bytes.size()); }

bool Line::ReadByte(std::uint8_t* b, long long deadline_ms) {
  for (;;) {
    const long n = pty_.Read(b, 1);
    if (n == 1) return true;
    if (n < 0 || NowMs() >= deadline_ms) return false;
    if (idle) idle();
    pty_.WaitReadable(kWaitStepMs);
  }
}

std::optional<std::vector<std::uint8_t>> Line::ReceiveFrame(int timeout_ms) {
  const long long deadline = NowMs() + timeout_ms;
  std::uint8_t b = 0;
  do {
    if (!ReadByte(&b, deadline)) return std::nullopt;
  } while (b != 0x02);
  std::vector<std::uint8_t> frame = {b};
  if (!ReadByte(&b, deadline)) return std::nullopt;
  frame.push_back(b);
  for (int i = 0; i < frame[1]; ++i) {
    if (!ReadByte(&b, deadline)) return std::nullopt;
    frame.push_back(b);
  }
  return frame;
}

void Line::Settle(int ms) {
  const long long end = NowMs() + ms;
  while (NowMs() < end) {
    if (idle) idle();
    pty_.WaitReadable(kWaitStepMs);  // bytes that arrive meanwhile stay for the next receive
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void Line::Drain() {
  std::uint8_t b[64];
  while (pty_.Read(b, sizeof b) > 0) {
  }
}

}  // namespace sim::tasto
