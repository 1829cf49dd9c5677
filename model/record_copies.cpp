// Raw copies of records within a data set, between data sets, and of whole data sets.
#include <array>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/record_layout.h"

namespace model {
namespace {

// Parameter-set partners (and 254/251): the records that share one layout and may be copied into each other.
constexpr std::array<std::array<std::uint16_t, 2>, 10> kPartners = {{
    {34, 35}, {38, 39}, {40, 41}, {42, 43}, {46, 47}, {48, 49}, {53, 54}, {57, 58}, {59, 60}, {254, 251}}};

bool ArePartners(std::uint16_t a, std::uint16_t b) {
  for (const auto& pair : kPartners) {
    if ((pair[0] == a && pair[1] == b) || (pair[0] == b && pair[1] == a)) return true;
  }
  return false;
}

// Copies every element of `record` of set `from` to element number + 0 of record `to` in set `into`.
std::uint8_t CopyElements(std::uint16_t record, std::uint8_t from, std::uint16_t to, std::uint8_t into) {
  const std::uint16_t first = FirstRowOfRecord(record);
  if (first == kNoRow) return 3;
  const auto table = RecordLayoutTable();
  std::uint16_t element = 0;
  for (std::uint16_t row = first; row < first + LayoutElementCount(record, kModeRaw); ++row) {
    const std::uint8_t* source = ElementAddress(record, element, from);
    std::uint8_t* destination = ElementAddress(to, element, into);
    if (!source || !destination) return 3;
    if (source != destination) CopyValueByType(source, destination, table[row].type);
    element = static_cast<std::uint16_t>(element + ElementTypeSize(table[row].type));
  }
  return 0;
}

}  // namespace

std::uint8_t CopyRecordAs(std::uint16_t from, std::uint16_t to, std::uint8_t set) {
  if (set > LastDataSetIndex()) return 1;
  if (!ArePartners(from, to)) return 3;
  return CopyElements(from, set, to, set);
}

std::uint8_t CopyRecordBetweenSets(std::uint16_t record, std::uint8_t from, std::uint8_t to) {
  if (from > LastDataSetIndex() || to > LastDataSetIndex()) return 1;
  return CopyElements(record, from, record, to);
}

std::uint8_t CopyDataSet(std::uint8_t from, std::uint8_t to) {
  if (from > LastDataSetIndex() || to > LastDataSetIndex()) return 1;
  const auto table = RecordLayoutTable();
  for (std::uint16_t row = 0; table[row].record != 0; row = static_cast<std::uint16_t>(
                                                          row + LayoutElementCount(table[row].record, kModeRaw))) {
    const std::uint8_t status = CopyElements(table[row].record, from, table[row].record, to);
    if (status != 0) return status;
  }
  return 0;
}

}  // namespace model
