#include "handheld/txtool/conv_unit_image.h"

#include <algorithm>
#include <array>
#include <vector>

#include "handheld/txtool/conv_images.h"
#include "handheld/txtool/conv_layout.h"

namespace txtool {
namespace {

struct SizeRow {
  std::uint16_t record;
  std::uint16_t size;
  std::uint8_t family1_below;
  std::uint8_t other_below;
};

constexpr std::array kRecordSizes = {
#define RECORD_SIZE(record, size, family1, other) SizeRow{record, size, family1, other},
#include "handheld/txtool/data/record_sizes.def"
#undef RECORD_SIZE
};
static_assert(kRecordSizes.size() == 73);

constexpr std::uint8_t kCode64 = 64;

constexpr std::array<std::uint16_t, 8> kListOld = {3, 4, 17, 304, 15, 11, 254, 251};
constexpr std::array<std::uint16_t, 6> kListBlank = {3, 4, 17, 304, 11, 254};
constexpr std::array<std::uint16_t, 7> kListZero = {3, 4, 17, 304, 15, 11, 254};
constexpr std::array<std::uint16_t, 22> kList64 = {3,  4,  17, 304, 15, 11, 42, 43, 40, 41, 38,
                                                   39, 53, 54, 48,  49, 34, 35, 55, 56, 57, 58};
constexpr std::array<std::uint16_t, 5> kTailC = {512, 514, 46, 47, 458};
constexpr std::array<std::uint16_t, 10> kTailI = {512, 514, 516, 518, 520, 59, 60, 46, 47, 458};
constexpr std::array<std::uint16_t, 8> kTailP = {512, 514, 522, 59, 60, 46, 47, 458};

template <std::size_t N>
std::vector<std::uint16_t> Joined(const std::array<std::uint16_t, N>& tail) {
  std::vector<std::uint16_t> list(kList64.begin(), kList64.end());
  list.insert(list.end(), tail.begin(), tail.end());
  return list;
}

constexpr std::uint16_t kDirectoryRecord = 3;
constexpr std::uint16_t kLayoutRecord = 4;
constexpr std::uint16_t kIdentityRecord = 304;
constexpr std::uint16_t kIdentityFamily = 0;
constexpr std::uint16_t kIdentityLetter = 5;
constexpr int kProgressStep = 3;

std::span<std::uint8_t>& UnitBuffer() {
  static std::span<std::uint8_t> buffer;
  return buffer;
}

std::function<void(int)>& ProgressSink() {
  static std::function<void(int)> sink;
  return sink;
}

void Store16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

std::uint8_t ConvTargetLetter(std::uint8_t letter) {
  if (letter < kCode64) return '3';
  if (letter == kCode64) return kCode64;
  if (letter == 'A') return 'A';
  if (letter == 'B') return 'C';
  if (letter == 'C') return 'F';
  if (letter == 'D') return 'I';
  return 'P';
}

std::span<const std::uint16_t> ConvUnitRecordList(std::uint8_t letter) {
  static const std::vector<std::uint16_t> list_c = Joined(kTailC);
  static const std::vector<std::uint16_t> list_i = Joined(kTailI);
  static const std::vector<std::uint16_t> list_p = Joined(kTailP);
  switch (letter) {
    case '1': case '3': case '7': case '8': return kListOld;
    case ' ': case '"': return kListBlank;
    case '0': return kListZero;
    case kCode64: case 'A': return kList64;
    case 'B': case 'C': case 'F': return list_c;
    case 'H': case 'I': return list_i;
    default: return list_p;
  }
}

std::uint16_t RecordSizeForVersion(std::uint16_t record, std::uint8_t letter, std::uint8_t family) {
  std::uint16_t size = ConvRecordSize(record);
  if (size == 0) return 0;
  for (const SizeRow& row : kRecordSizes) {
    const std::uint8_t below = family == 1 ? row.family1_below : row.other_below;
    if (row.record == record && below > letter) size = row.size;
  }
  return size;
}

void ConvSetUnitBuffer(std::span<std::uint8_t> buffer) { UnitBuffer() = buffer; }

void ConvSetProgress(std::function<void(int)> progress) { ProgressSink() = std::move(progress); }

std::uint8_t ConvBuildUnitDataSet(std::uint8_t image, std::uint8_t force_p, std::size_t* length) {
  // 1. The target layout and its records.
  std::uint8_t identity[2] = {};
  std::uint8_t family = 0;
  if (ConvReadElement(kIdentityRecord, kIdentityFamily, &family, 8, image) != kConvDone ||
      ConvReadElement(kIdentityRecord, kIdentityLetter, identity, 8, image) != kConvDone) {
    return kConvNoRecordSize;
  }
  const std::uint8_t target = force_p == 1 ? kConvLayoutLetter : ConvTargetLetter(identity[0]);
  const auto list = ConvUnitRecordList(target);
  if (const std::uint8_t s = ConvWriteElement(kLayoutRecord, 0, &target, 8, image); s != kConvDone) return s;

  // 2. The buffer, its head marked as being written.
  std::span<std::uint8_t> out = UnitBuffer();
  if (out.size() < kUnitHeadSize) return kConvNoBuffer;

  // 3. The directory: (3, 10), one entry a record, the closing entry at the image's end.
  std::vector<std::pair<std::uint16_t, std::uint16_t>> entries{{kDirectoryRecord, kUnitHeadSize}};
  std::vector<std::uint16_t> sizes;
  const auto counted = std::count_if(list.begin(), list.end(), [](std::uint16_t r) { return r > 2; });
  std::size_t offset = kUnitHeadSize + 4 * static_cast<std::size_t>(counted) + 4;
  for (const std::uint16_t record : list) {
    if (record <= kDirectoryRecord) continue;
    const std::uint16_t size = RecordSizeForVersion(record, target, family);
    if (size == 0) return kConvNoRecordSize;
    entries.emplace_back(record, static_cast<std::uint16_t>(offset));
    sizes.push_back(size);
    offset += size;
    if (offset > 0xFFFF) return kConvImageTooLarge;
  }
  entries.emplace_back(0, static_cast<std::uint16_t>(offset));
  if (offset > out.size()) return kConvImageTooLarge;  // nothing of it is written

  std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(offset), 0);
  out[kUnitMarkerAt] = 0;

