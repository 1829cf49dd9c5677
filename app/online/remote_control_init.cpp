// The device settings that shape the remote-control window: the binary inputs' functions, the positioning mode
// and the kind of reference value.
#include <array>
#include <string>

#include "app/binding/dialog_binding.h"
#include "app/online/remote_control_parts.h"
#include "app/templates/remote_templates.h"
#include "model/element_access.h"

namespace app {
namespace {

constexpr std::uint8_t kFamily2 = 2;

std::uint8_t ReadByte(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint8_t fallback = 0) {
  std::uint8_t value = fallback;
  if (model::ReadElement(record, element, &value, model::kModeRaw9, set) != 0) return fallback;
  return value;
}

std::uint8_t VersionLetter(std::uint8_t set) { return ReadByte(4, 0, set); }
bool SecondParameterSet(std::uint8_t set) { return ReadByte(33, 61, set) == 1; }

std::uint8_t PositioningMode(std::uint8_t set) {
  if (VersionLetter(set) >= 'H') return ReadByte(SecondParameterSet(set) ? 39 : 38, 56, set);
  return ReadByte(512, 67, set);
}

}  // namespace

void ShowRemoteInputTexts(HWND window, std::uint8_t set) {
  const bool second = SecondParameterSet(set);
  const bool family2 = ReadByte(5, 0, set) == kFamily2;
  const std::uint16_t record = second ? 35 : 34;
  // The lists named for the window first; the function parameters themselves are rows of the control
  // interface's first part, which is asked when those have no row for them.
  const std::array<byte, 2> lists = {
      static_cast<byte>(family2 ? (second ? 91 : 90) : (second ? 71 : 70)),
      static_cast<byte>(family2 ? (second ? 89 : 88) : (second ? 27 : 26)),
  };
  for (int i = 0; i < 5; ++i) {
    std::array<char, 64> text{};
    for (byte list : lists) {
      if (SelectionTextOfElement(record, static_cast<std::uint16_t>(19 + i), list, set, text.data(),
                                 static_cast<std::uint16_t>(text.size())) == 0) {
        break;
      }
      text[0] = '\0';
    }
    std::string shown = text.data();
    if (ReadByte(record, static_cast<std::uint16_t>(32 + i), set) == 1) shown += " invers";
    SetDlgItemText(window, kRemoteFirstFunction + i, shown.c_str());
  }
}

bool RemotePositioningInUse(std::uint8_t set) {
  return VersionLetter(set) >= 'C' && PositioningMode(set) == 2;
}

bool RemoteTorqueReference(std::uint8_t set) { return VersionLetter(set) >= 'H' && PositioningMode(set) == 0; }

bool SecondRemoteControlWanted(std::uint8_t set) {
  return ReadByte(305, 157, 0) == 1 && VersionLetter(set) >= 'Q';
}

}  // namespace app
