#include "support/FlightFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace flight_testing;

namespace {

constexpr double kUnchecked = std::numeric_limits<double>::quiet_NaN();

// A run's constants from its initial state (a 1 m stone), then the body put where a case needs it.
class IntegrationStep : public FlightWindowTest {
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        typeDiameter("1");
        chooseMaterial("Stone");
        chooseOrigin("Near Earth Asteroid, 20 kms");
        flight->Lahtoarvot();
    }

    // Height in km, velocity components in km/s; a 1 m stone that has not flown yet.
    static void placeAt(double height, double vr, double vk)
    {
        Variables::r = 6350 + height;
        Variables::vr = vr;
        Variables::vk = vk;
        Variables::Dia = 1;
        Variables::m = 1570.6;
        Variables::k = 1.5706;
        Variables::k1 = 1.5706;
        Variables::t = 0;
    }

    void step() { flight->TrackComp(); }
};

struct AirCase {
    double height;
    double j;
    double roo;
    double relativeTolerance;
};

TEST_F(IntegrationStep, AirDensityFollowsTheModelAtmosphere)
{
    const AirCase cases[] = {
        { 0, 1, 1.0004, 1e-12 },
        { 10, kUnchecked, 0.3333, 3e-3 },
        { 50, kUnchecked, 8.07e-4, 3e-3 },
        { 80, 1.17, kUnchecked, 3e-3 },
        { 100, kUnchecked, 3.63e-7, 3e-3 },
        { 120, 3.16, 1.77e-8, 3e-3 },
        { 150, 3.43, kUnchecked, 3e-3 },
        { 500, 1.24, kUnchecked, 3e-3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " km");
        placeAt(c.height, -7.6, 0);
        step();
        EXPECT_EQ(Variables::h, c.height);
        if (!std::isnan(c.j)) {
            EXPECT_NEAR(Variables::j, c.j, c.j * c.relativeTolerance);
        }
        if (!std::isnan(c.roo)) {
            EXPECT_NEAR(Variables::roo, c.roo, c.roo * c.relativeTolerance);
        }
    }
}

TEST_F(IntegrationStep, DragFactorPeaksAtMachOne)
{
    const struct {
        double mach;
        double cdm;
        double tolerance;
    } cases[] = {
        { 0, 1, 1e-12 },
        { 1, 2.41667, 1e-5 },
        { 2, 1.42, 5e-3 },
        { 10, 1.017, 1e-3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "Mach " << c.mach);
        placeAt(30, -0.33 * c.mach, 0);
        step();
        EXPECT_DOUBLE_EQ(Variables::mach, c.mach);
        EXPECT_NEAR(Variables::cdm, c.cdm, c.tolerance);
        EXPECT_EQ(Variables::cd, Variables::cdm) << "the base coefficient is 1";
    }
}

struct GlowCase {
    double speed;
    double height;
    double fire;
    double tolerance;
    fw::Color colour;
};