  // 4. The records.
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Store16(out, kUnitHeadSize + 4 * i, entries[i].first);
    Store16(out, kUnitHeadSize + 4 * i + 2, entries[i].second);
  }
  const std::size_t total = offset - kUnitHeadSize;
  int reported = 0;
  for (std::size_t i = 1; i + 1 < entries.size(); ++i) {
    const std::uint16_t record = entries[i].first;
    std::vector<std::uint8_t> bytes(std::max<std::size_t>(ConvRecordSize(record), sizes[i - 1]), 0);
    if (const std::uint8_t s = ConvReadRecord(record, bytes.data(), 9, image); s != kConvDone) return s;
    std::copy_n(bytes.begin(), sizes[i - 1], out.begin() + entries[i].second);
    // 5. Progress.
    const int percent = static_cast<int>(100 * (entries[i + 1].second - kUnitHeadSize) / total);
    if (ProgressSink() && percent - reported >= kProgressStep && percent < 100) {
      ProgressSink()(percent);
      reported = percent;
    }
  }
  // 6. Complete.
  out[kUnitMarkerAt] = kUnitComplete;
  out[kUnitMarkerAt + 1] = 0;
  if (length) *length = offset;
  return kConvDone;
}

std::optional<std::vector<UnitRecord>> ConvUnitDirectory(std::span<const std::uint8_t> received) {
  std::vector<UnitRecord> records;
  std::uint16_t record = 0;
  std::size_t start = 0;
  for (std::size_t at = kUnitHeadSize; at + 4 <= received.size(); at += 4) {
    const auto next_record = static_cast<std::uint16_t>(received[at] | (received[at + 1] << 8));
    const std::size_t next_offset = static_cast<std::size_t>(received[at + 2] | (received[at + 3] << 8));
    if (next_offset > received.size() || (at > kUnitHeadSize && next_offset < start)) return std::nullopt;
    if (at > kUnitHeadSize) records.push_back({record, start, next_offset - start});
    if (next_record == 0) return records;
    record = next_record;
    start = next_offset;
  }
  return std::nullopt;
}

}  // namespace txtool
