#include "shell/Resources.h"
#include "support/FakeInstallation.h"
#include "support/FlightFixture.h"
#include <fw/Exceptions.h>
#include <fw/FolderItem.h>
#include <fw/Picture.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace flight_testing;

namespace {

using InitialState = FlightWindowTest;

struct MassCase {
    const char* diameter;
    const char* material;
    double density;
    double mass;
};

TEST_F(InitialState, MassIsThatOfASphereOfTheMaterial)
{
    const MassCase cases[] = {
        { "1", "Dirty Snow Ball", 1, 523.53 },
        { "1", "Carbon Condrite", 2, 1047.07 },
        { "1", "Stone", 3, 1570.6 },
        { "100", "Stone", 3, 1.5706e9 },
        { "100", "Iron", 7, 3.6647e9 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.diameter) + " m " + c.material);
        typeDiameter(c.diameter);
        chooseMaterial(c.material);
        flight->Lahtoarvot();
        EXPECT_EQ(Variables::density, c.density);
        EXPECT_NEAR(Variables::m, c.mass, c.mass * 1e-5);
        EXPECT_EQ(Variables::mm, Variables::m);
    }
}

struct OriginCase {
    const char* origin;
    double v;
    double dt;
    double r;
    double vk;
    double vr;
};

// At the slider's 140 for the origins that take their direction from it.
TEST_F(InitialState, OriginSetsSpeedStepHeightAndDirection)
{
    const OriginCase cases[] = {
        { "Oorts Cloud, 70 kms", 70, 0.03, 11000, 40.148, -57.342 },
        { "Kuiper Belt, 60 kms", 60, 0.03, 11000, 34.412, -49.151 },
        { "Asteroid Belt, 40 kms", 40, 0.03, 11000, 22.942, -32.767 },
        { "Near Earth Asteroid, 20 kms", 20, 0.1, 11000, 11.471, -16.384 },
        { "Earth Orbit, 7.6 kms", 7.6, 0.1, 6550, 7.6, -0.00088 },
        { "Ballistic, 5 kms", 6, 0.2, 6500, 5.197, 2.999 },
    };
    slideAngle(140);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.origin);
        chooseOrigin(c.origin);
        flight->Lahtoarvot();
        EXPECT_EQ(Variables::v, c.v);
        EXPECT_EQ(Variables::dt, c.dt);
        EXPECT_EQ(Variables::r, c.r);
        EXPECT_EQ(Variables::h, c.r - 6350);
        EXPECT_NEAR(Variables::vk, c.vk, 1e-3);
        EXPECT_NEAR(Variables::vr, c.vr, std::abs(c.vr) < 0.01 ? 1e-5 : 1e-3);
    }
}

TEST_F(InitialState, SliderGivesTheAngleInQuarterDegrees)
{
    chooseOrigin("Near Earth Asteroid, 20 kms");
    for (auto [slider, angle] : { std::pair { 140, 0.61082 }, std::pair { 150, 0.65445 } }) {
        slideAngle(slider);
        flight->Lahtoarvot();
        EXPECT_NEAR(Variables::angle, angle, 1e-5) << slider;
    }
}

TEST_F(InitialState, OrbitAndBallisticStartsIgnoreTheSlider)
{
    for (const char* origin : { "Earth Orbit, 7.6 kms", "Ballistic, 5 kms" }) {
        SCOPED_TRACE(origin);
        chooseOrigin(origin);
        slideAngle(140);
        flight->Lahtoarvot();
        const double vk = Variables::vk, vr = Variables::vr, r = Variables::r;
        slideAngle(150);
        flight->Lahtoarvot();
        EXPECT_EQ(Variables::vk, vk);
        EXPECT_EQ(Variables::vr, vr);
        EXPECT_EQ(Variables::r, r);
    }
}

struct DiameterCase {
    const char* typed;
    double dia;
    const char* fieldShows;
};

