#pragma once

#include <fw/Object.h>

#include <memory>
#include <string>

namespace fw {

struct PcmWave;

// A sound read from a WAV file. Play returns at once; the sound plays on its own.
class Sound : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    // Nil when the bytes are no PCM WAV data.
    static Ref<Sound> decode(const std::string& name, const std::string& bytes);

    ~Sound() override;

    void Play();
    const std::string& name() const { return m_name; }
    double durationSeconds() const;

private:
    Sound(std::string name, PcmWave wave);

    std::string m_name;
    std::unique_ptr<const PcmWave> m_wave;
};

}
