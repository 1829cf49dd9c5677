// Comparison of two files (one record in both data sets) and of the two parameter sets (partner records in one
// data set): each difference goes onto change list 1, and the result window takes them out as report lines.
#pragma once

#include <cstdint>

namespace model {

// Status of a comparison that found differences (or filled change list 1).
inline constexpr std::uint8_t kCompareDifferent = 10;
inline constexpr std::uint8_t kCompareListEmpty = 11;
inline constexpr std::uint8_t kCompareNoDescriptor = 15;

// Records a and b must both be parameter-set records (34, 35, 38 to 43, 46 to 49, 53, 54, 57 to 60, 251, 254):
// pushes (b, element) for each element whose stored bytes differ. 0 none, 10 differences (or list full), 1 bad
// set, 3 another record.
std::uint8_t CompareRecordPair(std::uint16_t record_a, std::uint16_t record_b, std::uint8_t set);

// One record of two data sets: pushes (record, element) onto change list 1 of set_b. 0, 10, 1 or 3 (absent
// record) as above.
std::uint8_t CompareRecordAcrossSets(std::uint16_t record, std::uint8_t set_a, std::uint8_t set_b);

// Takes the newest entry off change list 1 and writes its report line (at most size - 1 characters; whole
// when size is 81 or more): 0, 11 list empty, 15 no descriptor (line "Bnam = %u  Badr = %u"), 1 bad set or
// a size of 0. Record, element (both given) and the descriptor's display kind (0 without one) are handed back.
std::uint8_t NextCompareReportLine(char* out, std::uint16_t* record, std::uint16_t* element, std::uint8_t* kind,
                                   std::uint8_t size, std::uint8_t set);

}  // namespace model
