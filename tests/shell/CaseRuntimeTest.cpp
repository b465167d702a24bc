// Every test case starts as the program starts, whatever the case before it left: two cases
// that each check that and then leave every mark they can, so that in one process, in either
// order, the second finds the first's marks gone.
#include "core/ClockState.h"
#include "core/FrameworkObserver.h"
#include "gui/MessageBoxes.h"
#include "gui/WindowSystem.h"
#include "loop/Scheduler.h"
#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "shell/Startup.h"
#include "simulation/Variables.h"
#include "support/TestSupport.h"
#include <fw/Application.h>
#include <fw/Canvas.h>
#include <fw/Clock.h>
#include <fw/FolderItem.h>
#include <fw/MessageBox.h>
#include <fw/Runtime.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string_view>
#include <utility>
#include <variant>

using namespace fw;
using namespace testing_support;

namespace {

constexpr std::array<std::string_view, 48> kFlightValues { "scalex", "x", "factor", "Scaley", "y", "xx", "yy", "fireball", "s", "h",
    "r", "r1", "j", "roo", "vr", "vk", "v", "mach", "cdm", "po", "p", "q", "g", "Dia", "fire", "col", "cdd", "cd", "pii", "D", "m",
    "ar", "ak", "dt", "k", "k1", "t", "ss", "boomstop", "Dia1", "angle", "b", "density", "Htrans", "Habl", "mm", "dm", "abl" };

// Whether a value of the flight state is zero; sets it to something else when told to.
struct FlightValue {
    bool dirty;
    bool operator()(std::monostate) const { return false; }
    bool operator()(double* value) const { return std::exchange(*value, dirty ? 7.5 : *value) == 0; }
    bool operator()(std::int32_t* value) const { return std::exchange(*value, dirty ? 7 : *value) == 0; }
    bool operator()(bool* value) const { return !std::exchange(*value, dirty ? true : *value); }
    bool operator()(Color* value) const { return std::exchange(*value, dirty ? Color { 1, 2, 3 } : *value) == Color {}; }
};

// An onlooker that outlives the case that installs it.
FrameworkObserver& LeftObserver()
{
    static FrameworkObserver observer;
    return observer;
}

class CaseRuntime : public ::testing::TestWithParam<int> {
};

TEST_P(CaseRuntime, StartsAsTheProgramStartsWhateverTheCaseBeforeLeft)
{
    // A runtime of its own, not quitting, with nothing open or running and no application object.
    EXPECT_FALSE(IsQuitting());
    EXPECT_EQ(QuitCode(), 0);
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_FALSE(GetImplicitWindow("Window1.Window1"));
    EXPECT_EQ(Scheduler::instance().liveThreadCount(), 0u);
    EXPECT_FALSE(IsMessageBoxShowing());
    EXPECT_FALSE(GetAppObject());
    // The framework's and the program's classes, and no other.
    EXPECT_EQ(FindClass("Window1.Window1"), &Window1::StaticClass());
    EXPECT_EQ(FindClass("Canvas"), &Canvas::StaticClass());
    EXPECT_FALSE(FindClass("CanvasWindow"));
    // The process-wide state a program starts from.
    EXPECT_TRUE(VirtualClock::isEnabled());
    EXPECT_LT(Microseconds(), VirtualClock::kRoundMicroseconds) << "the virtual clock starts at zero";
    EXPECT_NE(CurrentFrameworkObserver(), &LeftObserver());
    ASSERT_TRUE(ApplicationFile());
    EXPECT_EQ(ApplicationFile()->path(), std::filesystem::read_symlink("/proc/self/exe"));
    for (std::string_view name : kFlightValues)
        EXPECT_TRUE(std::visit(FlightValue { false }, Variables::Find(name))) << name;
    // No resource loaded yet: the first call of an accessor reads its file, the sound's too.
    std::size_t read = FolderItem::filesRead();
    ASSERT_TRUE(Globeafrica());
    EXPECT_EQ(FolderItem::filesRead(), read + 1) << "the picture came from an earlier case";
    ASSERT_TRUE(Explosion());
    EXPECT_EQ(FolderItem::filesRead(), read + 2) << "the sound came from an earlier case";
    // A thread runs: the scheduler was not stopped by an earlier Quit.
    bool ran = false;
    StartThread([&] { ran = true; });
    RunRounds(1);
    EXPECT_TRUE(ran);

    // Every mark a case can leave: the program's windows and application object, a thread in its
    // message box and one that never ends, a class of its own, an onlooker, another application
    // file, the real clock, the flight state, and a Quit.
    RunFrameworkInitialization(&Startup);
    StartThread([] { MsgBox("left behind"); });
    StartThread([] {
        while (true)
            RuntimeBackgroundTask();
    });
    ASSERT_TRUE(RunRoundsUntil(IsMessageBoxShowing));
    OpenCanvasWindow();
    SetFrameworkObserver(&LeftObserver());
    SetApplicationFileForTesting("/nowhere/bin/quendal");
    for (std::string_view name : kFlightValues)
        std::visit(FlightValue { true }, Variables::Find(name));
    VirtualClock::disable();
    Quit(3);
}

INSTANTIATE_TEST_SUITE_P(TwoInARow, CaseRuntime, ::testing::Values(1, 2));

}

// One runtime at a time: a second state of one kind while the first stands would take the
// framework's calls from it unseen, so it ends the process at once.
TEST(CaseRuntimeDeathTest, ASecondStateOfOneKindEndsTheProcess)
{
    EXPECT_DEATH({ ClockState second; }, "a second runtime was made while one runs");
    EXPECT_DEATH({ WindowSystem second; }, "a second runtime was made while one runs");
}
