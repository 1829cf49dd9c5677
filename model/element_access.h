// Reading and writing data-set elements in the access modes, record copies, defaults, limits, change lists.
#pragma once

#include <cstddef>
#include <cstdint>

namespace model {

// Access modes.
inline constexpr std::uint8_t kModeConverted = 5;       // converted read; checked write
inline constexpr std::uint8_t kModeWriteUnchecked = 6;  // converted write without the availability check
inline constexpr std::uint8_t kModeReadConverted = 7;   // converted read only
inline constexpr std::uint8_t kModeRaw = 8;
inline constexpr std::uint8_t kModeRaw9 = 9;

std::uint8_t ReadElement(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode, std::uint8_t set);
std::uint8_t WriteElement(std::uint16_t record, std::uint16_t element, const void* in, std::uint8_t mode,
                          std::uint8_t set);
std::uint8_t ReadRecord(std::uint16_t record, void* out, std::uint8_t mode, std::uint8_t set);
std::uint8_t WriteRecord(std::uint16_t record, const void* in, std::uint8_t mode, std::uint8_t set);
std::uint8_t ReadDefaultElement(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                                std::uint8_t set);
std::uint8_t GetElementUpperLimit(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                                  std::uint8_t set);
std::uint8_t GetElementLowerLimit(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                                  std::uint8_t set);
std::uint8_t ConvertElementValue(double* value, std::uint8_t direction, std::uint16_t record, std::uint16_t element,
                                 std::uint8_t set, std::uint8_t raw_attributes);
std::uint8_t IsElementAvailable(std::uint16_t record, std::uint16_t element, std::uint8_t set);

std::uint8_t CopyRecordAs(std::uint16_t from, std::uint16_t to, std::uint8_t set);
std::uint8_t CopyRecordBetweenSets(std::uint16_t record, std::uint8_t from, std::uint8_t to);
std::uint8_t CopyDataSet(std::uint8_t from, std::uint8_t to);

std::uint8_t ClearChangeList(std::uint8_t set, std::uint8_t list);
std::uint8_t ClearChangeList0(std::uint8_t set);
std::uint8_t ClearChangeList1(std::uint8_t set);
std::uint8_t ChangeListPush(std::uint8_t set, std::uint8_t list, const std::uint32_t* entry);
std::uint8_t ChangeListPop(std::uint8_t set, std::uint8_t list, std::uint32_t* entry);
std::uint16_t ChangeListCount(std::uint8_t set, std::uint8_t list);
std::uint16_t ChangeListCapacity(std::uint8_t set, std::uint8_t list);
std::uint8_t ChangeList0Empty(std::uint8_t set);

// The previous-value buffer: the stored bytes that the last converted write of an integer element replaced.
const std::uint8_t* PreviousElementValueBuffer();
void ClearPreviousElementValue();
// Puts size bytes (at most 4) into the buffer, the rest zero (an action hands a value to a later one).
void SetPreviousElementValue(const void* value, std::size_t size);

}  // namespace model
