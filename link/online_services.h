// The online services: what the windows call to work with a connected inverter. Each takes the data set whose
// records it reads from or writes to the inverter, drives USS slot 0 and returns a status byte: group 1 codes
// of the message catalogue, or where stated group 2 (identity, operation input) or group 10 (actions) numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace ilink {

// One row of a list of elements to transfer.
struct TransferListRow {
  std::uint8_t direction;  // 0 read from the inverter, 1 write to it, other: row skipped
  std::uint8_t single;     // 1 one element (services 4/5), 0 the whole record (services 6/7)
  std::uint16_t record;    // 0 ends the list
  std::uint16_t element;   // byte offset
};
inline constexpr std::uint8_t kDirRead = 0;
inline constexpr std::uint8_t kDirWrite = 1;

// The fixed lists, each ended by a row with record 0.
enum class TransferList : std::uint8_t {
  kIdentity,          // kinds 1 and 5
  kKind2,
  kKind3,
  kKind4,
  kKind6,
  kKind7,
  kFullRead,
  kFullWrite,
  kScopeSettings,
  kScopeRecording,
  kFullReadWithRecording,
  kMonitor,
  kRemoteAction11Set1,
  kRemoteAction11Set2,
  kCount
};
std::span<const TransferListRow> FixedTransferList(TransferList list);  // the end row included

// --- connection and identity ---
std::uint8_t ConnectInverter(std::uint8_t set);
std::uint8_t DisconnectInverter(std::uint8_t set);
std::uint8_t InverterConnected();
// Services under way and the most that were at once since the last connect.
std::uint16_t OnlineNesting();
std::uint16_t OnlineNestingMark();
std::uint8_t CheckInverterIdentity(std::uint8_t mode, std::uint8_t set);  // group 2

// --- lists ---
std::uint8_t TransferParameterList(std::uint8_t set, std::span<const TransferListRow> list, std::uint8_t mode);
std::uint8_t TransferParameterSet(std::uint8_t kind, std::uint8_t set);
std::uint8_t ReadFullParameterList(std::uint8_t set);
std::uint8_t WriteFullParameterList(std::uint8_t set);
std::uint8_t SendScopeSettings(std::uint8_t set);
std::uint8_t ReadTransferSelection(std::uint8_t set);
using TransferProgressHook = std::function<void(std::uint8_t percent)>;
void SetTransferProgressHook(TransferProgressHook hook);
void ClearTransferProgressHook();
std::uint8_t TransferProgress();  // the current progress in percent
// Asked before every telegram of a list transfer; true stops the list with kCancelled. None by default.
using TransferCancelQuery = std::function<bool()>;
void SetTransferCancelQuery(TransferCancelQuery query);
std::uint8_t ReadMonitorParameters(std::uint8_t set);
// The bytes of a record that the last monitor read stored: its whole size, fewer when the inverter served a
// shorter record (the rest keeps what it held before and is no reading), 0 when the read did not reach it or
// the record is not monitored.
std::uint16_t MonitorRecordBytes(std::uint16_t record);

// --- user lists: short (5 rows + end) and long (25 rows + end), codes from record 347 ---
inline constexpr std::size_t kShortUserListRows = 6;
inline constexpr std::size_t kLongUserListRows = 26;
std::span<const TransferListRow> UserList(std::uint8_t long_list);
std::uint8_t ClearUserList(std::uint8_t long_list, std::uint8_t set);
std::uint8_t BuildUserList(std::uint8_t long_list, std::uint8_t set);
std::uint8_t WriteUserListOnline(std::uint8_t long_list, std::uint8_t set);
std::uint8_t ReadUserListOnline(std::uint8_t long_list, std::uint8_t set);

// --- single values ---
std::uint8_t ReadParameterOnline(std::uint8_t set, std::uint16_t record, std::uint16_t element);
std::uint8_t WriteParameterOnline(std::uint8_t set, std::uint16_t record, std::uint16_t element);
std::uint8_t SendControlWord(std::uint8_t mode, std::uint8_t set);
std::uint8_t ReadRemoteControlRecord(std::uint8_t set);
// The working copy of record 306 that SendControlWord and ReadRemoteControlRecord reload.
std::span<const std::uint8_t> RemoteControlCopy();
std::uint8_t ReadInverterWord(std::uint8_t set, std::uint32_t address, std::uint32_t* value);
std::uint8_t WriteInverterWord(std::uint8_t set, std::uint32_t address, std::uint32_t value);
std::uint8_t SwitchOperationInputSerial(std::uint8_t mode, std::uint8_t set);  // group 2
std::uint8_t WriteRecord33TripleOnline(std::uint8_t set);

// --- actions ---
std::uint8_t ExecuteInverterAction(std::uint8_t n, std::uint16_t poll_limit, std::uint8_t set);
// Group 10 numbers.
std::uint8_t SaveValuesAction(std::uint8_t set);
std::uint8_t LoadDefaultSettingsAction(std::uint8_t set);
std::uint8_t FaultAcknowledgeAction(std::uint8_t set);
std::uint8_t StartScopeAction(std::uint8_t set);
std::uint8_t StopScopeAction(std::uint8_t set);
std::uint8_t ResetMemoAction(std::uint8_t set);
std::uint8_t PositioningStartAction(std::uint8_t set);
std::uint8_t PositioningStepAction(std::uint8_t set);
std::uint8_t TeachInAction(std::uint8_t set);
std::uint8_t ReferenceAction(std::uint8_t set);
std::uint8_t WriteValueAndRunAction8(std::uint8_t set);
// 0 done, 1 failed, 2 refused by the inverter's state, 3 action parameter back at 0 (stopped).
std::uint8_t RunRemoteAction(std::uint8_t mode, std::uint8_t action, std::uint8_t set);

// --- bus ---
inline constexpr std::size_t kSearchAddresses = 31;  // 0..30
inline constexpr std::uint8_t kNotFound = 0xFF;
// Logs in every address from 0 up to the highest (record 305 element 13 of data set 0, at most 30); the text
// lists each address's outcome; found holds the answering addresses in order, kNotFound in the rest.
std::uint8_t SearchInverters(std::uint8_t set, char* text, std::size_t size,
                             std::array<std::uint8_t, kSearchAddresses>* found);

}  // namespace ilink
