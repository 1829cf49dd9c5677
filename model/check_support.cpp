#include "model/check_support.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"

namespace model {
namespace {

struct ReadFailure {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t status;
};

std::vector<ReadFailure>& Failures() {
  static std::vector<ReadFailure> failures;
  return failures;
}

constexpr std::size_t kLargestElement = ElementTypeSizeOf(kTypeText1023);

// Raw read into a buffer that holds any element type; the caller takes the low bytes it needs.
std::uint8_t ReadRawForCheck(std::uint16_t record, std::uint16_t element, std::uint8_t set,
                             std::array<std::uint8_t, kLargestElement>& buffer) {
  for (const ReadFailure& f : Failures()) {
    if (f.record == record && f.element == element) return f.status;
  }
  return ReadElement(record, element, buffer.data(), kModeRaw, set);
}

struct Twin {
  std::uint16_t set1;
  std::uint16_t set2;
};
constexpr std::array<Twin, 9> kTwins = {{{34, 35}, {38, 39}, {40, 41}, {42, 43}, {46, 47}, {48, 49}, {53, 54},
                                         {57, 58}, {59, 60}}};

constexpr std::uint16_t kScopeSettingsRecord = 454;
constexpr std::uint16_t kFirstChannelWord = 12;
constexpr std::uint16_t kChannelCount = 8;

}  // namespace

std::uint8_t ReadCheckByte(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint8_t* out) {
  std::array<std::uint8_t, kLargestElement> buffer{};
  const std::uint8_t status = ReadRawForCheck(record, element, set, buffer);
  if (status != 0) return status;
  *out = buffer[0];
  return 0;
}

std::uint8_t ReadCheckWord(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint16_t* out) {
  std::array<std::uint8_t, kLargestElement> buffer{};
  const std::uint8_t status = ReadRawForCheck(record, element, set, buffer);
  if (status != 0) return status;
  // A one-byte element leaves the second byte of the cleared buffer at 0.
  *out = static_cast<std::uint16_t>(buffer[0] | (buffer[1] << 8));
  return 0;
}

void InjectCheckReadFailure(std::uint16_t record, std::uint16_t element, std::uint8_t status) {
  if (status == 0) return;
  Failures().push_back({record, element, status});
}

void ClearCheckReadFailures() { Failures().clear(); }

std::uint8_t GetOptionBoard(std::uint8_t set) {
  std::uint16_t kind = 0;
  if (ReadCheckWord(302, 0, set, &kind) != 0) return 0;
  std::uint8_t board = 0;
  if (ReadCheckByte(kind == kFileKindReverseDoc ? 5 : 304, 3, set, &board) != 0) return 0;
  return board;
}

std::uint8_t HasScopeData(std::uint8_t set) {
  std::uint16_t kind = 0;
  if (ReadCheckWord(302, 0, set, &kind) != 0 || kind != kFileKindReverseDoc) return 0;
  for (std::uint16_t c = 0; c < kChannelCount; ++c) {
    std::uint16_t word = 0;
    if (ReadCheckWord(kScopeSettingsRecord, static_cast<std::uint16_t>(kFirstChannelWord + 4 * c), set, &word) != 0) {
      continue;
    }
    if (word != 0 && word != 0xFFFF) return 1;
  }
  return 0;
}

std::uint16_t TwinRecord(std::uint16_t record) {
  for (const Twin& t : kTwins) {
    if (t.set1 == record) return t.set2;
    if (t.set2 == record) return t.set1;
  }
  return 0;
}

std::uint8_t ParameterSetOfRecord(std::uint16_t record) {
  for (const Twin& t : kTwins) {
    if (t.set1 == record) return 1;
    if (t.set2 == record) return 2;
  }
  return 0;
}

std::uint16_t SameSetRecord(std::uint16_t asked, std::uint16_t set1_record) {
  if (ParameterSetOfRecord(asked) != 2) return set1_record;
  const std::uint16_t twin = TwinRecord(set1_record);
  return twin != 0 ? twin : set1_record;
}

std::uint16_t GoverningRecord(std::uint16_t asked, std::uint16_t set1_record, std::uint16_t set2_record,
                              std::initializer_list<std::uint16_t> set2_askers) {
  return std::find(set2_askers.begin(), set2_askers.end(), asked) != set2_askers.end() ? set2_record
                                                                                        : set1_record;
}

}  // namespace model
