// vqpt32's project-file profile: the model's layout table and data sets, its header from the record-300
// defaults, layout letter 'Q' and the 43-line rule of old motor records.
#include <cstring>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/project_file_internal.h"
#include "model/record_layout.h"

namespace model {
namespace {

class ModelProfile final : public ProjectFileProfile {
 public:
  std::vector<ProjectElement> RecordElements(std::uint16_t record) const override {
    std::vector<ProjectElement> out;
    const std::uint16_t first = FirstRowOfRecord(record);
    if (first == kNoRow) return out;
    const auto table = RecordLayoutTable();
    const std::uint32_t base = table[first].storage;
    for (std::size_t i = first; i < table.size() && table[i].record == record; ++i) {
      out.push_back({static_cast<std::uint16_t>(table[i].storage - base), table[i].type});
    }
    return out;
  }
  std::uint16_t RecordSize(std::uint16_t record) const override { return model::RecordSize(record); }

  bool HasSet(std::uint8_t set) const override { return set <= LastDataSetIndex() && DataSetSlot(set); }

  std::vector<std::uint8_t> DefaultRecord(std::uint16_t record, std::uint8_t set) const override {
    std::vector<std::uint8_t> image(RecordSize(record), 0);
    for (const auto& e : RecordElements(record)) {
      const std::size_t size = ElementTypeSizeOf(e.type);
      if (size == 0 || e.element + size > image.size()) continue;
      std::vector<std::uint8_t> value(size, 0);
      if (ReadDefaultElement(record, e.element, value.data(), kModeRaw, set) == 0) {
        std::copy(value.begin(), value.end(), image.begin() + e.element);
      }
    }
    return image;
  }

  std::optional<std::vector<std::uint8_t>> ReadRecord(std::uint16_t record, std::uint8_t set) const override {
    std::vector<std::uint8_t> image(RecordSize(record), 0);
    if (image.empty() || model::ReadRecord(record, image.data(), kModeRaw, set) != 0) return std::nullopt;
    return image;
  }
  bool WriteRecord(std::uint16_t record, const std::vector<std::uint8_t>& image, std::uint8_t set) override {
    return image.size() >= RecordSize(record) && model::WriteRecord(record, image.data(), kModeRaw, set) == 0;
  }

  std::vector<std::uint8_t> SaveSet(std::uint8_t set) const override {
    const ProjectDataSet* data = DataSetSlot(set);
    if (!data) return {};
    std::vector<std::uint8_t> saved(sizeof(ProjectDataSet));
    std::memcpy(saved.data(), data, sizeof(ProjectDataSet));
    return saved;
  }
  void RestoreSet(std::uint8_t set, const std::vector<std::uint8_t>& saved) override {
    ProjectDataSet* data = DataSetSlot(set);
    if (data && saved.size() == sizeof(ProjectDataSet)) std::memcpy(data, saved.data(), sizeof(ProjectDataSet));
  }

  bool WriteHeader(std::uint8_t set) override { return ResetRecord300Defaults(set) == 0; }
  std::span<const std::uint16_t> RecordList(std::uint8_t mode) const override { return ProjectRecordList(mode); }
  std::uint8_t CurrentLayoutLetter() const override { return kCurrentLayoutLetter; }
  bool CutsOldMotorRecords() const override { return true; }
};

}  // namespace

ProjectFileProfile::ProjectFileProfile() : session_(std::make_unique<project_file_internal::Session>()) {}
ProjectFileProfile::~ProjectFileProfile() = default;

ProjectFileProfile& ModelProjectFiles() {
  static ModelProfile profile;
  return profile;
}

}  // namespace model
