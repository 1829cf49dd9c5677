// Factory defaults and range limits of single elements.
#include <cstring>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_attributes.h"
#include "model/element_type.h"
#include "model/entry_conversion.h"
#include "model/function_tables.h"
#include "model/motor_rows.h"
#include "model/record_layout.h"
#include "model/stored_value.h"

namespace model {
namespace {

constexpr std::uint8_t kFallbackDeviceType = 55;  // the type row used for unknown device types
constexpr std::uint8_t kSecondMotorTableLetter = 'E';
constexpr std::uint8_t kSecondMotorTableStart = 30;

// The built-in motor row that holds the defaults of records 42 and 43 for the data set's target device; null
// when there is none. Every index taken from the data set is bounded.
const std::uint8_t* DefaultMotorRow(std::uint8_t set) {
  std::uint8_t device_type = kFallbackDeviceType;
  if (ReadElement(304, 1, &device_type, kModeRaw, set) != 0 || device_type >= 98) device_type = kFallbackDeviceType;
  std::uint8_t letter = 0;
  if (GetElementType(304, 5) != kTypeU8 || ReadElement(304, 5, &letter, kModeRaw, set) != 0) letter = 0;
  const std::uint8_t row = MotorRowForDefaults(DefaultMotorOfDeviceType(device_type), letter);
  return row < kBuiltInMotorRows ? BuiltInMotorRow(row) : nullptr;
}

// The stored form of a number element's default (zeros when the record has none).
void StoredDefault(std::uint16_t record, std::uint16_t element, std::uint8_t type, std::uint8_t set,
                   std::uint8_t* out) {
  const std::uint16_t size = ElementTypeSize(type);
  std::memset(out, 0, size);
  const std::uint8_t* source = nullptr;
  if (record == 42 || record == 43) {
    source = DefaultMotorRow(set);
    if (source && element + size > kMotorRowSize) source = nullptr;
    if (source) source += element;
  } else if (const std::uint8_t* image = RecordDefaultImage(record)) {
    source = image + element;
  }
  if (source) std::memcpy(out, source, size);
}

// Widens a stored form and runs it through the element's converter, stored to displayed.
std::uint8_t ConvertStoredForDisplay(std::uint16_t record, const ParameterDescriptor& descriptor,
                                     const std::uint8_t* stored, std::uint8_t type, std::uint8_t set, double* out) {
  if (descriptor.converter >= kConverterCount) return 12;
  const double value = LoadStoredAsDouble(stored, type);
  double shown = 0.0;
  const std::uint8_t decimals = GetElementAttributes(record, descriptor.selector, set);
  const std::uint8_t status =
      ConverterTable()[descriptor.converter](&value, &shown, descriptor.parameter, type, decimals, 1, set, record);
  *out = shown;
  return status;
}

std::uint8_t GetElementLimit(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                             std::uint8_t set, std::uint8_t which) {
  if (set > LastDataSetIndex()) return 1;
  const std::uint16_t index = FindLayoutEntry(record, element);
  if (index == kNoRow) return 3;
  const ParameterDescriptor* descriptor = FindDescriptor(record, element);
  if (!descriptor) return 3;
  const LayoutEntry& row = RecordLayoutTable()[index];
  if (!IsNumberType(row.type)) return 3;  // texts and blocks have no limits
  if (row.a >= kRangeFunctionCount || row.b >= kRangePairCount) return 12;
  std::uint8_t limit[8] = {};
  if (RangeTable()[row.a](limit, RangePairTable()[row.b], row.type, set, which) != 0) return 3;
  if (mode == kModeConverted) {
    double shown = 0.0;
    const std::uint8_t status = ConvertStoredForDisplay(record, *descriptor, limit, row.type, set, &shown);
    if (status != 0) return status;  // a refused conversion gives no limit rather than an undefined one
    // Rounded for display a limit may fall just outside the range; it is shown as the nearest value inside.
    shown = EnterableLimit(record, row, *descriptor, shown,
                           GetElementAttributes(record, descriptor->selector, set), which, set);
    std::memcpy(out, &shown, sizeof shown);
  } else if (mode == kModeRaw) {
    std::memcpy(out, limit, ElementTypeSize(row.type));
  }
  return 0;
}

}  // namespace

std::uint8_t MotorRowForDefaults(std::uint8_t default_motor, std::uint8_t version_letter) {
  unsigned row = default_motor;
  if (default_motor < 60 && version_letter == kSecondMotorTableLetter) row += kSecondMotorTableStart;
  return row < kBuiltInMotorRows ? static_cast<std::uint8_t>(row) : 255;
}

std::uint8_t ReadDefaultElement(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                                std::uint8_t set) {
  if (mode != kModeConverted && mode != kModeReadConverted && mode != kModeRaw) return 2;
  if (set > LastDataSetIndex()) return 1;
  const std::uint16_t index = FindLayoutEntry(record, element);
  if (index == kNoRow) return 3;
  const LayoutEntry& row = RecordLayoutTable()[index];

  if (IsStringType(row.type)) {
    const char* text = DefaultString(row.b);
    if (!text) return 12;
    CopyValueByType(text, out, row.type);
    if (row.a < kComputedTextCount) {
      return ComputedTextTable()[row.a](static_cast<char*>(out), ElementTypeSize(row.type), set);
    }
    return 0;
  }
  if (ElementTypeSize(row.type) == 0) return 12;

  std::uint8_t stored[240] = {};
  StoredDefault(record, element, row.type, set, stored);
  if (mode == kModeRaw || !IsNumberType(row.type)) {
    if (mode != kModeRaw && !FindDescriptor(record, element)) return 3;
    std::memcpy(out, stored, ElementTypeSize(row.type));
    return 0;
  }
  const ParameterDescriptor* descriptor = FindDescriptor(record, element);
  if (!descriptor) return 3;
  double shown = 0.0;
  const std::uint8_t status = ConvertStoredForDisplay(record, *descriptor, stored, row.type, set, &shown);
  std::memcpy(out, &shown, sizeof shown);
  return status;
}

std::uint8_t GetElementUpperLimit(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                                  std::uint8_t set) {
  return GetElementLimit(record, element, out, mode, set, 1);
}

std::uint8_t GetElementLowerLimit(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                                  std::uint8_t set) {
  return GetElementLimit(record, element, out, mode, set, 2);
}

std::uint8_t ConvertElementValue(double* value, std::uint8_t direction, std::uint16_t record, std::uint16_t element,
                                 std::uint8_t set, std::uint8_t raw_attributes) {
  if (set > LastDataSetIndex()) return 1;
  const std::uint16_t index = FindLayoutEntry(record, element);
  if (index == kNoRow) return 3;
  const LayoutEntry& row = RecordLayoutTable()[index];
  if (!IsNumberType(row.type)) return 3;
  const ParameterDescriptor* descriptor = FindDescriptor(record, element);
  if (!descriptor) return 3;
  if (descriptor->converter >= kConverterCount) return 12;
  const std::uint8_t decimals = raw_attributes != 0 ? 255 : GetElementAttributes(record, descriptor->selector, set);
  double result = 0.0;
  if (ConverterTable()[descriptor->converter](value, &result, descriptor->parameter, row.type, decimals, direction,
                                              set, record) != 0) {
    return 3;
  }
  *value = result;
  return 0;
}

std::uint8_t IsElementAvailable(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  if (set > LastDataSetIndex()) return 1;
  const std::uint16_t index = FindLayoutEntry(record, element);
  if (index == kNoRow) return 1;
  const std::uint8_t check = RecordLayoutTable()[index].check;
  if (check >= kCheckCount) return 1;
  return CheckTable()[check](record, element, set) == 0 ? 0 : 1;
}

}  // namespace model
