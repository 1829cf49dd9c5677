// The motor databases' table side: which dialog a kind has, the table path beside the program, the rows held
// while a dialog is open and the external motor number of the project.
#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "app/pages/motor_database.h"
#include "model/element_access.h"
#include "platform/sys/module_path.h"

namespace app {
namespace {

constexpr std::uint8_t kServoFamily = 2;
constexpr std::size_t kSpareRows = 5;

constexpr std::array<MotorDatabaseDialog, kMotorDatabaseKinds> kDialogs = {{
    {64, 1422, 1433, 122, 1433, 1434, 1435, 1436, 1437, 1422, 1438, model::kMotorLayoutAsync},
    {78, 1475, 1486, 145, 1486, 1487, 1488, 1489, 1490, 1475, 1491, model::kMotorLayoutServo},
}};

struct Buffer {
  std::vector<model::MotorTableEntry> rows;  // count + 5, zeroed
  std::size_t count = 0;
  std::size_t left_out = 0;
};

std::array<Buffer, kMotorDatabaseKinds>& Buffers() {
  static std::array<Buffer, kMotorDatabaseKinds> buffers;
  return buffers;
}

Buffer& BufferOf(MotorDatabaseKind kind) { return Buffers()[static_cast<std::size_t>(kind)]; }

}  // namespace

const MotorDatabaseDialog& MotorDatabaseOf(MotorDatabaseKind kind) { return kDialogs[static_cast<std::size_t>(kind)]; }

MotorDatabaseKind MotorDatabaseOfFamily(std::uint8_t family) {
  return family == kServoFamily ? MotorDatabaseKind::kServo : MotorDatabaseKind::kMotor;
}

std::uint8_t GetMotorTablePath(char* out, int size, std::uint8_t family) {
  if (out == nullptr || size < kMotorTablePathSize) return 1;
  const std::uint8_t layout = MotorDatabaseOf(MotorDatabaseOfFamily(family)).layout;
  const std::string directory = platform::sys::ExecutableDirectory();
  if (directory.empty()) return 1;
  std::string path = directory;
  path.append("/").append(model::MotorTableFileName(layout));
  if (path.size() >= static_cast<std::size_t>(size)) return 1;
  std::memcpy(out, path.c_str(), path.size() + 1);
  return 0;
}

std::int32_t LoadMotorDatabase(MotorDatabaseKind kind) {
  Buffer& buffer = BufferOf(kind);
  buffer.rows.clear();
  buffer.count = 0;
  buffer.left_out = 0;
  std::uint16_t count = 0;
  const bool counted = model::MotorTableCount(&count) == 0;
  std::size_t all = 0;
  if (counted && model::MotorTableCountAll(&all) == 0 && all > count) buffer.left_out = all - count;
  try {
    buffer.rows.assign((counted ? count : 0) + kSpareRows, model::MotorTableEntry{});
  } catch (const std::bad_alloc&) {
    buffer.rows.clear();
    return 16;
  }
  if (!counted) return kMsgMotorTableDamaged;
  std::uint16_t read = 0;
  const std::uint8_t status =
      model::MotorTableReadRecord(std::span(buffer.rows).first(count), MotorDatabaseOf(kind).layout, &read);
  // A record line that breaks the grammar ends the reading: the rows before it are shown.
  buffer.count = std::min<std::size_t>(read, count);
  return status == 0 ? 0 : kMsgMotorTableDamaged;
}

void FreeMotorDatabase(MotorDatabaseKind kind) {
  Buffer& buffer = BufferOf(kind);
  buffer.rows.clear();
  buffer.rows.shrink_to_fit();
  buffer.count = 0;
  buffer.left_out = 0;
}

std::size_t MotorDatabaseLeftOut(MotorDatabaseKind kind) { return BufferOf(kind).left_out; }

std::span<const model::MotorTableEntry> MotorDatabaseRows(MotorDatabaseKind kind) {
  const Buffer& buffer = BufferOf(kind);
  return std::span(buffer.rows).first(std::min(buffer.count, buffer.rows.size()));
}

model::MotorTableEntry* MotorDatabaseRow(MotorDatabaseKind kind, std::size_t index) {
  Buffer& buffer = BufferOf(kind);
  return index < buffer.rows.size() ? &buffer.rows[index] : nullptr;
}

std::uint8_t ReadExternalMotorNumber(std::uint8_t set) {
  std::uint8_t number = 0;
  if (model::ReadElement(kProjectRecord, kExternalMotorElement, &number, model::kModeRaw, set) != 0) return 0;
  return number;
}

void WriteExternalMotorNumber(std::uint8_t set, std::uint8_t number) {
  model::WriteElement(kProjectRecord, kExternalMotorElement, &number, model::kModeRaw, set);
}

}  // namespace app
