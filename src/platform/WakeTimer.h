#pragma once

#include <QObject>

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

private:
    void expire();

    int m_fd { -1 };
    QSocketNotifier* m_notifier { nullptr };
    bool m_armed { false };
    double m_moment { 0 };
    std::function<void()> m_fired;
};

}
