// For tests whose windows live in the test process on a virtual X server (DISPLAY set to it, the layer's X11
// display started): pumping the X display and the window layer while waiting, and xdotool run while the windows
// keep handling their input, as a user's desktop would.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/backend/x11_display.h"
#include "platform/testing/driver.h"
#include "tests/support/xvfb.h"

namespace xtest::in_process {

// Pumps the X display and the window layer until done() holds, for at most `rounds` rounds of about 2 ms.
template <class Done>
bool PumpUntil(Done done, int rounds = 2000) {
  for (int i = 0; i < rounds; ++i) {
    platform::backend::PumpX11Display();
    platform::testing::PumpUntilIdle();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// Runs xdotool on this process's DISPLAY, pumping until it has ended and a little after (what it sent last);
// true when it succeeded.
inline bool Xdotool(std::vector<std::string> args) {
  ChildProcess xdotool(kXdotool, std::move(args));
  std::optional<int> code;
  const bool exited = xdotool.started() && PumpUntil([&] { return (code = xdotool.Poll()).has_value(); });
  PumpUntil([] { return false; }, 10);
  return exited && code == std::optional<int>(0);
}

}  // namespace xtest::in_process
