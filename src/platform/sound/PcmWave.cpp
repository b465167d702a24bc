#include "sound/PcmWave.h"

#include <cstdint>

namespace fw {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8
        | std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

std::uint16_t LittleEndian16(const std::string& bytes, std::size_t at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}

struct Format {
    int channels { 0 };
    int sampleRate { 0 };
    std::uint32_t byteRate { 0 };
    int bits { 0 };
};

// The format chunk, when it describes integer PCM that an output can play.
std::optional<Format> ReadFormat(const std::string& bytes, std::size_t body, std::uint32_t size)
{
    if (size < 16)
        return std::nullopt;
    std::uint16_t tag = LittleEndian16(bytes, body);
    // An extensible header names its real format in the first two bytes of its sub-format.
    if (tag == kFormatExtensible && size >= 26)
        tag = LittleEndian16(bytes, body + 24);
    Format format;
    format.channels = LittleEndian16(bytes, body + 2);
    format.sampleRate = int(LittleEndian32(bytes, body + 4) & 0x7FFFFFFF);
    format.byteRate = LittleEndian32(bytes, body + 8);
    format.bits = LittleEndian16(bytes, body + 14);
    bool knownBits = format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32;
    if (tag != kFormatPcm || format.channels == 0 || format.sampleRate == 0 || format.byteRate == 0 || !knownBits)
        return std::nullopt;
    return format;
}

// 24-bit samples become 32-bit ones, the low byte zero: outputs take no 24-bit samples.
QByteArray Widened24(const std::string& bytes, std::size_t at, std::size_t size)
{
    QByteArray widened;
    widened.reserve(qsizetype(size / 3 * 4));
    for (std::size_t sample = at; sample + 3 <= at + size; sample += 3) {
        widened.append('\0');
        widened.append(bytes.data() + sample, 3);
    }
    return widened;
}

}

std::optional<PcmWave> PcmWave::decode(const std::string& bytes)
{
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return std::nullopt;
    std::optional<Format> format;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::string id = bytes.substr(at, 4);
        std::uint32_t size = LittleEndian32(bytes, at + 4);
        std::size_t body = at + 8;
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            format = ReadFormat(bytes, body, size);
            if (!format)
                return std::nullopt;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            PcmWave wave;
            wave.sampleRate = format->sampleRate;
            wave.channels = format->channels;
            wave.durationSeconds = double(size) / format->byteRate;
            // Only whole frames play.
            std::size_t frameBytes = std::size_t(format->channels) * (format->bits / 8);
            std::size_t played = size - size % frameBytes;
            if (format->bits == 24) {
                wave.bytesPerSample = 4;
                wave.samples = Widened24(bytes, body, played);
            } else {
                wave.bytesPerSample = format->bits / 8;
                wave.samples = QByteArray(bytes.data() + body, qsizetype(played));
            }
            return wave;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

}
