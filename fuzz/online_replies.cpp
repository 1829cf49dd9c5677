// Fuzz target: the reply handling above one telegram. The simulated inverter answers every request on a fake
// port, and the input alters its replies before the link sees them, so that altered net data with a right BCC
// reach the services: the identity check, the list reads, the scope recording and the single reads and actions.
// Byte 0 picks the service, byte 1 its element; then three bytes per reply: op, position, value.
//   op % 8: 0-3 unchanged; 4 the net byte at position set to value; 5 the net data cut at position; 6 value
//   appended to the net data; 7 no reply at all. Net changes keep LGE and BCC right. Past the input's end the
//   replies pass unchanged.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "fuzz/fresh_data_set.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/scope_recording.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"
#include "platform/sys/local_time.h"
#include "sim/inverter_bus.h"

namespace {

constexpr std::uint8_t kSet = 0;
constexpr std::int64_t kVirtualStepNs = 500'000;

struct Rig {
  std::shared_ptr<platform::comm::FakePort> port = std::make_shared<platform::comm::FakePort>();
  std::shared_ptr<sim::InverterBus> bus;
  std::span<const std::uint8_t> script;
  std::size_t replies = 0;

  Rig() {
    // Coarse virtual steps: the fake port answers at once, so the polls and pauses of an exchange need not be
    // walked through microsecond by microsecond.
    platform::sys::UseVirtualClock(kVirtualStepNs);
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 2, 17, 9, 30, 0, 0});
    platform::comm::InstallPort("COM1", port);
    port->SetResponder([this](platform::comm::FakePort& p, std::span<const std::uint8_t> written) {
      for (const sim::Outgoing& o : bus->Feed(written)) {
        std::vector<std::uint8_t> reply = o.bytes;
        if (Alter(reply)) p.Deliver(reply);
      }
    });
  }

  // Applies the next three bytes of the script to a reply telegram; false drops it.
  bool Alter(std::vector<std::uint8_t>& t) {
    const std::size_t at = 3 * replies++;
    if (at + 3 > script.size() || t.size() < 4) return true;
    const std::uint8_t op = script[at] % 8, pos = script[at + 1], value = script[at + 2];
    std::vector<std::uint8_t> net(t.begin() + 3, t.end() - 1);
    switch (op) {
      case 4:
        if (!net.empty()) net[pos % net.size()] = value;
        break;
      case 5:
        net.resize(net.empty() ? 0 : pos % net.size());
        break;
      case 6:
        if (net.size() < 250) net.push_back(value);
        break;
      case 7:
        return false;
      default:
        return true;
    }
    std::vector<std::uint8_t> out{t[0], static_cast<std::uint8_t>(net.size() + 2), t[2]};
    out.insert(out.end(), net.begin(), net.end());
    std::uint8_t bcc = 0;
    for (std::uint8_t b : out) bcc ^= b;
    out.push_back(bcc);
    t = std::move(out);
    return true;
  }
};

template <typename T>
void Put(std::uint16_t record, std::uint16_t element, T value) {
  model::WriteElement(record, element, &value, model::kModeRaw9, kSet);
}

void RunService(std::uint8_t service, std::uint8_t element) {
  switch (service % 6) {
    case 0:
      if (ilink::TransferParameterSet(1, kSet) == ilink::kOk) ilink::CheckInverterIdentity(1, kSet);
      break;
    case 1:
      ilink::ReadFullParameterList(kSet);
      break;
    case 2:
      if (ilink::TransferParameterList(kSet, ilink::FixedTransferList(ilink::TransferList::kScopeRecording), 0) ==
          ilink::kOk) {
        ilink::LoadScopeRecording(kSet);
        const std::uint16_t samples = ilink::ScopeSamplesPerRecord(kSet);
        for (std::uint8_t channel = 0; channel < 8; ++channel) {
          ilink::GetScopeSample(channel, 0, kSet);
          if (samples > 0) ilink::GetScopeSample(channel, static_cast<std::uint16_t>(samples - 1), kSet);
        }
      }
      break;
    case 3:
      ilink::ReadParameterOnline(kSet, static_cast<std::uint16_t>(element % 64),
                                 static_cast<std::uint16_t>(element / 64 * 2));
      break;
    case 4:
      ilink::ReadMonitorParameters(kSet);
      ilink::ReadRemoteControlRecord(kSet);
      break;
    default:
      ilink::SaveValuesAction(kSet);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Rig rig;
  if (size < 2) return 0;
  rig.bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0});
  rig.script = std::span<const std::uint8_t>(data + 2, size - 2);
  rig.replies = 0;
  rig.port->ClearWrites();  // the fake port keeps every write for tests; here it would only pile up
  fuzz::FreshDataSet(kSet);
  Put<std::uint8_t>(305, 0, 0);    // COM1
  Put<std::uint8_t>(305, 13, 0);   // highest address
  Put<std::uint8_t>(305, 28, 1);   // 9600 baud
  Put<std::uint8_t>(305, 30, 1);   // one try
  Put<std::uint16_t>(305, 36, 10);
  Put<std::uint32_t>(305, 38, 20000);
  Put<std::uint8_t>(305, 42, 0);   // bus address
  ilink::DisconnectInverter(kSet);
  ilink::UssCommand(2, 0);
  ilink::UssCommand(0, 0);
  if (ilink::ConnectInverter(kSet) == ilink::kOk) RunService(data[0], data[1]);
  ilink::DisconnectInverter(kSet);
  // Drop what the replies left behind so that the next input starts on a quiet line.
  std::uint8_t sink[512];
  while (rig.port->Read(sink, sizeof sink) > 0) {
  }
  // Nor does it leave blocks behind: an input that ends holding more than it found makes libFuzzer run it again
  // and search for a leak.
  rig.port->ClearWrites();
  rig.bus.reset();
  return 0;
}
