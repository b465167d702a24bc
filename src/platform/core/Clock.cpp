#include <fw/Clock.h>

#include <chrono>
#include <cmath>

namespace fw {

namespace {

using SteadyClock = std::chrono::steady_clock;

const SteadyClock::time_point g_start = SteadyClock::now();
bool g_virtual = false;
double g_virtualMicroseconds = 0;
double g_readStep = 1;

double PeekClock()
{
    if (g_virtual)
        return g_virtualMicroseconds;
    return std::chrono::duration<double, std::micro>(SteadyClock::now() - g_start).count();
}

double ReadClock()
{
    double now = PeekClock();
    if (g_virtual)
        g_virtualMicroseconds += g_readStep;
    return now;
}

constexpr double kTickMicroseconds = 1e6 / 60.0;

}

double ClockMicroseconds()
{
    return PeekClock();
}

double Microseconds()
{
    return ReadClock();
}

std::int32_t Ticks()
{
    auto ticks = static_cast<std::int64_t>(std::floor(ReadClock() * 60.0 / 1e6));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ticks));
}

double TickMicroseconds(std::int32_t tick, std::int32_t ticksLater)
{
    // The count wraps: the tick is taken as the one at the least distance from now's.
    const auto now = static_cast<std::int64_t>(std::floor(PeekClock() * 60.0 / 1e6));
    const std::uint32_t target = static_cast<std::uint32_t>(tick) + static_cast<std::uint32_t>(ticksLater);
    const auto distance = static_cast<std::int32_t>(target - static_cast<std::uint32_t>(now));
    return double(now + distance) * kTickMicroseconds;
}

void VirtualClock::enable(double startMicroseconds)
{
    g_virtual = true;
    g_virtualMicroseconds = startMicroseconds;
    g_readStep = 1;
}

void VirtualClock::disable() { g_virtual = false; }
bool VirtualClock::isEnabled() { return g_virtual; }

void VirtualClock::advance(double microseconds)
{
    if (g_virtual)
        g_virtualMicroseconds += microseconds;
}

void VirtualClock::setReadStep(double microseconds) { g_readStep = microseconds; }

}
