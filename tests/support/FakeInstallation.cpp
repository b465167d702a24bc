#include "support/FakeInstallation.h"

#include <fw/FolderItem.h>

#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace testing_support {

FakeInstallation::FakeInstallation(const std::string& name)
    : m_root(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
{
    fs::remove_all(m_root);
    fs::create_directories(m_root / "bin");
    fs::create_directories(resources());
    fw::SetApplicationFileForTesting(m_root / "bin" / "quendal");
}

FakeInstallation::~FakeInstallation()
{
    fw::SetApplicationFileForTesting({});
    fs::remove_all(m_root);
}

void FakeInstallation::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(resources() / name, std::ios::binary) << bytes;
}

void FakeInstallation::remove(const std::string& name) const { fs::remove(resources() / name); }

void FakeInstallation::removeFolder() const { fs::remove_all(resources()); }

void FakeInstallation::restoreFolder() const { fs::create_directories(resources()); }

}
