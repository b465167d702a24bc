#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/Scheduler.h"
#include "support/TestSupport.h"
#include <fw/Runtime.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

using namespace fw;
using namespace testing_support;

namespace {

// A window class whose accessor is ProbeWindow::accessor, recording what its events see.
class ProbeWindow : public Window {
public:
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info("ProbeWindow.ProbeWindow", &Window::StaticClass(), FactoryOf<ProbeWindow>());
        return info;
    }
    const ClassInfo& classInfo() const override { return StaticClass(); }

    static Ref<ProbeWindow> accessor()
    {
        if (auto window = RuntimeCheckCast<ProbeWindow>(GetImplicitWindow("ProbeWindow.ProbeWindow")))
            return window;
        ++s_created;
        auto window = RuntimeCheckCast<ProbeWindow>(RuntimeNewObject(StaticClass()));
        window->Constructor();
        return window;
    }

    void Layout() override
    {
        events.push_back("Layout");
        setWidth(120);
        setHeight(80);
        setResizeable(false);
        setTitle("Probe");
    }
    void CreateControls() override { events.push_back("CreateControls"); }
    void AddMenuHandlers() override { events.push_back("AddMenuHandlers"); }
    void Event_Open() override
    {
        events.push_back("Open");
        accessorDuringOpen = accessor().get();
    }
    void Event_Close() override { s_closes.push_back(this); }

    std::vector<std::string> events;
    Window* accessorDuringOpen { nullptr };
    static inline int s_created = 0;
    static inline std::vector<Window*> s_closes;
};

class Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IsClassRegistered(ProbeWindow::StaticClass()))
            RegisterClass(ProbeWindow::StaticClass());
        ProbeWindow::s_created = 0;
        ProbeWindow::s_closes.clear();
    }
};

TEST_F(Windows, TheImplicitInstanceIsCreatedOnceAndReturnedWhileUnderConstruction)
{
    Ref<ProbeWindow> first = ProbeWindow::accessor();
    Ref<ProbeWindow> second = ProbeWindow::accessor();
    EXPECT_EQ(first, second);
    EXPECT_EQ(ProbeWindow::s_created, 1);
    EXPECT_EQ(first->events, (std::vector<std::string> { "Layout", "CreateControls", "AddMenuHandlers", "Open" }));
    EXPECT_EQ(first->accessorDuringOpen, first.get());
    first->Close();
}

TEST_F(Windows, AClosedWindowIsForgotten)
{
    RecordingObserver observer;
    Ref<ProbeWindow> first = ProbeWindow::accessor();
    first->Close();
    EXPECT_EQ(ProbeWindow::s_closes, (std::vector<Window*> { first.get() }));
    EXPECT_FALSE(GetImplicitWindow("ProbeWindow.ProbeWindow"));
    Ref<ProbeWindow> next = ProbeWindow::accessor();
    EXPECT_NE(next, first);
    EXPECT_EQ(ProbeWindow::s_created, 2);
    first->Close();
    EXPECT_EQ(ProbeWindow::s_closes.size(), 1u) << "closing a closed window does nothing";
    next->Close();
    EXPECT_EQ(observer.lines, (std::vector<std::string> { "opened: ProbeWindow.ProbeWindow", "closed: ProbeWindow.ProbeWindow", "opened: ProbeWindow.ProbeWindow", "closed: ProbeWindow.ProbeWindow" }));
}

TEST_F(Windows, TheContentAreaIsExactlyTheWindowsSizeAndFixed)
{
    Ref<ProbeWindow> window = ProbeWindow::accessor();
    ProcessEvents();
    QWidget* content = WidgetOf(*window)->content();
    EXPECT_EQ(content->size(), QSize(120, 80));
    EXPECT_TRUE(WidgetOf(*window)->isVisible());
    EXPECT_EQ(WidgetOf(*window)->windowTitle(), "Probe");
    EXPECT_EQ(WidgetOf(*window)->minimumSize(), WidgetOf(*window)->maximumSize()) << "not resizeable";
    window->Close();
}

TEST_F(Windows, TheUsersCloseButtonRaisesCloseAndForgets)
{
    Ref<ProbeWindow> window = ProbeWindow::accessor();
    WidgetOf(*window)->close();
    EXPECT_EQ(ProbeWindow::s_closes.size(), 1u);
    EXPECT_FALSE(GetImplicitWindow("ProbeWindow.ProbeWindow"));
}

// A cancel press is for the run in progress: presses while nothing runs are dropped, several
// before one look count once, and a press that no run looked at does not outlive the runs.
TEST_F(Windows, CancelPressesCountOnlyForTheRunInProgress)
{
    Ref<ProbeWindow> window = ProbeWindow::accessor();
    auto escape = [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(*window), &press);
    };
    auto ctrlPeriod = [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Period, Qt::ControlModifier);
        QCoreApplication::sendEvent(WidgetOf(*window), &press);
    };
    bool finish = false;
    auto startRun = [&] {
        finish = false;
        return StartThread([&] {
            while (!finish)
                RuntimeBackgroundTask();
        });
    };
    auto endRun = [&] {
        finish = true;
        EXPECT_TRUE(RunRoundsUntil([] { return Scheduler::instance().liveThreadCount() == 0; }));
    };

    for (int i = 0; i < 50; ++i)
        escape();
    ctrlPeriod();
    auto run = startRun();
    EXPECT_FALSE(UserCancelled()) << "presses while idle are dropped";

    escape();
    EXPECT_TRUE(UserCancelled()) << "Escape during a run";
    EXPECT_FALSE(UserCancelled()) << "taken by the look that saw it";

    escape();
    ctrlPeriod();
    escape();
    EXPECT_TRUE(UserCancelled());
    EXPECT_FALSE(UserCancelled()) << "several presses before one look count once";

    ctrlPeriod();
    endRun();
    run = startRun();
    EXPECT_FALSE(UserCancelled()) << "a press the ended run never saw does not stop the next";
    endRun();
    window->Close();
}

}
