#pragma once
// Paths inside the game's folder. The game ships with names in mixed letter case and reads them
// on a file system that ignores case; copied to one that does not, a name may differ in case
// from what the editor asks for. Each path component is therefore matched exactly first and,
// only when that name is missing, ignoring letter case.

#include <filesystem>
#include <string>
#include <string_view>

namespace krel {

// relative uses "/" or "\" between components ("GameDataSets\Classic_01\...\wStrings.mob").
// Components that match nothing are kept as given, so the result also names files to create.
std::filesystem::path ResolveGamePath(const std::filesystem::path& base, std::string_view relative);

// The folder exists and holds "krel.exe" and "binkw32.dll" (names matched as above).
bool IsGameFolder(std::string_view baseDir);

} // namespace krel
