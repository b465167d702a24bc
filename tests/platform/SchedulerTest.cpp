#include "Clock.h"
#include "Runtime.h"
#include "Scheduler.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fw;
using namespace testing_support;

namespace {

// A thread that yields until its clock has moved more than the given time, as a pacing wait
// does, and says when that will be.
Ref<FunctionThread> StartWait(double microseconds)
{
    return StartThread([=] {
        double start = Microseconds();
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
        VirtualClock::enable();
    }
    std::vector<Ref<FunctionThread>> threads;
};

TEST_F(Slices, AVisitWaitsForAWaitThatEndsJustAfterTheSlice)
{
    struct Case {
        const char* name;
        double wait;
        bool overAfterOneSlice;
    };
    const Case cases[] = {
        // Within the guard after the slice's end: the slice runs on until the wait is over.
        { "ending just after the slice", Scheduler::kSliceMicroseconds + 100, true },
        // Far off: the event loop gets its visit on time.
        { "ending far off", 50000, false },
    };
    // One slice on the real clock: a stall of the machine in it can shift its end past the wait's
    // or the wait's past its own, so a case holds when one of a few tries shows it. A broken rule
    // fails every try.
    auto overAfterOneSlice = [&](double microseconds) {
        auto wait = StartWait(microseconds);
        threads.push_back(wait);
        // The wait takes its start in a round of its own, so that the slice's end lies where the
        // case says, however long a thread's first resumption takes.
        Scheduler::instance().runRound();
        Scheduler::instance().runSlice();
        bool over = !wait->isRunning();
        if (!over)
            wait->Kill();
        return over;
    };
    for (const Case& c : cases) {
        bool over = overAfterOneSlice(c.wait);
        for (int retry = 0; retry < 3 && over != c.overAfterOneSlice; ++retry)
            over = overAfterOneSlice(c.wait);
        EXPECT_EQ(over, c.overAfterOneSlice) << c.name;
    }
}

TEST_F(Slices, AThreadThatKeepsSayingItsWaitEndsSoonStillLetsTheEventLoopRun)
{
    // Each pass says the wait ends a little later, so that it is always about to end.
    constexpr int kPasses = 1000000;
    int passes = 0;
    auto thread = StartThread([&] {
        for (; passes < kPasses; ++passes) {
            RuntimeExpectWake(Microseconds() + Scheduler::kWakeGuardMicroseconds / 2);
            RuntimeBackgroundTask();
        }
    });
    threads.push_back(thread);
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
    thread->Kill();
}

}
