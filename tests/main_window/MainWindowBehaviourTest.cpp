// The main window as a user drives it: Start, Stop, closing it, the angle slider, the diagram
// switch and Quit, with real flights on the simulation thread.
#include "gui/MessageBoxes.h"
#include "gui/PicturePrivate.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/EventLoop.h"
#include "loop/Scheduler.h"
#include "shell/Resources.h"
#include "support/FlightFixture.h"
#include "support/PixelComparison.h"
#include "support/UserActions.h"
#include <fw/CheckBox.h>
#include <fw/Picture.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>
#include <fw/StaticText.h>

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include <exception>
#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

// Start hides these and Stop shows them again, in this order.
const char* const kInputs[] = { "CheckBoxvh", "PopupMenuType", "PopupMenuOrigin", "SliderAngle", "EditFieldDia", "StaticText2",
    "StaticText3", "StaticText4", "StaticText5", "StaticText9", "StaticTextAngle" };

const char* OnOff(bool value) { return value ? "on" : "off"; }

// The window's state in one line, so that a failure shows every part of it at once.
std::string UiState(const Ref<Window1>& window)
{
    auto enabled = [&](const char* name) { return OnOff(ControlNamed<RectControl>(window, name)->enabled()); };
    std::string state = std::string("Start ") + enabled("PushButtonStart") + ", Stop " + enabled("PushButtonStopp") + ", slider "
        + enabled("SliderAngle") + ", switch " + enabled("CheckBoxvh");
    std::string shown, hidden;
    for (const char* name : kInputs) {
        Ref<RectControl> control = ControlNamed<RectControl>(window, name);
        // On the screen as well as in the control's own property.
        bool visible = control->visible() && WidgetOf(*control)->isVisibleTo(WidgetOf(*window));
        (visible ? shown : hidden) += std::string(" ") + name;
    }
    if (hidden.empty())
        return state + ", inputs shown";
    if (shown.empty())
        return state + ", inputs hidden";
    return state + ", hidden:" + hidden;
}

const std::string kIdle = "Start on, Stop off, slider on, switch on, inputs shown";
const std::string kRunning = "Start off, Stop on, slider off, switch on, inputs hidden";

// How many pixels of the canvas differ from the picture drawn alone at its top-left corner; -1
// when the picture did not load (the tests find it in build/Resources).
int PixelsUnlike(const Ref<Canvas>& canvas, const Ref<Picture>& picture)
{
    if (!picture)
        return -1;
    const QImage& image = ImageOf(*picture);
    const QImage alone = image.copy(0, 0, std::min(canvas->width(), image.width()), std::min(canvas->height(), image.height()));
    return int(DifferingPixels(alone, PixelsOf(*canvas)).size());
}

QWindow* Handle(const Ref<Window>& window) { return WidgetOf(*window)->windowHandle(); }

class MainWindowBehaviour : public flight_testing::FlightWindowTest {
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        seen.lines.clear();
    }

    void TearDown() override
    {
        if (std::exception_ptr left = EventLoop::instance().takeException())
            ADD_FAILURE() << "a handler raised " << ExceptionMessage(left);
        for (const std::string& line : seen.lines)
            EXPECT_FALSE(line.starts_with("exception: ")) << line;
        // Every flight ends before the windows go, or its next step would bring the main window back.
        for (const Ref<BackGroundDrawing>& started : m_flights)
            started->Stopp = true;
        EXPECT_TRUE(RunUntilEveryThreadEnded());
        FlightWindowTest::TearDown();
    }

    template<typename C>
    Ref<C> on(const Ref<Window1>& main, const char* name)
    {
        return ControlNamed<C>(main, name);
    }

    // A user's press on Start; the thread it stored.
    Ref<BackGroundDrawing> start()
    {
        on<PushButton>(window, "PushButtonStart")->push();
        Ref<BackGroundDrawing> started = window->DrawOrbits;
        if (started)
            m_flights.push_back(started);
        return started;
    }

    void stop() { on<PushButton>(window, "PushButtonStopp")->push(); }

    RecordingObserver seen;

private:
    std::vector<Ref<BackGroundDrawing>> m_flights;
};

