#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>

#include <memory>

class QAudioSink;

namespace fw {

struct PcmWave;

// One sound's audio output. The samples are decoded already and play from memory, so nothing
// loads in the background: the output can go, or the process end, at any moment.
class SoundOutput {
public:
    explicit SoundOutput(const PcmWave& wave);
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // From the start, cutting off a play that still sounds. Silent while there is no audio device.
    void play();

private:
    QAudioFormat m_format;
    QByteArray m_samples;
    QBuffer m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
};

}
