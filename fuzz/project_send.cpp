// Fuzz target: a project file in any read mode (configuration, project, reverse documentation) followed by
// what a send does with it: the conversion of a reverse documentation into a project, the layout upgrade, the
// clearing for old versions and the clamping to a firmware variant. Byte 0 picks the read mode and the clamping,
// the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <unistd.h>

#include "model/data_set.h"
#include "model/layout_upgrade.h"
#include "model/project_file.h"
#include "platform/sys/local_time.h"

namespace {

constexpr std::uint8_t kSet = 1;
constexpr std::uint8_t kReadModes[] = {model::kProjectReadConfiguration, model::kProjectReadProject,
                                       model::kProjectReadReverseDoc};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = std::string("/tmp/zpr-fuzz-send-").append(std::to_string(getpid())).append(".ZPR");
  static const bool ready = [] {
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 2, 17, 9, 30, 0, 0});
    return model::InitDataSet(kSet) == 0;
  }();
  if (!ready || size < 1) return 0;
  static const auto fresh = std::make_unique<model::ProjectDataSet>(*model::DataSetSlot(kSet));
  model::ProjectDataSet* slot = model::DataSetSlot(kSet);
  *slot = *fresh;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data + 1, 1, size - 1, f);
  std::fclose(f);

  const std::uint8_t opened = model::ProjectFileAccess(model::kProjectOpen, kSet, path.c_str());
  const bool question = opened == model::kFileDone || opened == model::kFileFormatV3 ||
                        opened == model::kFileNewerLayout || opened == model::kFileOlderLayout;
  if ((model::IsProjectFileOpen() == 1) != question) __builtin_trap();
  std::remove(path.c_str());
  if (!question) return 0;
  const std::uint8_t mode = kReadModes[data[0] % 3];
  const std::uint8_t read = model::ProjectFileAccess(mode, kSet, path.c_str());
  if (model::IsProjectFileOpen()) __builtin_trap();
  if (read != model::kFileDone) {
    if (std::memcmp(slot, fresh.get(), sizeof *slot) != 0) __builtin_trap();  // a failed read changes nothing
    return 0;
  }
  if (mode == model::kProjectReadReverseDoc) model::ConvertToProjectType(model::kFileKindProject, kSet);
  model::UpgradeDataSetLayout(kSet, model::kCurrentLayoutLetter);
  model::ClearElementForOldVersions(kSet);
  model::ClampDataSetToVariant(kSet, static_cast<std::uint8_t>((data[0] >> 2) % 3));
  return 0;
}
