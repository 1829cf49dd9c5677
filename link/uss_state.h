// Module state of the USS master, shared by its translation units.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/uss_driver.h"
#include "link/uss_telegram.h"

namespace ilink::detail {

struct UssModule {
  UssDriverSettings settings;
  std::array<UssSlot, kUssSlots> slots;
  std::uint8_t state = kLinkClosed;
  std::uint8_t last_result = 0;
  std::uint8_t previous_result = 0;
  std::array<std::uint8_t, kTelegramBufferSize> request{};
  std::array<std::uint8_t, kTelegramBufferSize> reply{};
  std::size_t reply_count = 0;
  std::array<std::uint8_t, kTelegramBufferSize> scratch{};
  // Taken from the baud table at open.
  std::uint16_t char_allowance = 172;
  std::uint16_t reply_time_base = 229;
  std::uint32_t first_byte_limit = 20000;
};

UssModule& Uss();

// Records a failed step in the slot: the old last error becomes the previous one.
inline void RecordSlotError(UssSlot& slot, std::uint8_t code) {
  slot.previous_error = slot.last_error;
  slot.last_error = code;
}

}  // namespace ilink::detail
