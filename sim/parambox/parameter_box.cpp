#include "sim/parambox/parameter_box.h"

#include "platform/sys/clock.h"

namespace sim {
namespace pc = platform::comm;

ParameterBox::ParameterBox(std::shared_ptr<pc::FakePort> port) : port_(std::move(port)) {
  eeprom_.SetClock([] { return platform::sys::MonotonicNanos(); });
  eeprom_.SetByteHook([this] { CountByte(); });
  dtr_ = port_->dtr();
  rts_ = port_->rts();
  eeprom_.Reset();
  Publish(eeprom_.Update(!dtr_, !rts_));
  port_->SetLineHook([this](pc::FakePort& p) { OnLines(p); });
}

ParameterBox::~ParameterBox() {
  port_->SetLineHook(nullptr);
  port_->SetModemInput(pc::kModemRing, false);
}

void ParameterBox::SetPresent(bool present) {
  if (present && !present_) eeprom_.Reset();
  present_ = present;
  Publish(present_ ? eeprom_.Update(!dtr_, !rts_) : false);
}

void ParameterBox::SetStuckLow(bool stuck) {
  stuck_low_ = stuck;
  Publish(eeprom_.Update(!dtr_, !rts_));
}

void ParameterBox::RemoveAfterBytes(std::uint32_t bytes) {
  bytes_until_removal_ = bytes;
  removal_armed_ = true;
}

void ParameterBox::ResetTiming() {
  line_changes_ = 0;
  shortest_gap_ns_ = -1;
}

void ParameterBox::CountByte() {
  if (!removal_armed_) return;
  if (bytes_until_removal_ > 0) --bytes_until_removal_;
  if (bytes_until_removal_ == 0) {
    removal_armed_ = false;
    present_ = false;
  }
}

void ParameterBox::OnLines(pc::FakePort& port) {
  const bool dtr = port.dtr(), rts = port.rts();
  if (dtr == dtr_ && rts == rts_) return;  // a break or a repeated level: nothing changed on the bus
  dtr_ = dtr;
  rts_ = rts;
  const std::int64_t now = platform::sys::MonotonicNanos();
  if (line_changes_ > 0) {
    const std::int64_t gap = now - last_change_ns_;
    if (shortest_gap_ns_ < 0 || gap < shortest_gap_ns_) shortest_gap_ns_ = gap;
  }
  last_change_ns_ = now;
  ++line_changes_;
  if (!present_) {
    Publish(false);
    return;
  }
  Publish(eeprom_.Update(!dtr_, !rts_));
}

void ParameterBox::Publish(bool sda_high) {
  port_->SetModemInput(pc::kModemRing, present_ && !stuck_low_ && sda_high);
}

}  // namespace sim
