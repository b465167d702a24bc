#pragma once

#include "core/RuntimeOwned.h"

#include <map>
#include <memory>

namespace fw {

class Sound;
class SoundOutput;
struct PcmWave;

// The audio output of each sound that has played. Audio output cannot outlive the runtime,
// whoever still holds a sound.
class SoundOutputs : public RuntimeOwned<SoundOutputs> {
public:
    SoundOutputs();
    ~SoundOutputs();

    // The sound's output, made for its samples the first time.
    SoundOutput& outputFor(const Sound& sound, const PcmWave& wave);
    // The sound goes: so does its output.
    void release(const Sound& sound);
    void releaseAll();
    // The process leaves without RuntimeExit: nothing more is released.
    void abandon() { m_abandoned = true; }

private:
    std::map<const Sound*, std::unique_ptr<SoundOutput>> m_outputs;
    bool m_abandoned { false };
};

}
