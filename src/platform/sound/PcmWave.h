#pragma once

#include <QByteArray>

#include <optional>
#include <string>

namespace fw {

// The samples of a PCM RIFF/WAVE file, as an audio output takes them: interleaved,
// little-endian, 8-bit unsigned or 16- or 32-bit signed (24-bit samples are widened to 32).
struct PcmWave {
    int sampleRate { 0 };
    int channels { 0 };
    int bytesPerSample { 0 };
    // Shared, not copied, by the outputs that play them.
    QByteArray samples;
    // As the file's header gives it: its data's size over its byte rate.
    double durationSeconds { 0 };

    // Nil when the bytes are no PCM WAV data.
    static std::optional<PcmWave> decode(const std::string& bytes);
};

}
