#pragma once

// The fixed texts of the three outcome messages, between which their numbers stand, as the
// user reads them, spaces included.
#include <string>

namespace outcome_texts {

inline const std::string kOpening = "A  ";
inline const std::string kBurnUpEnding = "  m diameter object struck the earth.  It was completely burned in the atmosphere";
inline const std::string kChunkMiddle = "  m diameter object struck the earth.  A  ";
inline const std::string kChunkEnding = " meter chunk of it hit the ground. The rest was burned in the atmosphere.";
inline const std::string kImpactMiddle = "  m diameter object hit the earth.  A  ";
inline const std::string kImpactEnding = " meter chunk of it impacted the ground creating an explosion. The rest was burned in the atmosphere.";

}
