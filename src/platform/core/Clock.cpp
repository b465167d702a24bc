#include <fw/Clock.h>

#include "core/ClockState.h"

#include <chrono>
#include <cmath>

namespace fw {

namespace {

using SteadyClock = std::chrono::steady_clock;

// The program's start, from which the clock counts.
const SteadyClock::time_point g_start = SteadyClock::now();

// The running virtual clock, or null where the clock is the real one.
ClockState* VirtualState()
{
    ClockState* state = ClockState::find();
    return state && state->isVirtual() ? state : nullptr;
}

double RealMicroseconds()
{
    return std::chrono::duration<double, std::micro>(SteadyClock::now() - g_start).count();
}

double PeekClock()
{
    ClockState* state = VirtualState();
    return state ? state->virtualMicroseconds() : RealMicroseconds();
}

double ReadClock()
{
    ClockState* state = VirtualState();
    if (!state)
        return RealMicroseconds();
    const double now = state->virtualMicroseconds();
    state->advance(state->readStep());
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

void ClockState::startVirtual(double microseconds)
{
    m_virtual = true;
    m_microseconds = microseconds;
    m_readStep = 1;
}

void VirtualClock::enable(double startMicroseconds)
{
    ClockState::instance().startVirtual(startMicroseconds);
}

void VirtualClock::disable()
{
    if (ClockState* state = ClockState::find())
        state->stopVirtual();
}

bool VirtualClock::isEnabled()
{
    return VirtualState() != nullptr;
}

void VirtualClock::advance(double microseconds)
{
    if (ClockState* state = VirtualState())
        state->advance(microseconds);
}

void VirtualClock::setReadStep(double microseconds)
{
    ClockState::instance().setReadStep(microseconds);
}

}
