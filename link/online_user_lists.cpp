// The two user lists: parameters chosen by code (record 347) read or written online as single elements.
#include <algorithm>
#include <array>

#include "link/link_status.h"
#include "link/online_state.h"
#include "model/element_access.h"
#include "model/parameter_codes.h"

namespace ilink {
namespace {

using detail::Online;

constexpr std::uint16_t kCodeRecord = 347;
constexpr std::size_t kCodeSize = 9;
constexpr std::size_t kLongCodes = 24;
constexpr std::size_t kShortCodes = 4;

std::span<TransferListRow> Rows(std::uint8_t long_list) {
  auto& m = Online();
  if (long_list) return m.long_list;
  return m.short_list;
}

// Values the inverter only reports: identity, measurements, state (all of record 33 but element 150).
bool ReadOnly(std::uint16_t record, std::uint16_t element) {
  switch (record) {
    case 5: case 32: case 36: case 450: case 451: return true;
    case 33: return element != 150;
    default: return false;
  }
}

std::uint8_t Build(std::uint8_t long_list, std::uint8_t set, std::uint8_t direction) {
  auto rows = Rows(long_list);
  const std::size_t codes = long_list ? kLongCodes : kShortCodes;
  std::size_t n = 0;
  for (std::size_t i = 0; i < codes && n + 1 < rows.size(); ++i) {
    std::array<char, kCodeSize + 1> code{};
    if (model::ReadElement(kCodeRecord, static_cast<std::uint16_t>(i * kCodeSize), code.data(), model::kModeRaw9,
                           set) != 0) {
      return kSoftwareError;
    }
    code[kCodeSize] = '\0';
    std::uint16_t record = 0, element = 0;
    if (code[0] == '\0' || model::FindParameterByCode(&record, &element, code.data(), set) != 1) continue;
    const std::uint8_t dir = ReadOnly(record, element) ? kDirRead : direction;
    rows[n++] = TransferListRow{dir, 1, record, element};
  }
  std::fill(rows.begin() + static_cast<std::ptrdiff_t>(n), rows.end(), TransferListRow{0, 0, 0, 0});
  return kOk;
}

std::uint8_t BuildAndRun(std::uint8_t long_list, std::uint8_t set, std::uint8_t direction) {
  if (const std::uint8_t code = Build(long_list, set, direction); code != kOk) return code;
  return TransferParameterList(set, Rows(long_list), 0);
}

}  // namespace

std::span<const TransferListRow> UserList(std::uint8_t long_list) { return Rows(long_list); }

std::uint8_t ClearUserList(std::uint8_t long_list, std::uint8_t /*set*/) {
  for (TransferListRow& row : Rows(long_list)) row.record = 0;
  return kOk;
}

std::uint8_t BuildUserList(std::uint8_t long_list, std::uint8_t set) { return Build(long_list, set, kDirRead); }

std::uint8_t WriteUserListOnline(std::uint8_t long_list, std::uint8_t set) {
  return BuildAndRun(long_list, set, kDirWrite);
}

std::uint8_t ReadUserListOnline(std::uint8_t long_list, std::uint8_t set) {
  return BuildAndRun(long_list, set, kDirRead);
}

}  // namespace ilink
