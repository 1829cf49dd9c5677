// Taking a database motor over into a parameter set: the layout's columns of record 348 into record 42 or 43,
// then the after-write action that adapts the dependent motor data.
#include <array>

#include "model/element_access.h"
#include "model/function_tables.h"
#include "model/motor_table.h"

namespace model {
namespace {

constexpr std::uint16_t kWorkingRecord = 348;
constexpr std::uint8_t kOnMotorDataTransferred = 5;  // ActionTable index

}  // namespace

std::uint8_t MotorRecordToProject(std::uint8_t set, std::uint8_t toSet2, std::uint8_t layout) {
  const std::uint16_t target = toSet2 ? 43 : 42;
  const auto columns = MotorTableColumns(layout);
  if (columns.empty()) return 12;
  for (const std::uint16_t element : columns) {
    std::array<std::uint8_t, 8> value{};
    if (const std::uint8_t s = ReadElement(kWorkingRecord, element, value.data(), kModeRaw, set); s != 0) return s;
    if (const std::uint8_t s = WriteElement(target, element, value.data(), kModeRaw, set); s != 0) return s;
  }
  return ActionTable()[kOnMotorDataTransferred](target, 0, set);
}

}  // namespace model
