// A port for tests and in-process simulated devices. What the device sends is delivered into the receive queue,
// each chunk from a moment on the process clock (virtual in tests); every write is logged and handed to a
// responder that plays the device. Line errors, status failures, short or failed writes, a stuck transmit
// queue and the modem input lines can be injected; the output lines are kept for the device to see.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "platform/comm/port.h"

namespace platform::comm {

class FakePort final : public Port {
 public:
  using Responder = std::function<void(FakePort& port, std::span<const std::uint8_t> written)>;
  using LineHook = std::function<void(FakePort& port)>;

  // --- device side ---
  // Bytes that become readable delay_ns after now (process clock).
  void Deliver(std::span<const std::uint8_t> bytes, std::int64_t delay_ns = 0);
  // Called with every accepted write (after any short-write cut).
  void SetResponder(Responder responder);
  // Without a responder, each write takes the next scripted reply (empty bytes: the device stays silent).
  void QueueReply(std::vector<std::uint8_t> bytes, std::int64_t delay_ns = 0);
  std::size_t queued_replies() const;
  // Called whenever DTR, RTS or break change.
  void SetLineHook(LineHook hook);
  void SetModemInput(std::uint32_t bit, bool on);
  bool dtr() const;
  bool rts() const;

  // --- fault injection ---
  // Reported once, by the first Status from delay_ns after now on.
  void InjectErrors(std::uint32_t mask, std::int64_t delay_ns = 0);
  void SetPersistentErrors(std::uint32_t mask);    // reported by every Status
  void FailStatus(bool fail);                      // Status answers false
  void FailSettings(bool get_fails, bool set_fails);
  void FailReads(bool fail);                       // Read answers -1
  void FailWrites(bool fail);                      // Write answers -1
  void LimitWrites(std::size_t max_bytes);         // each Write takes at most this many bytes
  void SetOutQueue(std::uint32_t bytes);           // transmit queue level that Status reports
  void FailPurge(bool fail);

  // --- observation ---
  std::vector<std::vector<std::uint8_t>> writes() const;
  std::vector<std::uint8_t> written() const;  // all writes, concatenated
  void ClearWrites();
  LineSettings settings() const;
  std::size_t read_calls() const;
  std::size_t purge_calls() const;
  std::size_t pending() const;  // bytes delivered and not yet read, readable or not

  // --- Port ---
  bool GetSettings(LineSettings* out) override;
  bool SetSettings(const LineSettings& settings) override;
  long Read(std::uint8_t* buffer, std::size_t max) override;
  long Write(const std::uint8_t* data, std::size_t count, unsigned timeout_ms) override;
  bool WaitReadable(unsigned timeout_ms) override;
  bool Purge(bool rx, bool tx) override;
  bool Status(QueueStatus* out) override;
  bool SetOutputLine(OutputLine line, bool on) override;
  bool SetBreak(bool on) override;
  bool GetModemStatus(std::uint32_t* lines) override;
  int LastErrno() const override;

 private:
  struct Chunk {
    std::int64_t ready_at;
    std::uint8_t byte;
  };
  std::size_t ReadyCountLocked(std::int64_t now) const;

  mutable std::recursive_mutex mutex_;
  std::deque<Chunk> rx_;
  std::vector<std::vector<std::uint8_t>> writes_;
  Responder responder_;
  std::deque<std::pair<std::vector<std::uint8_t>, std::int64_t>> script_;
  LineHook line_hook_;
  LineSettings settings_{};
  std::vector<std::pair<std::int64_t, std::uint32_t>> once_errors_;
  std::uint32_t persistent_errors_ = 0;
  std::uint32_t modem_in_ = 0;
  std::uint32_t out_queue_ = 0;
  std::size_t write_limit_ = static_cast<std::size_t>(-1);
  std::size_t read_calls_ = 0;
  std::size_t purge_calls_ = 0;
  bool fail_status_ = false, fail_get_ = false, fail_set_ = false, fail_reads_ = false, fail_writes_ = false;
  bool fail_purge_ = false;
  bool dtr_ = false, rts_ = false, break_ = false;
  int errno_ = 0;
};

}  // namespace platform::comm
