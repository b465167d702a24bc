// The event loop's wake-up timer: when it fires, and how much of a wait it leaves to spin.
#include "loop/WakeTimer.h"
#include <fw/Clock.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>

#include <vector>

using namespace fw;

namespace {

TEST(WakeTimers, TheSpinMarginIsWhatAllButTheLatestFewWakesStayedWithin)
{
    struct Case {
        const char* name;
        std::vector<double> wakes;
        double margin;
    };
    auto many = [](std::size_t count, double lateness) { return std::vector<double>(count, lateness); };
    auto join = [](std::vector<double> a, const std::vector<double>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        { "too few wakes to tell: the first guess", many(200, 30), WakeTimer::kFirstLatenessGuess },
        { "steady", many(256, 30), 35 },
        { "a few of the machine's stalls are passed over", join(many(246, 30), many(10, 5000)), 35 },
        { "many stalls are not, up to the most", join(many(200, 30), many(56, 5000)), WakeTimer::kMostLateness },
        { "never less than the least", many(256, 1), WakeTimer::kLeastLateness },
        { "the latest wakes count", join(many(256, 300), many(256, 40)), 45 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WakeTimer timer([] {});
        for (double lateness : c.wakes)
            timer.noteLateness(lateness);
        EXPECT_DOUBLE_EQ(timer.lateness(), c.margin);
    }
}

TEST(WakeTimers, ItFiresFromTheEventLoopOnceItsMomentHasComeAndNotBefore)
{
    VirtualClock::disable();
    int fired = 0;
    double firedAt = 0;
    WakeTimer timer([&] {
        ++fired;
        firedAt = Microseconds();
    });
    const double moment = Microseconds() + 3000;
    ASSERT_TRUE(timer.armAt(moment));
    EXPECT_TRUE(timer.isArmed());
    while (timer.isArmed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(fired, 1);
    EXPECT_GE(firedAt, moment);

    // A moment that has passed fires at the loop's next look; a disarmed timer not at all.
    ASSERT_TRUE(timer.armAt(Microseconds() - 10));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(fired, 2);
    ASSERT_TRUE(timer.armAt(Microseconds() + 1000));
    timer.disarm();
    EXPECT_FALSE(timer.isArmed());
    const double until = Microseconds() + 3000;
    while (Microseconds() < until)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(fired, 2);
}

}
