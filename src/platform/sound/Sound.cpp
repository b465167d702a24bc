#include <fw/Sound.h>

#include "core/FrameworkObserver.h"
#include "sound/PcmWave.h"
#include "sound/SoundOutput.h"
#include "sound/SoundOutputs.h"

namespace fw {

const ClassInfo& Sound::StaticClass()
{
    static const ClassInfo info("Sound", &Object::StaticClass(), nullptr);
    return info;
}

Sound::Sound(std::string name, PcmWave wave)
    : m_name(std::move(name))
    , m_wave(std::make_unique<const PcmWave>(std::move(wave)))
{
}

Sound::~Sound()
{
    // After RuntimeExit the outputs are gone already; at exit() they stay with the abandoned runtime.
    if (SoundOutputs* outputs = SoundOutputs::find())
        outputs->release(*this);
}

Ref<Sound> Sound::decode(const std::string& name, const std::string& bytes)
{
    std::optional<PcmWave> wave = PcmWave::decode(bytes);
    if (!wave)
        return nullptr;
    return Ref<Sound>(new Sound(name, std::move(*wave)));
}

double Sound::durationSeconds() const
{
    return m_wave->durationSeconds;
}

void Sound::Play()
{
    SoundOutputs::instance().outputFor(*this, *m_wave).play();
    CurrentFrameworkObserver()->soundPlayed(m_name);
}

}
