// A 2048-byte two-wire serial EEPROM (16-Kbit class, eight 256-byte blocks addressed through the control
// byte, 16-byte write pages) that reacts to the levels of its clock (SCL) and data (SDA) lines. It needs no
// timing of its own: every line change is handed to Update at once. Bits are taken on SCL rising; the chip
// changes its own output only while SCL is low. START (SDA falling while SCL is high) and STOP (SDA rising
// while SCL is high) are honoured in every state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace sim {

class TwoWireEeprom {
 public:
  static constexpr std::size_t kSize = 2048;
  static constexpr std::size_t kPageSize = 16;

  TwoWireEeprom();

  // The clock level and whether the master leaves SDA released (true = high); the chip's own output joins the
  // master's on the wired-AND. Returns the SDA level of the bus afterwards.
  bool Update(bool scl, bool master_sda_high);
  bool pulls_low() const { return drive_low_; }

  // --- the write cycle ---
  // After every write cycle the chip refuses this many control bytes (no acknowledge), and stays busy at
  // least busy_ns of the clock given to SetClock. Defaults: one refusal, no time.
  void SetWriteCycle(std::uint32_t refusals, std::int64_t busy_ns);
  // The clock the busy time is measured on (nanoseconds); none: busy time does not count.
  void SetClock(std::function<std::int64_t()> now_ns);
  // The next n control bytes get no acknowledge, whatever the chip's state (a chip that answers late).
  void RefuseNext(std::uint32_t n);
  bool busy() const;

  // --- contents and observation ---
  std::span<std::uint8_t, kSize> memory() { return memory_; }
  std::span<const std::uint8_t, kSize> memory() const { return memory_; }
  std::uint16_t pointer() const { return pointer_; }
  std::uint32_t write_cycles() const { return write_cycles_; }
  std::uint32_t bytes_read() const { return bytes_read_; }
  std::uint32_t refused() const { return refused_; }
  // Every control byte the chip saw after a START, in order.
  const std::vector<std::uint8_t>& control_bytes() const { return control_bytes_; }
  // Called after every byte written into the memory or sent out of it.
  void SetByteHook(std::function<void()> hook) { byte_hook_ = std::move(hook); }
  // Back to the state after power-up (contents kept).
  void Reset();

 private:
  enum class Phase : std::uint8_t {
    kIdle,       // waiting for START
    kControl,    // shifting in the control byte
    kAddress,    // shifting in the address's low byte
    kData,       // shifting in data bytes of a write
    kSend,       // shifting out a data byte
    kMasterAck,  // the master's acknowledge after a sent byte
    kIgnore,     // not addressed, refused or done: wait for START or STOP
  };

  void OnStart();
  void OnStop();
  void OnRising(bool sda);
  void OnFalling();
  void ByteReceived();
  void LoadSendByte();
  void CommitWrite();
  bool Busy() const;
  std::int64_t Now() const { return now_ ? now_() : 0; }

  std::array<std::uint8_t, kSize> memory_{};
  std::array<std::uint8_t, kPageSize> pending_{};  // a write's bytes by the low four address bits
  std::uint16_t pending_mask_ = 0;
  std::uint32_t pending_count_ = 0;
  std::uint16_t page_start_ = 0;

  bool scl_ = true, sda_ = true;  // bus levels
  Phase phase_ = Phase::kIdle;
  Phase next_phase_ = Phase::kIdle;  // after the acknowledge clock of a received byte
  std::uint8_t shift_ = 0;
  int clocks_ = 0;       // rising clock edges within the current byte (1..8 bits, 9 the acknowledge)
  bool ack_ok_ = false;  // whether the byte just received is acknowledged
  bool master_acked_ = false;
  bool drive_low_ = false;
  std::uint16_t pointer_ = 0;
  std::uint8_t block_ = 0;

  std::uint32_t refusals_after_write_ = 1;
  std::int64_t busy_ns_ = 0;
  std::uint32_t refusals_left_ = 0;
  std::uint32_t forced_refusals_ = 0;
  std::int64_t busy_until_ = 0;
  std::function<std::int64_t()> now_;

  std::uint32_t write_cycles_ = 0;
  std::uint32_t bytes_read_ = 0;
  std::uint32_t refused_ = 0;
  std::vector<std::uint8_t> control_bytes_;
  std::function<void()> byte_hook_;
};

}  // namespace sim
