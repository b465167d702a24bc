#include "shell/Resources.h"

#include <fw/Exceptions.h>

#include <cstdint>
#include <vector>

using namespace fw;

namespace {

struct PictureCache;

// Every picture accessor's statics, so that they can be forgotten together.
std::vector<PictureCache*>& PictureCaches()
{
    static std::vector<PictureCache*> caches;
    return caches;
}

// The statics of one picture accessor: the picture once loaded, and whether they were set up.
struct PictureCache {
    PictureCache(const char* file, bool makeTransparent)
        : fileName(file)
        , transparent(makeTransparent)
    {
        PictureCaches().push_back(this);
    }

    // As before the accessor's first call.
    void forget()
    {
        pic = nullptr;
        initialised = 0;
    }

    const char* fileName;
    bool transparent;
    Ref<Picture> pic;
    std::uint8_t initialised { 0 };

    Ref<Picture> get()
    {
        if (initialised == 0) {
            initialised = 1;
            pic = nullptr;
        }
        if (!pic) {
            if (Ref<FolderItem> folder = GetApplicationBundleResources()) {
                Ref<FolderItem> file = folder->Child(fileName);
                if (!file)
                    throw NilObjectException(std::string("the resource \"") + fileName + "\"");
                pic = file->OpenAsPicture();
                if (transparent && pic)
                    pic->setTransparent(1);
            }
        }
        return pic;
    }
};

bool g_soundLoaded = false;
Ref<Sound> g_permaSound;

}

Ref<FolderItem> GetApplicationBundleResources()
{
    Ref<FolderItem> application = NotNil(ApplicationFile(), "the application's file");
    Ref<FolderItem> folder = NotNil(application->Parent(), "the folder of the application's file");
    Ref<FolderItem> bundle = NotNil(folder->Parent(), "the folder above the application's folder");
    return bundle->Child("Resources");
}

Ref<Picture> Braking()
{
    static PictureCache cache { "Braking.gif", false };
    return cache.get();
}

Ref<Picture> Pum1()
{
    static PictureCache cache { "Pum1.pct", true };
    return cache.get();
}

Ref<Picture> Pum2()
{
    static PictureCache cache { "Pum2.pct", true };
    return cache.get();
}

Ref<Picture> Pum3()
{
    static PictureCache cache { "Pum3.pct", true };
    return cache.get();
}

Ref<Picture> Pum4()
{
    static PictureCache cache { "Pum4.pct", true };
    return cache.get();
}

Ref<Picture> Pum5()
{
    static PictureCache cache { "Pum5.pct", true };
    return cache.get();
}

Ref<Picture> madewZov()
{
    static PictureCache cache { "madewZov.pct", false };
    return cache.get();
}

Ref<Picture> Globeafrica()
{
    static PictureCache cache { "Globeafrica.gif", false };
    return cache.get();
}

Ref<Picture> avpuku()
{
    static PictureCache cache { "avpuku.gif", false };
    return cache.get();
}

Ref<Picture> space2()
{
    static PictureCache cache { "space2.pct", false };
    return cache.get();
}

Ref<Sound> Explosion()
{
    if (!g_soundLoaded) {
        g_soundLoaded = true;
        if (Ref<FolderItem> folder = GetApplicationBundleResources()) {
            Ref<FolderItem> file = folder->Child("Explosion");
            if (!file)
                throw NilObjectException("the resource \"Explosion\"");
            g_permaSound = file->OpenAsSound();
        }
    }
    return g_permaSound;
}

void ReleaseExplosionSound()
{
    g_permaSound = nullptr;
}

void ForgetLoadedResources()
{
    for (PictureCache* cache : PictureCaches())
        cache->forget();
    g_permaSound = nullptr;
    g_soundLoaded = false;
}
