#include "gui/SoundOutput.h"

#include "gui/PcmWave.h"

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

}

SoundOutput::SoundOutput(const PcmWave& wave)
    : m_samples(wave.samples)
    , m_buffer(&m_samples)
{
    m_format.setSampleRate(wave.sampleRate);
    m_format.setChannelCount(wave.channels);
    m_format.setSampleFormat(SampleFormatOf(wave.bytesPerSample));
    m_buffer.open(QIODevice::ReadOnly);
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
    }
    m_sink->stop();
    m_buffer.seek(0);
    m_sink->start(&m_buffer);
}

}
