#include "handheld/txtool/conv_images.h"

#include <array>
#include <cstring>

#include "handheld/txtool/conv_layout.h"
#include "model/data_set.h"
#include "model/element_type.h"

namespace txtool {
namespace {

constexpr std::uint16_t kChangeListCapacity = 50;

struct ConvImage {
  std::vector<std::uint8_t> storage = std::vector<std::uint8_t>(ConvStorageSize(), 0);
  std::array<std::uint32_t, kChangeListCapacity> change_list0{};
  std::array<std::uint32_t, kChangeListCapacity> change_list1{};
  std::uint16_t change_count0 = 0;
  std::uint16_t change_count1 = 0;
};

ConvImage* Image(std::uint8_t image) {
  static std::array<ConvImage, kConvImages> images;
  return image < kConvImages ? &images[image] : nullptr;
}

bool RawMode(std::uint8_t mode) { return mode == 8 || mode == 9; }

// Copies an element's stored form: texts up to their terminator and always terminated.
void CopyElement(const std::uint8_t* from, std::uint8_t* to, std::uint8_t type) {
  model::CopyValueByType(from, to, type);
}

constexpr std::uint16_t kHeaderRecord = 300;
constexpr std::uint16_t kHeaderProgramName = 2;
constexpr std::uint16_t kHeaderVersionText = 19;
constexpr std::uint16_t kHeaderOkText = 41;
constexpr const char* kHeaderOk = "OK!";

constexpr std::uint16_t kFileKindRecord = 302;
constexpr std::uint16_t kFileKindName = 2;
constexpr std::uint16_t kIdentityRecord = 5;
constexpr std::uint16_t kTargetIdentityRecord = 304;
constexpr std::uint16_t kIdentityFamily = 0;
constexpr std::uint16_t kIdentityBoard = 3;
constexpr std::uint16_t kCommentRecord = 317;
constexpr std::uint16_t kProjectInfoRecord = 15;
constexpr std::uint16_t kProjectInfoComment = 4;

}  // namespace

std::vector<std::uint8_t> ConvDefaultRecord(std::uint16_t record) {
  std::vector<std::uint8_t> out(ConvRecordSize(record), 0);
  const std::uint8_t* image = model::RecordDefaultImage(record);
  if (!image) return out;
  const std::uint16_t model_size = model::RecordSize(record);
  for (const auto& e : ConvRecordElements(record)) {
    const std::uint16_t size = model::ElementTypeSizeOf(e.type);
    if (model::IsStringType(e.type) || e.element + size > model_size) continue;
    std::memcpy(out.data() + e.element, image + e.element, size);
  }
  return out;
}

std::uint8_t ConvInitImage(std::uint8_t image) {
  ConvImage* target = Image(image);
  if (!target) return kConvNoImage;
  *target = ConvImage{};
  std::uint16_t record = 0;
  for (const ConvLayoutRow& row : ConvLayoutTable()) {
    if (row.record == record) continue;
    record = row.record;
    const auto defaults = ConvDefaultRecord(record);
    std::memcpy(target->storage.data() + row.storage, defaults.data(), defaults.size());
  }
  return kConvDone;
}

std::uint8_t ConvReadElement(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                             std::uint8_t image) {
  ConvImage* source = Image(image);
  if (!source) return kConvNoImage;
  if (!RawMode(mode)) return kConvBadMode;
  const ConvLayoutRow* row = ConvFindElement(record, element);
  if (!row) return kConvNoElement;
  CopyElement(source->storage.data() + row->storage, static_cast<std::uint8_t*>(out), row->type);
  return kConvDone;
}

std::uint8_t ConvWriteElement(std::uint16_t record, std::uint16_t element, const void* in, std::uint8_t mode,
                              std::uint8_t image) {
  ConvImage* target = Image(image);
  if (!target) return kConvNoImage;
  if (!RawMode(mode)) return kConvBadMode;
  const ConvLayoutRow* row = ConvFindElement(record, element);
  if (!row) return kConvNoElement;
  CopyElement(static_cast<const std::uint8_t*>(in), target->storage.data() + row->storage, row->type);
  return kConvDone;
}

std::uint8_t ConvReadRecord(std::uint16_t record, void* out, std::uint8_t mode, std::uint8_t image) {
  if (!Image(image)) return kConvNoImage;
  if (!RawMode(mode)) return kConvBadMode;
  const auto elements = ConvRecordElements(record);
  if (elements.empty()) return kConvNoElement;
  for (const auto& e : elements) {
    ConvReadElement(record, e.element, static_cast<std::uint8_t*>(out) + e.element, mode, image);
  }
  return kConvDone;
}

std::uint8_t ConvWriteRecord(std::uint16_t record, const void* in, std::uint8_t mode, std::uint8_t image) {
  if (!Image(image)) return kConvNoImage;
  if (!RawMode(mode)) return kConvBadMode;
  const auto elements = ConvRecordElements(record);
  if (elements.empty()) return kConvNoElement;
  for (const auto& e : elements) {
    ConvWriteElement(record, e.element, static_cast<const std::uint8_t*>(in) + e.element, mode, image);
  }
  return kConvDone;
}

std::vector<std::uint8_t> ConvSaveImage(std::uint8_t image) {
  const ConvImage* source = Image(image);
  if (!source) return {};
  std::vector<std::uint8_t> saved = source->storage;
  const auto append = [&saved](const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    saved.insert(saved.end(), b, b + n);
  };
  append(source->change_list0.data(), sizeof(source->change_list0));
  append(source->change_list1.data(), sizeof(source->change_list1));
  append(&source->change_count0, sizeof(source->change_count0));
  append(&source->change_count1, sizeof(source->change_count1));
  return saved;
}

void ConvRestoreImage(std::uint8_t image, const std::vector<std::uint8_t>& saved) {
  ConvImage* target = Image(image);
  const std::size_t lists = sizeof(target->change_list0) + sizeof(target->change_list1) + 4;
  if (!target || saved.size() != target->storage.size() + lists) return;
  const std::uint8_t* p = saved.data();
  std::memcpy(target->storage.data(), p, target->storage.size());
  p += target->storage.size();
  std::memcpy(target->change_list0.data(), p, sizeof(target->change_list0));
  p += sizeof(target->change_list0);
  std::memcpy(target->change_list1.data(), p, sizeof(target->change_list1));
  p += sizeof(target->change_list1);
  std::memcpy(&target->change_count0, p, 2);
  std::memcpy(&target->change_count1, p + 2, 2);
}

std::uint16_t ConvGetFileKind(std::uint8_t image) {
  std::uint16_t kind = 0;
  if (ConvReadElement(kFileKindRecord, 0, &kind, 8, image) != kConvDone) return 0;
  return kind;
}

namespace {

// Reverse documentation turned into a project: the identity's option board corrected by family, record 5 into
// 304, the first comment text into the project's comment.
bool ReverseDocumentationToProject(std::uint8_t image) {
  std::vector<std::uint8_t> ident(ConvRecordSize(kIdentityRecord), 0);
  if (ident.size() <= kIdentityBoard || ident.size() != ConvRecordSize(kTargetIdentityRecord)) return false;
  if (ConvReadRecord(kIdentityRecord, ident.data(), 8, image) != kConvDone) return false;
  std::uint8_t& board = ident[kIdentityBoard];
  if (ident[kIdentityFamily] == 2) {
    if (board < 10) board = 10;
  } else if (board > 7) {
    board = 0;
  }
  if (ConvWriteRecord(kTargetIdentityRecord, ident.data(), 8, image) != kConvDone) return false;
  std::array<std::uint8_t, 1024> comment{};
  return ConvReadElement(kCommentRecord, 0, comment.data(), 8, image) == kConvDone &&
         ConvWriteElement(kProjectInfoRecord, kProjectInfoComment, comment.data(), 8, image) == kConvDone;
}

}  // namespace

std::uint16_t ConvSetFileKind(std::uint16_t kind, std::uint8_t image) {
  if (kind != model::kFileKindProject && kind != model::kFileKindReverseDoc) return kind;
  if (!Image(image)) return 0;
  const auto saved = ConvSaveImage(image);
  bool done = true;
  if (kind == model::kFileKindProject && ConvGetFileKind(image) == model::kFileKindReverseDoc) {
    done = ReverseDocumentationToProject(image);
  }
  const char* name = kind == model::kFileKindProject ? "Projekt._ZPR" : "Rueckdoku_ZPR";
  if (done) {
    done = ConvWriteElement(kFileKindRecord, 0, &kind, 8, image) == kConvDone &&
           ConvWriteElement(kFileKindRecord, kFileKindName, name, 8, image) == kConvDone;
  }
  if (!done) {
    ConvRestoreImage(image, saved);
    return 0;
  }
  return kind;
}

std::uint8_t ConvWriteHeader(std::uint8_t image) {
  if (!Image(image)) return kConvNoImage;
  const auto header = ConvDefaultRecord(kHeaderRecord);
  if (header.empty()) return kConvNoElement;
  if (const std::uint8_t s = ConvWriteRecord(kHeaderRecord, header.data(), 8, image); s != kConvDone) return s;
  if (ConvWriteElement(kHeaderRecord, kHeaderProgramName, kConvProgramName, 8, image) != kConvDone ||
      ConvWriteElement(kHeaderRecord, kHeaderVersionText, kConvVersionText, 8, image) != kConvDone ||
      ConvWriteElement(kHeaderRecord, kHeaderOkText, kHeaderOk, 8, image) != kConvDone) {
    return kConvNoElement;
  }
  return kConvDone;
}

std::uint8_t ConvStampLayoutVersion(std::uint8_t image) {
  const std::uint8_t version[2] = {kConvLayoutLetter, kConvLayoutByte};
  return ConvWriteRecord(4, version, 8, image);
}

}  // namespace txtool
