#pragma once
// How the safe-replace facility names and finds what it writes: the temporaries it invents
// beside a target, the leftovers such names mark, the record of a replacement under way, and
// the file that a target name really stands for.

#include <filesystem>
#include <string>
#include <string_view>

namespace krel::replace {

// A fresh, unpredictable name beside file: ".<file name>.krel-<16 hex digits>~".
std::filesystem::path TemporaryBeside(const std::filesystem::path& file);
// Whether name is one that TemporaryBeside gives.
bool IsTemporaryName(std::string_view name);
// Whether name is a temporary or backup that earlier versions left beside target
// ("<target>.new0~", "<target>.old3~").
bool IsOlderLeftoverOf(std::string_view name, std::string_view target);

// The record of the replacement under way in folder.
std::filesystem::path JournalIn(const std::filesystem::path& folder);

// The file that writing to named replaces: named itself, or the file its links lead to.
std::filesystem::path FollowToFile(const std::filesystem::path& named);

// "'<path>'" as program text.
std::string Quoted(const std::filesystem::path& path);
// Raises "<action> file '<path>': <cause>".
[[noreturn]] void Fail(std::string_view action, const std::filesystem::path& path,
                       const std::exception& cause);

} // namespace krel::replace
