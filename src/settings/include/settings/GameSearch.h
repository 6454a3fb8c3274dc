#pragma once
// Where a Linux player's copy of the game is. The game runs under Wine, Steam's Proton, Lutris
// or Bottles, and its installer's entry ("Program Location") sits in that prefix's registry.
// The places, in the order they are asked:
//   1. our own machine-wide entry (machine.reg), so packagers and tests can pin the game;
//   2. the prefix named by $WINEPREFIX;
//   3. ~/.wine;
//   4. the Proton prefixes of every Steam library (steamapps/compatdata/*/pfx);
//   5. the folders of every Steam library's games (steamapps/common/*), by their marker files;
//   6. Lutris prefixes: those its game files name, then the folders in ~/Games;
//   7. Bottles prefixes (also of its Flatpak).
// Inside a prefix the native key comes before the one a 32-bit installer writes in a 64-bit
// prefix. Steam libraries are the Steam folders themselves and the ones their
// libraryfolders.vdf lists, for the usual, the ~/.steam and the Flatpak installs.

#include <filesystem>
#include <string>
#include <vector>

namespace krel {

// The folders the search starts from, taken from the environment by the program and made up
// by tests.
struct GameSearchPlaces {
    std::filesystem::path Home;
    std::filesystem::path ConfigHome; // $XDG_CONFIG_HOME
    std::filesystem::path DataHome;   // $XDG_DATA_HOME
    std::filesystem::path WinePrefix; // $WINEPREFIX, empty when unset
    static GameSearchPlaces FromEnvironment();
};

struct GameCandidate {
    std::string Folder; // as the BaseDir setting holds it
    std::string Where;  // for the log and the options: "the Wine prefix /home/ann/.wine (...)"
};

// Every folder the places name, in search order, not yet checked.
std::vector<GameCandidate> GameCandidates(const GameSearchPlaces& places,
                                          const std::string& machineEntry);

// The candidates that are game folders (IsGameFolder), each folder once, in search order.
std::vector<GameCandidate> FindGameFolders(const GameSearchPlaces& places,
                                           const std::string& machineEntry);

// The first-run game folder: the first one found; else the machine-wide entry's text as it
// stands (a game on a drive not mounted yet); else fallback.
std::string FirstRunGameFolder(const std::vector<GameCandidate>& found,
                               const std::string& machineEntry, const std::string& fallback);

} // namespace krel
