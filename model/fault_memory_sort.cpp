// SortFaultMemory: the device's ten fault entries (records 336-345) sorted newest first into 307-316.
#include <array>
#include <cstring>
#include <vector>

#include "model/action_support.h"
#include "model/data_set.h"
#include "model/derived_elements.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "model/round_value.h"

namespace model {
namespace {

constexpr std::uint16_t kFirstSource = 336;
constexpr std::uint16_t kFirstTarget = 307;
constexpr std::uint16_t kCountRecord = 318;
constexpr std::size_t kEntries = 10;
constexpr std::size_t kSourceSize = 22;
constexpr std::size_t kTargetSize = 62;

using Source = std::array<std::uint8_t, kSourceSize>;
using Target = std::array<std::uint8_t, kTargetSize>;

std::uint32_t Word(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t Stamp(const Source& e) { return e[0] == 0 ? 0 : Word(&e[2]) * 3600 + e[4] * 60u + e[5]; }

// Sources in the order newest first: the largest non-zero stamp, equal stamps by record number. Used entries
// with a zero stamp follow in record order, so that they stay visible.
std::vector<std::size_t> SortOrder(const std::array<Source, kEntries>& entries,
                                   const std::array<bool, kEntries>& readable) {
  std::vector<std::size_t> order;
  std::array<bool, kEntries> taken{};
  for (std::size_t round = 0; round < kEntries; ++round) {
    std::size_t best = kEntries;
    for (std::size_t i = 0; i < kEntries; ++i) {
      if (taken[i] || !readable[i] || Stamp(entries[i]) == 0) continue;
      if (best == kEntries || Stamp(entries[i]) > Stamp(entries[best])) best = i;
    }
    if (best == kEntries) break;
    taken[best] = true;
    order.push_back(best);
  }
  for (std::size_t i = 0; i < kEntries; ++i) {
    if (!taken[i] && readable[i] && entries[i][0] != 0) order.push_back(i);
  }
  return order;
}

double DerivedValue(const Source& e, std::uint8_t set) {
  const auto value = static_cast<std::int16_t>(Word(&e[6]));
  if (GetDeviceFamily(set) == 2) return static_cast<double>(value >> 2);  // arithmetic shift
  const bool second_set = (Word(&e[14]) & (1u << 14)) != 0;
  const std::int64_t p = IntOr(second_set ? 43 : 42, 26, set, 0);
  if (p == 0) return 999999999.0;
  const double v = value * 0.7324219 / static_cast<double>(p);
  return p < 4 ? RoundValue(v) : RoundValue(v * 10.0) * 0.1;
}

Target SortedEntry(const Source& e, std::uint8_t set) {
  Target t{};
  std::memcpy(t.data(), e.data(), kSourceSize);
  const std::uint8_t extra = static_cast<std::uint8_t>(e[18] >> 4);  // from the source: byte 18 is cut below
  t[18] = static_cast<std::uint8_t>(e[18] & 0x0F);
  const std::uint8_t code = e[1];
  if (code == 52) {
    t[61] = extra;
  } else if (code == 37) {
    t[61] = extra != 0 ? static_cast<std::uint8_t>(extra + 16) : 0;
  } else if (code == 34) {
    t[61] = extra != 0 ? static_cast<std::uint8_t>(extra + 32) : 0;
  }
  for (int bit = 0; bit < 8; ++bit) {
    t[30 + bit] = static_cast<std::uint8_t>((e[17] >> bit) & 1);
    t[38 + bit] = static_cast<std::uint8_t>((e[16] >> bit) & 1);
  }
  const std::uint32_t flags = Word(&e[14]);
  for (int bit = 0; bit < 15; ++bit) t[46 + bit] = static_cast<std::uint8_t>((flags >> bit) & 1);
  const double derived = DerivedValue(e, set);
  std::memcpy(&t[22], &derived, sizeof derived);
  return t;
}

void Sort(std::uint8_t set) {
  std::array<Source, kEntries> entries{};
  std::array<bool, kEntries> readable{};
  for (std::size_t i = 0; i < kEntries; ++i) {
    const auto record = static_cast<std::uint16_t>(kFirstSource + i);
    readable[i] = RecordSize(record) == kSourceSize && ReadRecord(record, entries[i].data(), kModeRaw, set) == 0;
  }
  if (WriteNumberRaw(kCountRecord, 0, set, 0) != 0) return;
  const std::vector<std::size_t> order = SortOrder(entries, readable);
  std::uint8_t count = 0;
  for (std::size_t position = 0; position < order.size(); ++position) {
    const auto target = static_cast<std::uint16_t>(kFirstTarget + position);
    if (RecordSize(target) != kTargetSize) return;
    ++count;
    WriteNumberRaw(kCountRecord, 0, set, count);
    const Target sorted = SortedEntry(entries[order[position]], set);
    if (WriteRecord(target, sorted.data(), kModeRaw, set) != 0) return;
  }
}

}  // namespace

std::uint8_t SortFaultMemory(std::uint8_t set) {
  if (set > LastDataSetIndex()) return 1;
  std::uint8_t layout = 0;
  const std::uint8_t read = ReadElement(4, 0, &layout, kModeRaw9, set);
  if (read != 0) return read;
  if (layout <= 51) return 14;
  Sort(set);
  return 0;
}

}  // namespace model
