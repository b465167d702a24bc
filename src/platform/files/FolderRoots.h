#pragma once

#include "core/RuntimeOwned.h"

#include <cstddef>
#include <filesystem>

namespace fw {

// Where the runtime finds the application's own file, which the resource folder lies beside,
// and how many files it has read as pictures and sounds.
class FolderRoots : public RuntimeOwned<FolderRoots> {
public:
    // The file that tests put in place of the executable; empty for the real one.
    const std::filesystem::path& applicationFileOverride() const { return m_applicationFileOverride; }
    void setApplicationFileOverride(const std::filesystem::path& path) { m_applicationFileOverride = path; }
    std::size_t filesRead() const { return m_filesRead; }
    void noteFileRead() { ++m_filesRead; }

private:
    std::filesystem::path m_applicationFileOverride;
    std::size_t m_filesRead { 0 };
};

}
