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
// window message (through the hook). Without pumping the wait sleeps to an absolute deadline shortly before the end
// and spins only the rest, so it ends at the same moment without holding a core. 0 ms makes a single round.
void DelayMs(double ms, bool pump);
// The waits of the inverter link pump, so that the windows stay alive while a service runs.
inline constexpr bool kPumpMessages = true;

// The hook that takes and dispatches one waiting window message; none by default.
void SetDelayPump(std::function<void()> pump_one);
// Tests: sees every DelayMs request.
void SetDelayObserver(std::function<void(double ms)> observer);

// Benchmarks: what the waits asked for and what they took, in wall time and in the thread's CPU time, so that
// the link's own time can be told from its waits and from a late wake-up.
struct DelayAccount {
  long waits = 0;
  double asked_ms = 0;     // the sum of the requests
  double spent_ms = 0;     // wall time inside DelayMs
  double spent_cpu_ms = 0; // CPU time of the waiting thread inside DelayMs (the final spins)
};
// Starts counting afresh (on) or stops counting and keeps the sums (off).
void SetDelayAccounting(bool on);
DelayAccount DelayAccounting();

}  // namespace ilink
