#pragma once
// A Wine prefix as the game's installer leaves it: the machine hive in "system.reg", the drive
// letters as links in "dosdevices" ("c:" -> "../drive_c", "z:" -> "/"). Prefixes made by Steam's
// Proton, Lutris and Bottles are laid out the same way.

#include "settings/WineRegistry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

// The machine hive of the prefix, or nothing when its system.reg is missing, unreadable, no
// registry file of Wine's or another hive. Files that never mention the game's maker are
// passed over unparsed, since a prefix holds megabytes of unrelated keys.
std::optional<WineRegistry> ReadGameRegistry(const std::filesystem::path& prefix);

// text with each %Name% the prefix knows replaced (names ignore letter case): the values of
// the session's environment key, and ProgramFiles, ProgramFiles(x86), CommonProgramFiles,
// SystemRoot, windir and SystemDrive as Windows derives them. Unknown names stay as written.
std::string ExpandWineVariables(const WineRegistry& machine, std::string_view text);

// The Linux path of a Windows path ("C:\Program Files\...", "\\?\D:\Games") in the prefix: the
// drive through its dosdevices link ("c:" falls back to "drive_c" when the link is missing),
// the rest matched one component at a time, exactly first and then ignoring letter case.
// Nothing for a drive the prefix does not link or a path without a drive.
std::optional<std::filesystem::path> LinuxPathInPrefix(const std::filesystem::path& prefix,
                                                       std::string_view windowsPath);

// The game's "Program Location" under both of its keys (the native one first, then the one a
// 32-bit installer writes in a 64-bit prefix), expanded and turned into Linux paths.
struct PrefixGameEntry {
    std::filesystem::path Folder;
    std::string Key; // as "HKEY_LOCAL_MACHINE\SOFTWARE\..."
};
std::vector<PrefixGameEntry> GameEntriesInPrefix(const std::filesystem::path& prefix);

} // namespace krel
