#pragma once

#include "core/RuntimeOwned.h"

#include <filesystem>
#include <map>

class QSoundEffect;

namespace fw {

class Sound;

// The audio output of each sound that has played. Audio output cannot outlive the runtime,
// whoever still holds a sound.
class SoundOutputs : public RuntimeOwned<SoundOutputs> {
public:
    ~SoundOutputs();

    // The sound's output, made for its file the first time.
    QSoundEffect& outputFor(const Sound& sound, const std::filesystem::path& file);
    // The sound goes: so does its output.
    void release(const Sound& sound);
    void releaseAll();
    // The process leaves without RuntimeExit: nothing more is released.
    void abandon() { m_abandoned = true; }

private:
    std::map<const Sound*, QSoundEffect*> m_outputs;
    bool m_abandoned { false };
};

}
