// Reading the box into a data set: the head and identity, then the parameter records.
#include <array>
#include <iterator>

#include "link/parambox.h"
#include "link/parambox_bus.h"
#include "link/parambox_codes.h"
#include "link/parambox_state.h"
#include "model/element_access.h"
#include "model/record_versions.h"

namespace ilink {
namespace {

constexpr std::uint16_t kHeadRecords[] = {1, 2, 3};
constexpr std::uint16_t kHeadOffsets[] = {0, kBoxValidAt, kBoxListAt};
constexpr std::uint16_t kIdentityRecords[] = {4, 17, 5, 304};
constexpr std::uint16_t kTargetRecord = 304;
constexpr std::uint8_t kHeadProgress = 20;

struct PartRow {
  std::uint8_t selector;
  std::uint16_t record;
};
constexpr PartRow kPartRows[] = {
#define BOX_PART_RECORD(selector, record) {selector, record},
#include "link/data/parambox_part_lists.def"
#undef BOX_PART_RECORD
};
static_assert(std::size(kPartRows) == 55, "10 records for selector 1, 45 for the others");

bool IsHeadRecord(std::uint16_t record) { return record >= 1 && record <= 3; }

}  // namespace

std::uint8_t ReadParameterBox(std::uint8_t set) {
  BoxState& state = BoxModule();
  state.written_by_tool = 0;
  state.head_read = false;
  state.progress = 0;
  BoxWake();
  if (!BoxPresent()) return kBoxNotFound;

  std::array<std::uint8_t, kBoxHeadSize> head{};
  if (const std::uint8_t code = BoxReadBlock(0, kBoxHeadSize, head.data()); code != kBoxOk) return code;
  // A box pulled during the head reads as zeros; say so rather than "undefined format".
  if (!BoxPresent()) return kBoxDisconnected;
  state.head = head;

  const std::uint8_t format = head[0];
  if (format != kBoxFormatOld && format != kBoxFormatCurrent && format != kBoxFormatPositioning) {
    return kBoxUndefinedFormat;
  }
  for (std::size_t i = 0; i < std::size(kHeadRecords); ++i) {
    if (model::WriteRecord(kHeadRecords[i], head.data() + kHeadOffsets[i], model::kModeRaw9, set) != 0) {
      return kBoxDataSetError;
    }
  }
  if (head[kBoxValidAt] != kBoxValidMark) return kBoxInvalidData;
  if (BoxListEnd(head) >= kBoxListEntries) return kBoxListTooLarge;
  state.head_read = true;

  for (const std::uint16_t record : kIdentityRecords) {
    std::uint16_t address = 0, length = 0;
    const std::uint8_t found = FindBoxBlock(record, &address, &length);
    if (found == kBoxNotListed) continue;
    if (found != kBoxOk) return found;
    if (record == kTargetRecord) {
      state.written_by_tool = 1;  // only the PC tool writes the project target
      continue;
    }
    if (!BoxPresent()) return kBoxDisconnected;
    if (const std::uint8_t code = ReadBoxBlockIntoRecord(record, address, length, set); code != kBoxOk) {
      return code;
    }
  }
  // A box pulled during the last block reads as zeros with every acknowledge given.
  if (!BoxPresent()) return kBoxDisconnected;
  DeliverBoxProgress(kHeadProgress);
  return kBoxOk;
}

std::uint8_t ReadParameterBoxPart(std::uint8_t set, std::uint8_t selector) {
  BoxState& state = BoxModule();
  if (!state.head_read) return kBoxReadError;
  std::uint8_t version = 0;
  if (model::ReadElement(4, 0, &version, model::kModeRaw9, set) != 0) return kBoxDataSetError;

  const std::uint8_t wanted = selector == 1 ? 1 : 0;
  unsigned total = 0;
  for (const PartRow& row : kPartRows) total += row.selector == wanted;
  const unsigned base = state.progress;  // what the head read delivered; the records share the rest
  unsigned done = 0;
  for (const PartRow& row : kPartRows) {
    if (row.selector != wanted) continue;
    ++done;
    const std::uint16_t record = row.record;
    if (!IsHeadRecord(record) && model::RecordExistsForVersion(record, version, set)) {
      std::uint16_t address = 0, length = 0;
      const std::uint8_t found = FindBoxBlock(record, &address, &length);
      if (found != kBoxNotListed) {
        if (found != kBoxOk) return found;
        if (!BoxPresent()) return kBoxDisconnected;
        if (const std::uint8_t code = ReadBoxBlockIntoRecord(record, address, length, set); code != kBoxOk) {
          return code;
        }
      }
    }
    DeliverBoxProgress(base + (100 - base) * done / total);
  }
  if (!BoxPresent()) return kBoxDisconnected;
  return kBoxOk;
}

}  // namespace ilink
