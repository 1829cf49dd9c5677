// DataSetTable and the data sets' life: slots, element addresses, initialisation with defaults, layout stamp.
#include "model/data_set.h"

#include <cstring>

#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"

namespace model {
namespace {

ProjectDataSet g_data_set0{};
ProjectDataSet g_data_set1{};

// Slots 0 and 1 are filled for the life of the process; 2 and 3 stay empty.
const std::array<ProjectDataSet*, kDataSetSlots> kDataSetTable = {&g_data_set0, &g_data_set1, nullptr, nullptr};

// Gives one element its default text: the default string, then the computed text (A 0..4) over it.
std::uint8_t ApplyDefaultText(const LayoutEntry& row, std::uint8_t* storage, std::uint8_t set) {
  const char* text = DefaultString(row.b);
  if (!text) return 3;
  if (CopyValueByType(text, storage, row.type) != 0) return 3;
  if (row.a < kComputedTextCount) {
    ComputedTextTable()[row.a](reinterpret_cast<char*>(storage), ElementTypeSize(row.type), set);
  }
  return 0;
}

// Copies a record's default image into it element by element, leaving its string elements alone.
std::uint8_t ApplyDefaultImage(std::uint16_t record, const std::uint8_t* image, std::uint8_t set) {
  const std::uint16_t first = FirstRowOfRecord(record);
  if (first == kNoRow) return 3;
  const std::uint16_t rows = LayoutElementCount(record, 8);
  const auto table = RecordLayoutTable();
  std::uint16_t element = 0;
  for (std::uint16_t row = first; row < first + rows; ++row) {
    const LayoutEntry& entry = table[row];
    if (!IsStringType(entry.type)) {
      std::uint8_t* storage = ElementAddress(record, element, set);
      if (!storage || CopyValueByType(image + element, storage, entry.type) != 0) return 3;
    }
    element = static_cast<std::uint16_t>(element + ElementTypeSize(entry.type));
  }
  return 0;
}

}  // namespace

ProjectDataSet* DataSetSlot(std::uint8_t set) { return set < kDataSetSlots ? kDataSetTable[set] : nullptr; }

std::uint8_t LastDataSetIndex() {
  std::uint8_t filled = 0;
  for (const ProjectDataSet* slot : kDataSetTable) filled = static_cast<std::uint8_t>(filled + (slot ? 1 : 0));
  return static_cast<std::uint8_t>(filled - 1);
}

std::uint8_t* ElementAddress(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (set > LastDataSetIndex()) return nullptr;
  ProjectDataSet* data = DataSetSlot(set);
  const std::uint16_t row = FindLayoutEntry(record, element);
  if (!data || row == kNoRow) return nullptr;
  return data->storage.data() + RecordLayoutTable()[row].storage;
}

std::uint8_t CopyValueByType(const void* source, void* destination, std::uint8_t type) {
  const std::uint16_t size = ElementTypeSize(type);
  if (size == 0) return 1;
  if (!IsStringType(type)) {
    std::memmove(destination, source, size);
    return 0;
  }
  const auto* text = static_cast<const char*>(source);
  const std::size_t length = strnlen(text, size - 1u);
  auto* out = static_cast<char*>(destination);
  std::memmove(out, text, length);
  out[length] = '\0';
  return 0;
}

std::uint8_t RunElementAction(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  const std::uint16_t row = FindLayoutEntry(record, element);
  if (row == kNoRow) return 3;
  const std::uint8_t action = RecordLayoutTable()[row].action;
  if (action >= kActionCount) return 12;
  return ActionTable()[action](record, element, set);
}

std::uint8_t InitDataSet(std::uint8_t set) {
  if (set > 1) return 1;
  ProjectDataSet* data = DataSetSlot(set);
  if (!data) return 1;
  *data = ProjectDataSet{};

  const auto table = RecordLayoutTable();
  for (std::uint16_t row = 0; table[row].record != 0; ++row) {
    const LayoutEntry& entry = table[row];
    if (!IsStringType(entry.type)) continue;
    const std::uint16_t element = ElementIndexInRecord(entry.record, row);
    if (element == kNoRow) return 3;
    std::uint8_t* storage = ElementAddress(entry.record, element, set);
    if (!storage || ApplyDefaultText(entry, storage, set) != 0) return 3;
  }

  for (const RecordDefaultRow& row : RecordDefaultTable()) {
    if (row.image_record == 0) continue;
    const std::uint8_t* image = RecordDefaultImage(row.record);
    if (!image || ApplyDefaultImage(row.record, image, set) != 0) return 3;
  }

  ClearPreviousElementValue();
  const std::uint8_t ident = RunElementAction(304, 1, set);
  if (ident != 0) return ident;
  // The motor-database buffer (same layout as the motor records) starts with parameter set 1's motor.
  std::array<std::uint8_t, 74> motor{};
  if (RecordSize(42) == motor.size() && RecordSize(348) == motor.size() &&
      ReadRecord(42, motor.data(), kModeRaw, set) == 0) {
    WriteRecord(348, motor.data(), kModeRaw, set);
  }
  ClearChangeList0(set);
  RunElementAction(55, 26, set);
  return RunElementAction(514, 4, set);
}

std::uint16_t GetFileTypeCode(std::uint8_t set) {
  std::uint16_t kind = 0;
  if (ReadElement(302, 0, &kind, kModeRaw, set) != 0) return 0;
  return kind;
}

std::uint8_t ResetRecord300Defaults(std::uint8_t set) {
  if (set > LastDataSetIndex()) return 1;
  constexpr std::uint16_t kRecord = 300;
  const std::uint16_t first = FirstRowOfRecord(kRecord);
  if (first == kNoRow) return 3;
  const std::uint8_t* image = RecordDefaultImage(kRecord);
  const auto table = RecordLayoutTable();
  for (std::uint16_t row = first; row < first + LayoutElementCount(kRecord, 8); ++row) {
    const LayoutEntry& entry = table[row];
    const std::uint16_t element = ElementIndexInRecord(kRecord, row);
    std::uint8_t* storage = ElementAddress(kRecord, element, set);
    if (element == kNoRow || !storage) return 3;
    if (IsStringType(entry.type)) {
      if (ApplyDefaultText(entry, storage, set) != 0) return 3;
    } else if (image) {
      if (CopyValueByType(image + element, storage, entry.type) != 0) return 3;
    } else {
      std::memset(storage, 0, ElementTypeSize(entry.type));
    }
  }
  return 0;
}

std::uint8_t StampLayoutVersion(std::uint8_t set) {
  std::array<std::uint8_t, 2> version{};
  if (RecordSize(4) != version.size()) return 3;
  const std::uint8_t read = ReadRecord(4, version.data(), kModeRaw, set);
  if (read != 0) return read;
  version[0] = 'Q';
  version[1] = 22;
  return WriteRecord(4, version.data(), kModeRaw, set);
}

}  // namespace model
