#include "platform/comm/fake_port.h"

#include <cerrno>

#include "platform/sys/clock.h"

namespace platform::comm {

using Lock = std::lock_guard<std::recursive_mutex>;

void FakePort::Deliver(std::span<const std::uint8_t> bytes, std::int64_t delay_ns) {
  Lock lock(mutex_);
  const std::int64_t at = platform::sys::MonotonicNanos() + (delay_ns > 0 ? delay_ns : 0);
  for (std::uint8_t b : bytes) rx_.push_back({at, b});
}

void FakePort::SetResponder(Responder responder) {
  Lock lock(mutex_);
  responder_ = std::move(responder);
}

void FakePort::QueueReply(std::vector<std::uint8_t> bytes, std::int64_t delay_ns) {
  Lock lock(mutex_);
  script_.emplace_back(std::move(bytes), delay_ns);
}

std::size_t FakePort::queued_replies() const {
  Lock lock(mutex_);
  return script_.size();
}

void FakePort::SetLineHook(LineHook hook) {
  Lock lock(mutex_);
  line_hook_ = std::move(hook);
}

void FakePort::SetModemInput(std::uint32_t bit, bool on) {
  Lock lock(mutex_);
  modem_in_ = on ? (modem_in_ | bit) : (modem_in_ & ~bit);
}

bool FakePort::dtr() const {
  Lock lock(mutex_);
  return dtr_;
}

bool FakePort::rts() const {
  Lock lock(mutex_);
  return rts_;
}

void FakePort::InjectErrors(std::uint32_t mask, std::int64_t delay_ns) {
  Lock lock(mutex_);
  once_errors_.emplace_back(platform::sys::MonotonicNanos() + (delay_ns > 0 ? delay_ns : 0), mask);
}
void FakePort::SetPersistentErrors(std::uint32_t mask) {
  Lock lock(mutex_);
  persistent_errors_ = mask;
}
void FakePort::FailStatus(bool fail) {
  Lock lock(mutex_);
  fail_status_ = fail;
}
void FakePort::FailSettings(bool get_fails, bool set_fails) {
  Lock lock(mutex_);
  fail_get_ = get_fails;
  fail_set_ = set_fails;
}
void FakePort::FailReads(bool fail) {
  Lock lock(mutex_);
  fail_reads_ = fail;
}
void FakePort::FailWrites(bool fail) {
  Lock lock(mutex_);
  fail_writes_ = fail;
}
void FakePort::LimitWrites(std::size_t max_bytes) {
  Lock lock(mutex_);
  write_limit_ = max_bytes;
}
void FakePort::SetOutQueue(std::uint32_t bytes) {
  Lock lock(mutex_);
  out_queue_ = bytes;
}
void FakePort::FailPurge(bool fail) {
  Lock lock(mutex_);
  fail_purge_ = fail;
}

std::vector<std::vector<std::uint8_t>> FakePort::writes() const {
  Lock lock(mutex_);
  return writes_;
}

std::vector<std::uint8_t> FakePort::written() const {
  Lock lock(mutex_);
  std::vector<std::uint8_t> all;
  for (const auto& w : writes_) all.insert(all.end(), w.begin(), w.end());
  return all;
}

void FakePort::ClearWrites() {
  Lock lock(mutex_);
  writes_.clear();
}

LineSettings FakePort::settings() const {
  Lock lock(mutex_);
  return settings_;
}

std::size_t FakePort::read_calls() const {
  Lock lock(mutex_);
  return read_calls_;
}

std::size_t FakePort::purge_calls() const {
  Lock lock(mutex_);
  return purge_calls_;
}

std::size_t FakePort::pending() const {
  Lock lock(mutex_);
  return rx_.size();
}

std::size_t FakePort::ReadyCountLocked(std::int64_t now) const {
  std::size_t n = 0;
  while (n < rx_.size() && rx_[n].ready_at <= now) ++n;
  return n;
}

bool FakePort::GetSettings(LineSettings* out) {
  Lock lock(mutex_);
  if (fail_get_) {
    errno_ = EIO;
    return false;
  }
  if (out) *out = settings_;
  return true;
}

bool FakePort::SetSettings(const LineSettings& settings) {
  Lock lock(mutex_);
  if (fail_set_) {
    errno_ = EINVAL;
    return false;
  }
  settings_ = settings;
  return true;
}

long FakePort::Read(std::uint8_t* buffer, std::size_t max) {
  Lock lock(mutex_);
  ++read_calls_;
  if (fail_reads_) {
    errno_ = EIO;
    return -1;
  }
  const std::size_t ready = ReadyCountLocked(platform::sys::MonotonicNanos());
  const std::size_t n = ready < max ? ready : max;
  for (std::size_t i = 0; i < n; ++i) {
    buffer[i] = rx_.front().byte;
    rx_.pop_front();
  }
  return static_cast<long>(n);
}

long FakePort::Write(const std::uint8_t* data, std::size_t count, unsigned /*timeout_ms*/) {
  Responder responder;
  std::vector<std::uint8_t> accepted;
  {
    Lock lock(mutex_);
    if (fail_writes_) {
      errno_ = EIO;
      return -1;
    }
    const std::size_t n = count < write_limit_ ? count : write_limit_;
    accepted.assign(data, data + n);
    writes_.push_back(accepted);
    responder = responder_;
    if (!responder && !script_.empty()) {
      auto [bytes, delay] = std::move(script_.front());
      script_.pop_front();
      if (!bytes.empty()) Deliver(bytes, delay);
    }
  }
  if (responder) responder(*this, accepted);
  return static_cast<long>(accepted.size());
}

bool FakePort::WaitReadable(unsigned timeout_ms) {
  const std::int64_t deadline = platform::sys::MonotonicNanos() + std::int64_t{timeout_ms} * 1'000'000;
  do {
    {
      Lock lock(mutex_);
      if (ReadyCountLocked(platform::sys::MonotonicNanos()) > 0) return true;
      if (rx_.empty()) break;
      // The next chunk is due later: on the virtual clock, move time to it when that is within the wait.
      if (platform::sys::IsVirtualClock() && rx_.front().ready_at <= deadline) {
        platform::sys::AdvanceVirtualClock(rx_.front().ready_at - platform::sys::MonotonicNanos());
        continue;
      }
    }
    if (!platform::sys::IsVirtualClock()) Sleep(1);
  } while (platform::sys::MonotonicNanos() < deadline);
  Lock lock(mutex_);
  return ReadyCountLocked(platform::sys::MonotonicNanos()) > 0;
}

bool FakePort::Purge(bool rx, bool /*tx*/) {
  Lock lock(mutex_);
  ++purge_calls_;
  if (fail_purge_) {
    errno_ = EIO;
    return false;
  }
  if (rx) {
    const std::size_t ready = ReadyCountLocked(platform::sys::MonotonicNanos());
    rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(ready));
  }
  return true;
}

