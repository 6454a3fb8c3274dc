#pragma once
// Files are never written in place: the bytes go to a temporary beside the target first, and
// only a complete temporary replaces the target, so a failure never leaves a half-written file.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace krel {

// Reads a whole file; throws std::runtime_error naming the file and the reason.
std::string ReadWholeFile(const std::filesystem::path& path);

// Writes bytes to path through a temporary in the same folder. Throws on failure, leaving any
// existing file at path untouched.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Replaces several files as one step: every temporary is written completely first, then the
// targets are swapped in; if any swap fails, the targets already swapped get their previous
// content back (or disappear again if they did not exist), so callers never see a mixed set.
using FileContent = std::pair<std::filesystem::path, std::string>;
void ReplaceFilesAtomically(const std::vector<FileContent>& files);

} // namespace krel
