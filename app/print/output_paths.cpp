#include "app/print/output_paths.h"

#include <filesystem>

#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"

namespace app {

std::string OutputFolder() {
  const FileSlot& slot = Slot(GetActiveFile());
  std::error_code error;
  if (!slot.path.empty()) return std::filesystem::path(WholePath(slot.path)).parent_path().string();
  const std::filesystem::path here = std::filesystem::current_path(error);
  return error ? std::string(".") : here.string();
}

std::string OutputPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return WholePath(name);
  return (std::filesystem::path(OutputFolder()) / name).string();
}

std::string OutputNamedAfterActiveFile(const std::string& extension) {
  const FileSlot& slot = Slot(GetActiveFile());
  const std::string name = slot.path.empty() ? slot.name : FileNamePart(slot.path);
  const std::string stem = std::filesystem::path(name).stem().string();
  return OutputPath((stem.empty() ? std::string("ZPR-Tool") : stem) + "." + extension);
}

}  // namespace app