TEST_F(MainWindowBehaviour, ANewWindowIsIdleOverTheGlobeWithTheDiagramShown)
{
    EXPECT_EQ(UiState(window), kIdle);
    EXPECT_FALSE(window->DrawOrbits);
    EXPECT_EQ(PixelsUnlike(MainCanvas(), Globeafrica()), 0);
    Ref<Window> diagram = GetImplicitWindow("Dialog1.Dialog1");
    ASSERT_TRUE(diagram);
    EXPECT_TRUE(WidgetOf(*diagram)->isVisible());
}

TEST_F(MainWindowBehaviour, AFlightLeavesTheWindowRunningAfterItsMessageUntilStop)
{
    Ref<BackGroundDrawing> started = start();
    ASSERT_TRUE(started);
    EXPECT_TRUE(started->isRunning());
    EXPECT_FALSE(started->Stopp);
    EXPECT_EQ(UiState(window), kRunning);

    ASSERT_TRUE(RunRoundsUntil(IsMessageBoxShowing)) << "the first inputs burn up in the atmosphere";
    EXPECT_EQ(UiState(window), kRunning);
    // The box stays above the application's windows: the main one, or the diagram above it.
    QWindow* boxAbove = ShowingMessageBox()->windowHandle()->transientParent();
    EXPECT_TRUE(boxAbove == Handle(window) || boxAbove == Handle(GetImplicitWindow("Dialog1.Dialog1")));
    DismissMessageBox();
    ASSERT_TRUE(RunRoundsUntil([&] { return !started->isRunning(); }, 1000));
    RunRounds(100);
    EXPECT_EQ(UiState(window), kRunning) << "the end of a run changes nothing in the window";
    EXPECT_EQ(window->DrawOrbits, started);
    EXPECT_GT(PixelsUnlike(MainCanvas(), Globeafrica()), 0) << "the close-up view is still on the canvas";

    stop();
    EXPECT_EQ(UiState(window), kIdle);
    EXPECT_TRUE(started->Stopp);
    EXPECT_EQ(PixelsUnlike(MainCanvas(), Globeafrica()), 0);
}

TEST_F(MainWindowBehaviour, StopRightAfterStartStopsThatThreadBeforeItDrawsAnything)
{
    Ref<BackGroundDrawing> started = start();
    ASSERT_TRUE(started);
    stop();
    EXPECT_TRUE(started->Stopp);
    EXPECT_EQ(UiState(window), kIdle);
    EXPECT_EQ(PixelsUnlike(MainCanvas(), Globeafrica()), 0);

    ASSERT_TRUE(RunRoundsUntil([&] { return !started->isRunning(); }, 1000));
    EXPECT_EQ(seen.lines, std::vector<std::string> {}) << "no outcome of a stopped run";
    EXPECT_EQ(PixelsUnlike(MainCanvas(), Globeafrica()), 0) << "a globe view that sees Stopp draws no more";
}

TEST_F(MainWindowBehaviour, StartRightAfterStopRunsANewThreadBesideTheUnwindingOne)
{
    Ref<BackGroundDrawing> first = start();
    ASSERT_TRUE(first);
    RunRounds(200);
    ASSERT_TRUE(first->isRunning());

    stop();
    Ref<BackGroundDrawing> second = start();
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_EQ(window->DrawOrbits, second);
    EXPECT_TRUE(first->Stopp);
    EXPECT_FALSE(second->Stopp);
    EXPECT_TRUE(first->isRunning()) << "Stop neither kills nor waits";
    EXPECT_TRUE(second->isRunning());
    EXPECT_EQ(Scheduler::instance().liveThreadCount(), 2u);
    EXPECT_EQ(UiState(window), kRunning);

    ASSERT_TRUE(RunRoundsUntil([&] { return !first->isRunning(); }, 1000)) << "the old run leaves its loops by itself";
    EXPECT_TRUE(second->isRunning());
    EXPECT_FALSE(second->Stopp);
    EXPECT_EQ(window->DrawOrbits, second);
}

