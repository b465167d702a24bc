#include "CanvasWidget.h"
#include "Clock.h"
#include "Graphics.h"
#include "Runtime.h"
#include "Scheduler.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
        ProcessEvents();
        Presenter::instance().presentNow();
        waitForFrameTime();
    }
    void TearDown() override
    {
        window->Close();
        VirtualClock::enable();
    }
    static void waitForFrameTime()
    {
        std::this_thread::sleep_for(std::chrono::microseconds(int(Presenter::kFrameMicroseconds) + 4000));
    }
    void drawLine() { canvas->Graphics()->DrawLine(2, 3, 5, 3); }

    Ref<CanvasWindow> window;
    Ref<Canvas> canvas;
};

TEST_F(Frames, AFrameComesOnlyAfterAChangeAndAFrameTimeAfterTheLast)
{
    EXPECT_FALSE(Presenter::instance().frameDue()) << "nothing changed";
    drawLine();
    EXPECT_TRUE(Presenter::instance().frameDue());
    Presenter::instance().presentIfDue();
    EXPECT_FALSE(Presenter::instance().frameDue()) << "presented";
    drawLine();
    EXPECT_FALSE(Presenter::instance().frameDue()) << "the last frame was just now";
    waitForFrameTime();
    EXPECT_TRUE(Presenter::instance().frameDue());
}

TEST_F(Frames, TheEventLoopsVisitsPresentAFrameOnlyWhereNoWaitIsAboutToEnd)
{
    VirtualClock::disable();
    struct Case {
        const char* name;
        double wakeAhead;
        bool presented;
    };
    const Case cases[] = {
        { "a wait that keeps ending soon", 100, false },
        { "a wait far from its end", 50000, true },
    };
    for (const Case& c : cases) {
        waitForFrameTime();
        auto thread = StartThread([&] {
            drawLine();
            while (true) {
                RuntimeExpectWake(Microseconds() + c.wakeAhead);
                RuntimeBackgroundTask();
            }
        });
        Scheduler::instance().runSlice();
        EXPECT_EQ(!Presenter::instance().frameDue(), c.presented) << c.name;
        thread->Kill();
        Presenter::instance().presentNow();
    }
}

}
