#include "sim/inverter_bus.h"

namespace sim {
namespace {

constexpr std::uint8_t kStartByte = 0x02;
constexpr std::uint8_t kBroadcast = 0x20;
constexpr std::uint8_t kLogIn = 0x40;
constexpr std::size_t kLongest = 256;

std::uint8_t Xor(const std::vector<std::uint8_t>& t, std::size_t end) {
  std::uint8_t x = 0;
  for (std::size_t i = 0; i < end; ++i) x ^= t[i];
  return x;
}

std::vector<std::uint8_t> MakeTelegram(std::uint8_t adr, const std::vector<std::uint8_t>& net) {
  std::vector<std::uint8_t> t;
  t.reserve(net.size() + 4);
  t.push_back(kStartByte);
  t.push_back(static_cast<std::uint8_t>(net.size() + 2));
  t.push_back(adr);
  t.insert(t.end(), net.begin(), net.end());
  t.push_back(Xor(t, t.size()));
  return t;
}

}  // namespace

InverterBus::InverterBus(std::vector<std::uint8_t> addresses, DeviceIdentity identity) {
  for (std::uint8_t a : addresses) AddDevice(a, identity);
}

void InverterBus::AddDevice(std::uint8_t address, DeviceIdentity identity) {
  std::lock_guard<std::mutex> lock(mutex_);
  devices_.push_back(std::make_unique<InverterDevice>(address, identity));
}

InverterDevice* InverterBus::Device(std::uint8_t address) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& d : devices_) {
    if (d->address() == address) return d.get();
  }
  return nullptr;
}

void InverterBus::Advance(std::int64_t now_ns) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& d : devices_) d->Advance(now_ns);
}

bool InverterBus::ForDevices(int address, const std::function<void(InverterDevice&)>& act) {
  std::lock_guard<std::mutex> lock(mutex_);
  bool any = false;
  for (auto& d : devices_) {
    if (address >= 0 && d->address() != address) continue;
    act(*d);
    any = true;
  }
  return any;
}

void InverterBus::QueueFault(Fault fault) {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.push_back(fault);
}

void InverterBus::SetPersistentFault(Fault fault) {
  std::lock_guard<std::mutex> lock(mutex_);
  persistent_ = fault;
}

void InverterBus::SetFirstByteDelay(std::int64_t ns) {
  std::lock_guard<std::mutex> lock(mutex_);
  first_delay_ = ns;
}

void InverterBus::SetRestDelay(std::int64_t ns) {
  std::lock_guard<std::mutex> lock(mutex_);
  rest_delay_ = ns;
}

std::size_t InverterBus::telegrams() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return telegrams_;
}

std::size_t InverterBus::answered() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return answered_;
}

std::vector<Outgoing> InverterBus::Feed(std::span<const std::uint8_t> bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  std::vector<Outgoing> out;
  for (;;) {
    // Hunt for a start byte; drop what lies before it.
    std::size_t start = 0;
    while (start < input_.size() && input_[start] != kStartByte) ++start;
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(start));
    if (input_.size() < 2) break;
    const std::size_t length = std::size_t{input_[1]} + 2;
    if (input_[1] < 3 || length > kLongest) {  // no telegram starts here
      input_.erase(input_.begin());
      continue;
    }
    if (input_.size() < length) break;
    std::vector<std::uint8_t> telegram(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(length));
    if (Xor(telegram, length - 1) != telegram[length - 1]) {
      // A bad BCC is ignored; look for the next start byte behind this one.
      input_.erase(input_.begin());
      continue;
    }
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(length));
    ++telegrams_;
    for (auto& o : Handle(telegram)) out.push_back(std::move(o));
  }
  return out;
}

Fault InverterBus::NextFault() {
  if (faults_.empty()) return persistent_;
  const Fault f = faults_.front();
  faults_.pop_front();
  return f;
}

std::vector<Outgoing> InverterBus::Handle(const std::vector<std::uint8_t>& t) {
  const std::uint8_t adr = t[2];
  const std::vector<std::uint8_t> net(t.begin() + 3, t.end() - 1);
  if (adr & kLogIn) {
    const std::uint8_t address = adr & 0x1F;
    for (auto& d : devices_) {
      if (d->address() != address) continue;
      d->NoteTelegram();
      return Send(t, true, NextFault());
    }
    return {};
  }
  if (adr & kBroadcast) {
    for (auto& d : devices_) {
      d->NoteTelegram();
      d->ServeBroadcast(net);
    }
    return {};
  }
  for (auto& d : devices_) {
    if (d->address() != adr) continue;
    d->NoteTelegram();
    const Fault fault = NextFault();
    if (fault.kind == FaultKind::kEcho) return Send(t, false, fault);
    std::vector<std::uint8_t> answer = d->Serve(net);
    if (fault.kind == FaultKind::kStatus) answer = {fault.status};
    return Send(MakeTelegram(adr, answer), false, fault);
  }
  return {};
}

std::vector<Outgoing> InverterBus::Send(std::vector<std::uint8_t> reply, bool login, Fault fault) {
  switch (fault.kind) {
    case FaultKind::kDrop: return {};
    case FaultKind::kWrongStx: reply[0] = 0x03; break;
    case FaultKind::kBadBcc: reply.back() ^= 0x5A; break;
    case FaultKind::kTruncate: reply.pop_back(); break;
    case FaultKind::kExtraBytes: reply.push_back(0x00); break;
    case FaultKind::kWrongAddress:
      reply[2] = static_cast<std::uint8_t>(reply[2] + 1);
      reply.back() = Xor(reply, reply.size() - 1);
      break;
    case FaultKind::kAlterMirror:
      if (login) {
        reply[10] ^= 0x01;
        reply.back() = Xor(reply, reply.size() - 1);
      }
      break;
    case FaultKind::kStall: reply.resize(2); break;
    default: break;
  }
  ++answered_;
  if (rest_delay_ > 0 && reply.size() > 2) {
    return {Outgoing{{reply.begin(), reply.begin() + 2}, first_delay_},
            Outgoing{{reply.begin() + 2, reply.end()}, rest_delay_}};
  }
  return {Outgoing{std::move(reply), first_delay_}};
}

}  // namespace sim
