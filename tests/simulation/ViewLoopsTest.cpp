// The globe and close-up loops on a scripted flight: every step sets the state as an
// integration step would, so each threshold, nesting and unwinding is hit exactly.
#include "gui/MessageBoxes.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/Scheduler.h"
#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "simulation/BackGroundDrawing.h"
#include "simulation/OutcomeMessages.h"
#include "simulation/Variables.h"
#include "support/TestSupport.h"
#include <fw/Graphics.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double Below(double value) { return std::nextafter(value, -kInf); }
double Above(double value) { return std::nextafter(value, kInf); }

// Step n sets h to heights[n - 1]. Past the list the run stops as if by Stop, or, with
// holdLastHeight, the last height stays. The views entered and the view of each step are logged.
class ScriptedFlight : public BackGroundDrawing {
public:
    std::vector<double> heights;
    std::function<void(int step)> onStep;
    bool holdLastHeight = false;
    bool instantDelay = false;

    int steps = 0;
    int waits = 0;
    int explosions = 0;
    std::string entries;
    std::string stepViews;
    std::vector<double> stepDt;
    std::vector<bool> stoppAtStep;

    // A flight high above the close-up view, fast, heavy and large enough to burn up nowhere.
    void Lahtoarvot() override
    {
        using namespace Variables;
        t = 1;
        dt = 0.1;
        h = 200;
        v = 10;
        mach = 30;
        m = 1000;
        Dia = 1;
        Dia1 = 1;
        s = 0;
        k = 0;
        k1 = 0;
        r = 6550;
        fireball = 0;
    }

    void TrackComp() override
    {
        Wait();
        ++steps;
        stepViews += m_open.back();
        stepDt.push_back(Variables::dt);
        stoppAtStep.push_back(Stopp);
        if (steps <= int(heights.size()))
            Variables::h = heights[steps - 1];
        else if (!holdLastHeight)
            Stopp = true;
        if (onStep)
            onStep(steps);
    }

    void Wait() override
    {
        ++waits;
        BackGroundDrawing::Wait();
    }

    void Delay() override
    {
        if (!instantDelay)
            BackGroundDrawing::Delay();
    }

    void Explodex() override
    {
        ++explosions;
        Stopp = true;
    }

    void Track1Globe() override
    {
        inView('G', [this] { BackGroundDrawing::Track1Globe(); });
    }
    void Track3Stratos() override
    {
        inView('C', [this] { BackGroundDrawing::Track3Stratos(); });
    }

private:
    template<typename Loop>
    void inView(char view, Loop loop)
    {
        entries += view;
        m_open += view;
        loop();
        m_open.pop_back();
    }

    std::string m_open;
};

class ViewLoops : public ::testing::Test {
protected:
    void SetUp() override
    {
        Window1::Instance();
    }

    void TearDown() override
    {
        // A failed check may leave a run going or a box up.
        for (auto& flight : m_flights)
            flight->Stopp = true;
        RunUntilEveryThreadEnded();
        CloseProgramWindows();
    }

    Ref<ScriptedFlight> fly(std::vector<double> heights)
    {
        Ref<ScriptedFlight> flight(new ScriptedFlight);
        flight->heights = std::move(heights);
        m_flights.push_back(flight);
        return flight;
    }

    // Exactly one scheduler round per test of the condition: handling Qt events could let the
    // scheduler's own timer slip in further rounds, and a Stop would come later than meant.
    static bool runUntil(const std::function<bool()>& done, int maxRounds = 100000)
    {
        for (int round = 0; round < maxRounds; ++round) {
            if (done())
                return true;
            Scheduler::instance().runRound();
        }
        return done();
    }

    // Runs until an outcome message is up or the run has ended.
    static bool runToMessageOrEnd(ScriptedFlight& flight, int maxRounds = 100000)
    {
        return runUntil([&] { return IsMessageBoxShowing() || !flight.isRunning(); }, maxRounds);
    }

