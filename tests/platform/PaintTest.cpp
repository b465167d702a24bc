// A Paint handler that takes its time on the main thread, as an animation does: the input that
// comes meanwhile is handled at its yields, and what that input does ends or restarts the paint.
#include "gui/ApplicationMenus.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/EventLoop.h"
#include "loop/HandlerCall.h"
#include "support/TestSupport.h"
#include <fw/Application.h>
#include <fw/Graphics.h>
#include <fw/Runtime.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <functional>
#include <optional>

using namespace fw;
using namespace testing_support;

namespace {

constexpr int kDots = 20;
const Color kWhite { 255, 255, 255 };

// A paint of kDots dots, one per yield; after the given dot it leaves an action for the event
// loop, as input that arrives while the paint runs.
class SlowPaint {
public:
    explicit SlowPaint(Ref<Canvas> canvas)
        : m_canvas(std::move(canvas))
    {
        m_canvas->setPaintHandler([this](Graphics& g) { paint(g); });
    }
    ~SlowPaint() { m_canvas->setPaintHandler(nullptr); }

    void postAt(int dot, std::function<void()> action)
    {
        m_postAt = dot;
        m_action = std::move(action);
    }

    int started { 0 };
    int finished { 0 };
    int deepest { 0 };
    int drawn { 0 };
    // The dots drawn when the posted action ran; -1 while it has not.
    int drawnWhenHandled { -1 };

private:
    void paint(Graphics& g)
    {
        ++started;
        ++m_depth;
        deepest = std::max(deepest, m_depth);
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave { m_depth };
        g.setForeColor(kWhite);
        for (int dot = 0; dot < kDots; ++dot) {
            g.FillOval(dot, 0, 1, 1);
            ++drawn;
            if (dot == m_postAt && started == 1) {
                QMetaObject::invokeMethod(
                    qApp, [this] {
                        drawnWhenHandled = drawn;
                        m_action();
                    },
                    Qt::QueuedConnection);
            }
            RuntimeBackgroundTask();
        }
        ++finished;
    }

    Ref<Canvas> m_canvas;
    int m_depth { 0 };
    int m_postAt { -1 };
    std::function<void()> m_action;
};

class Paints : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = OpenCanvasWindow();
        canvas = window->canvas();
        // The first showing's paint comes from the event loop, after the window's exposure.
        for (int pass = 0; pass < 3; ++pass)
            ProcessEvents();
    }
    void TearDown() override
    {
        if (window->isOpen())
            window->Close();
        ProcessEvents();
        EXPECT_FALSE(EventLoop::instance().takeException());
    }

    Ref<CanvasWindow> window;
    Ref<Canvas> canvas;
};

TEST_F(Paints, InputThatArrivesDuringAPaintIsHandledAtItsNextYield)
{
    SlowPaint paint(canvas);
    paint.postAt(3, [] {});
    canvas->Refresh(true);
    EXPECT_EQ(paint.drawnWhenHandled, 4) << "handled at the yield after the dot that posted it, not after the paint";
    EXPECT_EQ(paint.finished, 1);
    EXPECT_EQ(paint.drawn, kDots);
}

TEST_F(Paints, ClosingTheWindowDuringItsPaintEndsThePaintAtThatYield)
{
    SlowPaint paint(canvas);
    paint.postAt(3, [this] { window->Close(); });
    canvas->Refresh(true);
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(paint.drawn, 4) << "nothing is drawn for a window that is gone";
    EXPECT_EQ(paint.finished, 0);
    EXPECT_EQ(paint.started, 1) << "nor is it painted again";
}

TEST_F(Paints, AHandlerThatRunsDuringAPaintsWaitRunsToItsEndBeforeTheInputAfterIt)
{
    SlowPaint paint(canvas);
    constexpr int kYields = 5;
    int yielded = 0;
    bool openThroughout = true;
    paint.postAt(3, [&] {
        // The next input is already waiting while this handler yields.
        QMetaObject::invokeMethod(
            qApp, [this] { window->Close(); }, Qt::QueuedConnection);
        CallHandler([&] {
            for (; yielded < kYields; ++yielded) {
                RuntimeBackgroundTask();
                openThroughout = openThroughout && window->isOpen();
            }
        });
    });
    canvas->Refresh(true);
    EXPECT_EQ(yielded, kYields) << "the handler's yields returned";
    EXPECT_TRUE(openThroughout) << "no input was handled inside the handler";
    EXPECT_FALSE(window->isOpen()) << "the input after it was handled at the paint's wait";
    EXPECT_EQ(paint.finished, 0) << "and ended the paint there";
    EXPECT_LT(paint.drawn, kDots);
}

