#pragma once
// A folder that looks like an installed game to the editor: the two marker files and the data
// folders, with names in the letter case given.

#include <filesystem>

namespace krel::test {

struct FakeGameParts {
    bool executable = true; // "krel.exe"
    bool library = true;    // "binkw32.dll"
};

// Creates folder with the parts asked for; returns folder.
std::filesystem::path MakeFakeGame(const std::filesystem::path& folder, FakeGameParts parts = {});

} // namespace krel::test
