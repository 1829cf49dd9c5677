// The box settings from record 305 and the box port.
#include <string>

#include "link/com_port.h"
#include "link/link_status.h"
#include "link/parambox.h"
#include "link/parambox_bus.h"
#include "link/parambox_codes.h"
#include "link/parambox_state.h"
#include "link/stop_watch.h"
#include "model/element_access.h"

namespace ilink {
namespace {

constexpr std::uint16_t kLinkSettingsRecord = 305;
constexpr std::uint32_t kBoxBaud = 9600;
constexpr std::uint8_t kHighestPort = 16;

template <typename T>
bool Take(std::uint16_t element, T* value, std::uint8_t set) {
  return model::ReadElement(kLinkSettingsRecord, element, value, model::kModeRaw9, set) == 0;
}

template <typename T>
bool Put(std::uint16_t element, T value, std::uint8_t set) {
  return model::WriteElement(kLinkSettingsRecord, element, &value, model::kModeRaw9, set) == 0;
}

}  // namespace

std::uint8_t LoadParameterBoxSettings(std::uint8_t set) {
  std::uint8_t box_port = 0, link_port = 0;
  BoxSettings s;
  const bool ok = Take(155, &box_port, set) && Take(0, &link_port, set) && Take(18, &s.t1, set) &&
                  Take(22, &s.t2, set) && Take(24, &s.t3, set) && Take(16, &s.t4, set) &&
                  Take(12, &s.spare_byte, set) && Take(14, &s.spare_word, set);
  if (!ok) return kBoxDataSetError;
  // 0 follows the inverter link's port (element 0 counts from 0 = COM1).
  s.port = box_port != 0 ? box_port : static_cast<std::uint8_t>(link_port + 1);
  BoxState& state = BoxModule();
  state.settings = s;
  state.settings_loaded = true;
  SetBoxBusTimings(s);
  return kBoxOk;
}

const BoxSettings& ParameterBoxSettings() { return BoxModule().settings; }

std::uint8_t OpenParameterBox(std::uint8_t set) {
  if (const std::uint8_t code = LoadParameterBoxSettings(set); code != kBoxOk) return code;
  BoxState& state = BoxModule();
  ClearBoxProgressHook();
  CloseParameterBox();  // a second open starts afresh
  const std::uint8_t port = state.settings.port;
  if (port < 1 || port > kHighestPort) return kBoxWrongPort;
  const std::string name = "COM" + std::to_string(port);
  // The port may be held already (by the inverter link): then it is not the box's to drive or close.
  const std::uint8_t opened = ComPortOpen(name.c_str(), kBoxBaud);
  if (opened != kOk) return opened == kPortUnavailable ? kBoxWrongPort : kBoxNotFoundHere;
  state.port_open = true;
  StopWatchInit();
  return kBoxOk;
}

std::uint8_t GetParameterBoxTimings(std::uint8_t set) {
  const BoxState& state = BoxModule();
  if (!state.settings_loaded) return kBoxDataSetError;
  const BoxSettings& s = state.settings;
  const bool ok = Put(18, s.t1, set) && Put(22, s.t2, set) && Put(24, s.t3, set) && Put(16, s.t4, set) &&
                  Put(12, s.spare_byte, set) && Put(14, s.spare_word, set);
  return ok ? kBoxOk : kBoxDataSetError;
}

void CloseParameterBox() {
  BoxState& state = BoxModule();
  if (!state.port_open) return;
  state.port_open = false;
  ComPortClose();
}

}  // namespace ilink