// Each colour value is truncated, then clamped: 106.6 gives 106, 56447 gives 255.
TEST_F(IntegrationStep, FireballColourIsThePenOfTheMainCanvasAndTheDiagramsColour)
{
    const GlowCase cases[] = {
        { 20, 120, 26.6, 0.1, { 255, 106, 106 } },
        { 20, 0, 5645, 1, { 255, 255, 255 } },
        { 7.6, 120, 9.4, 0.05, { 94, 37, 37 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.speed << " km/s at " << c.height << " km");
        MainCanvas()->setForeColor({ 1, 2, 3 });
        Variables::col = { 4, 5, 6 };
        placeAt(c.height, -c.speed, 0);
        step();
        EXPECT_NEAR(Variables::fire, c.fire, c.tolerance);
        EXPECT_EQ(MainCanvas()->foreColor(), c.colour);
        EXPECT_EQ(Variables::col, c.colour);
    }
}

struct DragCase {
    double metresPerSecondSquared;
    double g;
};

TEST_F(IntegrationStep, DragBelowHalfAMetrePerSecondSquaredTakesNoMass)
{
    // The drag force at 100 km and 7.6 km/s does not depend on the mass, so a mass picked from
    // it gives the deceleration wanted.
    placeAt(100, -7.6, 0);
    step();
    const double force = Variables::D;
    ASSERT_GT(force, 0);

    const DragCase cases[] = { { 0.4, 0 }, { 0.6, 0.1 }, { 14.4, 1.4 }, { 14.6, 1.5 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.metresPerSecondSquared << " m/s2");
        placeAt(100, -7.6, 0);
        Variables::m = force * 7.6 * 7.6 / c.metresPerSecondSquared;
        Variables::g = 3;
        const double mass = Variables::m;
        step();
        EXPECT_NEAR(Variables::fireball, std::sqrt(0.03), 1e-12) << "from the g of the step before";
        EXPECT_EQ(Variables::g, c.g);
        if (c.g == 0) {
            EXPECT_EQ(Variables::m, mass);
        } else {
            EXPECT_LT(Variables::m, mass);
        }
        step();
        EXPECT_EQ(Variables::fireball == 0, c.g == 0) << Variables::fireball;
    }
}

TEST_F(IntegrationStep, StepLeavesStartHeightAndSpeedButMovesTheBody)
{
    placeAt(60, -12, 16);
    const double mass = Variables::m;
    step();

    EXPECT_EQ(Variables::h, 60);
    EXPECT_EQ(Variables::v, 20);
    EXPECT_NE(Variables::r - Variables::r1, Variables::h);
    EXPECT_NE(std::hypot(Variables::vr, Variables::vk), Variables::v);
    // The position moves with the velocity just updated, the angle over the old distance.
    EXPECT_DOUBLE_EQ(Variables::r, 6410 + Variables::vr * 0.1);
    EXPECT_DOUBLE_EQ(Variables::k, 1.5706 - Variables::vk * 0.1 / 6410);
    EXPECT_DOUBLE_EQ(Variables::s, -Variables::r * (Variables::k - 1.5706));
    EXPECT_GT(Variables::s, 0);
    EXPECT_LT(Variables::m, mass);
    EXPECT_LT(Variables::Dia, 1);
    EXPECT_DOUBLE_EQ(Variables::t, 0.1);
}

TEST_F(IntegrationStep, MassLossUsesTheStartSpeedAndTheNewDrag)
{
    placeAt(60, -12, 16);
    Variables::g = 1;
    step();
    ASSERT_GT(Variables::g, 1);

    const double rate = (1.0 * 1.0 * 20 * Variables::roo * Variables::g) / 3 * 200;
    EXPECT_NEAR(Variables::dm, rate, rate * 1e-12);
    EXPECT_NEAR(Variables::m, 1570.6 - rate * 0.1, 1e-9);
    EXPECT_NEAR(Variables::Dia, std::pow(6 * Variables::m / 3.1412 / 3 / 1000, 0.3333), 1e-12);
}

// High up at the start, the drag rounds to nothing: the diameter moves only by the exponent.
TEST_F(IntegrationStep, DiameterComesFromTheMassThroughTheExponent)
{
    const struct {
        const char* typed;
        double dia;
        double tolerance;
    } cases[] = {
        { "100", 99.954, 1e-3 },
        { "0.01", 0.0100046, 1e-7 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        typeDiameter(c.typed);
        flight->Lahtoarvot();
        const double mass = Variables::m;
        step();
        ASSERT_EQ(Variables::g, 0);
        ASSERT_EQ(Variables::m, mass);
        EXPECT_NEAR(Variables::Dia, c.dia, c.tolerance);
    }
}

TEST_F(IntegrationStep, EveryStepPlotsOnePointInTheDiagram)
{
    plainCanvases();
    placeAt(120, -7.6, 0);
    Variables::t = 20;
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(testing::Message() << "step " << n);
        DiagramCanvas()->Refresh(true);
        PixelSnapshot diagram(DiagramCanvas());
        PixelSnapshot main(MainCanvas());
        step();
        auto plotted = diagram.changed();
        ASSERT_EQ(plotted.size(), 1u);
        EXPECT_EQ(plotted[0].color, Variables::col);
        EXPECT_TRUE(main.changed().empty()) << "the step only sets the pen";
    }
}

TEST_F(IntegrationStep, ZeroDiameterTurnsTheFlightIntoNotANumber)
{
    typeDiameter("0");
    flight->Lahtoarvot();
    globeScale();
    plainCanvases();
    PixelSnapshot main(MainCanvas());
    PixelSnapshot diagram(DiagramCanvas());

    step();
    EXPECT_TRUE(std::isnan(Variables::vr));
    EXPECT_TRUE(std::isnan(Variables::vk));
    EXPECT_TRUE(std::isnan(Variables::r));
    EXPECT_NEAR(Variables::v, 20, 1e-12) << "the start speed of the step";

    // Past the diagram's first 10 s, with both views' drawing after every step.
    for (int n = 2; n <= 110; ++n) {
        const double before = Variables::t;
        window->Draw1();
        window->Draw2();
        step();
        EXPECT_NEAR(Variables::t - before, 0.1, 1e-9);
        EXPECT_TRUE(std::isnan(Variables::v));
    }
    window->Draw1();
    window->Draw2();
    EXPECT_GT(Variables::t, 10);
    EXPECT_TRUE(main.changed().empty());
    EXPECT_TRUE(diagram.changed().empty());
}

}
