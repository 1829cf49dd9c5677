// Writing a data set into the box: the record list of the version letter, the contents list, the records,
// and the valid mark last.
#include <array>
#include <iterator>
#include <span>
#include <vector>

#include "link/parambox.h"
#include "link/parambox_bus.h"
#include "link/parambox_codes.h"
#include "link/parambox_state.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "model/record_versions.h"

namespace ilink {
namespace {

enum BoxList : std::uint8_t { kOld, kFirst, kCF, kI, kQ, kListCount };

struct WriteRow {
  BoxList list;
  std::uint16_t record;
};
constexpr WriteRow kWriteRows[] = {
#define BOX_WRITE_RECORD(list, record) {list, record},
#include "link/data/parambox_write_lists.def"
#undef BOX_WRITE_RECORD
};
static_assert(std::size(kWriteRows) == 8 + 22 + 27 + 32 + 30);

constexpr std::uint16_t kListRecord = 3;
constexpr std::uint16_t kLetterRecord = 4;
constexpr std::uint16_t kTargetRecord = 304;
constexpr std::uint16_t kTargetVersionElement = 5;
constexpr std::uint8_t kOldLetter = '3';

BoxList ListOfLetter(std::uint8_t letter) {
  if (letter < '@') return kOld;
  if (letter == '@' || letter == 'A') return kFirst;
  if (letter == 'C' || letter == 'F') return kCF;
  if (letter == 'I') return kI;
  return kQ;
}

// The target's firmware letter as the box's version letter.
std::uint8_t BoxLetterOfTarget(std::uint8_t target) {
  if (target < '@') return kOldLetter;
  switch (target) {
    case '@': return '@';
    case 'A': return 'A';
    case 'B': return 'C';
    case 'C': return 'F';
    case 'D': return 'I';
    default: return 'Q';
  }
}

// Puts record 4 of the set back as it was, however the write ends: the letter is the box copy's only.
class LetterRecordKeeper {
 public:
  explicit LetterRecordKeeper(std::uint8_t set) : set_(set) {
    saved_ = model::RecordSize(kLetterRecord) <= bytes_.size() &&
             model::ReadRecord(kLetterRecord, bytes_.data(), model::kModeRaw9, set) == 0;
  }
  ~LetterRecordKeeper() {
    if (saved_) model::WriteRecord(kLetterRecord, bytes_.data(), model::kModeRaw9, set_);
  }
  LetterRecordKeeper(const LetterRecordKeeper&) = delete;
  LetterRecordKeeper& operator=(const LetterRecordKeeper&) = delete;
  bool saved() const { return saved_; }

