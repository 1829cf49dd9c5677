// Fuzz target: what the device answers to Trevant. Byte 0 picks the telegram (counted from the probe of a fresh
// scan) whose reply is the rest of the input; every other telegram gets the simulated device's answer. The
// panel's loop must stay inside its buffers, end up in one of its states and keep polling.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "handheld/trevant/bedien.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"
#include "platform/sys/module_path.h"
#include "sim/handheld/unit_device.h"

namespace {

constexpr int kPasses = 6;
constexpr int kTelegramChoices = 16;
constexpr std::int64_t kVirtualStepNs = 500'000;

struct Rig {
  std::shared_ptr<platform::comm::FakePort> port = std::make_shared<platform::comm::FakePort>();
  sim::tasto::UnitDevice device;
  std::vector<std::uint8_t> reply;
  int chosen = 0;
  int count = 0;
  trevant::TBedien_* form = nullptr;
  Rig() {
    // Coarse virtual steps: the fake port answers at once, and the waits' last fraction of a millisecond, walked
    // through in 1-us steps, took a thousand message pumps per wait.
    platform::sys::UseVirtualClock(kVirtualStepNs);
    platform::sys::SetExecutablePathOverride("/nonexistent/trevant");  // settings neither read nor written
    platform::comm::InstallPort("COM1", port);
    device.script().job = 15;
    device.script().pending = 1;
    device.script().led = 0x3F;
    port->SetResponder([this](platform::comm::FakePort& p, std::span<const std::uint8_t> written) {
      const std::vector<std::uint8_t> w(written.begin(), written.end());
      const std::vector<std::uint8_t> answer = device.Answer(w);
      p.Deliver(count++ == chosen ? reply : answer);
    });
    form = Application->CreateForm<trevant::TBedien_>();
    form->Timer_Startdelay_->SetEnabled(false);
    // The form stays hidden: repainting its lamps and labels on every pass took most of each input's time and
    // reads nothing of the replies (the panel's painting has tests of its own). The display line is still drawn,
    // by the link itself, from what the device sent.
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Rig rig;
  if (size < 1) return 0;
  rig.reply.assign(data + 1, data + size);
  rig.chosen = data[0] % kTelegramChoices;
  rig.count = 0;
  rig.port->ClearWrites();  // the fake port keeps every write for tests; here it would only pile up
  rig.form->Port().SetBaudrate(9600);
  rig.form->StartLink();
  for (int i = 0; i < kPasses; ++i) rig.form->LinkPass();
  const int state = rig.form->LinkState();
  if (state != trevant::kStateScan && state != trevant::kStateInit && state != trevant::kStateRun &&
      state != trevant::kStatePortError) {
    __builtin_trap();
  }
  // What the input left on the port goes with it (the next input's first exchange flushes the line anyway): an
  // input that ends holding more blocks than it found makes libFuzzer run it again and search for a leak.
  rig.port->ClearWrites();
  rig.port->Purge(true, true);
  return 0;
}
