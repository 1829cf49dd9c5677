#include "link/parambox_state.h"

#include <vector>

#include "link/parambox_codes.h"
#include "model/element_access.h"
#include "model/record_layout.h"

namespace ilink {

BoxState& BoxModule() {
  static BoxState state;
  return state;
}

void DeliverBoxProgress(unsigned percent) {
  BoxState& s = BoxModule();
  s.progress = static_cast<std::uint8_t>(percent > 100 ? 100 : percent);
  if (s.hook) s.hook(s.progress);
}

void SetBoxProgressHook(BoxProgressHook hook) { BoxModule().hook = std::move(hook); }
void ClearBoxProgressHook() { BoxModule().hook = nullptr; }

const std::array<std::uint8_t, kBoxHeadSize>& ParameterBoxHead() { return BoxModule().head; }

BoxListEntry BoxListEntryAt(const std::array<std::uint8_t, kBoxHeadSize>& head, std::uint16_t index) {
  const std::size_t at = kBoxListAt + std::size_t{index} * 4;
  if (index >= kBoxListEntries) return {};
  return {static_cast<std::uint16_t>(head[at] | (head[at + 1] << 8)),
          static_cast<std::uint16_t>(head[at + 2] | (head[at + 3] << 8))};
}

std::uint16_t BoxListEnd(const std::array<std::uint8_t, kBoxHeadSize>& head) {
  for (std::uint16_t i = 0; i < kBoxListEntries; ++i) {
    if (BoxListEntryAt(head, i).record == 0) return i;
  }
  return kBoxListEntries;
}

std::uint8_t FindBoxBlock(std::uint16_t record, std::uint16_t* address, std::uint16_t* length) {
  const auto& head = BoxModule().head;
  const std::uint16_t end = BoxListEnd(head);
  for (std::uint16_t i = 0; i < end; ++i) {
    const BoxListEntry entry = BoxListEntryAt(head, i);
    if (entry.record != record) continue;
    const BoxListEntry next = BoxListEntryAt(head, static_cast<std::uint16_t>(i + 1));
    // A list that runs backwards, reaches 512 bytes or leaves the box is refused before anything is read.
    if (next.address < entry.address || entry.address >= kBoxSize) return kBoxReadError;
    const std::uint16_t size = static_cast<std::uint16_t>(next.address - entry.address);
    if (size >= kBoxBlockLimit || size > kBoxSize - entry.address) return kBoxReadError;
    *address = entry.address;
    *length = size;
    return 0;
  }
  return kBoxNotListed;
}

std::uint8_t ReadBoxBlockIntoRecord(std::uint16_t record, std::uint16_t address, std::uint16_t length,
                                    std::uint8_t set) {
  const std::uint16_t size = model::RecordSize(record);
  if (size == 0) return kBoxDataSetError;
  std::vector<std::uint8_t> buffer(size);
  if (model::ReadRecord(record, buffer.data(), model::kModeRaw9, set) != 0) return kBoxDataSetError;
  const std::uint16_t take = length < size ? length : size;
  if (const std::uint8_t code = BoxReadBlock(address, take, buffer.data()); code != kBoxOk) return code;
  if (model::WriteRecord(record, buffer.data(), model::kModeRaw9, set) != 0) return kBoxDataSetError;
  return kBoxOk;
}

}  // namespace ilink
