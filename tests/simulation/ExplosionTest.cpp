// The impact explosion alone, on a scripted state in the close-up view's settings, drawn over a
// plain backdrop so that the white fireball and the five frames can be told apart.
#include "gui/MessageBoxes.h"
#include "loop/Scheduler.h"
#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "simulation/BackGroundDrawing.h"
#include "simulation/OutcomeMessages.h"
#include "simulation/Variables.h"
#include "support/FakeInstallation.h"
#include "support/PixelComparison.h"
#include "support/TestSupport.h"
#include <fw/Canvas.h>
#include <fw/Clock.h>
#include <fw/FolderItem.h>
#include <fw/Picture.h>
#include <fw/RuntimeFunctions.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <QImage>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const Color kWhite = RGB(255, 255, 255);
const Color kPlain = RGB(10, 20, 30);

// The impact point lies at (s, 350 - 2 h); the fractions tell truncation from rounding.
constexpr double kS = 300.7;
constexpr double kH = 50.2;
// (0 - 30) + 300.7 and (350 - 30) - 100.4, truncated.
constexpr int kFrameLeft = 270;
constexpr int kFrameTop = 219;

class ExplosionOnly : public BackGroundDrawing {
public:
    void Event_Run() override { Explodex(); }
};

Ref<Picture> PlainPicture()
{
    QImage image(639, 501, QImage::Format_RGB32);
    image.fill(qRgb(kPlain.red, kPlain.green, kPlain.blue));
    return PictureOf(image);
}

// A frame's own pixels, white ones included, read straight from its file.
QImage FramePixels(const fs::path& resources, int number)
{
    std::ifstream file(resources / ("Pum" + std::to_string(number) + ".pct"), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    QImage image;
    image.loadFromData(QByteArray::fromStdString(bytes.str()));
    return image.convertToFormat(QImage::Format_RGB32);
}

// True when every non-white pixel of the frame is on the canvas at the frame's place.
bool Shows(const Canvas& canvas, const QImage& frame)
{
    const QImage shown = PixelsOf(canvas, QRect(QPoint(kFrameLeft, kFrameTop), frame.size()));
    return DifferingPixels(frame, shown, {}, [](QPoint, QRgb own) { return ColorOf(own) != kWhite; }).empty();
}

struct Box {
    int left, top, right, bottom;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box)
{
    return out << "[" << box.left << ".." << box.right << "] x [" << box.top << ".." << box.bottom << "]";
}

// The bounds of the white pixels on the canvas, with their count.
std::optional<Box> WhiteBounds(const Canvas& canvas, int* count = nullptr)
{
    std::optional<Box> box;
    int white = 0;
    for (int y = 0; y < 501; ++y) {
        for (int x = 0; x < 639; ++x) {
            if (canvas.pixel(x, y) != kWhite)
                continue;
            ++white;
            if (!box)
                box = Box { x, y, x, y };
            box = Box { std::min(box->left, x), std::min(box->top, y), std::max(box->right, x), std::max(box->bottom, y) };
        }
    }
    if (count)
        *count = white;
    return box;
}

QImage FrameArea(const Canvas& canvas) { return PixelsOf(canvas, QRect(kFrameLeft, kFrameTop, 60, 60)); }

// Notes the round in which the sound plays and what the canvas shows at that moment.
class Watcher : public RecordingObserver {
public:
    std::function<void()> onSound;
    std::function<void()> onReport;
    void soundPlayed(const std::string& name) override
    {
        RecordingObserver::soundPlayed(name);
        if (onSound)
            onSound();
    }
    void exceptionReported(const std::string& className, const std::string& message) override
    {
        RecordingObserver::exceptionReported(className, message);
        if (onReport)
            onReport();
    }
};

class ExplosionSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        Window1::Instance();
        MainCanvas()->setBackdrop(PlainPicture());
        using namespace Variables;
        scalex = 0;
        Scaley = 350;
        factor = 2.0;
        s = kS;
        h = kH;
        Dia1 = 100;
    }

    void TearDown() override
    {
        if (flight) {
            flight->Stopp = true;
            RunUntilEveryThreadEnded();
        }
        CloseProgramWindows();
    }

    // One scheduler round per call and nothing else: the rounds count the yields exactly.
    bool runRounds(const std::function<bool()>& done, int maxRounds = 10000) // counted from the start
    {
        while (round < maxRounds) {
            if (done())
                return true;
            ++round;
            Scheduler::instance().runRound();
        }
        return done();
    }

    Ref<ExplosionOnly> flight;
    int round = 0;
};

