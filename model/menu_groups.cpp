// PLACEHOLDER until the inverter menu catalogue is written: the groups are judged by letter alone (A to J, L
// and N available; K, M and the others not), without the firmware version letter. Replace with the real check.
#include "model/menu_groups.h"

namespace model {

std::uint8_t IsMenuGroupAvailable(std::uint8_t, char letter) {
  if (letter >= 'A' && letter <= 'J') return 1;
  return letter == 'L' || letter == 'N' ? 1 : 0;
}

}  // namespace model
