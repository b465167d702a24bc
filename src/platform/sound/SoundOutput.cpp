#include "sound/SoundOutput.h"

#include "sound/PcmWave.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

namespace fw {

namespace {

QAudioFormat::SampleFormat SampleFormatOf(int bytesPerSample)
{
    switch (bytesPerSample) {
    case 1:
        return QAudioFormat::UInt8;
    case 2:
        return QAudioFormat::Int16;
    default:
        return QAudioFormat::Int32;
    }
}

// The end is looked for this often once the sink has taken the last sample, and given up after
// two seconds: a device whose clock stands still is let go all the same.
constexpr int kEndCheckMs = 10;
constexpr int kMostEndChecks = 200;

}

bool PlayIsOver(QAudio::State state, bool sourceAtEnd, std::int64_t playedUs, std::int64_t samplesUs)
{
    return state == QAudio::IdleState && sourceAtEnd && playedUs >= samplesUs;
}

SoundOutput::SoundOutput(const PcmWave& wave)
    : m_samples(wave.samples)
    , m_buffer(&m_samples)
{
    m_format.setSampleRate(wave.sampleRate);
    m_format.setChannelCount(wave.channels);
    m_format.setSampleFormat(SampleFormatOf(wave.bytesPerSample));
    m_buffer.open(QIODevice::ReadOnly);
    m_samplesUs = m_format.durationForBytes(int(m_samples.size()));
    m_endCheck.setInterval(kEndCheckMs);
    QObject::connect(&m_endCheck, &QTimer::timeout, [this] { checkEnd(); });
}

SoundOutput::~SoundOutput()
{
    if (m_sink)
        m_sink->stop();
}

void SoundOutput::play()
{
    // A sink whose device went away is dropped; the device is looked for at each play until there
    // is one, since it may come up later.
    if (m_sink && m_sink->error() == QAudio::FatalError)
        m_sink.reset();
    if (!m_sink) {
        QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        m_sink = std::make_unique<QAudioSink>(device, m_format);
        QObject::connect(m_sink.get(), &QAudioSink::stateChanged, [this](QAudio::State state) { sinkStateChanged(state); });
    }
    m_endCheck.stop();
    m_sink->stop();
    m_buffer.seek(0);
    m_sink->start(&m_buffer);
}

bool SoundOutput::holdsDevice() const
{
    return m_sink && (m_sink->state() == QAudio::ActiveState || m_sink->state() == QAudio::IdleState);
}

void SoundOutput::sinkStateChanged(QAudio::State state)
{
    // The sink idles as soon as it has handed the device the last sample, before the device has
    // sounded it: the stream is closed only once the device has played the whole sound.
    if (state == QAudio::IdleState && m_buffer.atEnd() && !m_endCheck.isActive()) {
        m_checksLeft = kMostEndChecks;
        m_endCheck.start();
    }
}

void SoundOutput::checkEnd()
{
    // A stream left open keeps the sound server's device running for as long as the program runs.
    if (!PlayIsOver(m_sink->state(), m_buffer.atEnd(), m_sink->processedUSecs(), m_samplesUs) && --m_checksLeft > 0)
        return;
    m_endCheck.stop();
    m_sink->stop();
}

}
