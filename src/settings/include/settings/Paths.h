#pragma once
// Where the program finds and keeps its files. Texts inside the program are Windows-1252, so
// folder settings are texts (common/PathText.h converts them at the file-system boundary).

#include "common/PathText.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace krel {

inline constexpr char kPathSeparator =
    static_cast<char>(std::filesystem::path::preferred_separator);

// folder with a separator appended unless it already ends with one.
std::string WithTrailingSeparator(std::string folder);
// folder + separator (only if missing) + name.
std::string JoinPath(std::string folder, std::string_view name);

// The folder of the running executable, without a trailing separator.
std::string ProgramFolder();
// Tests point the program at a folder of their own; an empty text restores the real one.
void SetProgramFolderForTests(std::string folder);
// The program's folder when the user may write there, else the per-user data folder (created
// on demand): the place for the first-run work folder and for exports.
std::string WritableProgramFolder();
// $XDG_DATA_HOME and $XDG_CONFIG_HOME (default ~/.local/share and ~/.config).
std::filesystem::path DataHomeFolder();
std::filesystem::path ConfigHomeFolder();
// $XDG_DATA_HOME/KrelEditor (default ~/.local/share/KrelEditor).
std::filesystem::path UserDataFolder();
// A file the program ships ("help/contents.html", "view.txt"): beside the executable first (a
// build), then in the data folder of the install the executable belongs to (bin/../share/
// KrelEditor, wherever that install was unpacked), then in the user's and the system's data
// folders ($XDG_DATA_HOME, $XDG_DATA_DIRS, each with "KrelEditor"), then in the folder this
// build installs to.
std::optional<std::filesystem::path> FindDataFile(std::string_view relative);

// The bytes of a regular file, or "" when path is missing, unreadable or no regular file (a
// device or pipe could block): for files of other programs that may or may not be there.
std::string ReadFileIfAny(const std::filesystem::path& path);

// The user's settings: $XDG_CONFIG_HOME/KrelEditor/user.reg (default ~/.config).
std::filesystem::path UserSettingsFile();
// The game installer's entry: KrelEditor/machine.reg below the first folder of
// $XDG_CONFIG_DIRS (default /etc/xdg).
std::filesystem::path MachineSettingsFile();

// Where the game is looked for when its installer left no entry: the Wine prefix's copy.
std::string DefaultBaseDir();
// The first-run work folder: the writable program folder + "/Temp".
std::string DefaultTempDir();

// A work folder typed in the options: a text of more than two characters that is not an
// absolute path is taken relative to base (joined with one separator); anything else stays.
std::string ResolveWorkFolderText(const std::string& text, const std::string& base);
// Whether two folder texts name the same folder by the file system's letter-case rule.
bool SameFolderText(std::string_view a, std::string_view b);

} // namespace krel
