#pragma once

#include <QAudio>
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QTimer>

#include <cstdint>
#include <memory>

class QAudioSink;

namespace fw {

struct PcmWave;

// Whether a play is over: the sink has taken the last sample (it idles with its source at the
// end, while it idles mid-way too when it was not fed in time) and the device has sounded them.
bool PlayIsOver(QAudio::State state, bool sourceAtEnd, std::int64_t playedUs, std::int64_t samplesUs);

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
    // From a play until its samples have sounded: only then is the device's stream open.
    bool holdsDevice() const;

private:
    void sinkStateChanged(QAudio::State state);
    void checkEnd();

    QAudioFormat m_format;
    QByteArray m_samples;
    QBuffer m_buffer;
    std::int64_t m_samplesUs { 0 };
    std::unique_ptr<QAudioSink> m_sink;
    QTimer m_endCheck;
    int m_checksLeft { 0 };
};

}
