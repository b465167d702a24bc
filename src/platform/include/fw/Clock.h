#pragma once

#include <cstdint>

namespace fw {

// Microseconds of a monotonic clock since the program started.
double Microseconds();
// The clock's Microseconds without reading it as the program does, for the framework's own
// timing: the virtual clock does not move.
double ClockMicroseconds();
// Ticks of 1/60 s since the program started, wrapping like a 32-bit counter.
std::int32_t Ticks();
// The Microseconds at which Ticks reaches the tick that comes ticksLater after tick, the counter
// wrapping as Ticks does; of the ticks of that count, the one nearest to now. For a wait that
// tells the scheduler when it ends. Reading it does not move the virtual clock.
double TickMicroseconds(std::int32_t tick, std::int32_t ticksLater = 0);

// The virtual clock lets tests run waits without real time passing. While it is on, time moves
// only when something advances it: each scheduler round advances it by one millisecond, and each
// read of Microseconds by one microsecond, as reading a real clock takes time too. It belongs to
// the runtime: it is switched on between RuntimeInit and RuntimeExit, and a new runtime starts
// on the real clock.
class VirtualClock {
public:
    static void enable(double startMicroseconds = 0);
    static void disable();
    static bool isEnabled();
    static void advance(double microseconds);
    // How far every read of Microseconds or Ticks moves the clock; 1 microsecond unless set.
    static void setReadStep(double microseconds);

    static constexpr double kRoundMicroseconds = 1000;
};

}
