// The data sets a simulated Tastomatik holds, as the unit stores them: a 10-byte head (format byte, the unit's
// size, completion marker 0x55 at byte 8), a directory of {record, offset} entries (16-bit, low byte first)
// that starts with (3, 10) and ends with record 0 at the image's end, then the records of the unit's newest
// layout ('P') back to back. Built from a project in a model data set: a sample project of a device family,
// or a ZPR project file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim::tasto {

inline constexpr std::size_t kImageHeadSize = 10;
inline constexpr std::uint8_t kImageComplete = 0x55;
inline constexpr std::uint8_t kUnitLayoutLetter = 'P';

// The image of the project in model data set `set` for a unit of data-set size `size` (the image is padded to
// it); nullopt when a record cannot be read or the image does not fit.
std::optional<std::vector<std::uint8_t>> UnitImageOfDataSet(std::uint8_t set, std::uint16_t size);
// A sample project of device family 1, 2 or 3 (the model's defaults with that identity) as a unit image.
std::optional<std::vector<std::uint8_t>> SampleUnitImage(std::uint8_t family, std::uint16_t size);
// A ZPR project file as a unit image; nullopt with a message in error when it cannot be read or does not fit.
std::optional<std::vector<std::uint8_t>> UnitImageOfProjectFile(const std::string& path, std::uint16_t size,
                                                                std::string* error);
// The bytes an image of the unit's layout takes for a family (the size a unit needs at least).
std::size_t UnitImageLength(std::uint8_t family);

}  // namespace sim::tasto
