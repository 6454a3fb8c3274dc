#include "settings/Paths.h"

#include "common/AtomicFile.h"
#include "common/Platform.h"
#include "settings/AsciiCase.h"

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

fs::path DataHomeFolder() {
    return environmentFolder("XDG_DATA_HOME", HomeFolder() / ".local/share");
}

fs::path ConfigHomeFolder() {
    return environmentFolder("XDG_CONFIG_HOME", HomeFolder() / ".config");
}

fs::path UserDataFolder() {
    return DataHomeFolder() / "KrelEditor";
}

std::optional<fs::path> FindDataFile(std::string_view relative) {
    const fs::path program = FsPath(ProgramFolder());
    std::vector<fs::path> folders{program};
    if (!program.empty())
        folders.push_back((program / KREL_DATA_DIR_FROM_PROGRAM).lexically_normal());
    folders.push_back(UserDataFolder());
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

std::string ReadFileIfAny(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return {};
    try {
        return ReadWholeFile(path);
    } catch (const std::exception&) {
        return {};
    }
}

fs::path UserSettingsFile() {
    return ConfigHomeFolder() / "KrelEditor" / "user.reg";
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
    return FileNamesIgnoreCase() ? SameIgnoringCase(a, b) : a == b;
}

} // namespace krel
