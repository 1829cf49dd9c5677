// Fuzz target: the motor database's file functions on an arbitrary file: count, names, reading every record,
// adding, storing and deleting records. A change either succeeds and leaves a file that reads back with the
// expected count, or fails and leaves the file as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/scratch_folder.h"
#include "model/data_set.h"
#include "model/motor_table.h"
#include "platform/sys/local_time.h"

namespace {

struct Folder {
  fuzz::ScratchFolder scratch{"zpr-fuzz-motor"};
  std::string dir = scratch.path();
  std::string file = dir + "/motors.txt";
  Folder() {
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 2, 17, 9, 30, 0, 0});
    if (model::InitDataSet(0) != 0) std::abort();
  }
};

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Folder folder;
  if (size < 1) return 0;
  const std::uint8_t layout = data[0] & 1 ? model::kMotorLayoutServo : model::kMotorLayoutAsync;
  const std::string original(reinterpret_cast<const char*>(data + 1), size - 1);
  std::error_code ec;
  std::filesystem::remove(folder.dir + "/motors.BAK", ec);
  if (std::FILE* f = std::fopen(folder.file.c_str(), "wb")) {
    std::fwrite(original.data(), 1, original.size(), f);
    std::fclose(f);
  }
  if (model::MotorTableSetFile(folder.file) != 0) __builtin_trap();
  std::uint16_t count = 0;
  if (model::MotorTableCount(&count) != 0) return 0;
  std::vector<model::MotorTableEntry> entries(16);
  std::uint16_t read = 0;
  model::MotorTableReadRecord(entries, layout, &read);
  if (read > entries.size()) __builtin_trap();
  std::vector<char> name(9, 'G');
  for (std::uint8_t n = 0; n < 3; ++n) {
    if (model::MotorTableGetName(std::span(name).first(8), folder.file, folder.file, layout, n) == 0 &&
        (name[8] != 'G' || std::memchr(name.data(), '\0', 8) == nullptr)) {
      __builtin_trap();
    }
  }
  // One change, picked by the first byte; a failed change leaves the file as it was.
  const std::uint16_t at = static_cast<std::uint16_t>(data[0] >> 2);
  std::uint8_t status = 0;
  std::uint16_t expected = count;
  switch ((data[0] >> 1) & 3) {
    case 0: {
      std::uint16_t n = at;
      status = model::MotorTableAddRecord(&n);
      expected = static_cast<std::uint16_t>(count + 1);
      break;
    }
    case 1:
      status = model::MotorTableStoreRecord(at, "fuzz motor", 0, layout);
      break;
    case 2:
      status = model::MotorTableDeleteRecord(at);
      expected = static_cast<std::uint16_t>(count - 1);
      break;
    default:
      return 0;
  }
  if (status != 0) {
    if (Contents(folder.file) != original) __builtin_trap();
    return 0;
  }
  std::uint16_t after = 0;
  if (model::MotorTableCount(&after) != 0 || after != expected) __builtin_trap();
  return 0;
}
