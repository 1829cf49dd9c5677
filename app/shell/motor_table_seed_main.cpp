// Writes the motor databases a fresh installation ships into a folder: "mottab.txt" and "esmottab.txt" with the
// built-in motor rows. A table that exists already is the user's own and stays as it is.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "model/data_set.h"
#include "model/motor_table.h"
#include "platform/sys/atomic_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: motor-table-seed FOLDER\n");
    return 2;
  }
  model::InitDataSet(0);
  for (const std::uint8_t layout : {model::kMotorLayoutAsync, model::kMotorLayoutServo}) {
    const std::filesystem::path path = std::filesystem::path(argv[1]) / model::MotorTableFileName(layout);
    std::error_code error;
    if (std::filesystem::exists(path, error)) continue;
    if (const std::error_code failed = platform::sys::WriteFileAtomically(path, model::MotorTableSeedText(layout, 0))) {
      std::fprintf(stderr, "motor-table-seed: %s: %s\n", path.c_str(), failed.message().c_str());
      return 1;
    }
  }
  return 0;
}
