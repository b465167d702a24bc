#include <fw/FolderItem.h>

#include "files/FolderRoots.h"
#include <fw/Picture.h>
#include <fw/Sound.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace fw {

namespace {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    if (FolderRoots* roots = FolderRoots::find())
        roots->noteFileRead();
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}

const ClassInfo& FolderItem::StaticClass()
{
    static const ClassInfo info("FolderItem", &Object::StaticClass(), nullptr);
    return info;
}

FolderItem::FolderItem(std::filesystem::path path)
    : m_path(std::move(path))
{
}

bool FolderItem::Exists() const
{
    std::error_code error;
    return std::filesystem::exists(m_path, error);
}

bool FolderItem::Directory() const
{
    std::error_code error;
    return std::filesystem::is_directory(m_path, error);
}

Ref<FolderItem> FolderItem::Parent() const
{
    std::filesystem::path parent = m_path.parent_path();
    if (parent.empty() || parent == m_path)
        return nullptr;
    return MakeRef<FolderItem>(parent);
}

Ref<FolderItem> FolderItem::Child(const std::string& name) const
{
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return nullptr;
    std::filesystem::path child = m_path / name;
    std::error_code error;
    if (!std::filesystem::exists(child, error))
        return nullptr;
    return MakeRef<FolderItem>(child);
}

Ref<Picture> FolderItem::OpenAsPicture() const
{
    std::optional<std::string> bytes = ReadWholeFile(m_path);
    return bytes ? Picture::decode(*bytes) : nullptr;
}

Ref<Sound> FolderItem::OpenAsSound() const
{
    std::optional<std::string> bytes = ReadWholeFile(m_path);
    return bytes ? Sound::decode(Name(), *bytes) : nullptr;
}

std::size_t FolderItem::filesRead()
{
    FolderRoots* roots = FolderRoots::find();
    return roots ? roots->filesRead() : 0;
}

Ref<FolderItem> ApplicationFile()
{
    if (FolderRoots* roots = FolderRoots::find(); roots && !roots->applicationFileOverride().empty())
        return MakeRef<FolderItem>(roots->applicationFileOverride());
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty())
        return nullptr;
    return MakeRef<FolderItem>(executable);
}

void SetApplicationFileForTesting(const std::filesystem::path& path)
{
    // Putting the real one back after the runtime is gone leaves nothing to do.
    if (path.empty() && !FolderRoots::find())
        return;
    FolderRoots::instance().setApplicationFileOverride(path);
}

}
