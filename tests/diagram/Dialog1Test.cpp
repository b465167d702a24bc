#include "diagram/Dialog1.h"

#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/Scheduler.h"
#include "main_window/Window1.h"
#include "simulation/Variables.h"
#include "support/PixelComparison.h"
#include "support/PixelSnapshot.h"
#include "support/TestSupport.h"
#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/Graphics.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

constexpr Color kGridColor { 0x96, 0x50, 0x50 };
constexpr Color kPointColor { 0x12, 0xEF, 0x34 };

// The grid's columns (speeds .1 to 100 km/s) and rows (heights 0 to 200 km) as whole pixels.
const int kGridColumns[] = { 19, 41, 72, 95, 117, 148, 170, 193, 224, 246 };
const int kGridRows[] = { 230, 177, 125, 72, 20 };
constexpr int kTop = 20, kBottom = 230, kLeft = 19, kRight = 246;

class Diagram : public ::testing::Test {
protected:
    void SetUp() override
    {
        Variables::t = 20;
        Variables::v = 1;
        Variables::h = 100;
        Variables::col = kPointColor;
        Window1::Instance();
        ProcessEvents();
        ASSERT_TRUE(GetImplicitWindow("Dialog1.Dialog1")) << "a new main window shows the diagram";
        backdrop = PixelsOf(*canvas());
    }
    void TearDown() override
    {
        if (counter) {
            stopCounting = true;
            counter->Kill();
        }
        CloseProgramWindows();
        EXPECT_TRUE(OpenWindows().empty());
    }

    static Ref<Dialog1> dialog() { return Dialog1::Instance(); }
    static Ref<Canvas> canvas() { return ControlNamed<Canvas>(dialog(), "Canvas1"); }
    static Ref<CheckBox> grid() { return ControlNamed<CheckBox>(dialog(), "CheckBoxGrid"); }
    static Ref<CheckBox> diagramSwitch() { return ControlNamed<CheckBox>(Window1::Instance(), "CheckBoxvh"); }

    // The pixels of the diagram's canvas now, which may be a new one, that differ from the bare
    // backdrop, as (x, y).
    std::set<std::pair<int, int>> ChangedPixels() const
    {
        std::set<std::pair<int, int>> changed;
        for (const DifferingPixel& pixel : DifferingPixels(backdrop, PixelsOf(*canvas())))
            changed.insert({ pixel.at.x(), pixel.at.y() });
        return changed;
    }

    // Every grid pixel in the grid's colour, and nothing but the grid changed.
    void ExpectGridOverBackdrop(const std::set<std::pair<int, int>>& alsoAllowed = {}) const
    {
        Ref<Canvas> c = canvas();
        std::set<std::pair<int, int>> gridPixels;
        for (int x : kGridColumns)
            for (int y = kTop; y <= kBottom; ++y)
                gridPixels.insert({ x, y });
        for (int y : kGridRows)
            for (int x = kLeft; x <= kRight; ++x)
                gridPixels.insert({ x, y });
        int wrong = 0;
        for (auto [x, y] : gridPixels)
            wrong += c->pixel(x, y) == kGridColor ? 0 : 1;
        EXPECT_EQ(wrong, 0) << "grid pixels not in #965050";
        const std::set<std::pair<int, int>> changed = ChangedPixels();
        for (auto pixel : changed) {
            if (!gridPixels.count(pixel) && !alsoAllowed.count(pixel))
                ADD_FAILURE() << "drawn outside the grid at " << pixel.first << "," << pixel.second;
        }
        // Just beyond the line ends the backdrop shows.
        for (auto [x, y] : { std::pair { 95, kTop - 1 }, { 95, kBottom + 1 }, { kLeft - 1, 125 }, { kRight + 1, 125 } })
            EXPECT_FALSE(changed.count({ x, y })) << x << "," << y;
    }

    // Which of the fifteen lines, in drawing order, are on the canvas: one bit each.
    static std::uint32_t LinesDrawn()
    {
        Ref<Canvas> c = canvas();
        std::uint32_t mask = 0;
        int bit = 0;
        for (int x : kGridColumns)
            mask |= (c->pixel(x, 200) == kGridColor ? 1u : 0u) << bit++;
        for (int y : kGridRows)
            mask |= (c->pixel(30, y) == kGridColor ? 1u : 0u) << bit++;
        return mask;
    }

    // A thread that looks at the grid once per pass; a main-thread yield runs one pass.
    void StartCounting()
    {
        counter = StartThread([this] {
            while (!stopCounting) {
                passes.push_back(LinesDrawn());
                RuntimeBackgroundTask();
            }
        });
        // One round only: handling Qt events would let the scheduler's timer run more.
        Scheduler::instance().runRound();
        ASSERT_EQ(passes.size(), 1u);
        passes.clear();
    }

    void PlotAt(int x, int y) { canvas()->Graphics()->Pixel(x, y, kPointColor); }

    QImage backdrop;
    Ref<FunctionThread> counter;
    bool stopCounting { false };
    std::vector<std::uint32_t> passes;
};

