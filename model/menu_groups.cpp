// Menu groups by the firmware version letter of the data set, from the catalogue's group table: a letter the
// table does not hold, a group marked never, or a letter that cannot be read is not available.
#include "model/menu_groups.h"

#include "model/menu_catalogue.h"
#include "model/version_letter.h"

namespace model {

std::uint8_t IsMenuGroupAvailable(std::uint8_t set, char letter) {
  for (const MenuGroupRow& group : MenuGroupTable()) {
    if (group.letter != letter) continue;
    if (group.first_letter == kMenuGroupNever) return 0;
    const std::uint8_t version = GetVersionLetter(set);
    return version != 0 && version >= group.first_letter ? 1 : 0;
  }
  return 0;
}

}  // namespace model
