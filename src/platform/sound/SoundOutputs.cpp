#include "sound/SoundOutputs.h"

#include "sound/SoundOutput.h"

namespace fw {

SoundOutputs::SoundOutputs() = default;

SoundOutputs::~SoundOutputs() = default;

SoundOutput& SoundOutputs::outputFor(const Sound& sound, const PcmWave& wave)
{
    std::unique_ptr<SoundOutput>& output = m_outputs[&sound];
    if (!output)
        output = std::make_unique<SoundOutput>(wave);
    return *output;
}

void SoundOutputs::release(const Sound& sound)
{
    if (!m_abandoned)
        m_outputs.erase(&sound);
}

void SoundOutputs::releaseAll()
{
    m_outputs.clear();
}

}
