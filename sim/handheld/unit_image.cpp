#include "sim/handheld/unit_image.h"

#include <algorithm>
#include <array>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "model/record_layout.h"

namespace sim::tasto {

namespace {

// The records of the unit's layout 'P', in image order (the directory, record 3, first).
constexpr std::array<std::uint16_t, 30> kImageRecords = {3,  4,  17, 304, 15, 11,  42,  43,  40, 41,
                                                         38, 39, 53, 54,  48, 49,  34,  35,  55, 56,
                                                         57, 58, 512, 514, 522, 59, 60, 46, 47, 458};
constexpr std::uint16_t kDirectoryRecord = 3;
constexpr std::uint16_t kLayoutRecord = 4;
constexpr std::uint16_t kIdentityRecord = 304;
constexpr std::uint16_t kIdentityFamily = 0;
constexpr std::uint16_t kIdentityType = 1;
constexpr std::uint16_t kIdentityLetter = 5;
constexpr std::uint8_t kSampleType = 43;
// The scratch data set the images are built in.
constexpr std::uint8_t kScratchSet = 1;

// Records whose size in the unit's layout is not the project's: the identity, and for family 1 the older
// sizes it keeps.
struct UnitSize {
  std::uint16_t record;
  std::uint16_t size;
  bool family1_only;
};
constexpr UnitSize kUnitSizes[] = {{304, 48, false}, {42, 30, true}, {43, 30, true}, {56, 2, true}, {514, 186, true}};

std::uint16_t SizeInUnit(std::uint16_t record, std::uint8_t family) {
  for (const UnitSize& u : kUnitSizes) {
    if (u.record == record && (!u.family1_only || family == 1)) return u.size;
  }
  return model::RecordSize(record);
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::size_t DirectoryEnd() { return kImageHeadSize + 4 * (kImageRecords.size() + 1); }

}  // namespace

std::size_t UnitImageLength(std::uint8_t family) {
  std::size_t end = DirectoryEnd();
  for (const std::uint16_t r : kImageRecords) {
    if (r != kDirectoryRecord) end += SizeInUnit(r, family);
  }
  return end;
}

std::optional<std::vector<std::uint8_t>> UnitImageOfDataSet(std::uint8_t set, std::uint16_t size) {
  std::uint8_t family = 1;
  if (model::ReadElement(kIdentityRecord, kIdentityFamily, &family, model::kModeRaw, set) != 0) return std::nullopt;
  const std::uint8_t letter = kUnitLayoutLetter;
  if (model::WriteElement(kLayoutRecord, 0, &letter, model::kModeRaw, set) != 0) return std::nullopt;
  if (UnitImageLength(family) > size) return std::nullopt;
  std::vector<std::uint8_t> image(size, 0);
  image[0] = 2;
  image[1] = 238;
  image[2] = 1;
  image[3] = static_cast<std::uint8_t>(size >> 8);
  std::size_t at = kImageHeadSize, offset = DirectoryEnd();
  for (const std::uint16_t r : kImageRecords) {
    Put16(image, at, r);
    if (r == kDirectoryRecord) {
      Put16(image, at + 2, static_cast<std::uint16_t>(kImageHeadSize));
    } else {
      const std::uint16_t n = SizeInUnit(r, family);
      std::vector<std::uint8_t> bytes(std::max<std::size_t>(model::RecordSize(r), n), 0);
      if (model::ReadRecord(r, bytes.data(), model::kModeRaw, set) != 0) return std::nullopt;
      Put16(image, at + 2, static_cast<std::uint16_t>(offset));
      std::copy_n(bytes.begin(), n, image.begin() + static_cast<std::ptrdiff_t>(offset));
      offset += n;
    }
    at += 4;
  }
  Put16(image, at, 0);
  Put16(image, at + 2, static_cast<std::uint16_t>(offset));
  image[8] = kImageComplete;
  return image;
}

std::optional<std::vector<std::uint8_t>> SampleUnitImage(std::uint8_t family, std::uint16_t size) {
  if (model::InitDataSet(kScratchSet) != 0) return std::nullopt;
  const std::uint8_t type = kSampleType, letter = kUnitLayoutLetter;
  if (model::WriteElement(kIdentityRecord, kIdentityFamily, &family, model::kModeRaw, kScratchSet) != 0 ||
      model::WriteElement(kIdentityRecord, kIdentityType, &type, model::kModeRaw, kScratchSet) != 0 ||
      model::WriteElement(kIdentityRecord, kIdentityLetter, &letter, model::kModeRaw, kScratchSet) != 0) {
    return std::nullopt;
  }
  return UnitImageOfDataSet(kScratchSet, size);
}

std::optional<std::vector<std::uint8_t>> UnitImageOfProjectFile(const std::string& path, std::uint16_t size,
                                                                std::string* error) {
  const auto fail = [&](const std::string& why) -> std::optional<std::vector<std::uint8_t>> {
    model::ProjectFileAccess(model::kProjectClose, kScratchSet, path.c_str());
    if (error) *error = why;
    return std::nullopt;
  };
  if (model::InitDataSet(kScratchSet) != 0) return fail("no data set to read it into");
  const std::uint8_t opened = model::ProjectFileAccess(model::kProjectOpen, kScratchSet, path.c_str());
  if (opened != model::kFileDone && opened != model::kFileNewerLayout && opened != model::kFileOlderLayout) {
    return fail("not a readable ZPR file (status " + std::to_string(opened) + ")");
  }
  if (model::OpenProjectFileKind() != model::kFileKindProject) return fail("not a project file");
  const std::uint8_t read = model::ProjectFileAccess(model::kProjectReadProject, kScratchSet, path.c_str());
  if (read != model::kFileDone) return fail("its records cannot be read (status " + std::to_string(read) + ")");
  std::uint8_t family = 1;
  model::ReadElement(kIdentityRecord, kIdentityFamily, &family, model::kModeRaw, kScratchSet);
  auto image = UnitImageOfDataSet(kScratchSet, size);
  if (!image) {
    return fail("its data set needs " + std::to_string(UnitImageLength(family)) + " bytes, the unit holds " +
                std::to_string(size));
  }
  return image;
}

}  // namespace sim::tasto
