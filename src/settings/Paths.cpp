#include "settings/Paths.h"

#include "common/Platform.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace krel {
namespace fs = std::filesystem;
namespace {

std::string programFolderOverride;

fs::path environmentFolder(const char* variable, const fs::path& fallback) {
    const char* value = std::getenv(variable);
    fs::path folder = (value && *value) ? fs::path(value) : fallback;
    return folder.is_absolute() ? folder : fallback;
}

std::vector<fs::path> systemDataFolders() {
    const char* value = std::getenv("XDG_DATA_DIRS");
    std::string list = (value && *value) ? value : "/usr/local/share:/usr/share";
    std::vector<fs::path> folders;
    for (size_t start = 0; start <= list.size();) {
        size_t end = std::min(list.find(':', start), list.size());
        fs::path folder = list.substr(start, end - start);
        if (folder.is_absolute())
            folders.push_back(folder / "KrelEditor");
        start = end + 1;
    }
    return folders;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSeparator)
        folder.push_back(kPathSeparator);
    return folder;
}

std::string JoinPath(std::string folder, std::string_view name) {
    return WithTrailingSeparator(std::move(folder)).append(name);
}

std::string ProgramFolder() {
    if (!programFolderOverride.empty())
        return programFolderOverride;
    fs::path folder = ExecutablePath().parent_path();
    return folder.empty() ? std::string() : PathText(folder);
}

void SetProgramFolderForTests(std::string folder) {
    programFolderOverride = std::move(folder);
}

std::string WritableProgramFolder() {
    std::string folder = ProgramFolder();
    if (!folder.empty() && IsWritableFolder(FsPath(folder)))
        return folder;
    fs::create_directories(UserDataFolder());
    return PathText(UserDataFolder());
}

fs::path UserDataFolder() {
    return environmentFolder("XDG_DATA_HOME", HomeFolder() / ".local/share") / "KrelEditor";
}

std::optional<fs::path> FindDataFile(std::string_view relative) {
    std::vector<fs::path> folders{FsPath(ProgramFolder()), UserDataFolder()};
    for (const fs::path& folder : systemDataFolders())
        folders.push_back(folder);
    folders.push_back(KREL_INSTALLED_DATA_DIR);
    std::error_code error;
    for (const fs::path& folder : folders) {
        fs::path candidate = folder / fs::path(std::string(relative));
        if (!folder.empty() && fs::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

fs::path UserSettingsFile() {
    return environmentFolder("XDG_CONFIG_HOME", HomeFolder() / ".config") / "KrelEditor" /
           "user.reg";
}

fs::path MachineSettingsFile() {
    const char* value = std::getenv("XDG_CONFIG_DIRS");
    std::string list = (value && *value) ? value : "";
    fs::path first = list.substr(0, list.find(':'));
    if (!first.is_absolute())
        first = "/etc/xdg";
    return first / "KrelEditor" / "machine.reg";
}

std::string DefaultBaseDir() {
    return PathText(HomeFolder() / ".wine/drive_c/Program Files/Corvane Interactive/Vastreach 3/");
}

std::string DefaultTempDir() {
    return JoinPath(WritableProgramFolder(), "Temp");
}

std::string ResolveWorkFolderText(const std::string& text, const std::string& base) {
    if (text.size() <= 2 || FsPath(text).is_absolute())
        return text;
    return JoinPath(base, text);
}

bool SameFolderText(std::string_view a, std::string_view b) {
    if (!FileNamesIgnoreCase())
        return a == b;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

} // namespace krel
