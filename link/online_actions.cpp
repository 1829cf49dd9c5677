// Inverter actions: element n of record 13 set to 1 starts action n; the inverter clears it when done and
// leaves its result byte in 33.66 (12.51 before firmware '@').
#include <algorithm>
#include <initializer_list>

#include "link/link_status.h"
#include "link/online_state.h"
#include "link/stop_watch.h"
#include "link/uss_driver.h"

namespace ilink {
namespace {

using detail::ReadByte;
using detail::WriteByte;

constexpr std::uint16_t kActionRecord = 13;
constexpr double kPollMs = 100;
constexpr std::uint16_t kSavePolls = 600;
constexpr std::uint16_t kActionPolls = 350;

// The result byte of firmware below '@': record 12 is no record of the layout, so the byte comes straight
// from the reply.
std::uint8_t ReadOldResultByte(std::uint8_t* result) {
  UssSlot& slot = UssSlotAt(0);
  slot.service = 4;
  slot.parameter = 12;
  slot.index = 51;
  slot.data_length = 1;
  slot.reply_data = UssScratch();
  const std::uint8_t code = UssCommand(4, 0);
  if (code == kOk) *result = UssScratch()[0];
  return code;
}

struct CodeMap {
  std::initializer_list<std::uint8_t> codes;
  std::uint8_t number;
};

std::uint8_t Map(std::uint8_t code, std::initializer_list<CodeMap> maps, std::uint8_t other) {
  for (const CodeMap& m : maps) {
    if (std::find(m.codes.begin(), m.codes.end(), code) != m.codes.end()) return m.number;
  }
  return other;
}

std::uint8_t MapPositioning(std::uint8_t code) {
  return Map(code, {{{0}, 32}, {{2, 3}, 30}, {{4}, 31}, {{31}, 28}}, 29);
}

}  // namespace

std::uint8_t ExecuteInverterAction(std::uint8_t n, std::uint16_t poll_limit, std::uint8_t set) {
  // The action runs on the data set it was given: its version and its record 13.
  if (detail::PrepareSlot0(set) != kOk) return 2;
  std::uint8_t version = 0;
  if (!detail::ReadVersionLetter(set, &version)) return 2;
  detail::NestingScope scope;
  if (detail::LogInSlot0() != kOk) return 2;
  if (!WriteByte(kActionRecord, n, set, 1)) return 4;
  if (const std::uint8_t code = detail::ElementRequest(5, kActionRecord, n, set); code != kOk) {
    return code == 25 ? 5 : 2;
  }
  if (poll_limit == 0) return 3;
  for (std::uint16_t polls = 1;; ++polls) {
    if (detail::ElementRequest(4, kActionRecord, n, set) != kOk) return 2;
    std::uint8_t running = 0;
    if (!ReadByte(kActionRecord, n, set, &running)) return 4;
    if (running == 0) break;
    if (polls >= poll_limit) return 3;  // no wait behind the last poll
    DelayMs(kPollMs, kPumpMessages);
  }
  std::uint8_t result = 0;
  if (version < '@') {
    if (ReadOldResultByte(&result) != kOk) return 2;
  } else {
    if (detail::ElementRequest(4, 33, 66, set) != kOk) return 2;
    if (!ReadByte(33, 66, set, &result)) return 4;
  }
  if (result == 0) return 0;
  if (result == 24) return 6;
  return static_cast<std::uint8_t>(std::min(255, result + 10));
}

std::uint8_t SaveValuesAction(std::uint8_t set) {
  return Map(ExecuteInverterAction(0, kSavePolls, set),
             {{{0}, 2}, {{2, 3, 5}, 4}, {{4}, 5}, {{19, 20, 21, 22, 23, 26, 35}, 6}}, 3);
}

std::uint8_t LoadDefaultSettingsAction(std::uint8_t set) {
  return Map(ExecuteInverterAction(4, kActionPolls, set), {{{0}, 8}, {{2, 3}, 10}, {{4}, 11}, {{5}, 12}}, 9);
}

std::uint8_t WriteValueAndRunAction8(std::uint8_t set) {
  if (!WriteByte(52, 90, set, 1) || WriteParameterOnline(set, 52, 90) != kOk) return 3;
  const std::uint8_t code = ExecuteInverterAction(8, kActionPolls, set);
  return code == 2 ? 0 : code;
}

std::uint8_t FaultAcknowledgeAction(std::uint8_t set) {
  return Map(ExecuteInverterAction(9, kActionPolls, set), {{{0}, 14}, {{2, 3, 5}, 16}, {{4}, 17}}, 15);
}

std::uint8_t StartScopeAction(std::uint8_t set) {
  return Map(ExecuteInverterAction(10, kActionPolls, set), {{{0}, 19}, {{4}, 21}, {{6}, 22}}, 20);
}

std::uint8_t StopScopeAction(std::uint8_t set) {
  return Map(ExecuteInverterAction(11, kActionPolls, set), {{{0}, 24}, {{2, 3}, 25}}, 26);
}

std::uint8_t ResetMemoAction(std::uint8_t set) {
  return ExecuteInverterAction(14, kActionPolls, set) == 0 ? 36 : 37;
}

std::uint8_t PositioningStartAction(std::uint8_t set) { return MapPositioning(ExecuteInverterAction(21, kActionPolls, set)); }

std::uint8_t PositioningStepAction(std::uint8_t set) {
  const std::uint8_t code = ExecuteInverterAction(22, kActionPolls, set);
  return code == 0 ? 33 : MapPositioning(code);
}

std::uint8_t TeachInAction(std::uint8_t set) {
  const std::uint8_t code = ExecuteInverterAction(23, kActionPolls, set);
  if (code != 0) return MapPositioning(code);
  // Let a monitor poll that is under way end first.
  int waits = 0;
  while (OnlineNesting() != 0 && waits < 3) {
    DelayMs(kPollMs, kPumpMessages);
    ++waits;
  }
  if (waits == 3) return 30;
  return ReadParameterOnline(set, 514, 0) == kOk ? 34 : 30;
}

std::uint8_t ReferenceAction(std::uint8_t set) {
  const std::uint8_t code = ExecuteInverterAction(24, kActionPolls, set);
  return code == 0 ? 35 : MapPositioning(code);
}

}  // namespace ilink