TEST_F(MainWindowBehaviour, ClosingDuringARunStopsItAndItsNextStepBringsBackAnIdleWindow)
{
    Ref<BackGroundDrawing> started = start();
    ASSERT_TRUE(started);
    RunRounds(200);
    Window1* closed = window.get();

    WidgetOf(*window)->close();
    EXPECT_TRUE(started->Stopp);
    EXPECT_FALSE(GetImplicitWindow("Window1.Window1"));
    EXPECT_EQ(seen.lines, std::vector<std::string> { "closed: Window1.Window1" });

    // The step under way ends with the diagram's point, which reads the main window's switch.
    ASSERT_TRUE(RunRoundsUntil([] { return bool(GetImplicitWindow("Window1.Window1")); }, 5));
    Ref<Window1> reopened = Window1::Instance();
    EXPECT_NE(reopened.get(), closed);
    EXPECT_FALSE(reopened->DrawOrbits);
    EXPECT_EQ(UiState(reopened), kIdle);
    EXPECT_EQ(seen.lines, (std::vector<std::string> { "closed: Window1.Window1", "opened: Window1.Window1" }));

    ASSERT_TRUE(RunRoundsUntil([&] { return !started->isRunning(); }, 1000));
    EXPECT_EQ(Window1::Instance(), reopened) << "one new window, whatever the unwinding does";
    EXPECT_EQ(UiState(reopened), kIdle);
}

TEST_F(MainWindowBehaviour, ClosingSetsStoppOnlyWhileStopIsEnabled)
{
    struct CloseCase {
        const char* state;
        bool withThread;
        bool stopEnabled;
        bool stoppAfter;
    };
    // The thread is never started: only what the close does to it is under test.
    const CloseCase cases[] = {
        { "a new window", false, false, false },
        { "idle with a thread of an earlier run", true, false, false },
        { "Stop enabled, as during a run or after its outcome", true, true, true },
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.state);
        Ref<Window1> main = Window1::Instance();
        Ref<BackGroundDrawing> held = c.withThread ? Ref<BackGroundDrawing>(new BackGroundDrawing) : nullptr;
        main->DrawOrbits = held;
        on<PushButton>(main, "PushButtonStopp")->setEnabled(c.stopEnabled);

        WidgetOf(*main)->close();
        EXPECT_FALSE(GetImplicitWindow("Window1.Window1"));
        EXPECT_EQ(main->DrawOrbits, held);
        if (held) {
            EXPECT_EQ(held->Stopp, c.stoppAfter);
        }
        EXPECT_FALSE(EventLoop::instance().takeException());
    }
}

TEST_F(MainWindowBehaviour, TheSliderDrawsOneWhiteIndicatorLineOnAFreshlyPaintedCanvas)
{
    struct SlideCase {
        std::int32_t value;
        const char* readOut;
        std::int32_t x2, y2;
    };
    // The end point is truncated: 140 ends at (197.0, 96.5), 145 at (199.75, 91.375).
    const SlideCase slides[] = {
        { 141, "35.25", 197, 95 },
        { 140, "35", 197, 96 },
        { 145, "36.25", 199, 91 },
        { 150, "37.5", 202, 86 },
    };
    // A plain canvas, so that black erase lines and old white lines would show.
    plainCanvases();
    const Color background = window->effectiveBackColor();
    const Color white { 255, 255, 255 };
    ASSERT_FALSE(background == white);
    ASSERT_FALSE(background == (Color { 0, 0, 0 }));

    Ref<Canvas> canvas = MainCanvas();
    for (const SlideCase& c : slides) {
        SCOPED_TRACE(c.value);
        slideAngle(c.value);
        EXPECT_EQ(input<StaticText>("StaticTextAngle")->Text(), c.readOut);
        EXPECT_EQ(canvas->pixel(0, 240), white);
        EXPECT_EQ(canvas->pixel(c.x2, c.y2), white);
        int whitePixels = 0, otherPixels = 0;
        for (std::int32_t y = 0; y < canvas->height(); ++y)
            for (std::int32_t x = 0; x < canvas->width(); ++x) {
                Color color = canvas->pixel(x, y);
                whitePixels += color == white ? 1 : 0;
                otherPixels += color == white || color == background ? 0 : 1;
            }
        // The line is longer across than up: one pixel for each column from 0 to x2.
        EXPECT_EQ(whitePixels, c.x2 + 1) << "the earlier line is gone";
        EXPECT_EQ(otherPixels, 0) << "the erase lines are painted over";
    }
}

