#include "loop/Pacing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fw {

Pacing::Pacing(double now, const Wakes& wakes, double sleepMargin)
    : m_now(now)
    , m_wakes(wakes)
    , m_sleepMargin(sleepMargin)
{
}

std::optional<double> Pacing::threadsWaitUntil() const
{
    double earliest = std::numeric_limits<double>::infinity();
    for (const std::optional<double>& wake : m_wakes) {
        if (!wake || *wake <= m_now)
            return std::nullopt;
        earliest = std::min(earliest, *wake);
    }
    return earliest;
}

std::optional<double> Pacing::sleepUntil(std::optional<double> mainThreadWake) const
{
    std::optional<double> wake = threadsWaitUntil();
    if (!wake)
        return std::nullopt;
    if (mainThreadWake)
        wake = std::min(*wake, *mainThreadWake);
    const double until = *wake - m_sleepMargin;
    if (!std::isfinite(until) || until - m_now < kShortestSleepMicroseconds)
        return std::nullopt;
    return until;
}

bool Pacing::keepsSlicing(double sliceEnd) const
{
    // Several rounds per visit of the event loop, since its poll costs more than a round, and
    // input still waits little longer than a slice. Leaving just before a wait ends would make
    // it late by the visit.
    const double latest = sliceEnd + kWakeGuardMicroseconds + kAfterWakeMicroseconds;
    return !sleepUntil() && !m_wakes.empty() && (m_now < sliceEnd || (m_now < latest && wakeIsNear(kWakeGuardMicroseconds)));
}

bool Pacing::wakeIsNear(double margin) const
{
    return std::any_of(m_wakes.begin(), m_wakes.end(), [&](const std::optional<double>& wake) {
        return wake && m_now > *wake - margin && m_now < *wake + kAfterWakeMicroseconds;
    });
}

bool Pacing::frameFits(bool frameDue, double frameCost) const
{
    // A frame goes where the waits have time to spare for it. One that takes longer than they
    // have goes right after a wait began, and the frame timing makes such frames rarer.
    double margin = std::min(kWakeGuardMicroseconds + frameCost, kLongestFrameMarginMicroseconds);
    return frameDue && !wakeIsNear(margin);
}

}
