#pragma once

#include <fw/Object.h>

#include <filesystem>

namespace fw {

// A sound read from a WAV file. Play returns at once; the sound plays on its own.
class Sound : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    // Nil when the bytes are no PCM WAV data.
    static Ref<Sound> decode(const std::filesystem::path& path, const std::string& name, const std::string& bytes);

    ~Sound() override;

    void Play();
    const std::string& name() const { return m_name; }
    double durationSeconds() const { return m_durationSeconds; }

private:
    Sound(std::filesystem::path path, std::string name, double durationSeconds);

    std::filesystem::path m_path;
    std::string m_name;
    double m_durationSeconds;
};

}
