#include "simulation/OutcomeMessages.h"

#include "simulation/Variables.h"
#include <fw/RuntimeFunctions.h>

using namespace fw;

namespace {
// The double spaces are part of the texts.
constexpr const char* kOpening = "A  ";
constexpr const char* kBurnUpEnding = "  m diameter object struck the earth.  It was completely burned in the atmosphere";
constexpr const char* kChunkMiddle = "  m diameter object struck the earth.  A  ";
constexpr const char* kChunkEnding = " meter chunk of it hit the ground. The rest was burned in the atmosphere.";
constexpr const char* kImpactMiddle = "  m diameter object hit the earth.  A  ";
constexpr const char* kImpactEnding = " meter chunk of it impacted the ground creating an explosion. The rest was burned in the atmosphere.";
}

std::string BurnUpMessage()
{
    return kOpening + Str(Variables::Dia1) + kBurnUpEnding;
}

std::string ChunkMessage()
{
    // The chunk in hundredths of a metre.
    double chunk = double(RuntimeCvtReal64ToSInt32(Variables::Dia * 100)) / 100;
    return kOpening + Str(Variables::Dia1) + kChunkMiddle + Str(chunk) + kChunkEnding;
}

std::string ImpactMessage()
{
    return kOpening + Str(Variables::Dia1) + kImpactMiddle + Str(RuntimeCvtReal64ToSInt32(Variables::Dia)) + kImpactEnding;
}
