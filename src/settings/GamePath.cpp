#include "settings/GamePath.h"

#include "settings/AsciiCase.h"
#include "settings/Paths.h"

#include <algorithm>

namespace krel {
namespace fs = std::filesystem;
namespace {

// The entry of folder whose name equals name ignoring case, or name itself when none does.
std::string matchComponent(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error))
        return name;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (SameIgnoringCase(candidate, name))
            return candidate;
    }
    return name;
}

} // namespace

fs::path ResolveGamePath(const fs::path& base, std::string_view relative) {
    fs::path result = base;
    std::string text(relative);
    std::replace(text.begin(), text.end(), '\\', '/');
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('/', start), text.size());
        std::string name = text.substr(start, end - start);
        if (!name.empty())
            result /= matchComponent(result, name);
        start = end + 1;
    }
    return result;
}

bool IsGameFolder(std::string_view baseDir) {
    fs::path base = FsPath(baseDir);
    if (!base.is_absolute())
        return false;
    std::error_code error;
    return fs::is_directory(base, error) &&
           fs::is_regular_file(ResolveGamePath(base, "krel.exe"), error) &&
           fs::is_regular_file(ResolveGamePath(base, "binkw32.dll"), error);
}

} // namespace krel
