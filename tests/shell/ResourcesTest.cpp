#include "shell/Resources.h"
#include "support/FakeInstallation.h"
#include <fw/Exceptions.h>
#include <fw/FolderItem.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <functional>

using namespace fw;
using testing_support::FakeInstallation;

namespace {

std::string PngBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string WavBytes()
{
    std::string wav = "RIFF____WAVEfmt ";
    auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) wav += char(v >> (8 * i)); };
    auto put16 = [&](std::uint16_t v) { wav += char(v); wav += char(v >> 8); };
    put32(16);
    put16(1);
    put16(1);
    put32(22050);
    put32(44100);
    put16(2);
    put16(16);
    wav += "data";
    put32(4);
    wav += std::string(4, '\0');
    return wav;
}

struct ResourceCase {
    const char* what;
    std::function<void(const FakeInstallation&)> check;
};

// Each check uses an accessor of its own, since an accessor's cache lasts until the test case ends.
TEST(ResourceAccessors, LoadRetryAndCacheAsTheirFilesAllow)
{
    FakeInstallation folder("quendal-resources");
    const ResourceCase cases[] = {
        { "a picture loads only once its file can be read, then comes from the cache",
            [](const FakeInstallation& f) {
                f.write("Braking.gif", "not a picture");
                EXPECT_FALSE(Braking());
                EXPECT_FALSE(Braking());
                f.write("Braking.gif", PngBytes(7, 5));
                Ref<Picture> loaded = Braking();
                ASSERT_TRUE(loaded);
                EXPECT_EQ(loaded->Width(), 7);
                f.remove("Braking.gif");
                EXPECT_EQ(Braking(), loaded);
            } },
        { "a picture whose file is missing raises at every call until it appears",
            [](const FakeInstallation& f) {
                EXPECT_THROW(Globeafrica(), NilObjectException);
                EXPECT_THROW(Globeafrica(), NilObjectException);
                f.write("Globeafrica.gif", PngBytes(3, 3));
                EXPECT_TRUE(Globeafrica());
            } },
        { "the sound that failed once stays nil",
            [](const FakeInstallation& f) {
                f.write("Explosion", "RIFF garbage");
                EXPECT_FALSE(Explosion());
                f.write("Explosion", WavBytes());
                EXPECT_FALSE(Explosion());
            } },
        { "no resource folder: pictures are nil without raising, and tried again",
            [](const FakeInstallation& f) {
                f.removeFolder();
                EXPECT_FALSE(Pum1());
                EXPECT_FALSE(Pum1());
                f.restoreFolder();
                f.write("Pum1.pct", PngBytes(60, 60));
                Ref<Picture> frame = Pum1();
                ASSERT_TRUE(frame);
                EXPECT_EQ(frame->Transparent(), 1) << "an explosion frame is made transparent when it loads";
                frame->setTransparent(0);
                EXPECT_EQ(Pum1()->Transparent(), 0) << "a cached frame is not touched again";
            } },
        { "the file is read once however often the accessor is called",
            [](const FakeInstallation& f) {
                f.write("space2.pct", PngBytes(261, 263));
                std::size_t before = FolderItem::filesRead();
                Ref<Picture> first = space2();
                for (int i = 0; i < 50; ++i)
                    EXPECT_EQ(space2(), first);
                EXPECT_EQ(FolderItem::filesRead(), before + 1);
            } },
        { "an executable with fewer than two folders above it raises at every call",
            [](const FakeInstallation&) {
                SetApplicationFileForTesting("/quendal");
                EXPECT_THROW(avpuku(), NilObjectException);
                EXPECT_THROW(avpuku(), NilObjectException);
            } }
    };
    for (const ResourceCase& c : cases) {
        SCOPED_TRACE(c.what);
        c.check(folder);
    }
}

TEST(ResourceFiles, EveryFileDecodesAtItsSize)
{
    // The tests run from build/bin, so the real resource folder is build/Resources.
    Ref<FolderItem> resources = GetApplicationBundleResources();
    ASSERT_TRUE(resources) << "build/Resources is missing";
    struct Expected {
        const char* name;
        int width, height;
    };
    const Expected pictures[] = {
        { "Globeafrica.gif", 639, 501 }, { "Braking.gif", 639, 501 }, { "Pum1.pct", 60, 60 }, { "Pum2.pct", 60, 60 },
        { "Pum3.pct", 60, 60 }, { "Pum4.pct", 60, 60 }, { "Pum5.pct", 60, 60 }, { "space2.pct", 261, 263 },
        { "avpuku.gif", 120, 80 }, { "madewZov.pct", 150, 50 }
    };
    for (const Expected& e : pictures) {
        Ref<FolderItem> file = resources->Child(e.name);
        ASSERT_TRUE(file) << e.name;
        Ref<Picture> picture = file->OpenAsPicture();
        ASSERT_TRUE(picture) << e.name;
        EXPECT_EQ(picture->Width(), e.width) << e.name;
        EXPECT_EQ(picture->Height(), e.height) << e.name;
    }
    Ref<FolderItem> sound = resources->Child("Explosion");
    ASSERT_TRUE(sound);
    Ref<Sound> explosion = sound->OpenAsSound();
    ASSERT_TRUE(explosion);
    EXPECT_NEAR(explosion->durationSeconds(), 1.5, 0.25);
}

}
