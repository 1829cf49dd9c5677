// ReadElement and WriteElement in the access modes, record reads and writes, the previous-value buffer.
#include "model/element_access.h"

#include <array>
#include <cmath>
#include <cstring>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_attributes.h"
#include "model/element_type.h"
#include "model/entry_conversion.h"
#include "model/function_tables.h"
#include "model/record_layout.h"
#include "model/stored_value.h"
#include "model/type_limits.h"

namespace model {
namespace {

constexpr std::uint16_t kLinkSettingsRecord = 305;  // its number elements are never logged

std::array<std::uint8_t, 4> g_previous_value{};

bool IsConvertedMode(std::uint8_t mode) { return mode == kModeConverted || mode == kModeReadConverted; }
bool IsRawMode(std::uint8_t mode) { return mode == kModeRaw || mode == kModeRaw9; }

// Whether the new stored form differs from the old: float comparison for floats, bytes for the rest.
bool StoredFormDiffers(const std::uint8_t* old_form, const std::uint8_t* new_form, std::uint8_t type) {
  if (IsFloatType(type)) return LoadStoredAsDouble(old_form, type) != LoadStoredAsDouble(new_form, type);
  return std::memcmp(old_form, new_form, ElementTypeSize(type)) != 0;
}

bool TextDiffers(const std::uint8_t* stored, const void* in, std::uint8_t type) {
  const std::uint16_t size = ElementTypeSize(type);
  return std::strncmp(reinterpret_cast<const char*>(stored), static_cast<const char*>(in), size - 1u) != 0;
}

void LogChange(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  const std::uint32_t entry = record | (static_cast<std::uint32_t>(element) << 16);
  ChangeListPush(set, 0, &entry);  // a full list is not reported
}

// Byte elements without a numeric form (blocks, 8 raw bytes): passed as their stored bytes in every mode.
bool IsByteBlockType(std::uint8_t type) { return type == kTypeBlock240 || type == kTypeRaw8; }

std::uint8_t WriteConverted(std::uint16_t record, std::uint16_t element, const LayoutEntry& row,
                            std::uint8_t* storage, const void* in, std::uint8_t mode, std::uint8_t set) {
  if (mode == kModeConverted) {
    if (row.check >= kCheckCount) return 12;
    if (CheckTable()[row.check](record, element, set) != 0) return 9;
  }
  const ParameterDescriptor* descriptor = FindDescriptor(record, element);
  if (!descriptor) return 3;

  if (IsStringType(row.type) || IsByteBlockType(row.type)) {
    const bool differs = IsStringType(row.type)
                             ? TextDiffers(storage, in, row.type)
                             : std::memcmp(storage, in, ElementTypeSize(row.type)) != 0;
    if (differs) LogChange(record, element, set);
    return CopyValueByType(in, storage, row.type) == 0 ? 0 : 12;
  }
  if (!IsNumberType(row.type)) return 12;

  double entered = 0.0;
  std::memcpy(&entered, in, sizeof entered);
  std::array<std::uint8_t, 8> stored{};
  const std::uint8_t refused = ConvertEntry(record, row, *descriptor, entered, set, &stored);
  if (refused != 0) return refused;
  if (row.action >= kActionCount) return 12;  // checked before anything changes

  if (StoredFormDiffers(storage, stored.data(), row.type) && record != kLinkSettingsRecord) {
    LogChange(record, element, set);
  }
  if (IsIntegerType(row.type)) {
    g_previous_value.fill(0);
    std::memcpy(g_previous_value.data(), storage, ElementTypeSize(row.type));
  }
  std::memcpy(storage, stored.data(), ElementTypeSize(row.type));
  return ActionTable()[row.action](record, element, set);
}

}  // namespace

const std::uint8_t* PreviousElementValueBuffer() { return g_previous_value.data(); }

void ClearPreviousElementValue() { g_previous_value.fill(0); }

void SetPreviousElementValue(const void* value, std::size_t size) {
  g_previous_value.fill(0);
  std::memcpy(g_previous_value.data(), value, size < g_previous_value.size() ? size : g_previous_value.size());
}

std::uint8_t ReadElement(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                         std::uint8_t set) {
  if (set > LastDataSetIndex()) return 1;
  const std::uint16_t index = FindLayoutEntry(record, element);
  if (index == kNoRow) return 3;
  const std::uint8_t* storage = ElementAddress(record, element, set);
  if (!storage) return 3;
  const LayoutEntry& row = RecordLayoutTable()[index];

  if (IsRawMode(mode)) return CopyValueByType(storage, out, row.type) == 0 ? 0 : 12;
  if (!IsConvertedMode(mode)) return 2;

  const ParameterDescriptor* descriptor = FindDescriptor(record, element);
  if (!descriptor) return 3;
  if (!IsNumberType(row.type)) return CopyValueByType(storage, out, row.type) == 0 ? 0 : 12;

  if (descriptor->converter >= kConverterCount) return 12;
  const double stored = LoadStoredAsDouble(storage, row.type);
  double shown = 0.0;
  const std::uint8_t decimals = GetElementAttributes(record, descriptor->selector, set);
  const std::uint8_t status = ConverterTable()[descriptor->converter](&stored, &shown, descriptor->parameter,
                                                                      row.type, decimals, 1, set, record);
  std::memcpy(out, &shown, sizeof shown);
  return status;
}

std::uint8_t WriteElement(std::uint16_t record, std::uint16_t element, const void* in, std::uint8_t mode,
                          std::uint8_t set) {
  if (set > LastDataSetIndex()) return 1;
  const std::uint16_t index = FindLayoutEntry(record, element);
  if (index == kNoRow) return 3;
  std::uint8_t* storage = ElementAddress(record, element, set);
  if (!storage) return 3;
  const LayoutEntry& row = RecordLayoutTable()[index];

  if (IsRawMode(mode)) return CopyValueByType(in, storage, row.type);
  if (mode != kModeConverted && mode != kModeWriteUnchecked) return 2;
  return WriteConverted(record, element, row, storage, in, mode, set);
}

namespace {

template <typename Copy>
std::uint8_t ForEachElementOfRecord(std::uint16_t record, std::uint8_t mode, std::uint8_t set, Copy copy) {
  if (!IsRawMode(mode)) return 2;
  if (set > LastDataSetIndex()) return 1;
  const std::uint16_t first = FirstRowOfRecord(record);
  if (first == kNoRow) return 3;
  const auto table = RecordLayoutTable();
  const std::uint16_t rows = LayoutElementCount(record, mode);
  std::uint16_t element = 0;
  for (std::uint16_t row = first; row < first + rows; ++row) {
    std::uint8_t* storage = ElementAddress(record, element, set);
    if (!storage) return 3;
    copy(storage, element, table[row].type);
    element = static_cast<std::uint16_t>(element + ElementTypeSize(table[row].type));
  }
  return 0;
}

}  // namespace

std::uint8_t ReadRecord(std::uint16_t record, void* out, std::uint8_t mode, std::uint8_t set) {
  auto* bytes = static_cast<std::uint8_t*>(out);
  return ForEachElementOfRecord(record, mode, set, [bytes](std::uint8_t* storage, std::uint16_t element,
                                                           std::uint8_t type) {
    CopyValueByType(storage, bytes + element, type);
  });
}

std::uint8_t WriteRecord(std::uint16_t record, const void* in, std::uint8_t mode, std::uint8_t set) {
  const auto* bytes = static_cast<const std::uint8_t*>(in);
  return ForEachElementOfRecord(record, mode, set, [bytes](std::uint8_t* storage, std::uint16_t element,
                                                           std::uint8_t type) {
    CopyValueByType(bytes + element, storage, type);
  });
}

}  // namespace model
