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
        { "ending just after the slice", Scheduler::kSliceMicroseconds + 100 },
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
    EXPECT_FALSE(Scheduler::instance().isSleeping()) << "a thread that ends wakes the loop";
}

TEST_F(Slices, InputDuringASleepIsHandledAtOnceAndTheSleepGoesOn)
{
    auto wait = StartWait(10e6);
    threads.push_back(wait);
    Scheduler::instance().runSlice();
    ASSERT_TRUE(Scheduler::instance().isSleeping());
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
    while (Scheduler::instance().isSleeping())
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
            RuntimeExpectWake(Microseconds() + Scheduler::kWakeGuardMicroseconds / 2);
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

TEST(WakeNearness, CoversTheGuardBeforeAWakeAndTheWorkAfterIt)
{
    VirtualClock::enable(0);
    auto thread = StartThread([] {
        RuntimeExpectWake(5000);
        while (true)
            RuntimeBackgroundTask();
    });
    RunRounds(1);
    struct Case {
        double now;
        double margin;
        bool near;
    };
    const double after = Scheduler::kAfterWakeMicroseconds;
    const Case cases[] = {
        { 4700, 200, false },
        { 4850, 200, true },
        { 5000 + after / 2, 200, true },
        { 5000 + after * 2, 200, false },
        { 4500, 700, true },
        { 4200, 700, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Scheduler::instance().wakeIsNear(c.now, c.margin), c.near) << "at " << c.now << " with margin " << c.margin;

    thread->Suspend();
    EXPECT_FALSE(Scheduler::instance().wakeIsNear(4850, 200)) << "a suspended thread runs at no wake";
    thread->Kill();
}

// Whether and until when the event loop may sleep, decided at fixed moments of the virtual clock.
TEST(Sleeps, TheLoopSleepsOnlyWhileEveryRunnableThreadWaitsAndUntilJustBeforeTheEarliestEnd)
{
    VirtualClock::enable(0);
    Scheduler& scheduler = Scheduler::instance();
    const double margin = scheduler.sleepMargin();
    // Each thread waits until its time, or runs on without waiting where it has none.
    auto waitUntil = [](std::optional<double> wake) {
        return StartThread([wake] {
            while (true) {
                if (wake)
                    RuntimeExpectWake(*wake);
                RuntimeBackgroundTask();
            }
        });
    };
    struct Case {
        const char* name;
        std::vector<std::optional<double>> threads;
        std::optional<double> mainThreadWake;
        std::optional<double> until;
    };
    const double now = 1000;
    const Case cases[] = {
        { "no thread", {}, std::nullopt, std::nullopt },
        { "one waits", { 9000 }, std::nullopt, 9000 - margin },
        { "two wait: the earlier end", { 9000, 5000 }, std::nullopt, 5000 - margin },
        { "one can run", { 9000, std::nullopt }, std::nullopt, std::nullopt },
        { "a wait that has ended", { 9000, 800 }, std::nullopt, std::nullopt },
        { "a wait too near to sleep through", { now + margin + Scheduler::kShortestSleepMicroseconds / 2 }, std::nullopt, std::nullopt },
        { "the main thread waits less", { 9000 }, 3000, 3000 - margin },
        { "only the main thread waits", {}, 3000, 3000 - margin },
        { "the main thread waits longer", { 4000 }, 6000, 4000 - margin },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Ref<FunctionThread>> threads;
        for (const std::optional<double>& wake : c.threads)
            threads.push_back(waitUntil(wake));
        scheduler.runRound();
        EXPECT_EQ(scheduler.sleepUntil(now, c.mainThreadWake), c.until);
        for (const Ref<FunctionThread>& thread : threads)
            thread->Kill();
    }

    // A thread in its message box runs at no time of its own: the other's wait decides.
    auto waiting = waitUntil(9000);
    auto blocked = StartThread([&] {
        RuntimeExpectWake(2000);
        Scheduler::instance().blockCurrent();
    });
    scheduler.runRound();
    EXPECT_EQ(scheduler.sleepUntil(now), 9000 - margin);
    scheduler.unblock(*blocked);
    EXPECT_EQ(scheduler.sleepUntil(now), 2000 - margin) << "unblocked, it waits again";
    waiting->Kill();
    blocked->Kill();
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
    EXPECT_FALSE(Scheduler::instance().isSleeping()) << "nothing sleeps on the virtual clock";
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
