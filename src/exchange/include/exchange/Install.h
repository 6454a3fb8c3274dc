#pragma once
// Install's file work: the work copies, as they stand, become the game's loose files.

#include "encyclopedia/Encyclopedia.h"
#include "exchange/FileWork.h"

#include <filesystem>

namespace krel {

// The loose files inside the data folder's "wStrings" folder, each name matched exactly first
// and then ignoring letter case.
FilePair LooseFilesIn(const std::filesystem::path& dataFolder);

// The data folder's "wStrings" folder, matched ignoring letter case; a fresh game has none.
std::filesystem::path LooseFolderIn(const std::filesystem::path& dataFolder);
bool HasLooseFolder(const std::filesystem::path& dataFolder);
// Creates the "wStrings" folder for a first install; throws std::runtime_error naming it when
// it cannot be made.
void CreateLooseFolder(const std::filesystem::path& dataFolder);

// Copies both work copies into the data folder's "wStrings" folder. Both are read whole first;
// a loose file about to be replaced keeps its previous content as "<name>.bak" beside it (one
// generation) and is made writable first. The two loose files and their ".bak" files are
// replaced as one step, so any failure (a missing work copy, a missing "wStrings" folder, a
// folder that cannot be written) leaves all of them as they were and throws std::runtime_error
// naming the file or folder.
void InstallWorkCopies(const std::filesystem::path& workFolder,
                       const std::filesystem::path& dataFolder);

// Whether the work copies differ from what saving the encyclopedia would write into them (a
// missing work copy differs): the edits an install would leave out.
bool WorkCopiesDifferFrom(const Encyclopedia& encyclopedia,
                          const std::filesystem::path& workFolder);

} // namespace krel
