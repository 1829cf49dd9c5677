#include "model/data_set_compare.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/record_layout.h"

namespace model {
namespace {

constexpr std::uint8_t kDifferenceList = 1;
constexpr std::size_t kNameCut = 35;

constexpr std::array<std::uint16_t, 20> kParameterSetRecords{34, 35, 38, 39, 40, 41, 42, 43, 46, 47,
                                                             48, 49, 53, 54, 57, 58, 59, 60, 251, 254};
constexpr std::array<std::uint16_t, 10> kSet1Records{254, 42, 40, 38, 48, 53, 46, 34, 59, 57};
constexpr std::array<std::uint16_t, 10> kSet2Records{251, 43, 41, 39, 49, 54, 47, 35, 60, 58};

template <std::size_t N>
bool Contains(const std::array<std::uint16_t, N>& records, std::uint16_t record) {
  return std::find(records.begin(), records.end(), record) != records.end();
}

bool SetExists(std::uint8_t set) { return set <= LastDataSetIndex() && DataSetSlot(set) != nullptr; }

// Stored bytes of two elements of one type differ; strings up to the terminator of the second text.
bool Differs(const std::uint8_t* a, const std::uint8_t* b, std::uint8_t type) {
  const std::uint16_t size = ElementTypeSizeOf(type);
  if (IsStringType(type)) {
    for (std::uint16_t i = 0; i < size; ++i) {
      if (a[i] != b[i]) return true;
      if (b[i] == 0) return false;
    }
    return false;
  }
  return std::memcmp(a, b, size) != 0;
}

// 0 pushed, kCompareDifferent when change list 1 is full.
std::uint8_t PushDifference(std::uint8_t set, std::uint16_t record, std::uint16_t element) {
  const ChangeEntry entry = static_cast<ChangeEntry>(record) | (static_cast<ChangeEntry>(element) << 16);
  return ChangeListPush(set, kDifferenceList, &entry) == 0 ? 0 : kCompareDifferent;
}

// Walks the elements of record `walk` from element `first` on; `until` (exclusive) bounds the walk.
template <typename Visit>
std::uint8_t WalkRecord(std::uint16_t walk, std::uint16_t first, std::uint16_t until, Visit visit) {
  const std::uint16_t first_row = FirstRowOfRecord(walk);
  if (first_row == kNoRow) return 3;
  const auto table = RecordLayoutTable();
  std::uint16_t element = 0;
  for (std::size_t row = first_row; row < table.size() && table[row].record == walk; ++row) {
    const std::uint8_t type = table[row].type;
    if (element >= first && element < until) {
      const std::uint8_t status = visit(element, type);
      if (status != 0) return status;
    }
    element = static_cast<std::uint16_t>(element + ElementTypeSizeOf(type));
  }
  return 0;
}

}  // namespace

std::uint8_t CompareRecordPair(std::uint16_t record_a, std::uint16_t record_b, std::uint8_t set) {
  if (!SetExists(set)) return 1;
  if (!Contains(kParameterSetRecords, record_a) || !Contains(kParameterSetRecords, record_b)) return 3;
  const std::uint16_t before = ChangeListCount(set, kDifferenceList);
  const std::uint8_t status =
      WalkRecord(record_a, 0, 0xFFFF, [&](std::uint16_t element, std::uint8_t type) -> std::uint8_t {
        const std::uint8_t* a = ElementAddress(record_a, element, set);
        const std::uint8_t* b = ElementAddress(record_b, element, set);
        if (!a || !b || GetElementType(record_b, element) != type || !Differs(a, b, type)) return 0;
        return PushDifference(set, record_b, element);
      });
  if (status != 0) return status;
  return ChangeListCount(set, kDifferenceList) > before ? kCompareDifferent : 0;
}

std::uint8_t CompareRecordAcrossSets(std::uint16_t record, std::uint8_t set_a, std::uint8_t set_b) {
  if (!SetExists(set_a) || !SetExists(set_b)) return 1;
  std::uint16_t first = 0;
  std::uint16_t until = 0xFFFF;
  if (record == 302) until = 1;
  if (record == 32) first = 16;
  const std::uint16_t before = ChangeListCount(set_b, kDifferenceList);
  const std::uint8_t status =
      WalkRecord(record, first, until, [&](std::uint16_t element, std::uint8_t type) -> std::uint8_t {
        if (record == 5 && element >= 6 && element <= 9) return 0;
        const std::uint8_t* a = ElementAddress(record, element, set_a);
        const std::uint8_t* b = ElementAddress(record, element, set_b);
        if (!a || !b || !Differs(a, b, type)) return 0;
        return PushDifference(set_b, record, element);
      });
  if (status != 0) return status;
  return ChangeListCount(set_b, kDifferenceList) > before ? kCompareDifferent : 0;
}

std::uint8_t NextCompareReportLine(char* out, std::uint16_t* record, std::uint16_t* element, std::uint8_t* kind,
                                   std::uint8_t size, std::uint8_t set) {
  if (!SetExists(set) || !out || size == 0) return 1;
  ChangeEntry entry = 0;
  if (ChangeListCount(set, kDifferenceList) == 0 || ChangeListPop(set, kDifferenceList, &entry) != 0) {
    return kCompareListEmpty;
  }
  const auto r = static_cast<std::uint16_t>(entry & 0xFFFFu);
  const auto e = static_cast<std::uint16_t>(entry >> 16);
  if (record && element) {
    *record = r;
    *element = e;
  }
  const ParameterDescriptor* descriptor = FindDescriptor(r, e);
  if (kind) *kind = descriptor ? descriptor->kind : 0;

  std::string line;
  std::uint8_t status = 0;
  if (r == 302 && e == 0) {
    line = "file type is different: 1 time projecting- a.1 time reverse docu.-file!";
  } else if ((r == 5 || r == 304) && e == 0) {
    line = "device-type is different (ZPR / QWM), check only common parameters!";
  } else if (r == 458 && e == 4) {
    line = "A102 Can-Rec.PDO-trans.Type o. A103 Can-Tra.PDO-trans.Type";
  } else if (!descriptor || !descriptor->texts || !descriptor->texts[0]) {
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "Bnam = %u  Badr = %u", static_cast<unsigned>(r),
                  static_cast<unsigned>(e));
    line = text.data();
    status = kCompareNoDescriptor;
  } else {
    const std::string name = std::string(descriptor->texts[0]).substr(0, kNameCut);
    if (Contains(kSet1Records, r)) {
      line = "P1." + name;
    } else if (Contains(kSet2Records, r)) {
      line = "P2." + name;
    } else {
      line = name;
    }
  }
  // Every line fits a buffer of 81; a smaller buffer gets the line cut to size - 1 characters.
  const std::size_t room = std::min<std::size_t>(line.size(), size - 1u);
  std::memcpy(out, line.data(), room);
  out[room] = '\0';
  return status;
}

}  // namespace model