    static bool runToEnd(ScriptedFlight& flight)
    {
        return runUntil([&] { return !flight.isRunning(); });
    }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> shown;
        for (const auto& line : observer.lines) {
            if (line.starts_with("message: "))
                shown.push_back(line.substr(9));
        }
        return shown;
    }

    static void pressEscape()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(WidgetOf(*Window1::Instance()), &press);
    }

    RecordingObserver observer;

private:
    std::vector<Ref<ScriptedFlight>> m_flights;
};

TEST_F(ViewLoops, CrossingsHappenOnlyPastTheirThresholds)
{
    struct Case {
        const char* what;
        double t;
        std::vector<double> heights;
        const char* entries;
    };
    const Case cases[] = {
        { "t exactly 0.5 keeps the globe view", 0.5, { 100 }, "G" },
        { "t just above 0.5 enters the close-up", Above(0.5), { 100 }, "GC" },
        { "h exactly 120 keeps the globe view", 1, { 120 }, "G" },
        { "h just below 120 enters the close-up", 1, { Below(120) }, "GC" },
        { "between 120 and 121 the globe view stays", 1, { 120.5 }, "G" },
        { "between 120 and 121 the close-up stays", 1, { 100, 120.5 }, "GC" },
        { "h exactly 121 keeps the close-up", 1, { 100, 121 }, "GC" },
        { "h just above 121 climbs into a globe view", 1, { 100, Above(121) }, "GCG" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Ref<ScriptedFlight> flight = fly(c.heights);
        flight->onStep = [&](int) { Variables::t = c.t; };
        flight->Run();
        ASSERT_TRUE(runToEnd(*flight));
        EXPECT_EQ(flight->entries, c.entries);
    }
}

TEST_F(ViewLoops, TheCloseUpWrapsOnlyOnceTheTrackPasses640Km)
{
    const Color marker = RGB(255, 0, 255);
    for (double s : { 640.0, Above(640) }) {
        SCOPED_TRACE(s);
        Ref<ScriptedFlight> flight = fly({ 100, 100, 100 });
        double k1AfterPass = -1;
        bool markerKept = false;
        flight->onStep = [&](int step) {
            if (step == 1)
                Variables::k = 0.1;
            if (step == 2) {
                Variables::s = s;
                Variables::k = 0.3;
                MainCanvasGraphics()->Pixel(20, 20, marker);
            }
            if (step == 3) {
                k1AfterPass = Variables::k1;
                markerKept = MainCanvas()->pixel(20, 20) == marker;
            }
        };
        flight->Run();
        ASSERT_TRUE(runToEnd(*flight));
        ASSERT_EQ(flight->stepViews.substr(0, 3), "GCC");
        const bool wraps = s > 640;
        EXPECT_EQ(k1AfterPass, wraps ? 0.3 : 0.1) << "k1 is the k of the wrap, else of the entry";
        EXPECT_EQ(markerKept, !wraps) << "a wrap sets the backdrop again, which repaints";
        EXPECT_EQ(MainCanvas()->backdrop(), Braking());
    }
}

TEST_F(ViewLoops, BurnsUpOnlyBelowItsThresholds)
{
    struct Case {
        const char* what;
        double m, Dia, v;
        bool burned;
    };
    const Case cases[] = {
        { "all three exactly at their thresholds", 5e-9, 0.0002, 0.1, false },
        { "mass just below", Below(5e-9), 0.0002, 0.1, true },
        { "diameter just below", 5e-9, Below(0.0002), 0.1, true },
        { "speed just below", 5e-9, 0.0002, Below(0.1), true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        observer.lines.clear();
        Ref<ScriptedFlight> flight = fly({ 100, 100 });
        flight->onStep = [&](int step) {
            if (step == 2) {
                Variables::m = c.m;
                Variables::Dia = c.Dia;
                Variables::v = c.v;
            }
        };
        flight->Run();
        ASSERT_TRUE(runToMessageOrEnd(*flight));
        if (c.burned) {
            ASSERT_TRUE(IsMessageBoxShowing());
            EXPECT_EQ(ShowingMessageText(), BurnUpMessage());
            EXPECT_EQ(Variables::m, 5e-9);
            EXPECT_EQ(Variables::Dia, 0.0002);
            EXPECT_FALSE(flight->Stopp) << "set once the message is dismissed";
            DismissMessageBox();
            ASSERT_TRUE(runToEnd(*flight));
            EXPECT_TRUE(flight->Stopp);
            EXPECT_EQ(flight->stepViews, "GCG") << "the close-up leaves at once, its globe view after one step";
        } else {
            EXPECT_TRUE(messages().empty());
            EXPECT_EQ(flight->stepViews, "GCCG") << "the close-up went on with another step";
        }
    }
}

TEST_F(ViewLoops, TheCloseUpStepSizeStaysForTheRestOfTheRun)
{
    Ref<ScriptedFlight> flight = fly({ 200, 100, 130, 130 });
    flight->Run();
    ASSERT_TRUE(runToEnd(*flight));
    EXPECT_EQ(flight->stepViews, "GGCGGG");
    EXPECT_EQ(flight->stepDt, (std::vector<double> { 0.1, 0.1, 0.03, 0.03, 0.03, 0.03 }));
}

TEST_F(ViewLoops, StopUnwindsWithOneStepPerEnclosingGlobeView)
{
    enum class When {
        InWait,
        AtPassEnd
    };
    struct Case {
        const char* what;
        std::vector<double> heights; // the last is that of the step under way at Stop
        When when;
        int furtherSteps;
        const char* entries;
    };
    const Case cases[] = {
        { "unnested globe view, in its Wait", { 200, 200 }, When::InWait, 0, "G" },
        { "unnested globe view, at its pass end", { 200, 200 }, When::AtPassEnd, 1, "G" },
        { "close-up in one globe view", { 100, 100 }, When::InWait, 1, "GC" },
        { "close-up in one globe view, climbing", { 100, 130 }, When::InWait, 2, "GCG" },
        { "close-up in three globe views", { 100, 130, 100, 130, 100, 100 }, When::InWait, 3, "GCGCGC" },
        { "close-up in three globe views, climbing", { 100, 130, 100, 130, 100, 130 }, When::InWait, 4, "GCGCGCG" },
        { "close-up in two globe views, at its pass end", { 100, 130, 100, 100 }, When::AtPassEnd, 2, "GCGC" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        observer.lines.clear();
        Ref<ScriptedFlight> flight = fly(c.heights);
        flight->holdLastHeight = true;
        const int stopStep = int(c.heights.size());
        flight->Run();
        if (c.when == When::InWait) {
            ASSERT_TRUE(runUntil([&] { return flight->waits == stopStep; }));
        } else {
            ASSERT_TRUE(runUntil([&] { return flight->steps == stopStep; }));
        }
        ASSERT_TRUE(flight->isRunning());
        flight->Stopp = true;
        ASSERT_TRUE(runToEnd(*flight));
        EXPECT_EQ(flight->steps - stopStep, c.furtherSteps);
        EXPECT_EQ(flight->entries, c.entries);
        EXPECT_TRUE(messages().empty()) << "no burn-up message once Stopp is set";
    }
}

TEST_F(ViewLoops, EscapeEndsOnlyTheViewThatSeesIt)
{
    struct Case {
        const char* what;
        std::vector<double> heights;
        int cancelStep; // Escape comes while this step waits
        const char* stepViews;
        const char* entries;
    };
    const Case cases[] = {
        { "outermost globe view: the run ends", { 200, 200 }, 1, "G", "G" },
        { "close-up: its globe view goes on and enters it again", { 100, 100, 100 }, 2, "GCGCG", "GCC" },
        { "nested globe view: its close-up goes on", { 100, 130, 130, 100 }, 3, "GCGCCG", "GCG" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Ref<ScriptedFlight> flight = fly(c.heights);
        flight->Run();
        ASSERT_TRUE(runUntil([&] { return flight->waits == c.cancelStep; }));
        pressEscape();
        ASSERT_TRUE(runToEnd(*flight));
        EXPECT_EQ(flight->stepViews, c.stepViews);
        EXPECT_EQ(flight->entries, c.entries);
        if (flight->steps > c.cancelStep) {
            EXPECT_FALSE(flight->stoppAtStep[c.cancelStep]) << "Escape leaves Stopp False";
        } else {
            EXPECT_FALSE(flight->Stopp);
        }
        EXPECT_FALSE(UserCancelled()) << "the press was taken by the view that saw it";
    }
}

// Any close-up pass in the ground band that does not explode ends with the chunk message,
// whatever (m·v)·v is, so no body sinks below the ground.
TEST_F(ViewLoops, GroundContactEndsInAnExplosionOrAChunk)
{
    enum class Outcome {
        None,
        Chunk,
        Explosion
    };
    const double band = 1.0 / 1000 * 2 + 0.1; // the band's top for Dia 1
    struct Case {
        const char* what;
        double h, v, m;
        Outcome outcome;
    };
    const Case cases[] = {
        { "at the band's top: no contact", band, 0.5, 1e6, Outcome::None },
        { "just inside the band, fast and heavy", Below(band), 0.5, 1e6, Outcome::Explosion },
        { "slow and light", 0.05, 0.15, 10, Outcome::Chunk },
        { "below 0.1 km/s: the chunk, and no burn-up after it", 0.05, 0.05, 10, Outcome::Chunk },
        { "v exactly 0.2, light", 0.05, 0.2, 10, Outcome::Chunk },
        { "v exactly 0.2, heavy: no explosion, a chunk", 0.05, 0.2, 1e6, Outcome::Chunk },
        { "(m*v)*v exactly 10000: a chunk", 0.05, 0.5, 40000, Outcome::Chunk },
        { "(m*v)*v just above 10000", 0.05, 0.5, Above(40000), Outcome::Explosion },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        observer.lines.clear();
        Ref<ScriptedFlight> flight = fly({ 100, c.h });
        flight->onStep = [&](int step) {
            if (step == 2) {
                Variables::v = c.v;
                Variables::m = c.m;
            }
        };
        flight->Run();
        ASSERT_TRUE(runToMessageOrEnd(*flight));
        if (c.outcome == Outcome::Chunk) {
            ASSERT_TRUE(IsMessageBoxShowing());
            EXPECT_EQ(ShowingMessageText(), ChunkMessage());
            DismissMessageBox();
            ASSERT_TRUE(runToEnd(*flight));
        }
        EXPECT_EQ(flight->explosions, c.outcome == Outcome::Explosion ? 1 : 0);
        EXPECT_EQ(messages().size(), c.outcome == Outcome::Chunk ? 1u : 0u);
        EXPECT_EQ(flight->stepViews, c.outcome == Outcome::None ? "GCCG" : "GCG");
        EXPECT_TRUE(flight->Stopp);
    }
}

TEST_F(ViewLoops, NestingPastTheStackEndsTheRunWithAnErrorAndTheNextRunFlies)
{
    Ref<ScriptedFlight> flight = fly({});
    flight->holdLastHeight = true;
    flight->instantDelay = true;
    flight->onStep = [](int step) { Variables::h = step % 2 ? 100 : 130; };
    flight->Run();
    ASSERT_TRUE(runUntil(IsMessageBoxShowing, 2000000));
    EXPECT_GT(flight->entries.size(), 1000u);
    std::vector<std::string> reports;
    for (const auto& line : observer.lines) {
        if (line.starts_with("exception: "))
            reports.push_back(line);
    }
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].starts_with("exception: StackOverflowException: ")) << reports[0];
    EXPECT_NE(ShowingMessageText().find("StackOverflowException"), std::string::npos);
    DismissMessageBox();
    ASSERT_TRUE(runToEnd(*flight));
    EXPECT_FALSE(flight->Stopp);

    Ref<ScriptedFlight> next = fly({ 100, 0.05 });
    next->onStep = [](int step) {
        if (step == 2) {
            Variables::v = 0.15;
            Variables::m = 10;
        }
    };
    next->Run();
    ASSERT_TRUE(runToMessageOrEnd(*next));
    EXPECT_EQ(ShowingMessageText(), ChunkMessage());
    DismissMessageBox();
    EXPECT_TRUE(runToEnd(*next));
    EXPECT_EQ(next->stepViews, "GCG");
}

}
