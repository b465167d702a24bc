#include "CanvasWidget.h"
#include "Clock.h"
#include "Graphics.h"
#include "Runtime.h"
#include "Scheduler.h"
#include "WindowWidget.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace fw;
using namespace testing_support;

namespace {

class Frames : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = OpenCanvasWindow();
        canvas = window->canvas();
        // The first showing repaints once the window is exposed: that frame must lie behind us.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->widget()));
        ProcessEvents();
        Presenter::instance().presentNow();
        waitForFrameTime();
    }
    void TearDown() override
    {
        window->Close();
        VirtualClock::enable();
    }
    // A frame time, longer after slow frames.
    static void waitForFrameTime()
    {
        std::this_thread::sleep_for(std::chrono::microseconds(int(Presenter::instance().frameInterval()) + 4000));
    }
    void drawLine() { canvas->Graphics()->DrawLine(2, 3, 5, 3); }

    Ref<CanvasWindow> window;
    Ref<Canvas> canvas;
};

TEST_F(Frames, AFrameComesOnlyAfterAChangeAndAFrameTimeAfterTheLast)
{
    Presenter& presenter = Presenter::instance();
    EXPECT_FALSE(presenter.frameDue()) << "nothing changed";
    drawLine();
    EXPECT_TRUE(presenter.frameDue());
    presenter.presentIfDue();
    EXPECT_FALSE(presenter.frameDue()) << "presented";
    drawLine();
    const double last = presenter.lastPresentMicroseconds();
    EXPECT_FALSE(presenter.frameDueAt(last + presenter.frameInterval() / 2)) << "the last frame was just now";
    EXPECT_TRUE(presenter.frameDueAt(last + presenter.frameInterval() + 1));
}

TEST_F(Frames, AFrameFitsOnlyWhereNoWaitIsAboutToEnd)
{
    auto thread = StartThread([] {
        RuntimeExpectWake(5000);
        while (true)
            RuntimeBackgroundTask();
    });
    RunRounds(1);
    EXPECT_FALSE(Scheduler::instance().frameFitsAt(4000)) << "nothing changed";
    drawLine();
    struct Case {
        double now;
        bool fits;
    };
    const double after = Scheduler::kAfterWakeMicroseconds;
    const Case cases[] = {
        { 4000, true },
        { 5000 - Scheduler::kWakeGuardMicroseconds / 2, false },
        { 5000 + after / 2, false },
        { 5000 + after * 2, true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Scheduler::instance().frameFitsAt(c.now), c.fits) << "at " << c.now;
    thread->Kill();
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
    EXPECT_FALSE(Presenter::instance().frameDue());
    thread->Kill();
}

}
