// TX-Tool's two project images (0 and 1) in its own layout: initialisation from its default images, raw
// element and record access, the file kind, the program's header and the layout stamp.
#pragma once

#include <cstdint>
#include <vector>

namespace txtool {

inline constexpr std::uint8_t kConvImages = 2;
inline constexpr std::uint8_t kConvLayoutLetter = 'P';
inline constexpr std::uint8_t kConvLayoutByte = 22;
inline constexpr const char* kConvProgramName = "TX-TOOL.EXE";
inline constexpr const char* kConvVersionText = "V 4.5";

// Status codes of the raw access.
inline constexpr std::uint8_t kConvDone = 0;
inline constexpr std::uint8_t kConvNoImage = 1;    // an image other than 0 or 1
inline constexpr std::uint8_t kConvBadMode = 2;    // a mode other than 8 or 9
inline constexpr std::uint8_t kConvNoElement = 3;  // a record or element the layout lacks

// Fills the image with zeros, empty texts and the default images; empties its change list 0.
std::uint8_t ConvInitImage(std::uint8_t image);

std::uint8_t ConvReadRecord(std::uint16_t record, void* out, std::uint8_t mode, std::uint8_t image);
std::uint8_t ConvWriteRecord(std::uint16_t record, const void* in, std::uint8_t mode, std::uint8_t image);
std::uint8_t ConvReadElement(std::uint16_t record, std::uint16_t element, void* out, std::uint8_t mode,
                             std::uint8_t image);
std::uint8_t ConvWriteElement(std::uint16_t record, std::uint16_t element, const void* in, std::uint8_t mode,
                              std::uint8_t image);

// The record's factory image: its default image with its texts empty (zeros for a record without one).
std::vector<std::uint8_t> ConvDefaultRecord(std::uint16_t record);

// A whole image (storage and change lists), taken and put back around a conversion that must not half-happen.
std::vector<std::uint8_t> ConvSaveImage(std::uint8_t image);
void ConvRestoreImage(std::uint8_t image, const std::vector<std::uint8_t>& saved);

// The file kind in element 0 of record 302 (0 when it cannot be read).
std::uint16_t ConvGetFileKind(std::uint8_t image);
// Sets kind 17 or 18 (turning reverse documentation into a project moves record 5 into 304); another kind is
// returned unchanged and not stored. 0 when a step fails (the image is then as it was).
std::uint16_t ConvSetFileKind(std::uint16_t kind, std::uint8_t image);
// Record 300 rebuilt as TX-Tool's header: default image, texts empty, then "TX-TOOL.EXE", "V 4.5" and "OK!".
std::uint8_t ConvWriteHeader(std::uint8_t image);
// 'P' and 22 into record 4.
std::uint8_t ConvStampLayoutVersion(std::uint8_t image);

}  // namespace txtool
