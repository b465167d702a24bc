// The three outcome texts, cut apart at their numbers, so that every fixed text between them is
// checked in place, its spaces included.
#include "simulation/OutcomeMessages.h"

#include "main_window/Window1.h"
#include "simulation/BackGroundDrawing.h"
#include "simulation/OutcomeTexts.h"
#include "simulation/Variables.h"
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace fw;

namespace {

using namespace outcome_texts;

// A fixed text, or the text that a number must take there.
struct Part {
    const std::string* fixed;
    std::string number;
};

// Cuts the text at the fixed texts and the numbers' texts; every part must be where it belongs.
void ExpectComposedOf(const std::string& text, const std::vector<Part>& parts)
{
    std::size_t at = 0;
    for (const Part& part : parts) {
        if (part.fixed) {
            EXPECT_EQ(text.substr(at, part.fixed->size()), *part.fixed) << "at " << at;
            at += part.fixed->size();
        } else {
            EXPECT_EQ(text.substr(at, part.number.size()), part.number) << "at " << at;
            at += part.number.size();
        }
    }
    EXPECT_EQ(at, text.size()) << "nothing follows the ending: " << text;
}

TEST(OutcomeMessages, EachIsJoinedFromItsFixedTextsAndNumbers)
{
    struct Case {
        const char* what;
        std::function<std::string()> message;
        double Dia1, Dia;
        std::vector<Part> parts;
    };
    const Case cases[] = {
        { "burn-up, whole initial diameter", BurnUpMessage, 1, 0.0002, { { &kOpening, {} }, { nullptr, "1" }, { &kBurnUpEnding, {} } } },
        { "burn-up, fractional initial diameter", BurnUpMessage, 0.5, 0.0002,
            { { &kOpening, {} }, { nullptr, "0.5" }, { &kBurnUpEnding, {} } } },
        { "chunk in hundredths, truncated", ChunkMessage, 50, 0.387,
            { { &kOpening, {} }, { nullptr, "50" }, { &kChunkMiddle, {} }, { nullptr, "0.38" }, { &kChunkEnding, {} } } },
        { "chunk under a hundredth", ChunkMessage, 1, 0.004,
            { { &kOpening, {} }, { nullptr, "1" }, { &kChunkMiddle, {} }, { nullptr, "0" }, { &kChunkEnding, {} } } },
        { "chunk of tenths, initial diameter of hundredths", ChunkMessage, 12.25, 2.5,
            { { &kOpening, {} }, { nullptr, "12.25" }, { &kChunkMiddle, {} }, { nullptr, "2.5" }, { &kChunkEnding, {} } } },
        { "impact chunk in whole metres, truncated", ImpactMessage, 50, 36.9,
            { { &kOpening, {} }, { nullptr, "50" }, { &kImpactMiddle, {} }, { nullptr, "36" }, { &kImpactEnding, {} } } },
        { "impact chunk just under a whole metre", ImpactMessage, 50, 5.99,
            { { &kOpening, {} }, { nullptr, "50" }, { &kImpactMiddle, {} }, { nullptr, "5" }, { &kImpactEnding, {} } } },
        { "impact of the whole capped object", ImpactMessage, 100, 100,
            { { &kOpening, {} }, { nullptr, "100" }, { &kImpactMiddle, {} }, { nullptr, "100" }, { &kImpactEnding, {} } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Variables::Dia1 = c.Dia1;
        Variables::Dia = c.Dia;
        ExpectComposedOf(c.message(), c.parts);
    }
}

TEST(OutcomeMessages, ADiameterAbove100IsNamedAs100)
{
    Ref<Window1> window = Window1::Instance();
    ControlNamed<TextField>(window, "EditFieldDia")->type("250");
    Ref<BackGroundDrawing> flight(new BackGroundDrawing);
    flight->Lahtoarvot();
    EXPECT_EQ(Variables::Dia1, 100);
    ExpectComposedOf(BurnUpMessage(), { { &kOpening, {} }, { nullptr, "100" }, { &kBurnUpEnding, {} } });

    for (const char* name : { "Dialog1.Dialog1", "Window1.Window1" }) {
        if (Ref<Window> open = GetImplicitWindow(name))
            open->Close();
    }
}

}
