#pragma once

#include <QObject>

#include <array>
#include <cstddef>
#include <functional>

class QSocketNotifier;

namespace fw {

// Wakes the event loop at a moment given to the microsecond, where Qt's timers count whole
// milliseconds: a kernel timer that the event loop watches with its other sources, so that input
// still wakes the loop at once while it sleeps.
class WakeTimer : public QObject {
    Q_OBJECT
public:
    explicit WakeTimer(std::function<void()> fired);
    ~WakeTimer() override;

    // Fires once, from the event loop, when Microseconds reaches the moment (at once for one that
    // has passed); a later call moves it. False where the system has no such timer.
    bool armAt(double microseconds);
    void disarm();
    bool isArmed() const { return m_armed; }
    // The moment it was last armed for.
    double moment() const { return m_moment; }
    // How late it fires, measured on its recent wakes: what a sleep that must end on time leaves
    // to spin through. Before it has fired often enough to tell, a safe guess.
    double lateness() const { return m_lateness; }

    // Each wake tells how late it came.
    void noteLateness(double microseconds);

    static constexpr double kFirstLatenessGuess = 100;
    static constexpr double kLeastLateness = 20;
    static constexpr double kMostLateness = 250;

private:
    void expire();

    int m_fd { -1 };
    QSocketNotifier* m_notifier { nullptr };
    bool m_armed { false };
    double m_moment { 0 };
    // The latest wakes' lateness, and the one that all but the latest few stayed within.
    std::array<double, 256> m_recent {};
    std::size_t m_noted { 0 };
    double m_lateness { kFirstLatenessGuess };
    std::function<void()> m_fired;
};

}
