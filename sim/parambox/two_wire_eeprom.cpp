#include "sim/parambox/two_wire_eeprom.h"

namespace sim {
namespace {

constexpr std::uint16_t kAddressMask = TwoWireEeprom::kSize - 1;  // 11 bits
constexpr std::uint16_t kPageMask = kAddressMask & ~std::uint16_t{TwoWireEeprom::kPageSize - 1};
constexpr std::uint8_t kDeviceCode = 0xA0;  // 1010 in the control byte's high nibble

}  // namespace

TwoWireEeprom::TwoWireEeprom() { memory_.fill(0xFF); }

void TwoWireEeprom::SetWriteCycle(std::uint32_t refusals, std::int64_t busy_ns) {
  refusals_after_write_ = refusals;
  busy_ns_ = busy_ns > 0 ? busy_ns : 0;
}

void TwoWireEeprom::SetClock(std::function<std::int64_t()> now_ns) { now_ = std::move(now_ns); }

void TwoWireEeprom::RefuseNext(std::uint32_t n) { forced_refusals_ = n; }

bool TwoWireEeprom::busy() const { return Busy(); }

bool TwoWireEeprom::Busy() const { return refusals_left_ > 0 || (now_ && Now() < busy_until_); }

void TwoWireEeprom::Reset() {
  scl_ = true;
  sda_ = true;
  phase_ = Phase::kIdle;
  next_phase_ = Phase::kIdle;
  clocks_ = 0;
  drive_low_ = false;
  pending_mask_ = 0;
  pending_count_ = 0;
}

bool TwoWireEeprom::Update(bool scl, bool master_sda_high) {
  const bool sda = master_sda_high && !drive_low_;
  const bool was_scl = scl_, was_sda = sda_;
  scl_ = scl;
  sda_ = sda;
  if (was_scl && scl) {
    if (was_sda && !sda) OnStart();
    if (!was_sda && sda) OnStop();
  } else if (!was_scl && scl) {
    OnRising(sda);
  } else if (was_scl && !scl) {
    OnFalling();
  }
  sda_ = master_sda_high && !drive_low_;
  return sda_;
}

void TwoWireEeprom::OnStart() {
  // A repeated START ends an unfinished write without a write cycle.
  phase_ = Phase::kControl;
  clocks_ = 0;
  shift_ = 0;
  drive_low_ = false;
  pending_mask_ = 0;
  pending_count_ = 0;
}

void TwoWireEeprom::OnStop() {
  drive_low_ = false;
  if (phase_ == Phase::kData && pending_count_ > 0) CommitWrite();
  phase_ = Phase::kIdle;
  clocks_ = 0;
}

void TwoWireEeprom::OnRising(bool sda) {
  switch (phase_) {
    case Phase::kControl:
    case Phase::kAddress:
    case Phase::kData:
      ++clocks_;
      if (clocks_ <= 8) {
        shift_ = static_cast<std::uint8_t>((shift_ << 1) | (sda ? 1 : 0));
        if (clocks_ == 8) ByteReceived();
      }
      return;
    case Phase::kSend:
      ++clocks_;  // the master takes the bit the chip put out
      return;
    case Phase::kMasterAck:
      master_acked_ = !sda;
      return;
    case Phase::kIdle:
    case Phase::kIgnore:
      return;
  }
}

void TwoWireEeprom::OnFalling() {
  switch (phase_) {
    case Phase::kControl:
    case Phase::kAddress:
    case Phase::kData:
      if (clocks_ == 8) {
        drive_low_ = ack_ok_;  // the acknowledge for the ninth clock
      } else if (clocks_ >= 9) {
        drive_low_ = false;
        clocks_ = 0;
        shift_ = 0;
        phase_ = next_phase_;
        if (phase_ == Phase::kSend) LoadSendByte();
      }
      return;
    case Phase::kSend:
      if (clocks_ < 8) {
        drive_low_ = ((shift_ >> (7 - clocks_)) & 1) == 0;
        return;
      }
      // The byte is out: release the line for the master's acknowledge.
      drive_low_ = false;
      pointer_ = static_cast<std::uint16_t>((pointer_ + 1) & kAddressMask);
      ++bytes_read_;
      phase_ = Phase::kMasterAck;
      master_acked_ = false;
      if (byte_hook_) byte_hook_();
      return;
    case Phase::kMasterAck:
      if (master_acked_) {
        phase_ = Phase::kSend;
        LoadSendByte();
      } else {
        phase_ = Phase::kIgnore;
      }
      return;
    case Phase::kIdle:
    case Phase::kIgnore:
      drive_low_ = false;
      return;
  }
}

void TwoWireEeprom::LoadSendByte() {
  shift_ = memory_[pointer_];
  clocks_ = 0;
  drive_low_ = (shift_ & 0x80) == 0;
}

void TwoWireEeprom::ByteReceived() {
  ack_ok_ = true;
  switch (phase_) {
    case Phase::kControl: {
      control_bytes_.push_back(shift_);
      if ((shift_ & 0xF0) != kDeviceCode) {
        ack_ok_ = false;
      } else if (forced_refusals_ > 0) {
        --forced_refusals_;
        ack_ok_ = false;
      } else if (Busy()) {
        if (refusals_left_ > 0) --refusals_left_;
        ack_ok_ = false;
      }
      if (!ack_ok_) {
        if ((shift_ & 0xF0) == kDeviceCode) ++refused_;
        next_phase_ = Phase::kIgnore;
        return;
      }
      if (shift_ & 1) {
        next_phase_ = Phase::kSend;  // reads go on from the pointer; the block bits do not count
      } else {
        block_ = static_cast<std::uint8_t>((shift_ >> 1) & 7);
        next_phase_ = Phase::kAddress;
      }
      return;
    }
    case Phase::kAddress:
      pointer_ = static_cast<std::uint16_t>((block_ << 8) | shift_);
      page_start_ = pointer_;
      pending_mask_ = 0;
      pending_count_ = 0;
      next_phase_ = Phase::kData;
      return;
    case Phase::kData: {
      // Bytes beyond a page wrap round within it, as the chip's page buffer does.
      const unsigned nibble = (page_start_ + pending_count_) & (kPageSize - 1);
      pending_[nibble] = shift_;
      pending_mask_ = static_cast<std::uint16_t>(pending_mask_ | (1u << nibble));
      ++pending_count_;
      next_phase_ = Phase::kData;
      return;
    }
    default:
      return;
  }
}

void TwoWireEeprom::CommitWrite() {
  const std::uint16_t base = page_start_ & kPageMask;
  for (unsigned nibble = 0; nibble < kPageSize; ++nibble) {
    if (pending_mask_ & (1u << nibble)) {
      memory_[base | nibble] = pending_[nibble];
      if (byte_hook_) byte_hook_();
    }
  }
  pointer_ = static_cast<std::uint16_t>(base | ((page_start_ + pending_count_) & (kPageSize - 1)));
  pending_mask_ = 0;
  pending_count_ = 0;
  ++write_cycles_;
  refusals_left_ = refusals_after_write_;
  busy_until_ = Now() + busy_ns_;
}

}  // namespace sim