TEST_F(Diagram, APointIsPlottedOnlyInsideThePlotArea)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    struct PlotCase {
        const char* what;
        bool switchTicked;
        double t, v, h;
        int x, y; // -1: nothing plotted
    };
    const PlotCase cases[] = {
        { "1 km/s at 100 km", true, 20, 1, 100, 95, 125 },
        { "t exactly 10 s", true, 10, 1, 100, -1, -1 },
        { "just after 10 s", true, 10.001, 1, 100, 95, 125 },
        { "on the ground", true, 20, 1, 0, -1, -1 },
        { "200 km", true, 20, 1, 200, 95, 20 },
        { "202 km", true, 20, 1, 202, -1, -1 },
        { "150 km/s", true, 20, 150, 100, -1, -1 },
        { "148.4 km/s", true, 20, 148.4, 100, 259, 125 },
        { "0.09 km/s", true, 20, 0.09, 100, -1, -1 },
        { "standing still", true, 20, 0, 100, -1, -1 },
        { "switch unticked", false, 20, 1, 100, -1, -1 },
        { "NaN speed", true, 20, nan, 100, -1, -1 },
        { "NaN height", true, 20, 1, nan, -1, -1 },
        { "NaN time", true, nan, 1, 100, -1, -1 },
    };
    for (const PlotCase& c : cases) {
        SCOPED_TRACE(c.what);
        canvas()->Refresh(true);
        diagramSwitch()->setValue(c.switchTicked);
        Variables::t = c.t;
        Variables::v = c.v;
        Variables::h = c.h;
        dialog()->DiaDraw();
        std::set<std::pair<int, int>> expected;
        if (c.x >= 0)
            expected.insert({ c.x, c.y });
        EXPECT_EQ(ChangedPixels(), expected);
        if (c.x >= 0) {
            EXPECT_EQ(canvas()->pixel(c.x, c.y), kPointColor);
        }
    }
}

TEST_F(Diagram, TheGridIsFifteenLinesEachFollowedByAYield)
{
    StartCounting();
    grid()->setValue(true);
    dialog()->Asteikko();
    std::vector<std::uint32_t> expected;
    for (int line = 1; line <= 15; ++line)
        expected.push_back((1u << line) - 1);
    EXPECT_EQ(passes, expected) << "one more line before each yield, speeds first, then heights from 0 km up";
    ExpectGridOverBackdrop();
}

TEST_F(Diagram, WithGridUntickedAsteikkoDrawsNothingAndNeverYields)
{
    StartCounting();
    dialog()->Asteikko();
    EXPECT_TRUE(passes.empty());
    EXPECT_TRUE(ChangedPixels().empty());
}

TEST_F(Diagram, ClearLeavesTheBackdropAndTheGridIfTicked)
{
    for (bool gridTicked : { false, true }) {
        SCOPED_TRACE(gridTicked ? "Grid ticked" : "Grid unticked");
        grid()->setValue(gridTicked);
        PlotAt(100, 100);
        PlotAt(19, 100);
        ControlNamed<PushButton>(dialog(), "PushButtonClear")->push();
        if (gridTicked)
            ExpectGridOverBackdrop();
        else
            EXPECT_TRUE(ChangedPixels().empty());
        EXPECT_FALSE(canvas()->pixel(100, 100) == kPointColor);
    }
}

TEST_F(Diagram, TickingGridDrawsOverThePoints)
{
    PlotAt(100, 100);
    grid()->click();
    ASSERT_TRUE(grid()->Value());
    EXPECT_EQ(canvas()->pixel(100, 100), kPointColor);
    ExpectGridOverBackdrop({ { 100, 100 } });
}

TEST_F(Diagram, UntickingGridErasesTheDiagramOnlyWhileTheSwitchIsTicked)
{
    for (bool switchTicked : { true, false }) {
        SCOPED_TRACE(switchTicked ? "switch ticked" : "switch unticked");
        canvas()->Refresh(true);
        diagramSwitch()->setValue(switchTicked);
        grid()->click();
        PlotAt(100, 100);
        PixelSnapshot before(canvas());
        grid()->click();
        ASSERT_FALSE(grid()->Value());
        if (switchTicked)
            EXPECT_TRUE(ChangedPixels().empty());
        else
            EXPECT_TRUE(before.changed().empty()) << "grid and points stay";
    }
}

TEST_F(Diagram, ClosingUnticksTheSwitchAndOpensNothing)
{
    RecordingObserver observer;
    Ref<Dialog1> old = dialog();
    WidgetOf(*old)->close();
    EXPECT_FALSE(diagramSwitch()->Value());
    EXPECT_FALSE(GetImplicitWindow("Dialog1.Dialog1"));
    EXPECT_EQ(observer.lines, (std::vector<std::string> { "closed: Dialog1.Dialog1" }));
}

TEST_F(Diagram, AfterACloseTheSwitchBringsANewEmptyDiagram)
{
    grid()->click();
    PlotAt(100, 100);
    Ref<Dialog1> old = dialog();
    old->Close();

    RecordingObserver observer;
    diagramSwitch()->click();
    EXPECT_TRUE(diagramSwitch()->Value());
    EXPECT_EQ(observer.lines, (std::vector<std::string> { "opened: Dialog1.Dialog1" }));
    Ref<Window> next = GetImplicitWindow("Dialog1.Dialog1");
    ASSERT_TRUE(next);
    EXPECT_NE(next.get(), old.get());
    EXPECT_FALSE(grid()->Value());
    EXPECT_TRUE(ChangedPixels().empty()) << "no grid and no points";
}

}
