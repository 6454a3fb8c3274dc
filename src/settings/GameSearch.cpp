#include "settings/GameSearch.h"

#include "common/Platform.h"
#include "settings/GamePath.h"
#include "settings/Paths.h"
#include "settings/SteamLibraries.h"
#include "settings/WinePrefix.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace krel {
namespace fs = std::filesystem;
namespace {

// Folders in the order added, each once however it is spelt (links, "..", a trailing "/").
class FolderList {
public:
    bool add(const fs::path& folder) {
        std::error_code error;
        fs::path key = fs::weakly_canonical(folder, error);
        if (key.filename().empty())
            key = key.parent_path();
        if (error || !seen_.insert(key).second)
            return false;
        folders_.push_back(folder);
        return true;
    }
    const std::vector<fs::path>& folders() const { return folders_; }

private:
    std::set<fs::path> seen_;
    std::vector<fs::path> folders_;
};

bool isFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder, error);
}

// The entries of folder (sorted, so the search order never depends on the file system).
std::vector<fs::path> entriesOf(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<fs::path> subfolders(const fs::path& folder) {
    std::vector<fs::path> found = entriesOf(folder);
    found.erase(
        std::remove_if(found.begin(), found.end(), [](const fs::path& p) { return !isFolder(p); }),
        found.end());
    return found;
}

std::vector<fs::path> steamRoots(const GameSearchPlaces& places) {
    return {places.Home / ".steam/steam", places.DataHome / "Steam",
            places.Home / ".local/share/Steam",
            places.Home / ".var/app/com.valvesoftware.Steam/.local/share/Steam"};
}

std::vector<fs::path> steamLibraries(const GameSearchPlaces& places) {
    FolderList libraries;
    for (const fs::path& root : steamRoots(places)) {
        if (!isFolder(root / "steamapps"))
            continue;
        libraries.add(root);
        for (const fs::path& listed :
             SteamLibraryFolders(ReadFileIfAny(root / "steamapps/libraryfolders.vdf")))
            libraries.add(listed);
    }
    return libraries.folders();
}

std::string trimmed(std::string_view text) {
    size_t start = text.find_first_not_of(" \t\r");
    size_t end = text.find_last_not_of(" \t\r");
    return start == std::string_view::npos ? std::string()
                                           : std::string(text.substr(start, end - start + 1));
}

// The "prefix: /path" lines of a Lutris game file (YAML; quotes allowed).
std::vector<fs::path> lutrisPrefixesIn(std::string_view yaml) {
    std::vector<fs::path> prefixes;
    for (size_t start = 0; start < yaml.size();) {
        size_t end = std::min(yaml.find('\n', start), yaml.size());
        std::string line = trimmed(yaml.substr(start, end - start));
        start = end + 1;
        if (line.rfind("prefix:", 0) != 0)
            continue;
        std::string value = trimmed(std::string_view(line).substr(7));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        if (fs::path(value).is_absolute())
            prefixes.emplace_back(value);
    }
    return prefixes;
}

std::vector<fs::path> lutrisPrefixes(const GameSearchPlaces& places) {
    std::vector<fs::path> prefixes;
    for (const fs::path& games :
         {places.ConfigHome / "lutris/games", places.DataHome / "lutris/games"})
        for (const fs::path& file : entriesOf(games))
            if (file.extension() == ".yml")
                for (const fs::path& prefix : lutrisPrefixesIn(ReadFileIfAny(file)))
                    prefixes.push_back(prefix);
    for (const fs::path& folder : subfolders(places.Home / "Games"))
        prefixes.push_back(folder);
    return prefixes;
}

std::vector<fs::path> bottlesPrefixes(const GameSearchPlaces& places) {
    std::vector<fs::path> prefixes = subfolders(places.DataHome / "bottles/bottles");
    for (const fs::path& bottle :
         subfolders(places.Home / ".var/app/com.usebottles.bottles/data/bottles/bottles"))
        prefixes.push_back(bottle);
    return prefixes;
}

// Collects the candidates, asking each prefix once whatever list it comes from.
class CandidateList {
public:
    void addEntry(const std::string& machineEntry) {
        if (!machineEntry.empty())
            list_.push_back({machineEntry, "the machine-wide entry"});
    }
    void addPrefix(const fs::path& prefix, const std::string& kind) {
        if (prefix.empty() || !prefixes_.add(prefix))
            return;
        for (const PrefixGameEntry& entry : GameEntriesInPrefix(prefix))
            list_.push_back({PathText(entry.Folder), "the " + kind + " prefix " + PathText(prefix) +
                                                         " (" + entry.Key + ")"});
    }
    void addSteamGames(const fs::path& library) {
        for (const fs::path& game : subfolders(library / "steamapps/common"))
            list_.push_back({PathText(game), "the Steam library " + PathText(library)});
    }
    std::vector<GameCandidate> take() { return std::move(list_); }

private:
    FolderList prefixes_;
    std::vector<GameCandidate> list_;
};

} // namespace

GameSearchPlaces GameSearchPlaces::FromEnvironment() {
    const char* prefix = std::getenv("WINEPREFIX");
    fs::path winePrefix =
        (prefix && fs::path(prefix).is_absolute()) ? fs::path(prefix) : fs::path();
    return {HomeFolder(), ConfigHomeFolder(), DataHomeFolder(), winePrefix};
}

std::vector<GameCandidate> GameCandidates(const GameSearchPlaces& places,
                                          const std::string& machineEntry) {
    CandidateList list;
    list.addEntry(machineEntry);
    list.addPrefix(places.WinePrefix, "Wine");
    list.addPrefix(places.Home / ".wine", "Wine");
    const std::vector<fs::path> libraries = steamLibraries(places);
    for (const fs::path& library : libraries)
        for (const fs::path& game : subfolders(library / "steamapps/compatdata"))
            list.addPrefix(game / "pfx", "Proton");
    for (const fs::path& library : libraries)
        list.addSteamGames(library);
    for (const fs::path& prefix : lutrisPrefixes(places))
        list.addPrefix(prefix, "Lutris");
    for (const fs::path& prefix : bottlesPrefixes(places))
        list.addPrefix(prefix, "Bottles");
    return list.take();
}

std::vector<GameCandidate> FindGameFolders(const GameSearchPlaces& places,
                                           const std::string& machineEntry) {
    std::vector<GameCandidate> found;
    FolderList folders;
    for (GameCandidate& candidate : GameCandidates(places, machineEntry))
        if (IsGameFolder(candidate.Folder) && folders.add(FsPath(candidate.Folder)))
            found.push_back(std::move(candidate));
    return found;
}

std::string FirstRunGameFolder(const std::vector<GameCandidate>& found,
                               const std::string& machineEntry, const std::string& fallback) {
    if (!found.empty())
        return found.front().Folder;
    return machineEntry.empty() ? fallback : machineEntry;
}

} // namespace krel
