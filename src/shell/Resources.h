#pragma once

#include <fw/FolderItem.h>
#include <fw/Picture.h>
#include <fw/Sound.h>

// The pictures and the sound, read by file name from the resource folder. A picture is loaded at
// its first call and kept; a call that finds none loaded tries again. The sound is tried once.
fw::Ref<fw::Picture> Braking();
fw::Ref<fw::Picture> Pum1();
fw::Ref<fw::Picture> Pum2();
fw::Ref<fw::Picture> Pum3();
fw::Ref<fw::Picture> Pum4();
fw::Ref<fw::Picture> Pum5();
fw::Ref<fw::Picture> madewZov();
fw::Ref<fw::Picture> Globeafrica();
fw::Ref<fw::Picture> avpuku();
fw::Ref<fw::Picture> space2();
fw::Ref<fw::Sound> Explosion();

// The folder "Resources" two folders above the application's file; nil when it has none.
fw::Ref<fw::FolderItem> GetApplicationBundleResources();
// Lets go of the loaded sound, at shutdown.
void ReleaseExplosionSound();
// Lets go of every loaded picture and the sound and forgets that the sound was tried, so that
// each accessor reads its file again at its next call: for a runtime made anew in the same
// process, as each test case makes one.
void ForgetLoadedResources();
