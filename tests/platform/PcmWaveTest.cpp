// WAV files as the sound output takes them: which ones play, and the samples it gets.
#include "sound/PcmWave.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using fw::PcmWave;

namespace {

struct Header {
    std::uint16_t tag { 1 };
    std::uint16_t channels { 1 };
    std::uint32_t sampleRate { 8000 };
    std::uint16_t bits { 16 };
    // The sub-format of an extensible header; none when zero.
    std::uint16_t subFormat { 0 };
};

class WaveFile {
public:
    WaveFile& format(const Header& header)
    {
        std::string body;
        put16(body, header.tag);
        put16(body, header.channels);
        put32(body, header.sampleRate);
        put32(body, header.sampleRate * header.channels * header.bits / 8);
        put16(body, std::uint16_t(header.channels * header.bits / 8));
        put16(body, header.bits);
        if (header.subFormat) {
            put16(body, 22);
            put16(body, header.bits);
            put32(body, 0);
            put16(body, header.subFormat);
            body += std::string(14, '\x10');
        }
        return chunk("fmt ", body);
    }
    WaveFile& chunk(const std::string& id, const std::string& body)
    {
        m_chunks += id;
        put32(m_chunks, std::uint32_t(body.size()));
        m_chunks += body;
        if (body.size() % 2)
            m_chunks += '\0';
        return *this;
    }
    std::string bytes() const
    {
        std::string riff = "RIFF";
        put32(riff, std::uint32_t(4 + m_chunks.size()));
        return riff + "WAVE" + m_chunks;
    }

private:
    static void put16(std::string& to, std::uint16_t value)
    {
        to += char(value & 0xFF);
        to += char(value >> 8);
    }
    static void put32(std::string& to, std::uint32_t value)
    {
        put16(to, std::uint16_t(value & 0xFFFF));
        put16(to, std::uint16_t(value >> 16));
    }

    std::string m_chunks;
};

TEST(PcmWave, IntegerPcmPlaysAsItsHeaderSays)
{
    struct Case {
        const char* what;
        Header header;
        std::string data;
        int bytesPerSample;
        std::string samples;
    };
    const Case cases[] = {
        { "8-bit mono", { 1, 1, 8000, 8 }, "\x80\x81\x7F", 1, "\x80\x81\x7F" },
        { "16-bit stereo", { 1, 2, 44100, 16 }, std::string("\x01\x02\x03\x04", 4), 2, std::string("\x01\x02\x03\x04", 4) },
        { "a frame cut short is left out", { 1, 2, 44100, 16 }, std::string("\x01\x02\x03\x04\x05\x06", 6), 2,
            std::string("\x01\x02\x03\x04", 4) },
        { "24-bit widens to 32", { 1, 1, 48000, 24 }, "\x01\x02\x03\x04\x05\x06", 4,
            std::string("\0\x01\x02\x03\0\x04\x05\x06", 8) },
        { "32-bit", { 1, 1, 8000, 32 }, "\x01\x02\x03\x04", 4, "\x01\x02\x03\x04" },
        { "extensible PCM", { 0xFFFE, 1, 8000, 16, 1 }, "\x01\x02", 2, "\x01\x02" },
    };
    for (const Case& c : cases) {
        std::string bytes = WaveFile().format(c.header).chunk("LIST", "odd").chunk("data", c.data).bytes();
        std::optional<PcmWave> wave = PcmWave::decode(bytes);
        ASSERT_TRUE(wave) << c.what;
        EXPECT_EQ(wave->sampleRate, int(c.header.sampleRate)) << c.what;
        EXPECT_EQ(wave->channels, c.header.channels) << c.what;
        EXPECT_EQ(wave->bytesPerSample, c.bytesPerSample) << c.what;
        EXPECT_EQ(wave->samples.toStdString(), c.samples) << c.what;
        double byteRate = c.header.sampleRate * c.header.channels * c.header.bits / 8.0;
        EXPECT_DOUBLE_EQ(wave->durationSeconds, double(c.data.size()) / byteRate) << c.what;
    }
}

TEST(PcmWave, AnythingElseIsNoSound)
{
    const std::string data = "\x01\x02\x03\x04";
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        { "empty", "" },
        { "not RIFF", "RIFX" + WaveFile().format({}).chunk("data", data).bytes().substr(4) },
        { "floating point", WaveFile().format({ 3, 1, 8000, 32 }).chunk("data", data).bytes() },
        { "extensible floating point", WaveFile().format({ 0xFFFE, 1, 8000, 32, 3 }).chunk("data", data).bytes() },
        { "12-bit", WaveFile().format({ 1, 1, 8000, 12 }).chunk("data", data).bytes() },
        { "no channels", WaveFile().format({ 1, 0, 8000, 16 }).chunk("data", data).bytes() },
        { "no rate", WaveFile().format({ 1, 1, 0, 16 }).chunk("data", data).bytes() },
        { "data before its format", WaveFile().chunk("data", data).format({}).bytes() },
        { "no data", WaveFile().format({}).bytes() },
        { "a format cut short", WaveFile().chunk("fmt ", "\x01\x00\x01\x00").chunk("data", data).bytes() },
        { "data longer than the file", WaveFile().format({}).chunk("data", data).bytes().substr(0, 46) },
    };
    for (const Case& c : cases)
        EXPECT_FALSE(PcmWave::decode(c.bytes)) << c.what;
}

}
