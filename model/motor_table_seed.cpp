// The motor databases a fresh installation ships: the built-in motor rows as database records, named by their
// nameplate in the units the motor page shows.
#include <algorithm>
#include <array>
#include <cstdio>

#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_attributes.h"
#include "model/motor_table.h"
#include "model/value_formatting.h"

namespace model {
namespace {

constexpr std::uint16_t kMotorRecord = 42;
// The current firmware's standard motors (B00 1..29 from 'E' on) and the servo motors (B00 61..69).
constexpr std::uint8_t kFirstAsyncRow = 31;
constexpr std::uint8_t kLastAsyncRow = 59;
constexpr std::uint8_t kFirstServoRow = 61;
constexpr std::uint8_t kLastServoRow = 69;
// The nameplate values a record's name is made of: P-nominal, V-nominal, n-nominal; M0, n-nominal for servos.
constexpr std::array<std::uint16_t, 3> kAsyncNameElements = {6, 2, 8};
constexpr std::array<std::uint16_t, 2> kServoNameElements = {60, 8};

// "value unit" of an element of record 42 as the motor page shows it; empty when it cannot be read.
std::string ShownValue(std::uint16_t element, std::uint8_t set) {
  const ParameterDescriptor* row = FindDescriptor(kMotorRecord, element);
  double value = 0.0;
  if (row == nullptr || ReadElement(kMotorRecord, element, &value, kModeReadConverted, set) != 0) return {};
  std::array<char, 32> text{};
  const std::uint8_t decimals = GetElementAttributes(kMotorRecord, row->selector, set);
  if (FormatValue(value, kDisplayDecimal, decimals, text.data(), static_cast<std::int16_t>(text.size())) != 0) {
    return {};
  }
  std::string shown = text.data();
  if (row->texts != nullptr && row->texts[0][0] != '\0' && row->texts[1] != nullptr && row->texts[1][0] != '\0') {
    shown.append(" ").append(row->texts[1]);
  }
  return shown;
}

template <std::size_t N>
std::string NameOf(const char* kind, const std::array<std::uint16_t, N>& elements, std::uint8_t set) {
  std::string name = kind;
  for (const std::uint16_t element : elements) {
    const std::string shown = ShownValue(element, set);
    if (!shown.empty()) name.append(" ").append(shown);
  }
  return SanitizeMotorName(name);
}

}  // namespace

std::string MotorTableSeedText(std::uint8_t layout, std::uint8_t set) {
  const bool servo = layout == kMotorLayoutServo;
  std::string text = std::string(kMotorTableHeading) +
                     (servo ? ": the built-in servo motors.\n" : ": the built-in standard motors.\n");
  text += "; A record: number, write protection (1 = protected), name, then the values of the motor record as it\n"
          "; stores them, tab-separated, in the order of the motor page: ";
  for (const std::uint16_t element : MotorTableColumns(layout)) {
    const ParameterDescriptor* row = FindDescriptor(kMotorRecord, element);
    text += row != nullptr ? std::string(row->texts[0]).substr(0, 3) : "element " + std::to_string(element);
    text += element == MotorTableColumns(layout).back() ? ".\n" : ", ";
  }
  const std::uint8_t first = servo ? kFirstServoRow : kFirstAsyncRow;
  const std::uint8_t last = servo ? kLastServoRow : kLastAsyncRow;
  std::uint32_t number = 0;
  for (std::uint8_t r = first; r <= last; ++r) {
    const std::uint8_t* image = BuiltInMotorRow(r);
    if (image == nullptr) break;
    MotorTableEntry entry;
    std::copy_n(image, kMotorRowSize, entry.motor_record.begin());
    if (WriteRecord(kMotorRecord, image, kModeRaw, set) != 0) break;
    const std::string name = servo ? NameOf("servo", kServoNameElements, set) : NameOf("ASM", kAsyncNameElements, set);
    std::string line = FormatMotorTableLine(++number, name, MotorTableValues(entry, layout));
    if (line.size() < kMotorRecordMinLength) line.resize(kMotorRecordMinLength, ' ');
    text += line + "\n";
  }
  return text;
}

}  // namespace model
