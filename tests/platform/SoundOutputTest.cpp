// A sound's audio output holds the device only while the sound plays.
#include "sound/PcmWave.h"
#include "sound/SoundOutput.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>

using namespace fw;

namespace {

TEST(SoundOutputs, APlayIsOverOnlyOnceTheLastSampleHasSounded)
{
    struct Case {
        const char* name;
        QAudio::State state;
        bool sourceAtEnd;
        std::int64_t playedUs;
        bool over;
    };
    const Case cases[] = {
        { "every sample taken and sounded", QAudio::IdleState, true, 50000, true },
        { "taken, the device still sounding the last ones", QAudio::IdleState, true, 40000, false },
        { "not fed in time mid-way", QAudio::IdleState, false, 50000, false },
        { "still taking samples", QAudio::ActiveState, true, 50000, false },
        { "stopped already", QAudio::StoppedState, true, 50000, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlayIsOver(c.state, c.sourceAtEnd, c.playedUs, 50000), c.over);
    }
}

// Needs an audio output, as a sound server's null sink gives one.
TEST(SoundOutputs, AShortSoundLetsTheDeviceGoWhenItEndsAndPlaysAgainFromTheStart)
{
    if (QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "no audio output";
    PcmWave wave;
    wave.sampleRate = 8000;
    wave.channels = 1;
    wave.bytesPerSample = 2;
    wave.samples = QByteArray(800, '\0');
    SoundOutput output(wave);
    for (int play = 1; play <= 2; ++play) {
        SCOPED_TRACE(play);
        output.play();
        EXPECT_TRUE(output.holdsDevice());
        // A bound, not a measure: a tenth of a second of samples.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !output.holdsDevice(); }, 10000));
    }
}

}
