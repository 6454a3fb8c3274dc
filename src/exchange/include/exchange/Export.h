#pragma once
// Export: the encyclopedia is saved into the work folder, then copied out as the two text files
// or packed into "Encyclopedia.zip" laid out like the game's folder.

#include "archive/ZipMaster.h"
#include "encyclopedia/Encyclopedia.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace krel {

inline constexpr std::string_view kExportArchiveName = "Encyclopedia.zip";
// Where the archive places both files: the game's own layout below its folder, so unpacking it
// there puts them where installing puts them.
inline constexpr std::string_view kExportMemberFolder =
    "GameDataSets\\Classic_01\\GameData\\English\\wStrings\\";

// The program folder when the user may write there, else the stand-in (created when missing).
std::filesystem::path ExportFolderFor(const std::filesystem::path& programFolder,
                                      const std::filesystem::path& standIn);

struct ExportResult {
    bool Succeeded = false;
    std::filesystem::path Target; // the folder of the text files, or the archive
    std::string Message;          // the information to show; empty after a failure
};

// Saves the encyclopedia into the work folder, then copies both work copies into the export
// folder as one step (both or neither), overwriting earlier exports. Failures throw: the save's
// own error, or std::runtime_error naming the file that could not be written.
ExportResult ExportTextFiles(const Encyclopedia& encyclopedia,
                             const std::filesystem::path& workFolder,
                             const std::filesystem::path& exportFolder);

// Disposes of the previous archive (the editor moves it to the trash); it is called only once
// the new archive is complete.
using DisposeFn = std::function<void(const std::filesystem::path& oldArchive)>;

// Saves the encyclopedia into the work folder, then builds the archive through zip (Add, then
// Rename below kExportMemberFolder; zip's OnProgress sees both batches) under a temporary name
// beside target. Only an archive that really holds both members, deflated and whole, replaces
// target (disposeOld, when given, first disposes of an older one). Returns false when the
// component fails (it has reported why): the temporary is gone and any older archive is
// untouched; an exception from zip's handlers or from disposeOld passes through with the same
// guarantee. Afterwards zip names the new archive, or nothing after a failure.
bool PackEncyclopedia(const Encyclopedia& encyclopedia, const std::filesystem::path& workFolder,
                      const std::filesystem::path& target, TZipMaster& zip,
                      const DisposeFn& disposeOld);

// PackEncyclopedia into "Encyclopedia.zip" in the export folder, with the message to show.
ExportResult ExportZipArchive(const Encyclopedia& encyclopedia,
                              const std::filesystem::path& workFolder,
                              const std::filesystem::path& exportFolder, TZipMaster& zip,
                              const DisposeFn& disposeOld);

} // namespace krel
