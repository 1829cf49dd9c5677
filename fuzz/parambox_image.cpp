// Fuzz target: the parameter-box reader on arbitrary box contents. The input is the box's EEPROM image (the rest
// of the memory erased); the box is read whole, its head checked and its parts read. The box answers from memory
// through the link's stand-in, at once: the bit-level bus on the modem lines has tests of its own and would make
// every input take about a second. Byte 0 also picks the head check's mode.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/fresh_data_set.h"
#include "link/com_port.h"
#include "link/parambox.h"
#include "link/parambox_bus.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/clock.h"
#include "platform/sys/local_time.h"

namespace {

constexpr std::uint8_t kSet = 0;

template <typename T>
void Put(std::uint16_t record, std::uint16_t element, T value) {
  model::WriteElement(record, element, &value, model::kModeRaw9, kSet);
}

struct Rig {
  std::shared_ptr<platform::comm::FakePort> port = std::make_shared<platform::comm::FakePort>();
  std::array<std::uint8_t, ilink::kBoxSize> memory{};
  Rig() {
    platform::sys::UseVirtualClock(1000);
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 2, 17, 9, 30, 0, 0});
    platform::comm::InstallPort("COM1", port);  // the box port opens as on a user's machine
    ilink::SetBoxMemoryStandIn(memory);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Rig rig;
  if (size < 1) return 0;
  auto& memory = rig.memory;
  std::fill(memory.begin(), memory.end(), 0xFF);
  std::copy(data + 1, data + 1 + std::min(size - 1, memory.size()), memory.begin());
  fuzz::FreshDataSet(kSet);
  // Short bit timings (5-us units), as a user may set them.
  Put<std::uint8_t>(305, 155, 1);
  Put<std::uint32_t>(305, 18, 4);
  Put<std::uint16_t>(305, 22, 1);
  Put<std::uint16_t>(305, 24, 1);
  Put<std::uint16_t>(305, 16, 2);
  if (ilink::OpenParameterBox(kSet) == 0) {
    if (ilink::ReadParameterBox(kSet) == 0) {
      std::uint8_t by_tool = 0;
      ilink::CheckParameterBoxHead(static_cast<std::uint8_t>(data[0] % 4), &by_tool, kSet);
      ilink::ReadParameterBoxPart(kSet, 1);
      ilink::ReadParameterBoxPart(kSet, 0);
    }
  }
  ilink::CloseParameterBox();
  ilink::ComPortClose();
  return 0;
}
