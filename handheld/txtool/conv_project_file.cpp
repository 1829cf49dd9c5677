#include "handheld/txtool/conv_project_file.h"

#include <algorithm>
#include <vector>

#include "handheld/txtool/conv_images.h"
#include "handheld/txtool/conv_layout.h"

namespace txtool {
namespace {

constexpr std::uint16_t kScopeRecord = 347;  // TX-Tool's reverse documentation carries no scope recording

std::vector<std::uint16_t> WithoutScope(std::span<const std::uint16_t> list) {
  std::vector<std::uint16_t> out(list.begin(), list.end());
  out.erase(std::remove(out.begin(), out.end(), kScopeRecord), out.end());
  return out;
}

class ConvProfile final : public model::ProjectFileProfile {
 public:
  std::vector<model::ProjectElement> RecordElements(std::uint16_t record) const override {
    return ConvRecordElements(record);
  }
  std::uint16_t RecordSize(std::uint16_t record) const override { return ConvRecordSize(record); }
  bool HasSet(std::uint8_t set) const override { return set < kConvImages; }
  std::vector<std::uint8_t> DefaultRecord(std::uint16_t record, std::uint8_t) const override {
    return ConvDefaultRecord(record);
  }
  std::optional<std::vector<std::uint8_t>> ReadRecord(std::uint16_t record, std::uint8_t set) const override {
    std::vector<std::uint8_t> image(ConvRecordSize(record), 0);
    if (image.empty() || ConvReadRecord(record, image.data(), 8, set) != kConvDone) return std::nullopt;
    return image;
  }
  bool WriteRecord(std::uint16_t record, const std::vector<std::uint8_t>& image, std::uint8_t set) override {
    return image.size() >= ConvRecordSize(record) && ConvWriteRecord(record, image.data(), 8, set) == kConvDone;
  }
  std::vector<std::uint8_t> SaveSet(std::uint8_t set) const override { return ConvSaveImage(set); }
  void RestoreSet(std::uint8_t set, const std::vector<std::uint8_t>& saved) override {
    ConvRestoreImage(set, saved);
  }
  bool WriteHeader(std::uint8_t set) override { return ConvWriteHeader(set) == kConvDone; }
  std::span<const std::uint16_t> RecordList(std::uint8_t mode) const override { return ConvRecordList(mode); }
  std::uint8_t CurrentLayoutLetter() const override { return kConvLayoutLetter; }
  bool CutsOldMotorRecords() const override { return false; }
};

}  // namespace

std::span<const std::uint16_t> ConvRecordList(std::uint8_t mode) {
  static const std::vector<std::uint16_t> reverse_write = WithoutScope(model::ProjectRecordList(5));
  static const std::vector<std::uint16_t> reverse_read = WithoutScope(model::ProjectRecordList(6));
  if (mode == model::kProjectWriteReverseDoc) return reverse_write;
  if (mode == model::kProjectReadReverseDoc) return reverse_read;
  return model::ProjectRecordList(mode);
}

model::ProjectFileProfile& ConvProjectFiles() {
  static ConvProfile profile;
  return profile;
}

std::uint8_t ConvProjectFile(std::uint8_t mode, std::uint8_t image, const char* path) {
  return model::ProjectFileAccess(ConvProjectFiles(), mode, image, path);
}

std::uint16_t ConvOpenFileKind() { return model::OpenProjectFileKind(ConvProjectFiles()); }

std::uint32_t ConvFaultLine() { return model::ProjectFileFaultLine(ConvProjectFiles()); }

std::uint8_t ConvBackupFile(const char* path) { return model::MakeBackupCopy(path); }

}  // namespace txtool
