// UssCommand: the slot table, open and close, log-in, requests with their retries, broadcasts, baud steps.
#include "link/link_status.h"
#include "link/stop_watch.h"
#include "link/uss_state.h"

namespace ilink {
namespace detail {
void BuildLoginTelegram(const UssSlot& slot);
std::uint8_t CheckLoginEcho();
}  // namespace detail

namespace {

using detail::RecordSlotError;
using detail::Uss;

constexpr double kLoginRetryMs = 40;
constexpr double kRequestRetryMs = 500;
constexpr double kBaudSwitchMs = 500;
constexpr std::uint8_t kLoginSlots = 31;  // slots 0..30 take part in log-ins and requests

// Tries of a log-in or a request: at least one.
std::uint8_t TriesAllowed() {
  const std::uint8_t t = Uss().settings.login_tries;
  return t == 0 ? 1 : t;
}

void ClearSlotTable() {
  for (auto& slot : Uss().slots) slot = UssSlot{};
}

std::uint8_t LogIn(UssSlot& slot, std::uint8_t n) {
  if (slot.address == kFreeAddress) {
    RecordSlotError(slot, kNoAddress);
    return kNoAddress;
  }
  slot.tries = 0;
  detail::BuildLoginTelegram(slot);
  const std::uint8_t allowed = TriesAllowed();
  std::uint8_t code = kOk;
  do {
    code = RunUssExchange(3);
    // Wait before another attempt only; the last one ends at once.
    if (code == kNoReply && slot.tries + 1 < allowed) DelayMs(kLoginRetryMs, kPumpMessages);
    if (code == kOk) code = detail::CheckLoginEcho();
    ++slot.tries;
  } while (slot.tries < allowed && code != kOk);
  if (code != kOk) {
    slot.logged_in = 0;
    RecordSlotError(slot, code);
    return code;
  }
  // Read the device type (record 5, element 1) into the scratch buffer.
  auto& m = Uss();
  slot.service = 4;
  slot.parameter = 5;
  slot.index = 1;
  slot.data_length = 1;
  slot.reply_data = std::span<std::uint8_t>(m.scratch);
  slot.logged_in = 1;
  code = UssCommand(4, n);
  if (code != kOk) slot.logged_in = 0;
  return code;
}

std::uint8_t Request(UssSlot& slot) {
  if (slot.address > 254) {
    RecordSlotError(slot, kNoAddress);
    return kNoAddress;
  }
  if (!slot.logged_in) {
    RecordSlotError(slot, kNotLoggedIn);
    return kNotLoggedIn;
  }
  if (const std::uint8_t code = BuildUssRequest(slot); code != kOk) return code;
  slot.tries = 0;
  const std::uint8_t allowed = TriesAllowed();
  std::uint8_t code = kOk;
  do {
    code = RunUssExchange(3);
    if (code == kNoReply) DelayMs(kRequestRetryMs, kPumpMessages);
    ++slot.tries;
  } while (slot.tries < allowed && code != kOk);
  if (code == kOk) code = ParseUssResponse(slot);
  else if (code == kNoReply) slot.logged_in = 0;
  if (code != kOk) RecordSlotError(slot, code);
  return code;
}

// One broadcast of a prepared slot: ADR 0x20, no reply awaited.
std::uint8_t Broadcast(UssSlot& slot) {
  if (const std::uint8_t code = BuildUssRequest(slot); code != kOk) return code;
  Uss().request[2] = kBroadcastBit;
  return RunUssExchange(3);
}

// A one-byte service-5 write broadcast to every slave.
std::uint8_t BroadcastByte(std::uint16_t parameter, std::uint16_t index, std::uint8_t value) {
  std::uint8_t byte = value;
  UssSlot slot;
  slot.address = 0;
  slot.service = 5;
  slot.parameter = parameter;
  slot.index = index;
  slot.data_length = 1;
  slot.request_data = std::span<std::uint8_t>(&byte, 1);
  return Broadcast(slot);
}

constexpr std::uint16_t kBaudRecord = 14;    // the slave's bus baud index, element 8
constexpr std::uint16_t kCommandRecord = 13;  // element 8 = 1 switches to the new baud rate

std::uint8_t StepBaud(bool raise) {
  auto& m = Uss();
  const std::uint8_t old_index = m.settings.baud_index;
  if (old_index >= kUssBaudSteps) return kSoftwareError;
  if (raise ? old_index >= kUssBaudSteps - 1 : old_index == 0) return kOk;
  const std::uint8_t new_index = raise ? old_index + 1 : old_index - 1;
  bool any = false;
  for (const auto& slot : m.slots) any = any || slot.logged_in;
  if (!any) return kNotLoggedIn;
  std::uint8_t value = new_index;
  std::uint8_t code = kOk;
  std::uint8_t failed = 0;
  for (std::uint8_t n = 0; n < kLoginSlots; ++n) {
    UssSlot& slot = m.slots[n];
    if (!slot.logged_in) continue;
    slot.service = 5;
    slot.parameter = kBaudRecord;
    slot.index = 8;
    slot.data_length = 1;
    slot.request_data = std::span<std::uint8_t>(&value, 1);
    code = Request(slot);
    slot.request_data = {};
    if (code != kOk) {
      failed = n;
      break;
    }
  }
  if (code == kOk) {
    BroadcastByte(kCommandRecord, 8, 1);
    DelayMs(kBaudSwitchMs, kPumpMessages);
    RunUssExchange(2);
    m.settings.baud_index = new_index;
    return RunUssExchange(1);
  }
  if (failed != 0) BroadcastByte(kBaudRecord, 8, old_index);
  return code;
}

}  // namespace

std::uint8_t UssCommand(std::uint8_t command, std::uint8_t n) {
  auto& m = Uss();
  switch (command) {
    case 0:
      ClearSlotTable();
      return kOk;
    case 1:
      return RunUssExchange(1);
    case 2:
      return RunUssExchange(2);
    case 3:
      if (n >= kLoginSlots) return kSoftwareError;
      return LogIn(m.slots[n], n);
    case 4:
      if (n >= kLoginSlots) return kSoftwareError;
      return Request(m.slots[n]);
    case 5: {
      const std::uint8_t service = m.slots[0].service;
      if (service != 2 && service != 3 && service != 5 && service != 7) return kSoftwareError;
      UssSlot copy = m.slots[0];
      return Broadcast(copy);
    }
    case 7:
      return StepBaud(true);
    case 8:
      return StepBaud(false);
    default:
      return kSoftwareError;
  }
}

UssSlot& UssSlotAt(std::uint8_t n) { return Uss().slots[n < kUssSlots ? n : 0]; }
std::span<std::uint8_t> UssScratch() { return std::span<std::uint8_t>(Uss().scratch); }

}  // namespace ilink
