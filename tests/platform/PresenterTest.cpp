#include "gui/CanvasWidget.h"
#include "gui/Presenter.h"
#include "gui/QtObjects.h"
#include "gui/WindowWidget.h"
#include "loop/Scheduler.h"
#include "support/TestSupport.h"
#include <fw/Clock.h>
#include <fw/Graphics.h>
#include <fw/Runtime.h>

#include <gtest/gtest.h>

#include <QTest>

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
        VirtualClock::advance(Presenter::instance().frameInterval());
    }
    void TearDown() override { window->Close(); }
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
    EXPECT_FALSE(presenter.frameDue()) << "the last frame was just now";
    VirtualClock::advance(presenter.frameInterval() - 1);
    EXPECT_FALSE(presenter.frameDue()) << "a frame time has not passed";
    VirtualClock::advance(1);
    EXPECT_TRUE(presenter.frameDue());
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
