#pragma once

#include <fw/Object.h>

#include <filesystem>

namespace fw {

class Picture;
class Sound;

// A file or folder of the file system.
class FolderItem : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    explicit FolderItem(std::filesystem::path path);

    const std::filesystem::path& path() const { return m_path; }
    std::string Name() const { return m_path.filename().string(); }
    bool Exists() const;
    bool Directory() const;

    // The folder that holds this item; nil for the root.
    Ref<FolderItem> Parent() const;
    // The item of that name in this folder; nil when the folder has none.
    Ref<FolderItem> Child(const std::string& name) const;

    // Nil when the file cannot be read as a picture (or a sound).
    Ref<Picture> OpenAsPicture() const;
    Ref<Sound> OpenAsSound() const;

    // How many files have been read through OpenAsPicture and OpenAsSound since RuntimeInit.
    static std::size_t filesRead();

private:
    std::filesystem::path m_path;
};

// The application's own executable file, found through /proc/self/exe so that links work.
Ref<FolderItem> ApplicationFile();
// Tests point the application's file elsewhere, for the runtime that runs; an empty path
// restores the real one.
void SetApplicationFileForTesting(const std::filesystem::path& path);

}