 private:
  std::uint8_t set_;
  std::array<std::uint8_t, 8> bytes_{};
  bool saved_ = false;
};

struct Block {
  std::uint16_t record;
  std::uint16_t address;
  std::uint16_t length;
};

// The whole box image below the head's first 10 bytes: the contents list and every record's bytes, checked
// to fit before anything is written.
std::uint8_t BuildImage(BoxList list, std::uint8_t letter, std::uint8_t set, std::vector<Block>* blocks,
                        std::array<std::uint8_t, kBoxSize>* image) {
  std::uint32_t address = kBoxListAt;
  for (const WriteRow& row : kWriteRows) {
    if (row.list != list) continue;
    const std::uint16_t size = model::RecordSize(row.record);
    std::uint16_t length = row.record == kListRecord ? std::uint16_t{kBoxHeadSize - kBoxListAt}
                                                     : model::RecordElementCount(row.record, letter, set);
    if (length > size) length = size;  // a block never reaches beyond its record
    if (length == 0) return kBoxDataSetError;
    if (address + length > kBoxSize) return kBoxWriteError;  // the data set is larger than the box
    blocks->push_back({row.record, static_cast<std::uint16_t>(address), length});
    address += length;
  }
  if (blocks->size() >= kBoxListEntries) return kBoxWriteError;

  image->fill(0);
  for (std::size_t i = 0; i <= blocks->size(); ++i) {
    const bool end = i == blocks->size();
    const std::uint16_t record = end ? 0 : (*blocks)[i].record;
    const std::uint16_t at = end ? static_cast<std::uint16_t>(address) : (*blocks)[i].address;
    std::uint8_t* entry = image->data() + kBoxListAt + i * 4;
    entry[0] = static_cast<std::uint8_t>(record & 0xFF);
    entry[1] = static_cast<std::uint8_t>(record >> 8);
    entry[2] = static_cast<std::uint8_t>(at & 0xFF);
    entry[3] = static_cast<std::uint8_t>(at >> 8);
  }
  for (const Block& block : *blocks) {
    if (block.record == kListRecord) continue;
    std::vector<std::uint8_t> bytes(model::RecordSize(block.record));
    if (model::ReadRecord(block.record, bytes.data(), model::kModeRaw9, set) != 0) return kBoxDataSetError;
    std::copy_n(bytes.begin(), block.length, image->begin() + block.address);
  }
  return kBoxOk;
}

}  // namespace

std::uint8_t StoreVersionLetter(std::uint8_t letter, std::uint8_t set) {
  return model::WriteElement(kLetterRecord, 0, &letter, model::kModeRaw9, set) == 0 ? kBoxOk
                                                                                   : kBoxUnknownVersion;
}

std::uint8_t WriteParameterBox(std::uint8_t set, std::uint8_t mode) {
  const std::uint8_t family = model::GetDeviceFamily(set);
  if (family == 2 || family == 3) return kBoxFamilyNotServed;

  std::uint8_t letter = 'Q';
  if (mode != 1) {
    std::uint8_t target = 0;
    if (model::ReadElement(kTargetRecord, kTargetVersionElement, &target, model::kModeRaw9, set) != 0) {
      return kBoxDataSetError;
    }
    letter = BoxLetterOfTarget(target);
  }
  const BoxList list = ListOfLetter(letter);
  LetterRecordKeeper keeper(set);
  if (!keeper.saved()) return kBoxDataSetError;
  if (const std::uint8_t code = StoreVersionLetter(letter, set); code != kBoxOk) return code;

  std::vector<Block> blocks;
  std::array<std::uint8_t, kBoxSize> image{};
  if (const std::uint8_t code = BuildImage(list, letter, set, &blocks, &image); code != kBoxOk) return code;

  BoxWake();
  if (!BoxPresent()) return kBoxDisconnected;
  std::array<std::uint8_t, kBoxListAt> head{};
  if (const std::uint8_t code = BoxReadBlock(0, kBoxListAt, head.data()); code != kBoxOk) return code;
  if (letter < '@' && head[0] != kBoxFormatOld) return kBoxFormattedCurrent;
  if (letter >= '@' && head[0] != kBoxFormatCurrent) return kBoxFormattedOld;

  // Marked invalid while it is written.
  const std::array<std::uint8_t, 2> invalid = {0, head[kBoxValidAt + 1]};
  if (const std::uint8_t code = BoxWriteBlock(kBoxValidAt, 2, invalid.data()); code != kBoxOk) return code;

  std::uint32_t total = 0, written = 0;
  for (const Block& block : blocks) total += block.length;
  for (const Block& block : blocks) {
    const std::uint8_t code = BoxWriteBlock(block.address, block.length, image.data() + block.address);
    if (code != kBoxOk) return code;
    if (!BoxPresent()) return kBoxDisconnected;
    written += block.length;
    DeliverBoxProgress(written * 100 / total);
  }

  const std::array<std::uint8_t, 2> valid = {kBoxValidMark, 0};
  if (const std::uint8_t code = BoxWriteBlock(kBoxValidAt, 2, valid.data()); code != kBoxOk) return code;
  // A box pulled during the last write acknowledges everything; only reading the mark back tells.
  std::array<std::uint8_t, 2> check{};
  if (!BoxPresent() || BoxReadBlock(kBoxValidAt, 2, check.data()) != kBoxOk || check != valid) {
    return kBoxDisconnected;
  }
  return kBoxOk;
}

}  // namespace ilink
