#include <fw/Sound.h>

#include "core/FrameworkObserver.h"
#include "gui/SoundOutputs.h"

#include <QSoundEffect>

namespace fw {

namespace {

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8
        | std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

std::uint16_t LittleEndian16(const std::string& bytes, std::size_t at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}

// The duration of a PCM RIFF/WAVE file, or a negative value when the bytes are not one.
double PcmWaveDuration(const std::string& bytes)
{
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return -1;
    std::uint32_t byteRate = 0;
    bool pcm = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::string id = bytes.substr(at, 4);
        std::uint32_t size = LittleEndian32(bytes, at + 4);
        std::size_t body = at + 8;
        if (size > bytes.size() - body)
            return -1;
        if (id == "fmt ") {
            if (size < 16)
                return -1;
            std::uint16_t format = LittleEndian16(bytes, body);
            std::uint16_t channels = LittleEndian16(bytes, body + 2);
            byteRate = LittleEndian32(bytes, body + 8);
            std::uint16_t bits = LittleEndian16(bytes, body + 14);
            pcm = (format == 1 || format == 0xFFFE) && channels > 0 && byteRate > 0 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
        } else if (id == "data") {
            return pcm ? double(size) / byteRate : -1;
        }
        at = body + size + (size & 1);
    }
    return -1;
}

}

const ClassInfo& Sound::StaticClass()
{
    static const ClassInfo info("Sound", &Object::StaticClass(), nullptr);
    return info;
}

Sound::Sound(std::filesystem::path path, std::string name, double durationSeconds)
    : m_path(std::move(path))
    , m_name(std::move(name))
    , m_durationSeconds(durationSeconds)
{
}

Sound::~Sound()
{
    // After RuntimeExit the outputs are gone already; at exit() they stay with the abandoned runtime.
    if (SoundOutputs* outputs = SoundOutputs::find())
        outputs->release(*this);
}

Ref<Sound> Sound::decode(const std::filesystem::path& path, const std::string& name, const std::string& bytes)
{
    double duration = PcmWaveDuration(bytes);
    if (duration < 0)
        return nullptr;
    return Ref<Sound>(new Sound(path, name, duration));
}

void Sound::Play()
{
    QSoundEffect& effect = SoundOutputs::instance().outputFor(*this, m_path);
    effect.stop();
    effect.play();
    CurrentFrameworkObserver()->soundPlayed(m_name);
}

}
