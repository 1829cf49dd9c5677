// Connect and disconnect, and the steps every online service starts with.
#include "link/link_settings_record.h"
#include "link/link_status.h"
#include "link/online_state.h"
#include "link/stop_watch.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"

namespace ilink {
namespace detail {

OnlineModule& Online() {
  static OnlineModule m;
  return m;
}

NestingScope::NestingScope() {
  auto& m = Online();
  ++m.nesting;
  if (m.nesting > m.nesting_mark) m.nesting_mark = m.nesting;
}

NestingScope::~NestingScope() {
  auto& m = Online();
  if (m.nesting > 0) --m.nesting;
}

std::uint8_t PrepareSlot0(std::uint8_t set) {
  if (!Online().connected) ConnectInverter(set);
  if (set > model::LastDataSetIndex()) return kSoftwareError;
  LinkSettingsRecord s;
  if (ReadLinkSettingsRecord(set, &s) != kOk) return kSoftwareError;
  UssSlotAt(0).address = s.inverter_address;
  return kOk;
}

std::uint8_t LogInSlot0() { return UssCommand(3, 0); }

std::uint8_t LogInSlot0WhenNeeded() { return UssSlotAt(0).logged_in ? kOk : UssCommand(3, 0); }

std::uint8_t ElementRequest(std::uint8_t service, std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  UssSlot& slot = UssSlotAt(0);
  slot.service = service;
  slot.parameter = record;
  slot.index = element;
  return CallService(4, 0, set);
}

bool ReadVersionLetter(std::uint8_t set, std::uint8_t* letter) { return ReadByte(4, 0, set, letter); }

bool ReadByte(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint8_t* value) {
  return model::ReadElement(record, element, value, model::kModeRaw9, set) == 0;
}

bool WriteByte(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint8_t value) {
  return model::WriteElement(record, element, &value, model::kModeRaw9, set) == 0;
}

void DeliverProgress(std::uint8_t progress) {
  auto& m = Online();
  m.progress = progress;
  if (m.hook && progress > m.last_progress + 2) {
    m.last_progress = progress;
    m.hook(progress);
  }
}

}  // namespace detail

using detail::Online;

std::uint8_t ConnectInverter(std::uint8_t set) {
  if (set > model::LastDataSetIndex()) return kSoftwareError;
  LinkSettingsRecord s;
  if (ReadLinkSettingsRecord(set, &s) != kOk) return kSoftwareError;
  SetUssDriverSettings(s.port_index, s.baud_index, s.login_tries, s.unused_word, s.pause_ms, s.reply_wait,
                       s.highest_address, s.unused_byte);
  UssSlotAt(0).address = s.inverter_address;
  auto& m = Online();
  if (m.connected) DisconnectInverter(set);
  const std::uint8_t code = UssCommand(1, 0);
  if (code != kOk) return code;
  // A fresh line: no slave counts as logged in from an earlier connection.
  for (std::uint8_t n = 0; n < kUssSlots; ++n) UssSlotAt(n).logged_in = 0;
  m.connected = 1;
  m.nesting = 0;
  m.nesting_mark = 0;
  StopWatchInit();
  return kOk;
}

std::uint8_t DisconnectInverter(std::uint8_t set) {
  LinkSettingsRecord s;
  if (ReadLinkSettingsRecord(set, &s) == kOk) UssSlotAt(0).address = s.inverter_address;
  auto& m = Online();
  if (!m.connected) return kOk;
  const std::uint8_t code = UssCommand(2, 0);
  if (code == kOk) m.connected = 0;
  return code;
}

std::uint8_t InverterConnected() { return Online().connected; }
std::uint16_t OnlineNesting() { return Online().nesting; }
std::uint16_t OnlineNestingMark() { return Online().nesting_mark; }

}  // namespace ilink
