// Converters between stored codes and selection-list positions (device type, firmware letter, process data
// codes) and the bytes of the packed CAN transmission types.
#include <cmath>

#include "model/converter_support.h"
#include "model/device_identity.h"
#include "model/raw_number.h"
#include "model/saturating_cast.h"
#include "model/value_converters.h"

namespace model {
namespace {

constexpr std::array<std::uint8_t, kDeviceTypePositions> kDeviceTypeToPosition = {
#define DEVICE_TYPE_POSITION(type, position) position,
#include "model/data/device_type_positions.def"
#undef DEVICE_TYPE_POSITION
};

constexpr std::array<std::uint8_t, kPositionDeviceTypes> kPositionToDeviceType = {
#define POSITION_DEVICE_TYPE(position, type) type,
#include "model/data/position_device_types.def"
#undef POSITION_DEVICE_TYPE
};

constexpr std::uint32_t Code(std::uint32_t record, std::uint32_t element) { return (record << 16) | element; }

constexpr std::array<std::uint32_t, kProcessOutputCodeCount> kProcessOutputCodes = {
#define PROCESS_CODE(position, record, element, name) Code(record, element),
#include "model/data/process_output_codes.def"
#undef PROCESS_CODE
};

constexpr std::array<std::uint32_t, kProcessInputCodeCount> kProcessInputCodes = {
#define PROCESS_CODE(position, record, element, name) Code(record, element),
#include "model/data/process_input_codes.def"
#undef PROCESS_CODE
};

constexpr std::array<const char*, kProcessOutputCodeCount> kProcessOutputNames = {
#define PROCESS_CODE(position, record, element, name) name,
#include "model/data/process_output_codes.def"
#undef PROCESS_CODE
};

constexpr std::array<const char*, kProcessInputCodeCount> kProcessInputNames = {
#define PROCESS_CODE(position, record, element, name) name,
#include "model/data/process_input_codes.def"
#undef PROCESS_CODE
};

constexpr const char* kUnknownProcessCode = "unknown code";

// Every row of the .def files must sit at the position its first column states.
constexpr bool RowsInOrder() {
  int n = 0;
#define DEVICE_TYPE_POSITION(type, position) if (type != n++) return false;
#include "model/data/device_type_positions.def"
#undef DEVICE_TYPE_POSITION
  n = 0;
#define POSITION_DEVICE_TYPE(position, type) if (position != n++) return false;
#include "model/data/position_device_types.def"
#undef POSITION_DEVICE_TYPE
  n = 0;
#define PROCESS_CODE(position, record, element, name) if (position != n++) return false;
#include "model/data/process_output_codes.def"
  n = 0;
#include "model/data/process_input_codes.def"
#undef PROCESS_CODE
  return true;
}
static_assert(RowsInOrder(), "a converter table row is out of place");

struct LetterSpan {
  std::uint8_t first;
  std::uint8_t last;
  std::uint8_t position;
};
constexpr LetterSpan kLetterSpans[] = {
#define LETTER_SPAN(first, last, position) {first, last, position},
#include "model/data/letter_positions.def"
#undef LETTER_SPAN
};
constexpr std::uint8_t kPositionLetters[] = {
#define POSITION_LETTER(position, letter) letter,
#include "model/data/position_letters.def"
#undef POSITION_LETTER
};

constexpr bool SpansCoverEveryByte() {
  int next = 0;
  for (const LetterSpan& span : kLetterSpans) {
    if (span.first != next || span.last < span.first) return false;
    next = span.last + 1;
  }
  return next == 256;
}
static_assert(SpansCoverEveryByte(), "letter_positions.def must cover 0..255 in rising, gap-free spans");

constexpr std::uint8_t kLetterE = 69;
constexpr std::uint8_t kLetterD = 68;

// A list position or stored code as an index: false when it is no number, negative or not below count.
bool IndexBelow(double in, std::size_t count, std::size_t* index) {
  if (!std::isfinite(in)) return false;
  const double whole = std::trunc(in);
  if (whole < 0.0 || whole >= static_cast<double>(count)) return false;
  *index = static_cast<std::size_t>(whole);
  return true;
}

template <std::size_t N>
std::uint8_t CodeToPosition(const std::array<std::uint32_t, N>& codes, const double* in, double* out,
                            std::uint8_t direction) {
  if (ToDisplay(direction)) {
    const std::uint32_t stored = TruncateToBits32(*in);
    for (std::size_t i = 0; i < N; ++i) {
      if (codes[i] == stored) {
        *out = static_cast<double>(i);
        return 0;
      }
    }
    *out = static_cast<double>(stored == 2147483647u ? N - 1 : N);
    return 0;
  }
  std::size_t position = 0;
  *out = IndexBelow(*in, N, &position) ? static_cast<double>(codes[position]) : 0.0;
  return 0;
}

// Byte `shift / 8` of the packed word (element 4 of record 458): shown from the data set, and an entry repacked
// into the stored word for WriteElement to check and store.
std::uint8_t CanTransmissionByte(const double* in, double* out, std::uint8_t direction, std::uint8_t set,
                                 unsigned shift) {
  std::int64_t word = 0;
  if (ReadGoverning(458, 4, set, &word) != 0) return kConverterNotServed;
  const auto packed = static_cast<std::uint32_t>(word);
  if (ToDisplay(direction)) {
    *out = static_cast<double>((packed >> shift) & 0xFFu);
    return 0;
  }
  std::uint32_t byte = 0;
  const std::uint8_t refused = EntryByte(*in, &byte);
  if (refused != 0) return refused;
  *out = static_cast<double>((byte << shift) | (packed & ~(0xFFu << shift)));
  return 0;
}

// Byte `shift / 8` of the value handed in; an entry is packed into element 4 of record 458.
std::uint8_t PackedByte(const double* in, double* out, std::uint8_t direction, std::uint8_t set, unsigned shift) {
  if (ToDisplay(direction)) {
    *out = static_cast<double>((TruncateToBits32(*in) >> shift) & 0xFFu);
    return 0;
  }
  std::int64_t word = 0;
  if (ReadGoverning(458, 4, set, &word) != 0) return kConverterNotServed;
  std::uint32_t byte = 0;
  const std::uint8_t refused = EntryByte(*in, &byte);
  if (refused != 0) return refused;
  *out = static_cast<double>((byte << shift) | (static_cast<std::uint32_t>(word) & ~(0xFFu << shift)));
  return 0;
}

}  // namespace

const std::array<std::uint8_t, kDeviceTypePositions>& DeviceTypeToPosition() { return kDeviceTypeToPosition; }
const std::array<std::uint8_t, kPositionDeviceTypes>& PositionToDeviceType() { return kPositionToDeviceType; }
const std::array<std::uint32_t, kProcessOutputCodeCount>& ProcessOutputCodes() { return kProcessOutputCodes; }
const std::array<std::uint32_t, kProcessInputCodeCount>& ProcessInputCodes() { return kProcessInputCodes; }

std::uint8_t ConvDeviceTypePosition(const double* in, double* out, double, std::uint8_t type, std::uint8_t,
                                    std::uint8_t direction, std::uint8_t, std::uint16_t) {
  if (type != 2) return kConverterNotServed;
  std::size_t index = 0;
  if (ToDisplay(direction)) {
    if (!IndexBelow(*in, kDeviceTypePositions, &index)) return kConverterNotServed;
    *out = kDeviceTypeToPosition[index];
  } else {
    if (!IndexBelow(*in, kPositionDeviceTypes, &index)) return kConverterNotServed;
    *out = kPositionToDeviceType[index];
  }
  return 0;
}

std::uint8_t ConvVersionLetterPosition(const double* in, double* out, double, std::uint8_t type, std::uint8_t,
                                       std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  if (type != 2) return kConverterNotServed;
  const double whole = std::isfinite(*in) ? std::trunc(*in) : -1.0;
  if (GetDeviceFamily(set) == 2) {
    if (ToDisplay(direction)) {
      *out = whole < kLetterE ? 12.0 : 13.0;
    } else {
      *out = whole == 12.0 ? kLetterD : kLetterE;
    }
    return 0;
  }
  if (ToDisplay(direction)) {
    const double letter = whole < 0.0 ? 0.0 : whole;
    std::uint8_t position = kLetterSpans[std::size(kLetterSpans) - 1].position;
    for (const LetterSpan& span : kLetterSpans) {
      if (letter <= span.last) {
        position = span.position;
        break;
      }
    }
    *out = position;
    return 0;
  }
  std::size_t position = 0;
  *out = IndexBelow(whole, std::size(kPositionLetters), &position) ? kPositionLetters[position] : kLetterE;
  return 0;
}

std::uint8_t ConvProcessOutputCode(const double* in, double* out, double, std::uint8_t type, std::uint8_t,
                                   std::uint8_t direction, std::uint8_t, std::uint16_t record) {
  if (type != 6 || record != 55) return kConverterNotServed;
  return CodeToPosition(kProcessOutputCodes, in, out, direction);
}

std::uint8_t ConvProcessInputCode(const double* in, double* out, double, std::uint8_t type, std::uint8_t,
                                  std::uint8_t direction, std::uint8_t, std::uint16_t record) {
  if (type != 6 || record != 55) return kConverterNotServed;
  return CodeToPosition(kProcessInputCodes, in, out, direction);
}

const char* ProcessCodeName(std::uint8_t converter, double position) {
  std::size_t index = 0;
  switch (converter) {
    case kConverterProcessOutput: case kConverterProcessOutputCopy:
      return IndexBelow(position, kProcessOutputCodeCount, &index) ? kProcessOutputNames[index] : kUnknownProcessCode;
    case kConverterProcessInput: case kConverterProcessInputCopy:
      return IndexBelow(position, kProcessInputCodeCount, &index) ? kProcessInputNames[index] : kUnknownProcessCode;
    default: return nullptr;
  }
}

std::uint8_t ConvPackedByte2(const double* in, double* out, double, std::uint8_t, std::uint8_t,
                             std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  return PackedByte(in, out, direction, set, 16);
}

std::uint8_t ConvPackedByte3(const double* in, double* out, double, std::uint8_t, std::uint8_t,
                             std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  return PackedByte(in, out, direction, set, 24);
}

std::uint8_t ConvCanReceiveType(const double* in, double* out, double, std::uint8_t, std::uint8_t,
                                std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  return CanTransmissionByte(in, out, direction, set, 16);
}

std::uint8_t ConvCanTransmitType(const double* in, double* out, double, std::uint8_t, std::uint8_t,
                                 std::uint8_t direction, std::uint8_t set, std::uint16_t) {
  return CanTransmissionByte(in, out, direction, set, 24);
}

}  // namespace model
