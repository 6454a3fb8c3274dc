#pragma once
// Texts inside the program are Windows-1252, file-system paths are not: FsPath and PathText
// convert at that boundary, for settings that name folders and for messages that name files.

#include <filesystem>
#include <string>
#include <string_view>

namespace krel {

std::filesystem::path FsPath(std::string_view text);
std::string PathText(const std::filesystem::path& path);

} // namespace krel
