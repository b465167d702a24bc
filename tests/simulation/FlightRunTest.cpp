// Whole flights from the main window's inputs, with the real initial state and integration,
// to their outcome message, which is composed here from its fixed texts and numbers.
#include "gui/MessageBoxes.h"
#include "main_window/Window1.h"
#include "simulation/BackGroundDrawing.h"
#include "simulation/OutcomeTexts.h"
#include "simulation/Variables.h"
#include "support/TestSupport.h"
#include <fw/PopupMenu.h>
#include <fw/RuntimeFunctions.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cctype>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

using namespace outcome_texts;

enum class Outcome {
    BurnUp,
    Chunk,
    Impact
};

// The message as the flight state stands while it is up.
std::string ExpectedMessage(Outcome outcome)
{
    using Variables::Dia;
    using Variables::Dia1;
    switch (outcome) {
    case Outcome::BurnUp:
        return kOpening + Str(Dia1) + kBurnUpEnding;
    case Outcome::Chunk:
        return kOpening + Str(Dia1) + kChunkMiddle + Str(std::trunc(Dia * 100) / 100) + kChunkEnding;
    case Outcome::Impact:
        return kOpening + Str(Dia1) + kImpactMiddle + Str(std::int32_t(std::trunc(Dia))) + kImpactEnding;
    }
    return {};
}

struct Flight {
    const char* origin;
    const char* material;
    const char* diameter;
    Outcome outcome;
};

void PrintTo(const Flight& flight, std::ostream* out)
{
    *out << flight.origin << " / " << flight.material << " / " << flight.diameter << " m";
}

std::string FlightName(const ::testing::TestParamInfo<Flight>& info)
{
    std::string name;
    for (const char* part : { info.param.origin, info.param.material, info.param.diameter }) {
        name += '_';
        for (const char* c = part; *c; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c)))
                name += *c;
            else if (*c == ',')
                break;
        }
    }
    return name.substr(1);
}

class FlightRun : public ::testing::TestWithParam<Flight> {
protected:
    void TearDown() override
    {
        if (m_flight) {
            m_flight->Stopp = true;
            RunUntilEveryThreadEnded();
        }
        CloseProgramWindows();
    }

    Ref<BackGroundDrawing> start()
    {
        m_flight = MakeRef<BackGroundDrawing>();
        m_flight->Run();
        return m_flight;
    }

private:
    Ref<BackGroundDrawing> m_flight;
};

// What the user sees and hears; windows opening are no part of it.
std::vector<std::string> SeenAndHeard(const RecordingObserver& observer)
{
    std::vector<std::string> lines;
    for (const auto& line : observer.lines) {
        if (line.starts_with("message: ") || line.starts_with("sound: "))
            lines.push_back(line);
    }
    return lines;
}

TEST_P(FlightRun, EndsWithItsOutcomeMessageAndThenTheThreadEnds)
{
    const Flight& flight = GetParam();
    Ref<Window1> window = Window1::Instance();
    ControlNamed<TextField>(window, "EditFieldDia")->type(flight.diameter);
    ASSERT_TRUE(ControlNamed<PopupMenu>(window, "PopupMenuOrigin")->choose(flight.origin));
    ASSERT_TRUE(ControlNamed<PopupMenu>(window, "PopupMenuType")->choose(flight.material));
    RecordingObserver observer;

    Ref<BackGroundDrawing> thread = start();
    ASSERT_TRUE(RunRoundsUntil([&] { return IsMessageBoxShowing() || !thread->isRunning(); }, 100000));
    ASSERT_TRUE(IsMessageBoxShowing()) << "the flight ended without an outcome";
    EXPECT_EQ(Str(Variables::Dia1), flight.diameter);
    const std::string text = ShowingMessageText();
    EXPECT_EQ(text, ExpectedMessage(flight.outcome));

    std::vector<std::string> expected;
    if (flight.outcome == Outcome::Impact)
        expected.push_back("sound: Explosion");
    expected.push_back("message: " + text);
    EXPECT_EQ(SeenAndHeard(observer), expected);

    DismissMessageBox();
    ASSERT_TRUE(RunRoundsUntil([&] { return !thread->isRunning(); }, 1000));
    EXPECT_TRUE(thread->Stopp);
    EXPECT_FALSE(IsMessageBoxShowing());
    EXPECT_EQ(SeenAndHeard(observer), expected) << "one outcome message per run";
}

// Every origin with stone, and every material from a near-Earth orbit, small and large.
INSTANTIATE_TEST_SUITE_P(Flights, FlightRun,
    ::testing::Values(
        Flight { "Oorts Cloud, 70 kms", "Stone", "1", Outcome::Chunk },
        Flight { "Oorts Cloud, 70 kms", "Stone", "50", Outcome::Impact },
        Flight { "Kuiper Belt, 60 kms", "Stone", "1", Outcome::Chunk },
        Flight { "Kuiper Belt, 60 kms", "Stone", "50", Outcome::Impact },
        Flight { "Asteroid Belt, 40 kms", "Stone", "1", Outcome::Chunk },
        Flight { "Asteroid Belt, 40 kms", "Stone", "50", Outcome::Impact },
        Flight { "Near Earth Asteroid, 20 kms", "Stone", "1", Outcome::Chunk },
        Flight { "Near Earth Asteroid, 20 kms", "Stone", "50", Outcome::Impact },
        Flight { "Earth Orbit, 7.6 kms", "Stone", "1", Outcome::Chunk },
        Flight { "Earth Orbit, 7.6 kms", "Stone", "50", Outcome::Impact },
        Flight { "Ballistic, 5 kms", "Stone", "1", Outcome::Chunk },
        Flight { "Ballistic, 5 kms", "Stone", "50", Outcome::Impact },
        Flight { "Near Earth Asteroid, 20 kms", "Dirty Snow Ball", "1", Outcome::BurnUp },
        Flight { "Near Earth Asteroid, 20 kms", "Dirty Snow Ball", "50", Outcome::Impact },
        Flight { "Near Earth Asteroid, 20 kms", "Carbon Condrite", "1", Outcome::BurnUp },
        Flight { "Near Earth Asteroid, 20 kms", "Carbon Condrite", "50", Outcome::Impact },
        Flight { "Near Earth Asteroid, 20 kms", "Iron", "1", Outcome::Chunk },
        Flight { "Near Earth Asteroid, 20 kms", "Iron", "50", Outcome::Impact }),
    FlightName);

}
