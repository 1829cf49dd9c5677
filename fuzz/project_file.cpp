// Fuzz target: the project-file reader (open and check, then read) on arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <unistd.h>

#include "model/data_set.h"
#include "model/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/zpr-fuzz-" + std::to_string(getpid()) + ".ZPR";
  static const bool ready = model::InitDataSet(1) == 0;
  if (!ready) return 0;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);

  model::ProjectDataSet* slot = model::DataSetSlot(1);
  const auto before = std::make_unique<model::ProjectDataSet>(*slot);
  const std::uint8_t opened = model::ProjectFileAccess(model::kProjectOpen, 1, path.c_str());
  if (std::memcmp(slot, before.get(), sizeof *slot) != 0) __builtin_trap();  // an open changes nothing
  const bool is_open = model::IsProjectFileOpen() == 1;
  const bool question = opened == model::kFileDone || opened == model::kFileFormatV3 ||
                        opened == model::kFileNewerLayout || opened == model::kFileOlderLayout;
  if (is_open != question) __builtin_trap();
  if (is_open) {
    const std::uint8_t mode = size > 0 && (data[0] & 1) ? model::kProjectReadReverseDoc : model::kProjectReadProject;
    const std::uint8_t read = model::ProjectFileAccess(mode, 1, path.c_str());
    if (model::IsProjectFileOpen()) __builtin_trap();
    if (read != model::kFileDone && std::memcmp(slot, before.get(), sizeof *slot) != 0) __builtin_trap();
    *slot = *before;
  }
  std::remove(path.c_str());
  return 0;
}
