// After-write actions of single records: scope channels, the internal checksum, the run mode, process-data
// lengths and positioning speeds.
#include <array>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "model/version_letter.h"

namespace model {
namespace {

constexpr std::uint16_t kScopeRecord = 454;
constexpr std::uint16_t kDerivedRecord = 320;

// The sizes of the elements that process-data entries of record 55 name (record high, element low).
std::uint8_t ProcessDataLength(std::uint8_t set, std::initializer_list<std::uint16_t> entries, std::uint16_t target) {
  std::uint32_t length = 0;
  for (const std::uint16_t element : entries) {
    std::int64_t code = 0;
    const std::uint8_t read = ReadInt(55, element, set, &code);
    if (read != 0) return read;
    const auto packed = static_cast<std::uint32_t>(code);
    length += ElementTypeSize(GetElementType(static_cast<std::uint16_t>(packed >> 16),
                                             static_cast<std::uint16_t>(packed & 0xFFFFu)));
  }
  return WriteNumberRaw(33, target, set, length);
}

struct BlockRun {
  std::uint16_t record;
  std::uint16_t first;
  std::uint16_t last;
};
// The 32 process blocks in order, 22 bytes each; J12 speed sits at offset 4 of a block.
constexpr std::array<BlockRun, 5> kBlocks = {{{514, 0, 154}, {514, 210, 210}, {516, 0, 198}, {518, 0, 198},
                                              {520, 0, 44}}};
constexpr std::uint16_t kBlockSize = 22;
constexpr std::uint16_t kBlockSpeed = 4;

}  // namespace

std::uint8_t LimitScopeChannels(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != kScopeRecord) return 3;
  std::int64_t t10 = 0;
  const std::uint8_t read = ReadInt(kScopeRecord, 0, set, &t10);
  if (read != 0) return read;
  if (t10 >= 12) return 0;
  // 2 ms and faster sample 4 channels, 5 ms 6.
  const int limit = t10 == 11 ? 6 : 4;
  std::array<std::int64_t, 8> channels{};
  int active = 0;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const std::uint8_t status = ReadInt(kScopeRecord, static_cast<std::uint16_t>(12 + 4 * i), set, &channels[i]);
    if (status != 0) return status;
    if (channels[i] != 0 && channels[i] != 65535) ++active;
  }
  // The highest channels go first until the count fits.
  std::uint8_t status = 0;
  for (std::size_t i = channels.size(); i-- > 0 && active > limit;) {
    if (channels[i] == 0 || channels[i] == 65535) continue;
    status = WriteNumberRaw(kScopeRecord, static_cast<std::uint16_t>(12 + 4 * i), set, 0);
    --active;
  }
  return status;
}

std::uint8_t StampInternalChecksum(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != 450 && record != 451) return 3;
  if (record != 450) return 0;
  std::array<std::uint8_t, 80> image{};
  if (RecordSize(450) != image.size()) return 3;
  const std::uint8_t read = ReadRecord(450, image.data(), kModeRaw, set);
  if (read != 0) return read;
  if ((image[0] | (image[1] << 8)) != 257) return 0;
  std::uint16_t sum = 0;
  for (std::size_t i = 2; i < image.size(); ++i) sum = static_cast<std::uint16_t>(sum + image[i]);
  return WriteNumberRaw(450, 0, set, sum);
}

std::uint8_t OnRunModeChanged(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != 38 && record != 39) return 3;
  if (GetDeviceFamily(set) == 2) {
    std::int64_t mode = 0;
    const std::uint8_t read = ReadInt(38, 56, set, &mode);
    if (read != 0) return read;
    if (mode != 1 && mode != 2) mode = 1;
    return WriteNumberRaw(512, 67, set, static_cast<double>(mode));
  }
  std::int64_t mode = 0;
  const std::uint8_t read = ReadInt(record, 56, set, &mode);
  if (read != 0) return read;
  std::uint8_t status = WriteNumberRaw(512, 67, set, static_cast<double>(mode));
  if (GetVersionLetter(set) < 'E') status = WriteBothSets(38, 56, set, static_cast<double>(mode));
  return status;
}

std::uint8_t RecalcRecord55Derived(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != 55) return 3;
  std::uint8_t status = ProcessDataLength(set, {26, 30, 62, 66}, 136);
  if (status != 0) return status;
  status = ProcessDataLength(set, {34, 38, 70, 74}, 131);
  if (status != 0) return status;
  status = ProcessDataLength(set, {46, 50, 78, 82}, 138);
  if (status != 0) return status;
  return ProcessDataLength(set, {54, 58, 86, 90}, 137);
}

std::uint8_t RecalcDerivedFrom512And514(std::uint16_t record, std::uint16_t, std::uint8_t set) {
  if (record != 512 && record != 514 && record != 516 && record != 518 && record != 520) return 3;
  std::int64_t i07 = 0, i08 = 0, f49 = 0, h23 = 0, i02 = 0, b26 = 0, b20 = 0;
  struct Source {
    std::uint16_t record;
    std::uint16_t element;
    std::int64_t* out;
  };
  for (const Source& source : {Source{512, 52, &i07}, Source{512, 56, &i08}, Source{34, 64, &f49},
                               Source{34, 66, &h23}, Source{512, 86, &i02}, Source{40, 15, &b26},
                               Source{40, 6, &b20}}) {
    const std::uint8_t read = ReadInt(source.record, source.element, set, source.out);
    if (read != 0) return read;
  }
  const double by_f49 = static_cast<double>(f49) * 0.001;
  const double by_h23 = static_cast<double>(h23) * 0.001;
  double gear = 1.0;
  if (GetDeviceFamily(set) == 2) {
    gear = i02 == 0 ? by_f49 : (i02 == 1 ? by_h23 : 1.0);
  } else if (b26 == 0 || b26 == 2 || b26 == 3) {
    if (b20 != 1 && (i02 == 0 || i02 == 2)) {
      gear = by_f49;
    } else if (b20 == 1) {
      gear = 1.0;
    } else {
      gear = by_h23;
    }
  } else if (b26 != 1 || b20 == 1) {
    gear = 1.0;
  } else {
    gear = i02 == 0 ? by_f49 : by_h23;
  }
  if (i07 == 0) return 0;
  const double k = static_cast<double>(i08) * 60.0 * gear / static_cast<double>(i07);

  std::uint16_t index = 0;
  std::uint8_t status = 0;
  for (const BlockRun& run : kBlocks) {
    for (std::uint16_t block = run.first; block <= run.last; block = static_cast<std::uint16_t>(block + kBlockSize)) {
      std::int64_t speed = 0;
      const std::uint8_t read = ReadInt(run.record, static_cast<std::uint16_t>(block + kBlockSpeed), set, &speed);
      if (read != 0) return read;
      status = WriteNumberRaw(kDerivedRecord, static_cast<std::uint16_t>(68 + 4 * index), set,
                              static_cast<double>(speed) * k);
      ++index;
    }
  }
  std::int64_t i10 = 0;
  const std::uint8_t read = ReadInt(512, 0, set, &i10);
  if (read != 0) return read;
  status = WriteNumberRaw(kDerivedRecord, 60, set, static_cast<double>(i10) * k);
  return status;
}

}  // namespace model
