// The control word, the remote-control exchange of record 306 and the inverter's memory words.
#include <algorithm>

#include "link/link_status.h"
#include "link/online_state.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"

namespace ilink {
namespace {

using detail::Online;

constexpr std::uint16_t kRemoteRecord = 306;
constexpr std::uint16_t kAddressOffset = 32;
constexpr std::uint16_t kValueOffset = 36;

bool ReloadRemoteCopy(std::uint8_t set) {
  return model::ReadRecord(kRemoteRecord, Online().remote_copy.data(), model::kModeRaw9, set) == 0;
}

// Control flags from the flag bytes of record 306: bit 0 when byte 6 is 0, bits 1..5 when bytes 5, 3, 4,
// 2 and 7 are set.
std::uint8_t ControlFlags(const std::array<std::uint8_t, detail::kRemoteRecordSize>& r) {
  std::uint8_t flags = 0;
  if (r[6] == 0) flags |= 0x01;
  if (r[5] != 0) flags |= 0x02;
  if (r[3] != 0) flags |= 0x04;
  if (r[4] != 0) flags |= 0x08;
  if (r[2] != 0) flags |= 0x10;
  if (r[7] != 0) flags |= 0x20;
  return flags;
}

}  // namespace

std::span<const std::uint8_t> RemoteControlCopy() { return Online().remote_copy; }

std::uint8_t SendControlWord(std::uint8_t mode, std::uint8_t set) {
  if (mode != 0 && mode != 1) return kOk;
  std::uint16_t word = 0;
  std::uint8_t flags = 0x3F;
  if (mode == 1) {
    if (!ReloadRemoteCopy(set)) return kSoftwareError;
    const auto& r = Online().remote_copy;
    word = static_cast<std::uint16_t>(r[0] | r[1] << 8);
    flags = ControlFlags(r);
  }
  if (const std::uint8_t code = detail::PrepareSlot0(set); code != kOk) return code;
  detail::NestingScope scope;
  if (const std::uint8_t code = detail::LogInSlot0WhenNeeded(); code != kOk) return code;
  UssSlot& slot = UssSlotAt(0);
  slot.service = 3;
  slot.control_word = word;
  slot.control_flags = flags;
  if (const std::uint8_t code = CallService(4, 0, set); code != kOk) return code;
  const std::uint16_t status_word = slot.status_word;
  const std::uint8_t status_flags = slot.status_flags;
  if (model::WriteElement(33, 2, &status_word, model::kModeRaw9, set) != 0 ||
      model::WriteElement(33, 67, &status_flags, model::kModeRaw9, set) != 0) {
    return kSoftwareError;
  }
  return kOk;
}

std::uint8_t ReadRemoteControlRecord(std::uint8_t set) {
  std::uint8_t version = 0;
  if (!detail::ReadVersionLetter(set, &version) || version < 'Q') return kSoftwareError;
  if (const std::uint8_t code = detail::PrepareSlot0(set); code != kOk) return code;
  detail::NestingScope scope;
  if (const std::uint8_t code = detail::LogInSlot0WhenNeeded(); code != kOk) return code;
  UssSlotAt(0).service = 8;
  if (const std::uint8_t code = CallService(4, 0, set); code != kOk) return code;
  return ReloadRemoteCopy(set) ? kOk : kSoftwareError;
}

std::uint8_t ReadInverterWord(std::uint8_t set, std::uint32_t address, std::uint32_t* value) {
  if (!value) return kSoftwareError;
  if (const std::uint8_t code = detail::PrepareSlot0(set); code != kOk) return code;
  if (model::WriteElement(kRemoteRecord, kAddressOffset, &address, model::kModeRaw, set) != 0) return kSoftwareError;
  detail::NestingScope scope;
  if (const std::uint8_t code = detail::LogInSlot0(); code != kOk) return code;
  UssSlotAt(0).service = 10;
  const std::uint8_t code = CallService(4, 0, set);
  std::uint32_t stored = 0;
  if (model::ReadElement(kRemoteRecord, kValueOffset, &stored, model::kModeRaw, set) != 0) return kSoftwareError;
  // The caller gets the value with its four bytes in reverse order.
  *value = (stored >> 24) | ((stored >> 8) & 0xFF00u) | ((stored << 8) & 0xFF0000u) | (stored << 24);
  return code;
}

std::uint8_t WriteInverterWord(std::uint8_t set, std::uint32_t address, std::uint32_t value) {
  if (set > model::LastDataSetIndex()) return kSoftwareError;
  if (model::WriteElement(kRemoteRecord, kAddressOffset, &address, model::kModeRaw, set) != 0 ||
      model::WriteElement(kRemoteRecord, kValueOffset, &value, model::kModeRaw, set) != 0) {
    return kSoftwareError;
  }
  detail::NestingScope scope;
  if (const std::uint8_t code = detail::LogInSlot0(); code != kOk) return code;
  UssSlotAt(0).service = 11;
  return CallService(4, 0, set);
}

}  // namespace ilink
