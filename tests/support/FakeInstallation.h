#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A fake installation, for as long as the object lives: <root>/bin/quendal as the application file,
// with an empty <root>/Resources two levels above it, under a temporary folder named after `name`
// and the process.
class FakeInstallation {
public:
    explicit FakeInstallation(const std::string& name);
    ~FakeInstallation();
    FakeInstallation(const FakeInstallation&) = delete;
    FakeInstallation& operator=(const FakeInstallation&) = delete;

    std::filesystem::path resources() const { return m_root / "Resources"; }
    void write(const std::string& name, const std::string& bytes) const;
    void remove(const std::string& name) const;
    void removeFolder() const;
    void restoreFolder() const;

private:
    std::filesystem::path m_root;
};

}
