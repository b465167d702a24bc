#include "loop/WakeTimer.h"

#include <fw/Clock.h>

#include <QSocketNotifier>

#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fw {

WakeTimer::WakeTimer(std::function<void()> fired)
    : m_fd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
    , m_fired(std::move(fired))
{
    if (m_fd < 0)
        return;
    // The kernel may otherwise let a timer of this thread run late by up to 50 µs, to gather
    // wake-ups: a twentieth of a flight's wait.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { expire(); });
}

WakeTimer::~WakeTimer()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

bool WakeTimer::armAt(double microseconds)
{
    if (m_fd < 0)
        return false;
    // A zero time would disarm the timer: a moment that has passed fires as soon as it can.
    const auto nanoseconds = std::max<std::int64_t>(std::int64_t(std::ceil((microseconds - Microseconds()) * 1000)), 1);
    itimerspec spec {};
    spec.it_value.tv_sec = time_t(nanoseconds / 1000000000);
    spec.it_value.tv_nsec = long(nanoseconds % 1000000000);
    if (timerfd_settime(m_fd, 0, &spec, nullptr) != 0)
        return false;
    m_armed = true;
    m_moment = microseconds;
    return true;
}

void WakeTimer::disarm()
{
    // Called at every scheduler round: nothing to tell the kernel unless the timer runs.
    if (!m_armed)
        return;
    if (m_fd >= 0) {
        itimerspec off {};
        timerfd_settime(m_fd, 0, &off, nullptr);
        std::uint64_t expirations = 0;
        [[maybe_unused]] ssize_t ignored = ::read(m_fd, &expirations, sizeof expirations);
    }
    m_armed = false;
}

void WakeTimer::expire()
{
    if (m_fd >= 0) {
        std::uint64_t expirations = 0;
        [[maybe_unused]] ssize_t ignored = ::read(m_fd, &expirations, sizeof expirations);
    }
    if (!m_armed)
        return;
    m_armed = false;
    noteLateness(Microseconds() - m_moment);
    m_fired();
}

void WakeTimer::noteLateness(double microseconds)
{
    m_recent[m_noted++ % m_recent.size()] = microseconds;
    // Now and then, from a full record: the 95th of each hundred, so that the machine's rare long
    // stalls do not keep the loop spinning, and a few microseconds for the way to the threads.
    if (m_noted < m_recent.size() || m_noted % 32 != 0)
        return;
    std::array<double, 256> sorted = m_recent;
    auto at = sorted.begin() + std::ptrdiff_t(sorted.size() * 95 / 100);
    std::nth_element(sorted.begin(), at, sorted.end());
    m_lateness = std::clamp(*at + 5, kLeastLateness, kMostLateness);
}

}
