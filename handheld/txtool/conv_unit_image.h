// The data-set image that a Tastomatik stores: a 10-byte head, a directory of {record, offset} entries (16-bit,
// low byte first) that starts with (3, 10) and ends with record 0 at the image's end, then the records at the
// sizes of the target layout. Built from project image 0 for the layout letter its identity asks for.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace txtool {

// Status codes of ConvBuildUnitDataSet (besides a failing read's own).
inline constexpr std::uint8_t kConvNoBuffer = 14;
inline constexpr std::uint8_t kConvNoRecordSize = 15;
inline constexpr std::uint8_t kConvImageTooLarge = 16;  // the image does not fit the buffer named

inline constexpr std::size_t kUnitHeadSize = 10;
inline constexpr std::size_t kUnitMarkerAt = 8;
inline constexpr std::uint8_t kUnitComplete = 0x55;

// The target layout letter for the letter of a project's identity (record 304 element 5).
std::uint8_t ConvTargetLetter(std::uint8_t identity_letter);
// The records of a unit image for a target letter, in image order.
std::span<const std::uint16_t> ConvUnitRecordList(std::uint8_t target_letter);
// A record's size in a target layout for a device family (0 for a record the layout lacks).
std::uint16_t RecordSizeForVersion(std::uint16_t record, std::uint8_t target_letter, std::uint8_t family);

// The buffer the next build writes into (its size bounds the image); an empty span names none.
void ConvSetUnitBuffer(std::span<std::uint8_t> buffer);
// Receives the running percentage while an image is built (none when empty).
void ConvSetProgress(std::function<void(int)> progress);
// Builds the unit image from project image 0 ('P' when force_p is 1). The image's length in bytes (head
// included) goes to length when given.
std::uint8_t ConvBuildUnitDataSet(std::uint8_t image, std::uint8_t force_p, std::size_t* length = nullptr);

// One record of a unit image read back: where its bytes start and how many the image holds.
struct UnitRecord {
  std::uint16_t record;
  std::size_t offset;
  std::size_t length;
};
// The records of an image the unit sent (length bytes received): nullopt when the directory does not end inside
// the bytes received, or its offsets run backwards or beyond them.
std::optional<std::vector<UnitRecord>> ConvUnitDirectory(std::span<const std::uint8_t> received);

}  // namespace txtool
