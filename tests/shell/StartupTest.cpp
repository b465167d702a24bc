#include "shell/Startup.h"

#include "gui/ApplicationMenus.h"
#include "gui/WindowPrivate.h"
#include "main_window/Window1.h"
#include "shell/Quendal.h"
#include "support/TestSupport.h"
#include <fw/Application.h>
#include <fw/Runtime.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <QTimer>

#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

// Notes, for every window that opens, which application object was registered at that moment.
class OpeningObserver : public RecordingObserver {
public:
    void windowOpened(Window& window) override
    {
        RecordingObserver::windowOpened(window);
        appAtOpen.push_back(App().get());
    }
    std::vector<Quendal*> appAtOpen;
};

// An application object that counts the calls of its "AboutMenu" handler.
class CountingQuendal : public Quendal {
public:
    bool AboutMenu_Action() override
    {
        ++calls;
        return Quendal::AboutMenu_Action();
    }
    int calls { 0 };
};

class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        RuntimeRegisterAppObject(nullptr);
    }
    void TearDown() override
    {
        CloseProgramWindows();
        RuntimeRegisterAppObject(nullptr);
    }
};

TEST_F(StartUp, MakesOneApplicationObjectAndThenTheMainWindow)
{
    OpeningObserver observer;
    RunFrameworkInitialization(&Startup);

    Ref<Quendal> app = App();
    ASSERT_TRUE(app);
    EXPECT_EQ(&GetAppObject()->classInfo(), &Quendal::StaticClass());
    EXPECT_EQ(FindClass("Quendal"), &Quendal::StaticClass());
    EXPECT_TRUE(GetImplicitWindow("Window1.Window1"));
    EXPECT_EQ(observer.lines, (std::vector<std::string> { "opened: Window1.Window1", "opened: Dialog1.Dialog1" }));
    // The application object was there before the main window and stayed the same one.
    EXPECT_EQ(observer.appAtOpen, (std::vector<Quendal*> { app.get(), app.get() }));
}

TEST_F(StartUp, TheApplicationsAboutHandlerRunsAfterTheMainWindowsAndDoesNothing)
{
    Ref<CountingQuendal> app(new CountingQuendal);
    RuntimeRegisterAppObject(app);
    ApplicationAddMenuHandlers();
    EXPECT_FALSE(app->invokeMenuHandler(kAboutMenuItem));
    EXPECT_EQ(app->calls, 1) << "registered under \"AboutMenu\"";

    MakeDefaultView();
    RecordingObserver observer;
    ChooseMenuItem(Window1::Instance().get(), kAboutMenuItem);
    EXPECT_EQ(observer.lines, (std::vector<std::string> { "opened: AboutWindow.AboutWindow" })) << "the main window shows About";
    EXPECT_EQ(app->calls, 2) << "the window's handler returned False, so the application's ran too";

    // The application's own handler changes nothing.
    observer.lines.clear();
    const std::size_t windows = OpenWindows().size();
    Quendal plain;
    EXPECT_FALSE(plain.AboutMenu_Action());
    EXPECT_TRUE(observer.lines.empty());
    EXPECT_EQ(OpenWindows().size(), windows);
}

// Runs the event loop until it quits, which ends this case's runtime for good.
TEST_F(StartUp, ClosingTheMainWindowLeavesTheProgramRunning)
{
    RunFrameworkInitialization(&Startup);
    ASSERT_TRUE(GetImplicitWindow("Dialog1.Dialog1"));

    bool quittingAfterClose = true;
    bool loopRanOn = false;
    QTimer::singleShot(0, [&] {
        Window1::Instance()->Close();
        quittingAfterClose = IsQuitting();
    });
    QTimer::singleShot(50, [&] {
        loopRanOn = !IsQuitting();
        Quit(0);
    });
    QTimer::singleShot(5000, [] { Quit(99); });
    RuntimeRun();

    EXPECT_FALSE(quittingAfterClose);
    EXPECT_TRUE(loopRanOn) << "the event loop went on without the main window";
    EXPECT_EQ(QuitCode(), 0);
    EXPECT_FALSE(GetImplicitWindow("Window1.Window1"));
    EXPECT_TRUE(GetImplicitWindow("Dialog1.Dialog1"));
}

}
