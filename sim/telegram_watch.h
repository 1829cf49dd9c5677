// Telegram monitoring: while it watches, a gap between valid telegrams longer than the monitoring time expires it.
#pragma once

#include <cstdint>

namespace sim {

class TelegramWatch {
 public:
  void set_timeout_ms(std::uint32_t ms) { timeout_ns_ = std::int64_t{ms} * 1'000'000; }  // 0: never expires
  std::uint32_t timeout_ms() const { return static_cast<std::uint32_t>(timeout_ns_ / 1'000'000); }
  // Starts watching with the time counted from now (a watch already running keeps its last telegram).
  void Watch(std::int64_t now_ns) {
    if (!watching_) last_ns_ = now_ns;
    watching_ = true;
  }
  void Stop() { watching_ = false; }
  void Seen(std::int64_t now_ns) { last_ns_ = now_ns; }
  bool watching() const { return watching_; }
  bool Expired(std::int64_t now_ns) const { return watching_ && timeout_ns_ > 0 && now_ns - last_ns_ > timeout_ns_; }

 private:
  std::int64_t timeout_ns_ = 0;
  std::int64_t last_ns_ = 0;
  bool watching_ = false;
};

}  // namespace sim
