#include "loop/Pacing.h"
#include "loop/Scheduler.h"
#include "support/TestSupport.h"
#include <fw/Clock.h>
#include <fw/Runtime.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <optional>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

// A thread that yields until its clock has moved more than the given time, as a pacing wait
// does, and says when that will be; in end too, where given.
Ref<FunctionThread> StartWait(double microseconds, double* end = nullptr)
{
    return StartThread([=] {
        double start = Microseconds();
        if (end)
            *end = start + microseconds;
        RuntimeExpectWake(start + microseconds);
        while (Microseconds() - start <= microseconds)
            RuntimeBackgroundTask();
    });
}

// The event loop's visits on the real clock.
class Slices : public ::testing::Test {
protected:
    void SetUp() override { VirtualClock::disable(); }
    void TearDown() override
    {
        for (const Ref<FunctionThread>& thread : threads)
            if (thread->isRunning())
                thread->Kill();
    }
    std::vector<Ref<FunctionThread>> threads;
};

TEST_F(Slices, WhileTheWaitsRunTheLoopSleepsUntilJustBeforeTheEarliestEnds)
{
    struct Case {
        const char* name;
        double wait;
    };
    const Case cases[] = {
        { "ending just after the slice", Pacing::kSliceMicroseconds + 100 },
        { "ending far off", 50000 },
    };
    // One slice on the real clock: a stall of the machine in it can carry it past the wait's end,
    // so a case holds when one of a few tries shows it. A broken rule fails every try.
    auto sleepsUntilJustBefore = [&](double microseconds) {
        double end = 0;
        auto wait = StartWait(microseconds, &end);
        threads.push_back(wait);
        Scheduler::instance().runSlice();
        bool asked = Scheduler::instance().sleepingUntil() == end - Scheduler::instance().sleepMargin();
        wait->Kill();
        return asked;
    };
    for (const Case& c : cases) {
        bool asked = sleepsUntilJustBefore(c.wait);
        for (int retry = 0; retry < 3 && !asked; ++retry)
            asked = sleepsUntilJustBefore(c.wait);
        EXPECT_TRUE(asked) << c.name;
    }
    EXPECT_FALSE(Scheduler::instance().sleepingUntil()) << "a thread that ends wakes the loop";
}

TEST_F(Slices, InputDuringASleepIsHandledAtOnceAndTheSleepGoesOn)
{
    auto wait = StartWait(10e6);
    threads.push_back(wait);
    Scheduler::instance().runSlice();
    ASSERT_TRUE(Scheduler::instance().sleepingUntil());
    const std::optional<double> until = Scheduler::instance().sleepingUntil();

    // The event loop's own wait: the event wakes it long before the sleep's end.
    bool handled = false;
    QMetaObject::invokeMethod(
        qApp, [&] { handled = true; }, Qt::QueuedConnection);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_TRUE(handled);
    EXPECT_EQ(Scheduler::instance().sleepingUntil(), until) << "the threads still wait";
}

TEST_F(Slices, TheLoopWakesAtTheMomentItSleptUntilAndTheWaitEnds)
{
    auto wait = StartWait(20000);
    threads.push_back(wait);
    Scheduler::instance().runSlice();
    const std::optional<double> until = Scheduler::instance().sleepingUntil();
    ASSERT_TRUE(until);
    while (Scheduler::instance().sleepingUntil())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_GE(Microseconds(), *until) << "woke before its time";
    ASSERT_TRUE(RunRoundsUntil([&] { return !wait->isRunning(); }, 1000000));
}

TEST_F(Slices, AThreadThatKeepsSayingItsWaitEndsSoonStillLetsTheEventLoopRun)
{
    // Each pass says the wait ends a little later, so that it is always about to end.
    constexpr int kPasses = 100000;
    int passes = 0;
    auto thread = StartThread([&] {
        for (; passes < kPasses; ++passes) {
            RuntimeExpectWake(Microseconds() + Pacing::kWakeGuardMicroseconds / 2);
            RuntimeBackgroundTask();
        }
    });
    threads.push_back(thread);
    // The thread's start, which a busy machine can make longer than a slice, comes first.
    Scheduler::instance().runRound();
    Scheduler::instance().runSlice();
    EXPECT_GT(passes, 0);
    EXPECT_TRUE(thread->isRunning()) << "the slice waited for the thread's every wake";
}

TEST_F(Slices, AThreadThatCannotRunKeepsNoSleepShortUntilItCanAgain)
{
    struct Case {
        const char* name;
        bool inMessageBox;
    };
    const Case cases[] = {
        { "blocked in its message box", true },
        { "suspended", false },
    };
    Scheduler& scheduler = Scheduler::instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double farEnd = 0;
        auto far = StartWait(80000, &farEnd);
        const double nearWake = Microseconds() + 40000;
        auto near = StartThread([&] {
            RuntimeExpectWake(nearWake);
            if (c.inMessageBox)
                scheduler.blockCurrent();
            while (Microseconds() < nearWake)
                RuntimeBackgroundTask();
        });
        threads = { far, near };
        scheduler.runRound();
        if (!c.inMessageBox)
            near->Suspend();
        scheduler.runSlice();
        EXPECT_EQ(scheduler.sleepingUntil(), farEnd - scheduler.sleepMargin()) << "its wake keeps no sleep short";
        if (c.inMessageBox)
            scheduler.unblock(*near);
        else
            near->Resume();
        scheduler.runSlice();
        EXPECT_EQ(scheduler.sleepingUntil(), nearWake - scheduler.sleepMargin()) << "freed, it waits again";
        far->Kill();
        near->Kill();
    }
}

TEST(WakeNearness, OnTheVirtualClockAVisitIsOneRoundWhateverTheThreadsSay)
{
    VirtualClock::enable(0);
    int passes = 0;
    auto thread = StartThread([&] {
        while (true) {
            ++passes;
            RuntimeExpectWake(Microseconds() + 50);
            RuntimeBackgroundTask();
        }
    });
    Scheduler::instance().runSlice();
    Scheduler::instance().runSlice();
    EXPECT_EQ(passes, 2);
    EXPECT_DOUBLE_EQ(Microseconds(), 2 * VirtualClock::kRoundMicroseconds + 2) << "rounds and reads moved the clock, nothing else";
    EXPECT_FALSE(Scheduler::instance().sleepingUntil()) << "nothing sleeps on the virtual clock";
    thread->Kill();
}

// A tick's first microsecond, for a wait on Ticks that tells the scheduler when it ends.
TEST(TickMoments, ATickStartsWhereTicksFirstReachesItAcrossTheWrap)
{
    const double tick = 1e6 / 60;
    struct Case {
        const char* name;
        double now;
        std::int32_t ahead;
    };
    const Case cases[] = {
        { "the next tick", 0, 1 },
        { "eight on, as the explosion's pause", 5 * tick + 3, 8 },
        { "one that has passed", 100 * tick, -2 },
        { "past the Int32 count", 2147483647.0 * tick, 8 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualClock::enable(c.now);
        const std::int32_t current = Ticks();
        const std::int32_t target = std::int32_t(std::uint32_t(current) + std::uint32_t(c.ahead));
        const double at = TickMicroseconds(current, c.ahead);
        EXPECT_EQ(TickMicroseconds(target), at);
        const double read = Microseconds();
        EXPECT_DOUBLE_EQ(read, c.now + 1) << "only the one read moved the clock";
        VirtualClock::enable(at);
        EXPECT_EQ(Ticks(), target);
        VirtualClock::enable(at - 1);
        EXPECT_EQ(Ticks(), std::int32_t(std::uint32_t(target) - 1u));
    }
}

}