TEST_F(MainWindowBehaviour, TheSwitchShowsTheOpenDiagramTickingOrUnticking)
{
    Ref<CheckBox> diagramSwitch = input<CheckBox>("CheckBoxvh");
    Ref<Window> diagram = GetImplicitWindow("Dialog1.Dialog1");
    ASSERT_TRUE(diagram);
    QWidget* onScreen = WidgetOf(*diagram);
    const QRect place = onScreen->geometry();
    enum class Before {
        InSight,
        Hidden,
        Minimised
    };
    for (Before before : { Before::InSight, Before::Hidden, Before::Minimised }) {
        for (bool ticks : { false, true }) {
            const char* const names[] = { "in sight", "hidden", "minimised" };
            SCOPED_TRACE(std::string(ticks ? "a click that ticks, the diagram " : "a click that unticks, the diagram ") + names[int(before)]);
            if (before == Before::Minimised)
                onScreen->showMinimized();
            else if (before == Before::Hidden)
                diagram->setVisible(false);
            WidgetOf(*window)->activateWindow();
            ProcessEvents();
            ASSERT_EQ(QApplication::activeWindow(), WidgetOf(*window));
            diagramSwitch->click();
            ProcessEvents();
            EXPECT_EQ(diagramSwitch->Value(), ticks);
            EXPECT_EQ(GetImplicitWindow("Dialog1.Dialog1"), diagram);
            EXPECT_TRUE(onScreen->isVisible());
            EXPECT_FALSE(onScreen->isMinimized());
            EXPECT_EQ(onScreen->geometry(), place);
            // A diagram that was in sight comes to the front without taking the keyboard.
            if (before == Before::InSight) {
                EXPECT_EQ(QApplication::activeWindow(), WidgetOf(*window));
            }
        }
    }
    EXPECT_EQ(seen.lines, std::vector<std::string> {});
}

TEST_F(MainWindowBehaviour, TheDiagramStaysAboveTheMainWindowWhicheverIsBuiltAgain)
{
    Ref<Window> diagram = GetImplicitWindow("Dialog1.Dialog1");
    ASSERT_TRUE(diagram);
    EXPECT_EQ(Handle(diagram)->transientParent(), Handle(window));

    // The About window, a document window too, does not take the main window's place.
    ASSERT_FALSE(window->AboutMenu_Action());
    Ref<Window> about = GetImplicitWindow("AboutWindow.AboutWindow");
    ASSERT_TRUE(about);
    EXPECT_EQ(Handle(diagram)->transientParent(), Handle(window));
    EXPECT_EQ(Handle(about)->transientParent(), nullptr);

    // Closed while the diagram lives on: the diagram stays above what is left, then above the
    // main window that comes next.
    WidgetOf(*window)->close();
    EXPECT_EQ(Handle(diagram)->transientParent(), Handle(about));
    about->Close();
    EXPECT_EQ(Handle(diagram)->transientParent(), nullptr);
    window = Window1::Instance();
    ASSERT_TRUE(window);
    EXPECT_EQ(Handle(diagram)->transientParent(), Handle(window));

    // A new diagram from the switch.
    WidgetOf(*diagram)->close();
    input<CheckBox>("CheckBoxvh")->click();
    Ref<Window> rebuilt = GetImplicitWindow("Dialog1.Dialog1");
    ASSERT_TRUE(rebuilt);
    ASSERT_NE(rebuilt, diagram);
    EXPECT_EQ(Handle(rebuilt)->transientParent(), Handle(window));
}

TEST_F(MainWindowBehaviour, ReturnPressesTheFirstDefaultButtonThatIsEnabled)
{
    // Start, Stop and Quit are all default buttons, made in that order.
    user_actions::TypeKey(*window, Qt::Key_Return);
    Ref<BackGroundDrawing> started = window->DrawOrbits;
    ASSERT_TRUE(started) << "Return pressed no Start";
    EXPECT_EQ(UiState(window), kRunning);
    // Start is disabled now: the next one is Stop, not Quit.
    user_actions::TypeKey(*window, Qt::Key_Return);
    EXPECT_EQ(UiState(window), kIdle);
    EXPECT_TRUE(started->Stopp);
    EXPECT_FALSE(IsQuitting());
    EXPECT_TRUE(RunUntilEveryThreadEnded());
}

TEST_F(MainWindowBehaviour, AnAngleSetFromCodeDrawsItsLineAsADragDoes)
{
    Ref<Slider> slider = input<Slider>("SliderAngle");
    Ref<StaticText> angle = input<StaticText>("StaticTextAngle");
    for (std::int32_t value : { 145, 150, 140 }) {
        SCOPED_TRACE(value);
        slider->setValue(value);
        EXPECT_EQ(angle->Text(), Str(value / 4.0)) << "the value set from code raised ValueChanged";
    }
}

