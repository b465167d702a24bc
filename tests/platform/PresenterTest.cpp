#include "gui/CanvasWidget.h"
#include "gui/Presenter.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/FrameTiming.h"
#include "loop/Scheduler.h"
#include "support/TestSupport.h"
#include <fw/Clock.h>
#include <fw/Graphics.h>
#include <fw/Runtime.h>

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <optional>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

// Frames on the framework's clock, the virtual one here, at moments that the tests choose.
class Frames : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualClock::enable(0);
        window = OpenCanvasWindow();
        canvas = window->canvas();
        // The first showing repaints once the window is exposed: that frame must lie behind us.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(WidgetOf(*window)));
        ProcessEvents();
        Presenter::instance().presentNow();
        VirtualClock::advance(Presenter::instance().frameTiming().interval());
    }
    void TearDown() override { window->Close(); }
    void drawLine() { canvas->Graphics()->DrawLine(2, 3, 5, 3); }
    static bool frameDue()
    {
        Presenter& presenter = Presenter::instance();
        return presenter.hasChanges() && presenter.frameTiming().isDueAt(ClockMicroseconds());
    }

    Ref<CanvasWindow> window;
    Ref<Canvas> canvas;
};

TEST_F(Frames, AFrameComesOnlyAfterAChangeAndAFrameTimeAfterTheLast)
{
    Presenter& presenter = Presenter::instance();
    EXPECT_FALSE(frameDue()) << "nothing changed";
    drawLine();
    EXPECT_TRUE(frameDue());
    presenter.presentNow();
    EXPECT_FALSE(frameDue()) << "presented";
    drawLine();
    EXPECT_FALSE(frameDue()) << "the last frame was just now";
    VirtualClock::advance(presenter.frameTiming().interval() - 1);
    EXPECT_FALSE(frameDue()) << "a frame time has not passed";
    VirtualClock::advance(1);
    EXPECT_TRUE(frameDue());
}

TEST_F(Frames, TheEventLoopsVisitsPresentADueFrameWhileAWaitIsFarFromItsEnd)
{
    VirtualClock::disable();
    auto thread = StartThread([&] {
        drawLine();
        RuntimeExpectWake(Microseconds() + 50000);
        while (true)
            RuntimeBackgroundTask();
    });
    Scheduler::instance().runSlice();
    EXPECT_FALSE(frameDue());
    thread->Kill();
}

// A frame's cost, as the presenter measures it, sets how far apart the frames come.
TEST(FrameTimes, OneSlowFrameCountsForAFewUsualOnesAndSpacesTheFramesByTheirCost)
{
    struct Case {
        const char* name;
        std::vector<std::optional<double>> took;
        double cost;
    };
    // A usual frame costs a twentieth of the frame time: 800 µs.
    const Case cases[] = {
        { "no frame yet", {}, 0 },
        { "a quick frame", { 400 }, 100 },
        { "one slow frame, at most four usual ones", { 100000 }, 800 },
        { "a frame painted later, unmeasured", { std::nullopt }, 0 },
        { "a display that stays slow", { 100000, 100000, 100000 }, 2450 },
    };
    for (const Case& c : cases) {
        FrameTiming timing;
        double end = 0;
        for (const std::optional<double>& took : c.took)
            timing.framePresented(end += 1000, took);
        EXPECT_DOUBLE_EQ(timing.expectedCost(), c.cost) << c.name;
        EXPECT_DOUBLE_EQ(timing.interval(), std::max(FrameTiming::kFrameMicroseconds, c.cost / FrameTiming::kMostShare)) << c.name;
    }
}

TEST(FrameTimes, TheNextFrameIsDueAnIntervalAfterTheLast)
{
    FrameTiming timing;
    EXPECT_TRUE(timing.isDueAt(0)) << "the first frame may come at once";
    timing.framePresented(1000, 100);
    const double interval = timing.interval();
    struct Case {
        double now;
        bool due;
        double delay;
    };
    const Case cases[] = {
        { 1000, false, interval },
        { 1000 + interval - 1, false, 1 },
        { 1000 + interval, true, 0 },
        { 1000 + 3 * interval, true, 0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(timing.isDueAt(c.now), c.due) << "at " << c.now;
        EXPECT_DOUBLE_EQ(timing.delayUntilDue(c.now), c.delay) << "at " << c.now;
    }
}

TEST(FrameTimes, ThePresentersTimerLeavesTheFrameToTheRoundsUntilTheyLetAWholeFrameGoBy)
{
    struct Case {
        const char* name;
        bool roundsPresent;
        bool virtualClock;
        double sinceLast;
        bool leaves;
    };
    const double interval = FrameTiming::kFrameMicroseconds;
    const Case cases[] = {
        { "no rounds run", false, false, interval, false },
        { "the rounds run", true, false, interval, true },
        { "the rounds let a whole frame go by", true, false, 2 * interval, false },
        { "on the virtual clock", true, true, interval, false },
    };
    for (const Case& c : cases) {
        if (c.virtualClock)
            VirtualClock::enable(0);
        else
            VirtualClock::disable();
        FrameTiming timing;
        timing.framePresented(1000, std::nullopt);
        timing.setRoundsPresent(c.roundsPresent);
        EXPECT_EQ(timing.leavesFrameToRounds(1000 + c.sinceLast), c.leaves) << c.name;
    }
}

}
