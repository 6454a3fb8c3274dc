#pragma once
// A fresh folder per test, removed with everything in it at the end, and what it holds as one
// value, so "nothing else changed" is a single comparison.

#include <filesystem>
#include <map>
#include <string>

namespace krel::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // Every file below the folder with its bytes, every folder as "<folder>".
    std::map<std::filesystem::path, std::string> Snapshot() const;

private:
    std::filesystem::path path_;
};

// Writes bytes to path, creating the folders it needs; returns path.
std::filesystem::path WriteTestFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace krel::test
