#include "loop/Scheduler.h"
#include "simulation/BackGroundDrawing.h"
#include "support/TestSupport.h"
#include <fw/Clock.h>

#include <gtest/gtest.h>

using namespace fw;
using namespace testing_support;

namespace {

// Runs one wait of a new simulation thread, counting the rounds until it returns.
class Pacing : public ::testing::Test {
protected:
    template<typename WaitCall>
    int roundsFor(WaitCall wait)
    {
        Ref<BackGroundDrawing> thread(new BackGroundDrawing);
        bool done = false;
        auto runner = StartThread([&] {
            wait(*thread);
            done = true;
        });
        int rounds = 0;
        while (!done && rounds < 100000) {
            Scheduler::instance().runRound();
            ++rounds;
        }
        return rounds;
    }
};

TEST_F(Pacing, WaitLastsMoreThanAMillisecond)
{
    VirtualClock::enable(5000);
    double before = Microseconds();
    int rounds = roundsFor([](BackGroundDrawing& t) { t.Wait(); });
    EXPECT_GT(Microseconds() - before, 1000);
    EXPECT_EQ(rounds, 2) << "one round to start and yield, one millisecond later it returns";
}

TEST_F(Pacing, DelayLastsAtLeastEightTicks)
{
    VirtualClock::enable(0);
    std::int32_t before = Ticks();
    roundsFor([](BackGroundDrawing& t) { t.Delay(); });
    EXPECT_GE(Ticks() - before, 8);
    EXPECT_LE(Ticks() - before, 9);
}

TEST_F(Pacing, DelayReturnsAcrossTheTickCounterWrap)
{
    // Three ticks before the counter passes its greatest value.
    const double microsecondsPerTick = 1e6 / 60;
    VirtualClock::enable((2147483647.0 - 2) * microsecondsPerTick);
    std::int32_t before = Ticks();
    ASSERT_EQ(before, 2147483645);
    int rounds = roundsFor([](BackGroundDrawing& t) { t.Delay(); });
    std::int32_t after = Ticks();
    EXPECT_LT(after, 0) << "the counter wrapped";
    EXPECT_GE(static_cast<std::int32_t>(static_cast<std::uint32_t>(after) - static_cast<std::uint32_t>(before)), 8);
    EXPECT_LT(rounds, 20 * 17) << "it did not wait for the counter to come round again";
}

TEST_F(Pacing, AWaitWhoseClockHasAlreadyAdvancedReturnsWithoutYielding)
{
    VirtualClock::enable(0);
    VirtualClock::setReadStep(2000);
    EXPECT_EQ(roundsFor([](BackGroundDrawing& t) { t.Wait(); }), 1);
    VirtualClock::setReadStep(9 * 1e6 / 60);
    EXPECT_EQ(roundsFor([](BackGroundDrawing& t) { t.Delay(); }), 1);
}

TEST(BackGroundDrawingThread, StartsUnstoppedAndUntitledActionReturnsFalse)
{
    Ref<BackGroundDrawing> thread(new BackGroundDrawing);
    EXPECT_FALSE(thread->Stopp);
    EXPECT_FALSE(thread->Untitled_Action());
    EXPECT_EQ(thread->classInfo().base(), &Thread::StaticClass());
}

}
