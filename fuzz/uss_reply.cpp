// Fuzz target: whatever comes back on the line for a request. Byte 0 picks the service, byte 1 the element
// length, the rest is the reply as the port delivers it. The reader and the reply parser must stay inside their
// buffers and answer a code.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "link/uss_driver.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"

namespace {

struct Rig {
  std::shared_ptr<platform::comm::FakePort> port = std::make_shared<platform::comm::FakePort>();
  std::vector<std::uint8_t> reply;
  std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(256);
  Rig() {
    platform::sys::UseVirtualClock(1000);
    platform::comm::InstallPort("COM1", port);
    port->SetResponder([this](platform::comm::FakePort& p, std::span<const std::uint8_t>) { p.Deliver(reply); });
    ilink::SetUssDriverSettings(0, 1, 1, 555, 0, 2000, 0, 0);
    ilink::UssCommand(1, 0);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Rig rig;
  if (size < 2) return 0;
  rig.reply.assign(data + 2, data + size);
  ilink::UssSlot& slot = ilink::UssSlotAt(0);
  slot = ilink::UssSlot{};
  slot.address = 0;
  slot.logged_in = 1;
  slot.service = static_cast<std::uint8_t>(data[0] % 12);
  slot.data_length = static_cast<std::uint16_t>(data[1] % 250);
  slot.piece_length = slot.data_length;
  slot.record_size = 250;
  slot.request_data = std::span<std::uint8_t>(rig.buffer);
  slot.reply_data = std::span<std::uint8_t>(rig.buffer);
  ilink::UssCommand(4, 0);
  // Drop what the reply left behind so that the next input starts on a quiet line.
  std::uint8_t sink[512];
  while (rig.port->Read(sink, sizeof sink) > 0) {
  }
  return 0;
}
