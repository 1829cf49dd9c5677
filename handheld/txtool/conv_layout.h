// TX-Tool's record layout: the model's layout in its older form. It lacks records 353 to 362 and cuts records 5,
// 304, 33, 305 and 306 at an element; record 320 ends in two single bytes at 336 and 337 where the model has two
// 32-bit values. Storage positions follow the rows in table order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/project_file_profile.h"

namespace txtool {

struct ConvLayoutRow {
  std::uint32_t storage;  // position in an image's element storage
  std::uint16_t record;
  std::uint16_t element;  // byte offset in the record
  std::uint8_t type;
};

// Every row in table order (no end row).
std::span<const ConvLayoutRow> ConvLayoutTable();
// Bytes of element storage of one image.
std::uint32_t ConvStorageSize();

std::uint16_t ConvRecordSize(std::uint16_t record);  // 0 for a record the layout lacks
std::vector<model::ProjectElement> ConvRecordElements(std::uint16_t record);
// The row of an element; null when the layout lacks it.
const ConvLayoutRow* ConvFindElement(std::uint16_t record, std::uint16_t element);

}  // namespace txtool