bool FakePort::Status(QueueStatus* out) {
  Lock lock(mutex_);
  if (fail_status_) {
    errno_ = EIO;
    return false;
  }
  QueueStatus s;
  const std::int64_t now = platform::sys::MonotonicNanos();
  s.errors = persistent_errors_;
  std::erase_if(once_errors_, [&](const auto& e) {
    if (e.first > now) return false;
    s.errors |= e.second;
    return true;
  });
  s.in_queue = static_cast<std::uint32_t>(ReadyCountLocked(platform::sys::MonotonicNanos()));
  s.out_queue = out_queue_;
  if (out) *out = s;
  return true;
}

bool FakePort::SetOutputLine(OutputLine line, bool on) {
  LineHook hook;
  {
    Lock lock(mutex_);
    (line == OutputLine::kDtr ? dtr_ : rts_) = on;
    hook = line_hook_;
  }
  if (hook) hook(*this);
  return true;
}

bool FakePort::SetBreak(bool on) {
  LineHook hook;
  {
    Lock lock(mutex_);
    break_ = on;
    hook = line_hook_;
  }
  if (hook) hook(*this);
  return true;
}

bool FakePort::GetModemStatus(std::uint32_t* lines) {
  Lock lock(mutex_);
  if (lines) *lines = modem_in_;
  return true;
}

int FakePort::LastErrno() const {
  Lock lock(mutex_);
  return errno_;
}

}  // namespace platform::comm