TEST_F(InitialState, DiameterIsHeldToAHundredMetres)
{
    const DiameterCase cases[] = {
        { "100", 100, "100" },
        { "100.0", 100, "100.0" }, // exactly 100 is left as typed
        { "100.5", 100, "100" },
        { "250", 100, "100" },
        { "99.5", 99.5, "99.5" },
        { "0", 0, "0" },
        { "-5", -5, "-5" }, // no lower bound
        { "1e309", 100, "100" }, // beyond the Double range: infinitely large
        { "1e-400", 0, "1e-400" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        typeDiameter(c.typed);
        flight->Lahtoarvot();
        EXPECT_EQ(Variables::Dia, c.dia);
        EXPECT_EQ(Variables::Dia1, c.dia);
        EXPECT_EQ(input<fw::TextField>("EditFieldDia")->Text(), c.fieldShows);
    }
}

TEST_F(InitialState, SetsTheRunsConstantsAndKeepsWhatCarriesOver)
{
    // Leftovers of an earlier run: most are set afresh, g and the last plotted point are not.
    Variables::t = 12.3;
    Variables::b = 4;
    Variables::dm = 7;
    Variables::g = 4.2;
    Variables::xx = 123;
    Variables::yy = -45;
    Pum3()->setTransparent(0);

    flight->Lahtoarvot();

    EXPECT_EQ(Variables::pii, 3.1412);
    EXPECT_EQ(Variables::k, 1.5706);
    EXPECT_EQ(Variables::t, 0);
    EXPECT_EQ(Variables::b, 0);
    EXPECT_EQ(Variables::dm, 0);
    EXPECT_EQ(Variables::cdd, 1);
    EXPECT_EQ(Variables::r1, 6350);
    EXPECT_EQ(Variables::po, 395600);
    EXPECT_EQ(Variables::h, Variables::r - 6350);
    EXPECT_EQ(Variables::g, 4.2);
    EXPECT_EQ(Variables::xx, 123);
    EXPECT_EQ(Variables::yy, -45);
    for (auto frame : { Pum1, Pum2, Pum3, Pum4, Pum5 })
        EXPECT_EQ(frame()->Transparent(), 1);
}

TEST_F(InitialState, UnmatchedSelectionsLeaveTheirValuesAsTheyWere)
{
    input<fw::PopupMenu>("PopupMenuType")->setListIndex(-1);
    input<fw::PopupMenu>("PopupMenuOrigin")->setListIndex(-1);
    slideAngle(150);
    Variables::density = 5;
    Variables::Htrans = 0.5;
    Variables::Habl = 5;
    Variables::v = 9;
    Variables::dt = 0.5;

    flight->Lahtoarvot();

    EXPECT_EQ(Variables::density, 5);
    EXPECT_EQ(Variables::Htrans, 0.5);
    EXPECT_EQ(Variables::Habl, 5);
    EXPECT_EQ(Variables::v, 9);
    EXPECT_EQ(Variables::dt, 0.5);
    EXPECT_EQ(Variables::r, 11000);
    EXPECT_NEAR(Variables::angle, 0.65445, 1e-5);
}

// Each case starts with no explosion frame loaded; the window's own pictures come from the real
// folder, since it opens before the switch.
TEST_F(InitialState, MissingExplosionFrameStopsTheRunBeforeAnyValueIsSet)
{
    testing_support::FakeInstallation noFiles("quendal-no-frames");
    bool aFrameIsMissing = false;
    for (auto frame : { Pum1, Pum2, Pum3, Pum4, Pum5 }) {
        try {
            frame();
        } catch (const fw::NilObjectException&) {
            aFrameIsMissing = true;
        }
    }
    ASSERT_TRUE(aFrameIsMissing) << "a frame was loaded before the case began";

    typeDiameter("250");
    Variables::pii = -1;
    Variables::t = -2;
    Variables::Dia = -3;
    Variables::Dia1 = -4;
    Variables::r = -5;
    Variables::m = -6;

    EXPECT_THROW(flight->Lahtoarvot(), fw::NilObjectException);

    EXPECT_EQ(Variables::pii, -1);
    EXPECT_EQ(Variables::t, -2);
    EXPECT_EQ(Variables::Dia, -3);
    EXPECT_EQ(Variables::Dia1, -4);
    EXPECT_EQ(Variables::r, -5);
    EXPECT_EQ(Variables::m, -6);
    EXPECT_EQ(input<fw::TextField>("EditFieldDia")->Text(), "250");
}

}
