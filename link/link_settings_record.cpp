#include "link/link_settings_record.h"

#include <vector>

#include "link/link_status.h"
#include "model/element_access.h"
#include "model/record_layout.h"

namespace ilink {
namespace {

// Values in a data set are stored least significant byte first.
std::uint32_t Le(const std::vector<std::uint8_t>& r, std::size_t at, std::size_t bytes) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < bytes && at + i < r.size(); ++i) v |= std::uint32_t{r[at + i]} << (8 * i);
  return v;
}

}  // namespace

std::uint8_t ReadLinkSettingsRecord(std::uint8_t set, LinkSettingsRecord* out) {
  const std::uint16_t size = model::RecordSize(kLinkSettingsRecordNumber);
  if (!out || size < 162) return kSoftwareError;
  std::vector<std::uint8_t> r(size);
  if (model::ReadRecord(kLinkSettingsRecordNumber, r.data(), model::kModeRaw9, set) != 0) return kSoftwareError;
  LinkSettingsRecord s;
  s.port_index = static_cast<std::uint8_t>(r[0]);
  s.print_to_file = r[10];
  s.highest_address = r[13];
  s.box_spare = static_cast<std::uint16_t>(Le(r, 14, 2));
  s.box_edge_time = static_cast<std::uint16_t>(Le(r, 16, 2));
  s.box_charge_time = Le(r, 18, 4);
  s.box_ack_time = static_cast<std::uint16_t>(Le(r, 22, 2));
  s.box_bit_time = static_cast<std::uint16_t>(Le(r, 24, 2));
  s.unused_byte = r[27];
  s.baud_index = r[28];
  s.slot_index = r[29];
  s.login_tries = r[30];
  s.unused_word = static_cast<std::uint16_t>(Le(r, 34, 2));
  s.pause_ms = static_cast<std::uint16_t>(Le(r, 36, 2));
  s.reply_wait = Le(r, 38, 4);
  s.inverter_address = r[42];
  s.scope_transfer = r[145];
  s.box_port = r[155];
  s.second_remote = r[157];
  s.polling_ms = static_cast<std::uint16_t>(Le(r, 160, 2));
  *out = s;
  return kOk;
}

}  // namespace ilink
