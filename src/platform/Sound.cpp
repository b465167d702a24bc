#include "Sound.h"

#include "FrameworkObserver.h"
#include "RuntimeState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSoundEffect>
#include <QUrl>

#include <map>

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

void ReleaseOutput(QSoundEffect* effect)
{
    // Qt decodes the file on a thread of its own; an effect deleted while it loads can leave
    // that thread and the shutdown waiting for each other.
    QElapsedTimer waited;
    waited.start();
    while (effect->status() == QSoundEffect::Loading && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    delete effect;
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
    RuntimeState* state = RuntimeState::find();
    if (!state || state->abandoned())
        return;
    auto output = state->soundOutputs.find(this);
    if (output == state->soundOutputs.end())
        return;
    QSoundEffect* effect = output->second;
    state->soundOutputs.erase(output);
    ReleaseOutput(effect);
}

void Sound::releaseAllOutputs()
{
    std::map<const Sound*, QSoundEffect*> outputs;
    outputs.swap(RuntimeState::instance().soundOutputs);
    for (const auto& [sound, effect] : outputs)
        ReleaseOutput(effect);
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
    QSoundEffect*& effect = RuntimeState::instance().soundOutputs[this];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString(m_path.string())));
    }
    effect->stop();
    effect->play();
    CurrentFrameworkObserver()->soundPlayed(m_name);
}

}
