#pragma once

#include <string>

// The texts that announce how a flight ended, from the flight state at that moment.
std::string BurnUpMessage();
std::string ChunkMessage();
std::string ImpactMessage();
