#include "loop/Pacing.h"

#include <gtest/gtest.h>

#include <optional>

using namespace fw;

namespace {

constexpr double kMargin = 50;
constexpr double kGuard = Pacing::kWakeGuardMicroseconds;
constexpr double kAfter = Pacing::kAfterWakeMicroseconds;

TEST(Pacing, TheLoopSleepsOnlyWhileEveryRunnableThreadWaitsAndUntilJustBeforeTheEarliestEnd)
{
    struct Case {
        const char* name;
        Pacing::Wakes wakes;
        std::optional<double> mainThreadWake;
        std::optional<double> until;
    };
    const double now = 1000;
    const Case cases[] = {
        { "no thread", {}, std::nullopt, std::nullopt },
        { "one waits", { 9000 }, std::nullopt, 9000 - kMargin },
        { "two wait: the earlier end", { 9000, 5000 }, std::nullopt, 5000 - kMargin },
        { "one can run", { 9000, std::nullopt }, std::nullopt, std::nullopt },
        { "a wait that has ended", { 9000, 800 }, std::nullopt, std::nullopt },
        { "a wait too near to sleep through", { now + kMargin + Pacing::kShortestSleepMicroseconds / 2 }, std::nullopt, std::nullopt },
        { "the main thread waits less", { 9000 }, 3000, 3000 - kMargin },
        { "only the main thread waits", {}, 3000, 3000 - kMargin },
        { "the main thread waits longer", { 4000 }, 6000, 4000 - kMargin },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pacing(now, c.wakes, kMargin).sleepUntil(c.mainThreadWake), c.until) << c.name;
}

TEST(Pacing, AWakeIsNearFromTheMarginBeforeItUntilTheWorkAfterIt)
{
    struct Case {
        double now;
        double margin;
        bool near;
    };
    const Case cases[] = {
        { 4700, 200, false },
        { 4850, 200, true },
        { 5000 + kAfter / 2, 200, true },
        { 5000 + kAfter * 2, 200, false },
        { 4500, 700, true },
        { 4200, 700, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pacing(c.now, { std::nullopt, 5000 }, kMargin).wakeIsNear(c.margin), c.near) << "at " << c.now << " with margin " << c.margin;
}

TEST(Pacing, ASliceGoesOnWhileAThreadCanRunUntilItsEndOrAWakeIsOver)
{
    struct Case {
        const char* name;
        double now;
        Pacing::Wakes wakes;
        bool goesOn;
    };
    const double end = 1000;
    const Case cases[] = {
        { "no thread", 500, {}, false },
        { "one can run", 500, { std::nullopt }, true },
        { "one waits, too near to sleep", 500, { 600 }, true },
        { "every thread waits: the loop sleeps", 500, { 9000 }, false },
        { "past its end", end + 1, { std::nullopt }, false },
        { "past its end with a wake near", end + 1, { std::nullopt, end + kGuard / 2 }, true },
        { "past its end while the work after a wake runs", end + 1, { std::nullopt, end - kAfter / 2 }, true },
        { "a wake near, but past the guard and the work after", end + kGuard + kAfter, { std::nullopt, end + kGuard + kAfter + 10 }, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pacing(c.now, c.wakes, kMargin).keepsSlicing(end), c.goesOn) << c.name;
}

TEST(Pacing, AFrameFitsOnlyWhereNoWaitIsAboutToEndForItsCost)
{
    struct Case {
        const char* name;
        double now;
        bool due;
        double cost;
        bool fits;
    };
    const double wake = 5000;
    const Case cases[] = {
        { "not due", wake - 1000, false, 0, false },
        { "far before the wake", wake - 1000, true, 0, true },
        { "within the guard", wake - kGuard / 2, true, 0, false },
        { "while the work after the wake runs", wake + kAfter / 2, true, 0, false },
        { "once that work is over", wake + kAfter * 2, true, 0, true },
        { "within the guard and its cost", wake - kGuard - 200, true, 300, false },
        { "before the guard and its cost", wake - kGuard - 400, true, 300, true },
        { "a slow frame keeps only the longest margin", wake - Pacing::kLongestFrameMarginMicroseconds - 10, true, 5000, true },
        { "within the longest margin", wake - Pacing::kLongestFrameMarginMicroseconds + 10, true, 5000, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pacing(c.now, { wake }, kMargin).frameFits(c.due, c.cost), c.fits) << c.name;
}

}
