// RecordDefaultTable: the records that start from a default image, and the images built from the default values.
#include <array>
#include <vector>

#include "model/data_set.h"
#include "model/element_type.h"
#include "model/stored_value.h"

namespace model {
namespace {

constexpr RecordDefaultRow kRecordDefaultRows[] = {
#define RECORD_DEFAULT(record, image_record) {record, image_record},
#include "model/data/record_defaults.def"
#undef RECORD_DEFAULT
};
static_assert(std::size(kRecordDefaultRows) == 39);

struct DefaultValueRow {
  std::uint16_t record;
  std::uint16_t element;
  double value;
};

constexpr DefaultValueRow kDefaultValues[] = {
#define DEFAULT_VALUE(record, element, value) {record, element, static_cast<double>(value)},
#include "model/data/default_values.def"
#undef DEFAULT_VALUE
    {0, 0, 0.0},  // end row
};

struct DefaultImage {
  std::uint16_t record;
  std::vector<std::uint8_t> bytes;
};

// One image per record that owns one (the first record of its row group), every element at its element number.
const std::vector<DefaultImage>& Images() {
  static const std::vector<DefaultImage> images = [] {
    std::vector<DefaultImage> built;
    for (const RecordDefaultRow& row : kRecordDefaultRows) {
      if (row.image_record == 0 || row.image_record != row.record) continue;
      built.push_back({row.record, std::vector<std::uint8_t>(RecordSize(row.record), 0)});
    }
    for (const DefaultValueRow& value : kDefaultValues) {
      if (value.record == 0) break;
      for (DefaultImage& image : built) {
        if (image.record != value.record) continue;
        const std::uint8_t type = GetElementType(value.record, value.element);
        if (!IsNumberType(type) || value.element + ElementTypeSizeOf(type) > image.bytes.size()) break;
        StoreDoubleAs(image.bytes.data() + value.element, type, value.value);
        break;
      }
    }
    return built;
  }();
  return images;
}

}  // namespace

std::span<const RecordDefaultRow> RecordDefaultTable() { return kRecordDefaultRows; }

const std::uint8_t* RecordDefaultImage(std::uint16_t record) {
  if (record == 0) return nullptr;
  for (const RecordDefaultRow& row : kRecordDefaultRows) {
    if (row.record != record) continue;
    if (row.image_record == 0) return nullptr;
    for (const DefaultImage& image : Images()) {
      if (image.record == row.image_record) return image.bytes.empty() ? nullptr : image.bytes.data();
    }
    return nullptr;
  }
  return nullptr;
}

}  // namespace model