TEST_F(MainWindowBehaviour, ANewWindowKeepsTheFocusItselfSoSpacePressesNoButton)
{
    EXPECT_EQ(WidgetOf(*window)->focusWidget(), WidgetOf(*window));
    user_actions::TypeKey(*window, Qt::Key_Space);
    EXPECT_FALSE(window->DrawOrbits);
    EXPECT_EQ(UiState(window), kIdle);
}

TEST_F(MainWindowBehaviour, StartByMouseThenSpaceTwiceLeavesTheFlightRunning)
{
    // Where the user left the focus before the click on Start; Start hides each of these.
    const char* const focusedBefore[] = { nullptr, "EditFieldDia", "PopupMenuType", "CheckBoxvh", "SliderAngle" };
    WidgetOf(*window)->activateWindow();
    for (const char* name : focusedBefore) {
        SCOPED_TRACE(name ? name : "nothing");
        if (name)
            WidgetOf(*input<RectControl>(name))->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(WidgetOf(*input<PushButton>("PushButtonStart")), Qt::LeftButton);
        Ref<BackGroundDrawing> started = window->DrawOrbits;
        ASSERT_TRUE(started);

        user_actions::TypeKey(*window, Qt::Key_Space);
        user_actions::TypeKey(*window, Qt::Key_Space);
        ASSERT_FALSE(IsQuitting()) << "Space pressed Quit";
        EXPECT_EQ(UiState(window), kRunning) << "Space pressed Stop";
        EXPECT_FALSE(started->Stopp);
        EXPECT_EQ(WidgetOf(*window)->focusWidget(), WidgetOf(*window)) << "the focus stays with the window";

        stop();
        ASSERT_TRUE(RunUntilEveryThreadEnded());
    }
}

TEST_F(MainWindowBehaviour, ClosingTheDiagramUnticksTheSwitchAndAClickBringsANewOne)
{
    Ref<CheckBox> diagramSwitch = input<CheckBox>("CheckBoxvh");
    for (bool tickedBefore : { false, true }) {
        SCOPED_TRACE(tickedBefore ? "a click that unticks" : "a click that ticks");
        seen.lines.clear();
        Ref<Window> closed = GetImplicitWindow("Dialog1.Dialog1");
        ASSERT_TRUE(closed);
        WidgetOf(*closed)->close();
        EXPECT_FALSE(diagramSwitch->Value());
        EXPECT_FALSE(GetImplicitWindow("Dialog1.Dialog1")) << "unticking from code shows nothing";
        EXPECT_EQ(seen.lines, std::vector<std::string> { "closed: Dialog1.Dialog1" });

        diagramSwitch->setValue(tickedBefore);
        diagramSwitch->click();
        EXPECT_EQ(diagramSwitch->Value(), !tickedBefore);
        Ref<Window> reopened = GetImplicitWindow("Dialog1.Dialog1");
        ASSERT_TRUE(reopened);
        EXPECT_NE(reopened, closed);
        EXPECT_TRUE(WidgetOf(*reopened)->isVisible());
        EXPECT_EQ(seen.lines, (std::vector<std::string> { "closed: Dialog1.Dialog1", "opened: Dialog1.Dialog1" }));
    }
}

// Quitting stops the scheduler for good in this runtime; the next case has a runtime of its own.
TEST(MainWindowBehaviourQuit, QuitEndsTheProgramWithZeroAndDoesNothingElse)
{
    Ref<Window1> window = Window1::Instance();
    ControlNamed<PushButton>(window, "PushButtonStart")->push();
    Ref<BackGroundDrawing> started = window->DrawOrbits;
    ASSERT_TRUE(started);
    RunRounds(50);
    ASSERT_FALSE(IsQuitting());
    RecordingObserver seen;

    ControlNamed<PushButton>(window, "PushButton3")->push();
    EXPECT_TRUE(IsQuitting());
    EXPECT_EQ(QuitCode(), 0);
    EXPECT_FALSE(started->Stopp);
    EXPECT_EQ(GetImplicitWindow("Window1.Window1"), Ref<Window>(window));
    EXPECT_TRUE(GetImplicitWindow("Dialog1.Dialog1"));
    EXPECT_EQ(seen.lines, std::vector<std::string> {}) << "no window is closed by the handler";
    EXPECT_FALSE(EventLoop::instance().takeException());
}

}
