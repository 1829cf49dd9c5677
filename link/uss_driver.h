// The USS master: driver settings, the table of slaves, UssCommand and CallService. Results are status codes
// of message group 1 (link/link_status.h); the serial-driver codes pass through unchanged.
#pragma once

#include <cstdint>
#include <span>

namespace ilink {

struct UssDriverSettings {
  std::uint8_t port_index = 0;  // 0 = COM1 .. 15 = COM16
  std::uint8_t baud_index = 1;  // 0..3
  std::uint8_t login_tries = 1;  // tries for a log-in and for each request
  std::uint16_t unused_word = 555;
  std::uint16_t pause_ms = 10;          // pause after every exchange
  std::uint32_t reply_wait = 20000;     // reply-wait unit, 10 us steps
  std::uint8_t highest_address = 0;
  std::uint8_t unused_byte = 0;
};

inline constexpr std::uint8_t kUssSlots = 32;
inline constexpr std::uint8_t kFreeAddress = 255;

struct UssSlot {
  std::uint8_t address = kFreeAddress;
  std::uint8_t logged_in = 0;
  std::uint8_t last_error = 0;
  std::uint8_t previous_error = 0;
  std::uint8_t tries = 0;
  std::uint8_t service = 0;
  std::uint16_t control_word = 0;
  std::uint8_t control_flags = 0;
  std::uint8_t status_flags = 0;
  std::uint16_t status_word = 0;
  std::uint16_t parameter = 0;   // record
  std::uint16_t index = 0;       // element byte offset
  std::uint16_t record_size = 0;
  std::uint16_t piece_length = 0;
  std::uint16_t received = 0;     // data bytes of the last service-6 reply
  std::uint16_t record_received = 0;  // bytes of the record the last whole-record read stored
  std::uint16_t data_length = 0;  // element bytes (1, 2, 4, 5) or request data (8, 10, 11)
  std::span<std::uint8_t> request_data;  // bytes to send (non-owning)
  std::span<std::uint8_t> reply_data;    // where reply data goes (non-owning)
};

// Link states.
inline constexpr std::uint8_t kLinkClosed = 0;
inline constexpr std::uint8_t kLinkOpen = 1;

void SetUssDriverSettings(std::uint8_t port_index, std::uint8_t baud_index, std::uint8_t login_tries,
                          std::uint16_t unused_word, std::uint16_t pause_ms, std::uint32_t reply_wait,
                          std::uint8_t highest_address, std::uint8_t unused_byte);
const UssDriverSettings& GetUssDriverSettings();
// The settings from record 305 of a data set (port 0, baud 28, tries 30, pause 36, reply-wait 38, highest
// address 13, the unread word 34 and byte 27); 14 when the record cannot be read.
std::uint8_t LoadUssDriverSettings(std::uint8_t set);

// Commands: 0 clear the slot table, 1 open, 2 close, 3 log in the slot's slave, 4 send the slot's request and
// take its reply, 5 broadcast slot 0's request, 7 raise and 8 lower the bus baud rate one step.
std::uint8_t UssCommand(std::uint8_t command, std::uint8_t slot);
// Commands 4 and 5 with the element values moved between data set and telegram; others go to UssCommand.
std::uint8_t CallService(std::uint8_t command, std::uint8_t slot, std::uint8_t set);

// The slot table (n < kUssSlots) and the scratch buffer that CallService and the log-in use.
UssSlot& UssSlotAt(std::uint8_t n);
std::span<std::uint8_t> UssScratch();
std::uint8_t UssLinkState();
std::uint8_t UssLastResult();
std::uint8_t UssPreviousResult();
// The last request as sent and the last reply as received (count bytes).
std::span<const std::uint8_t> UssLastRequest();
std::span<const std::uint8_t> UssLastReply();

// Internal steps, exposed for tests.
std::uint8_t BuildUssRequest(UssSlot& slot);
std::uint8_t ParseUssResponse(UssSlot& slot);
std::uint8_t RunUssExchange(std::uint8_t mode);  // 1 open, 2 close, 3 exchange
std::uint16_t MeasureRecordReply(UssSlot& slot);
// direction 0: data set to telegram, 1: telegram to data set; mode 1 a piece, 2 one element.
inline constexpr std::uint8_t kToTelegram = 0;
inline constexpr std::uint8_t kToDataSet = 1;
std::uint8_t SwapElementBytes(std::uint8_t direction, std::uint8_t mode, std::uint16_t parameter, std::uint16_t index,
                              std::uint8_t set, UssSlot& slot, std::uint16_t* bytes_done = nullptr);

}  // namespace ilink
