// Module state of the online services and the steps their translation units share.
#pragma once

#include <array>
#include <cstdint>

#include "link/online_services.h"

namespace ilink::detail {

inline constexpr std::uint16_t kRemoteRecordSize = 40;  // record 306

struct OnlineModule {
  std::uint8_t connected = 0;
  std::uint16_t nesting = 0;
  std::uint16_t nesting_mark = 0;
  TransferProgressHook hook;
  TransferCancelQuery cancel;
  std::uint8_t progress = 0;
  std::uint8_t last_progress = 0;
  std::uint32_t total_weight = 0;
  std::uint32_t done_weight = 0;
  std::array<std::uint8_t, kRemoteRecordSize> remote_copy{};
  std::array<TransferListRow, kShortUserListRows> short_list{};
  std::array<TransferListRow, kLongUserListRows> long_list{};
  std::uint8_t saved_operation_input = 0;  // SwitchOperationInputSerial mode 0
  std::uint8_t kept_input = 0;             // RunRemoteAction action 1
};

OnlineModule& Online();

// Counts a service under way for as long as it lives.
class NestingScope {
 public:
  NestingScope();
  ~NestingScope();
  NestingScope(const NestingScope&) = delete;
  NestingScope& operator=(const NestingScope&) = delete;
};

// Connects when not connected (its result shows up in the next step), then gives slot 0 the inverter's bus
// address from record 305: 0, or 14 for a set beyond the last one in use or an unreadable record 305.
std::uint8_t PrepareSlot0(std::uint8_t set);
// Log-in of slot 0, always or only when it is not logged in.
std::uint8_t LogInSlot0();
std::uint8_t LogInSlot0WhenNeeded();
// One element by service 4 (read into the set) or 5 (write from the set) on slot 0, no log-in.
std::uint8_t ElementRequest(std::uint8_t service, std::uint16_t record, std::uint16_t element, std::uint8_t set);
// Element 0 of record 4 of a set (the version letter): false when it cannot be read.
bool ReadVersionLetter(std::uint8_t set, std::uint8_t* letter);
// Raw byte access to a data set (access mode 9).
bool ReadByte(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint8_t* value);
bool WriteByte(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint8_t value);
// Delivers progress to the hook when it has grown by more than 2 since the last delivery.
void DeliverProgress(std::uint8_t progress);

}  // namespace ilink::detail
