// The driver's stopwatch and busy-wait delay on the high-resolution counter of the process clock.
#pragma once

#include <functional>

namespace ilink {

void StopWatchInit();
void StopWatchStart();
void StopWatchElapsed();
// The elapsed field: 0.0 after StopWatchInit, -1.0 after StopWatchStart, else the last StopWatchElapsed.
double StopWatchElapsedMs();

// Returns when ms have passed. With pump set and a pump hook installed each round takes at most one waiting
// window message (through the hook). Without pumping the wait sleeps until the last millisecond and spins only then,
// which ends at the same moment. 0 ms makes a single round.
void DelayMs(double ms, bool pump);
// The waits of the inverter link pump, so that the windows stay alive while a service runs.
inline constexpr bool kPumpMessages = true;

// The hook that takes and dispatches one waiting window message; none by default.
void SetDelayPump(std::function<void()> pump_one);
// Tests: sees every DelayMs request.
void SetDelayObserver(std::function<void(double ms)> observer);

}  // namespace ilink
