// The program's canvases on screen, as the widgets show them, against their retained pictures.
#include "diagram/Dialog1.h"
#include "gui/ApplicationMenus.h"
#include "gui/WindowPrivate.h"
#include "main_window/Window1.h"
#include "shell/Startup.h"
#include "support/ScreenSupport.h"
#include "support/TestSupport.h"
#include <fw/Application.h>
#include <fw/Canvas.h>
#include <fw/Runtime.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

using namespace fw;
using namespace testing_support;

namespace {

class ProgramScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunFrameworkInitialization(&Startup);
    }
    void TearDown() override { CloseProgramWindows(); }

    static void expectOnScreen(const Ref<Window>& window)
    {
        ASSERT_TRUE(window);
        SCOPED_TRACE(window->classInfo().name());
        Ref<Canvas> canvas = ControlNamed<Canvas>(window, "Canvas1");
        EXPECT_TRUE(WaitUntilScreenShowsPicture(*canvas)) << ScreenDifference(*canvas);
        EXPECT_EQ(ScreenDifferences(*canvas), "");
    }
};

TEST_F(ProgramScreen, AfterStartUpBothCanvasesShowTheirPictures)
{
    expectOnScreen(Window1::Instance());
    expectOnScreen(Dialog1::Instance());
}

TEST_F(ProgramScreen, TheAboutWindowsFirstShowingShowsItsPicture)
{
    ChooseMenuItem(Window1::Instance().get(), kAboutMenuItem);
    expectOnScreen(GetImplicitWindow("AboutWindow.AboutWindow"));
}

}