TEST_F(ExplosionSequence, FireballThenSoundThenFivePacedFramesThenTheMessage)
{
    struct Case {
        double Dia;
        int discs;
        std::optional<Box> fireball;
    };
    // The largest disc, of diameter floor(Dia), sits on the impact point; none up to Dia 5.
    const Case cases[] = {
        { 5, 0, std::nullopt },
        { 5.5, 1, Box { 298, 247, 302, 251 } },
        { 100, 96, Box { 250, 199, 349, 298 } },
    };
    const fs::path resources = GetApplicationBundleResources()->path();
    std::array<QImage, 5> frames;
    for (int i = 0; i < 5; ++i)
        frames[i] = FramePixels(resources, i + 1);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.Dia);
        MainCanvas()->setBackdrop(PlainPicture());
        Variables::Dia = c.Dia;
        round = 0;

        Watcher watcher;
        int soundRound = -1;
        int whiteAtSound = 0;
        std::optional<Box> fireballAtSound;
        bool frameBeforeSound = true;
        QImage beneathFrames;
        watcher.onSound = [&] {
            soundRound = round;
            fireballAtSound = WhiteBounds(*MainCanvas(), &whiteAtSound);
            frameBeforeSound = Shows(*MainCanvas(), frames[0]);
            beneathFrames = FrameArea(*MainCanvas());
        };

        flight = MakeRef<ExplosionOnly>();
        flight->Run();
        std::array<std::int32_t, 5> tickSeen {};
        std::array<int, 5> roundSeen { -1, -1, -1, -1, -1 };
        ASSERT_TRUE(runRounds([&] {
            for (int i = 0; i < 5; ++i) {
                if (roundSeen[i] < 0 && Shows(*MainCanvas(), frames[i])) {
                    roundSeen[i] = round;
                    tickSeen[i] = Ticks();
                }
            }
            return IsMessageBoxShowing();
        }));

        EXPECT_EQ(soundRound - 1, c.discs) << "one yield per disc before the sound";
        EXPECT_EQ(fireballAtSound, c.fireball);
        if (c.discs == 1) {
            EXPECT_EQ(whiteAtSound, 21) << "a 5 x 5 disc";
        }
        EXPECT_FALSE(frameBeforeSound);
        EXPECT_EQ(roundSeen[0], soundRound) << "the first frame follows the sound at once";
        for (int i = 1; i < 5; ++i)
            EXPECT_GE(tickSeen[i] - tickSeen[i - 1], 8) << "a Delay after frame " << i;
        EXPECT_EQ(roundSeen[4], round) << "no pause between the fifth frame and the message";
        EXPECT_TRUE(Shows(*MainCanvas(), frames[4]));

        // Where every frame is white, the canvas still shows what lay beneath the frames.
        const QImage now = FrameArea(*MainCanvas());
        ASSERT_FALSE(beneathFrames.isNull()) << "the sound never played, so nothing noted what lay beneath";
        int seeThrough = 0;
        const auto underWhite = [&](QPoint at, QRgb) {
            bool allWhite = true;
            for (const QImage& frame : frames)
                allWhite = allWhite && ColorOf(frame.pixel(at)) == kWhite;
            seeThrough += allWhite ? 1 : 0;
            return allWhite;
        };
        for (const DifferingPixel& pixel : DifferingPixels(beneathFrames, now, {}, underWhite))
            ADD_FAILURE() << "changed at " << pixel.at.x() << ", " << pixel.at.y();
        EXPECT_GT(seeThrough, 0);

        EXPECT_EQ(ShowingMessageText(), ImpactMessage());
        EXPECT_FALSE(flight->Stopp) << "set after the message";
        DismissMessageBox();
        ASSERT_TRUE(runRounds([&] { return !flight->isRunning(); }, round + 10));
        EXPECT_TRUE(flight->Stopp);

        std::vector<std::string> expected { "sound: Explosion", "message: " + ImpactMessage() };
        EXPECT_EQ(watcher.lines, expected);
    }
}

// The sound accessor tries only once, so this needs a case in which nothing has asked for the
// sound yet: each case starts with no resource loaded.
TEST(ExplosionWithoutItsSound, EndsTheRunAfterTheFireballAndBeforeTheFrames)
{
    const fs::path real = ApplicationFile()->path().parent_path().parent_path() / "Resources";
    const FakeInstallation installation("quendal-nosound");
    for (const auto& entry : fs::directory_iterator(real)) {
        if (entry.path().filename() != "Explosion")
            fs::copy_file(entry.path(), installation.resources() / entry.path().filename());
    }

    Window1::Instance();
    MainCanvas()->setBackdrop(PlainPicture());
    Variables::scalex = 0;
    Variables::Scaley = 350;
    Variables::factor = 2.0;
    Variables::s = kS;
    Variables::h = kH;
    Variables::Dia = 10;
    const QImage firstFrame = FramePixels(installation.resources(), 1);

    Watcher watcher;
    std::optional<Box> fireballAtReport;
    bool frameAtReport = true;
    watcher.onReport = [&] {
        fireballAtReport = WhiteBounds(*MainCanvas());
        frameAtReport = Shows(*MainCanvas(), firstFrame);
    };
    Ref<ExplosionOnly> flight(new ExplosionOnly);
    flight->Run();
    ASSERT_TRUE(RunRoundsUntil(IsMessageBoxShowing, 10000));

    ASSERT_FALSE(watcher.lines.empty());
    const std::string report = "exception: NilObjectException: the resource \"Explosion\" is nil";
    EXPECT_EQ(watcher.lines[0], report);
    EXPECT_EQ(fireballAtReport, (Box { 295, 244, 304, 253 })) << "the whole fireball, up to its 10 px disc";
    EXPECT_FALSE(frameAtReport);
    EXPECT_NE(ShowingMessageText().find("NilObjectException"), std::string::npos);
    DismissMessageBox();
    EXPECT_TRUE(RunRoundsUntil([&] { return !flight->isRunning(); }, 100));
    EXPECT_FALSE(flight->Stopp);
    EXPECT_FALSE(Shows(*MainCanvas(), firstFrame));
    EXPECT_EQ(watcher.lines.size(), 2u) << "the report and its box, no sound and no impact message";

    // The next explosion finds the sound missing still, and says so in the same words.
    watcher.lines.clear();
    Ref<ExplosionOnly> again(new ExplosionOnly);
    again->Run();
    ASSERT_TRUE(RunRoundsUntil(IsMessageBoxShowing, 10000));
    ASSERT_FALSE(watcher.lines.empty());
    EXPECT_EQ(watcher.lines[0], report);
    DismissMessageBox();
    EXPECT_TRUE(RunRoundsUntil([&] { return !again->isRunning(); }, 100));

    CloseProgramWindows();
}

}
