// The file slots and the active file.
#include "app/documents/file_slots.h"

#include <array>
#include <cstring>
#include <filesystem>

#include "app/documents/file_titles.h"
#include "app/documents/scope_file_switch.h"
#include "model/data_set.h"
#include "model/element_access.h"

namespace app {
namespace {

struct SlotState {
  std::array<FileSlot, 2> slots{};
};

SlotState& State() {
  static SlotState state;
  return state;
}

struct NameElement {
  std::uint16_t record;
  std::uint16_t element;
};

NameElement NameElementOf(std::uint8_t set) {
  if (model::GetFileTypeCode(set) == kKindProject) return {15, 21};
  return {317, 162};
}

}  // namespace

FileSlot& Slot(std::uint8_t set) { return State().slots[set == 1 ? 1 : 0]; }

std::uint8_t GetActiveParamSet() { return Slot(GetActiveFile()).param_set; }

void SelectActiveFile(std::uint8_t slot) {
  if (slot > 1 || slot == GetActiveFile()) return;
  SetActiveFile(slot);
  UpdateFileTitles();
  ScopeFollowsActiveFile();
}

void SelectParameterSet(std::uint8_t set) {
  if (set > 1) return;
  FileSlot& slot = Slot(GetActiveFile());
  if (slot.param_set == set) return;
  slot.param_set = set;
  UpdateFileTitles();
}

std::string ReadNameElement(std::uint8_t set) {
  const NameElement at = NameElementOf(set);
  std::array<char, 1024> text{};
  if (model::ReadElement(at.record, at.element, text.data(), model::kModeRaw, set) != 0) return {};
  text.back() = '\0';
  return std::string(text.data()).substr(0, kSlotNameLimit);
}

std::string WithExtension(const std::string& name, const std::string& ext) {
  const std::string::size_type dot = name.rfind('.');
  const std::string::size_type slash = name.find_last_of("/\\");
  std::string base = name;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.resize(dot);
  base += '.';
  base += ext;
  return base;
}

std::string FileNamePart(const std::string& path) {
  const std::string::size_type slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WholePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

void SetActiveFileName(const std::string& name, const std::string& path) {
  const std::uint8_t set = GetActiveFile();
  FileSlot& slot = Slot(set);
  std::string zpr = WithExtension(name, "ZPR");
  if (zpr.size() > kSlotNameLimit) zpr = WithExtension(zpr.substr(0, kSlotNameLimit - 4), "ZPR");
  slot.name = zpr;
  std::array<char, kSlotNameLimit + 1> element{};
  std::memcpy(element.data(), zpr.data(), zpr.size());
  const NameElement at = NameElementOf(set);
  model::WriteElement(at.record, at.element, element.data(), model::kModeConverted, set);
  if (path.size() > 1) slot.path = WholePath(path);
  UpdateFileTitles();
}

void ResetActiveFileName() {
  FileSlot& slot = Slot(GetActiveFile());
  slot.name = ReadNameElement(GetActiveFile());
  slot.path.clear();
  UpdateFileTitles();
}

bool IsDefaultFileName() {
  const std::uint8_t set = GetActiveFile();
  const NameElement at = NameElementOf(set);
  std::array<char, 1024> fallback{};
  if (model::ReadDefaultElement(at.record, at.element, fallback.data(), model::kModeRaw, set) != 0) return false;
  fallback.back() = '\0';
  return ReadNameElement(set) == std::string(fallback.data()).substr(0, kSlotNameLimit);
}

std::string GetActiveFileName() {
  FileSlot& slot = Slot(GetActiveFile());
  slot.name = ReadNameElement(GetActiveFile());
  return slot.name;
}

std::string GetTextFileName() { return WithExtension(GetActiveFileName(), "TXT"); }

void ResetFileSlots() {
  State() = SlotState{};
  SetActiveFile(0);
  for (std::uint8_t set : {std::uint8_t{0}, std::uint8_t{1}}) Slot(set).name = ReadNameElement(set);
}

}  // namespace app
