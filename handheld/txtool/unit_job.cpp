#include "handheld/txtool/unit_job.h"

#include <algorithm>

namespace txtool {

void UnitShared::RequestJob(int new_state, int slot) {
  std::lock_guard lock(mutex);
  state = new_state;
  running_offset = 0;
  last_block = false;
  unit_done = false;
  job.slot = static_cast<std::uint8_t>(std::clamp(slot, 0, static_cast<int>(kSlotCount) - 1));
  if (new_state == kStateWriteDataSet) {
    job.job = kJobTakeBlock;
    job.offset = 0;
    job.length = static_cast<std::uint16_t>(std::min(outgoing_length, kBlockLength));
  }
}

void UnitShared::RequestAttributeWrite(int slot, std::uint16_t word) {
  const auto s = static_cast<std::size_t>(std::clamp(slot, 0, static_cast<int>(kSlotCount) - 1));
  {
    std::lock_guard lock(mutex);
    attribute_before = attributes[s];
    attributes[s] = word;
  }
  RequestJob(kStateWriteAttribute, slot);
}

}  // namespace txtool