TEST_F(Paints, ARepaintDuringAPaintStartsItOverRatherThanInsideIt)
{
    struct RepaintCase {
        const char* name;
        std::function<void(CanvasWindow&, Canvas&)> repaint;
    };
    const RepaintCase repaints[] = {
        { "the canvas's Refresh", [](CanvasWindow&, Canvas& c) { c.Refresh(true); } },
        { "the window's Refresh", [](CanvasWindow& w, Canvas&) { w.Refresh(true); } },
        { "a new backdrop", [](CanvasWindow&, Canvas& c) { c.setBackdrop(nullptr); } },
    };
    for (const RepaintCase& c : repaints) {
        SCOPED_TRACE(c.name);
        SlowPaint paint(canvas);
        bool erased = false;
        paint.postAt(5, [&] {
            c.repaint(*window, *canvas);
            // The repaint erases at once; its paint comes after this one has left.
            erased = !(canvas->pixel(0, 0) == kWhite);
        });
        canvas->Refresh(true);
        EXPECT_TRUE(erased);
        EXPECT_EQ(paint.deepest, 1) << "a paint ran inside another";
        EXPECT_EQ(paint.started, 2);
        EXPECT_EQ(paint.finished, 1) << "the overtaken paint ends at its yield";
        EXPECT_EQ(paint.drawn, 6 + kDots);
        for (int dot = 0; dot < kDots; ++dot)
            EXPECT_EQ(canvas->pixel(dot, 0), kWhite) << "dot " << dot;
    }
}

TEST_F(Paints, APaintFromAThreadIsNotInterruptedByTheMainThreadsInput)
{
    SlowPaint paint(canvas);
    bool handledDuringPaint = false;
    bool painting = false;
    Ref<FunctionThread> painter = StartThread([&] {
        painting = true;
        canvas->Refresh(true);
        painting = false;
    });
    QMetaObject::invokeMethod(
        qApp, [&] { handledDuringPaint = painting; }, Qt::QueuedConnection);
    ASSERT_TRUE(RunRoundsUntil([&] { return !painter->isRunning(); }));
    EXPECT_TRUE(handledDuringPaint) << "the event loop runs on beside a thread's paint";
    EXPECT_EQ(paint.finished, 1);
    EXPECT_EQ(paint.drawn, kDots);
}

TEST_F(Paints, ARestoreFromMinimisedErasesNothingAndPaintsOnlyAPaintHandlersCanvasAgain)
{
    const Color red { 255, 0, 0 };
    for (bool withHandler : { false, true }) {
        SCOPED_TRACE(withHandler ? "a Paint handler's canvas" : "a canvas drawn from outside");
        std::optional<SlowPaint> paint;
        if (withHandler)
            paint.emplace(canvas);
        Ref<Graphics> g = canvas->Graphics();
        g->setForeColor(red);
        g->FillOval(30, 20, 3, 3);
        QWidget* widget = WidgetOf(*window);
        widget->showMinimized();
        ProcessEvents();
        ASSERT_TRUE(widget->isMinimized());
        widget->showNormal();
        ProcessEvents();
        ASSERT_FALSE(widget->isMinimized());
        if (withHandler) {
            EXPECT_EQ(paint->finished, 1) << "the handler's picture is painted again";
            EXPECT_NE(canvas->pixel(31, 21), red) << "by a repaint, which erases";
        } else {
            EXPECT_EQ(canvas->pixel(31, 21), red) << "what was drawn is there again";
        }
    }
}

// Quitting is final for the runtime; the next case has a runtime of its own.
TEST(PaintsQuit, QuitDuringAPaintEndsItAtItsNextYield)
{
    Ref<CanvasWindow> window = OpenCanvasWindow();
    for (int pass = 0; pass < 3; ++pass)
        ProcessEvents();
    SlowPaint paint(window->canvas());
    paint.postAt(2, [] { ChooseMenuItem(nullptr, kQuitMenuItem); });
    window->canvas()->Refresh(true);
    EXPECT_TRUE(IsQuitting());
    EXPECT_EQ(paint.drawn, 3);
    EXPECT_EQ(paint.finished, 0);
    EXPECT_EQ(paint.started, 1);
}

}
