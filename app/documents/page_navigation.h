// Previous/Next between the parameter pages: which page command follows a page for the active file's device,
// posted to the main window so that the closing page is gone before the next one opens.
#pragma once

#include <cstdint>

#include "app/documents/device_view.h"

namespace app {

// The button codes a page hands over when it closes.
inline constexpr std::uint32_t kNavOk = 1;
inline constexpr std::uint32_t kNavCancel = 2;
inline constexpr std::uint32_t kNavPrevious = 3;
inline constexpr std::uint32_t kNavNext = 4;
inline constexpr std::uint32_t kNavFromNoPage = 0;  // the page "before" the first one

// The command that Previous or Next of a page (its dialog template) opens for a device; 0 for none. A page the
// table does not hold is treated as no page (Next opens the kind's first page); the family-2 and posi-mode-3
// layouts of a page navigate as the page they stand for.
std::uint32_t PageNavigationCommand(const DeviceView& view, std::uint32_t page, bool previous);

// Posts the command of PageNavigationCommand for the active file to the main window: code 3 Previous, 1 and 2
// nothing (OK, Cancel), any other Next. A command whose work the program does not have is not posted.
void GoToNextPage(std::uint32_t page, std::uint32_t code);

}  // namespace app
