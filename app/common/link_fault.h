// The link's fault message: a failed online service shows its code from the link's message group.
#pragma once

#include <cstdint>

#include "link/link_status.h"
#include "model/message_show.h"

namespace app {

inline constexpr std::int8_t kLinkFaultGroup = 1;

// Shows the fault message of a link result; a success shows nothing.
inline void ShowLinkFault(std::uint8_t code) {
  if (code != ilink::kOk) model::ShowMessage(model::kShowFault, kLinkFaultGroup, code);
}

}  // namespace app
