// Menu groups by the firmware version letter: A to F always, G, I, J and L from 'C', H from 'D', N from 'E';
// K and M never, nor any letter outside A to N, nor any group when the letter cannot be read.
#include "model/menu_groups.h"

#include "model/version_letter.h"

namespace model {

std::uint8_t IsMenuGroupAvailable(std::uint8_t set, char letter) {
  if (letter < 'A' || letter > 'N') return 0;
  const std::uint8_t version = GetVersionLetter(set);
  if (version == 0) return 0;
  switch (letter) {
    case 'G': case 'I': case 'J': case 'L': return version >= 'C' ? 1 : 0;
    case 'H': return version >= 'D' ? 1 : 0;
    case 'N': return version >= 'E' ? 1 : 0;
    case 'K': case 'M': return 0;
    default: return 1;
  }
}

}  // namespace model
