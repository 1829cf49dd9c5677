// What the menus and the page navigation need to know of the active file's device: file kind, version letter,
// family, option board and the positioning flags.
#pragma once

#include <cstdint>

namespace app {

// Access levels (element 11 of record 305): the service level opens the current controller page to Previous/Next,
// the developer level also the developer page. Lower values are the user's level.
inline constexpr std::int64_t kAccessLevelService = 1;
inline constexpr std::int64_t kAccessLevelDeveloper = 2;

struct DeviceView {
  std::uint16_t kind = 17;       // 17 project, 18 reverse documentation
  std::uint8_t letter = 'A';     // software version letter
  std::uint8_t family = 1;       // device family 1..3
  std::int64_t board = 0;        // option board
  std::int64_t posi_mode = 0;    // posi mode of the active parameter set
  bool family3_variant = false;  // element 9 of the identity record is non-zero
  std::int64_t access_level = 0; // element 11 of record 305

  bool ListedBoard() const;
  // Positioning in use: posi mode 2 with a version from 'B' on in family 1 or 2, or family 3 with its variant.
  bool Positioning() const;
  // Posi mode 3 in family 2 from version 'E' on: the posi machine page (in its own layout) without the posi
  // command page.
  bool PosiVariant3() const;
  bool Project() const { return kind == 17; }
};

// The view of a data set with one of its parameter sets.
DeviceView ViewOfDataSet(std::uint8_t set, std::uint8_t param_set);

// Whether the rules of the device allow a page or menu command (ids the rules do not govern are allowed).
bool DeviceAllowsCommand(const DeviceView& view, unsigned id);

}  // namespace app
