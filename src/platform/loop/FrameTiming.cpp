#include "loop/FrameTiming.h"

#include <fw/Clock.h>

#include <algorithm>

namespace fw {

double FrameTiming::interval() const
{
    return std::max(kFrameMicroseconds, m_costMicroseconds / kMostShare);
}

bool FrameTiming::isDueAt(double now) const
{
    return now - m_lastPresent >= interval();
}

double FrameTiming::delayUntilDue(double now) const
{
    return std::clamp(interval() - (now - m_lastPresent), 0.0, interval());
}

bool FrameTiming::leavesFrameToRounds(double now) const
{
    // Nothing presents from the rounds on the virtual clock.
    return m_roundsPresent && !VirtualClock::isEnabled() && now - m_lastPresent < 2 * interval();
}

void FrameTiming::framePresented(double end, std::optional<double> took)
{
    m_lastPresent = end;
    // An average, in which one slow frame counts for at most a few usual ones, so that it does
    // not hold back the next ones for long; a display that stays slow still raises it within a
    // few frames.
    if (took) {
        double usual = std::max(m_costMicroseconds, kFrameMicroseconds * kMostShare);
        m_costMicroseconds += (std::min(*took, 4 * usual) - m_costMicroseconds) / 4;
    }
}

}
