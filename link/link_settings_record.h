// The link and option settings of record 305 of a data set (element number = byte offset).
#pragma once

#include <cstdint>

namespace ilink {

inline constexpr std::uint16_t kLinkSettingsRecordNumber = 305;

struct LinkSettingsRecord {
  std::uint8_t port_index = 0;        // 0
  std::uint8_t print_to_file = 0;     // 10
  std::uint8_t highest_address = 0;   // 13
  std::uint16_t box_spare = 0;        // 14
  std::uint16_t box_edge_time = 0;    // 16
  std::uint32_t box_charge_time = 0;  // 18
  std::uint16_t box_ack_time = 0;     // 22
  std::uint16_t box_bit_time = 0;     // 24
  std::uint8_t unused_byte = 0;       // 27, handed to the driver
  std::uint8_t baud_index = 0;        // 28
  std::uint8_t slot_index = 0;        // 29 (the services use slot 0)
  std::uint8_t login_tries = 0;       // 30
  std::uint16_t unused_word = 0;      // 34, handed to the driver
  std::uint16_t pause_ms = 0;         // 36
  std::uint32_t reply_wait = 0;       // 38
  std::uint8_t inverter_address = 0;  // 42
  std::uint8_t scope_transfer = 0;    // 145: the transfer's read fetches the scope recording
  std::uint8_t box_port = 0;          // 155
  std::uint8_t second_remote = 0;     // 157
  std::uint16_t polling_ms = 0;       // 160
};

// Reads record 305 whole (access mode 9); 0, or 14 when the set or the record cannot be read.
std::uint8_t ReadLinkSettingsRecord(std::uint8_t set, LinkSettingsRecord* out);

}  // namespace ilink
