// Fuzz target: the motor-database reader on arbitrary file contents, in both layouts, with a small capacity.
// Every entry read stays within the capacity and the record count, its name is terminated, and writing an entry
// back as a record line reads back to the same entry.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/motor_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const std::uint16_t records = model::CountMotorTableRecords(content);
  for (const std::uint8_t layout : {model::kMotorLayoutAsync, model::kMotorLayoutServo}) {
    std::vector<model::MotorTableEntry> entries(8);
    std::uint16_t read = 0xFFFF;
    const std::uint8_t status = model::ReadMotorTableText(content, layout, entries, &read);
    if (status > 1 || read > entries.size() || read > records) __builtin_trap();
    for (std::uint16_t i = 0; i < read; ++i) {
      const model::MotorTableEntry& e = entries[i];
      if (std::memchr(e.name.data(), '\0', e.name.size()) == nullptr || e.flag > 1) __builtin_trap();
      const std::string name(e.name.data());
      if (model::SanitizeMotorName(name) != name) continue;  // a name with control characters is written cleaned
      std::string line = model::FormatMotorTableLine(e.motor_number, name, model::MotorTableValues(e, layout));
      line.resize(std::max(line.size(), model::kMotorRecordMinLength), ' ');
      model::MotorTableEntry again;
      if (!model::ParseMotorTableLine(line, layout, &again)) __builtin_trap();
      if (again.motor_record != e.motor_record || again.motor_number != e.motor_number ||
          again.name != e.name || again.flag != 0) {
        __builtin_trap();
      }
    }
  }
  return 0;
}
