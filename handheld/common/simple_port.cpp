#include "handheld/common/simple_port.h"

namespace {
constexpr double kRetryMs = 2.0;
}

std::uint8_t TSimplePort::ReadChar(double timeout_ms, bool* timed_out) {
  if (timed_out != nullptr) *timed_out = true;
  if (!port_.Open()) return 0;
  handheld::StopWatch watch;
  watch.Start();
  for (;;) {
    std::uint8_t byte = 0;
    DWORD got = 0;
    if (!platform::comm::ReadFile(port_.Handle(), &byte, 1, &got, nullptr)) {
      port_.RecordError(handheld::kSiteCharRead);
      return 0;
    }
    if (got == 1) {
      if (timed_out != nullptr) *timed_out = false;
      return byte;
    }
    if (watch.Running() >= timeout_ms) return 0;
    port_.PauseWatch().Pause(true, kRetryMs);
  }
}
