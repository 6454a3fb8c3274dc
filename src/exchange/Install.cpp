#include "exchange/Install.h"

#include "common/AtomicFile.h"
#include "common/PathText.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/Writer.h"

#include <stdexcept>
#include <system_error>
#include <vector>

namespace krel {
namespace fs = std::filesystem;
namespace {

fs::path looseFolderIn(const fs::path& dataFolder) {
    return exchange::ChildIgnoringCase(dataFolder, kStringsFolderName);
}

FilePair looseFilesInFolder(const fs::path& folder) {
    return {exchange::ChildIgnoringCase(folder, kTitlesFileName),
            exchange::ChildIgnoringCase(folder, kContentsFileName)};
}

fs::path existingLooseFolder(const fs::path& dataFolder) {
    fs::path folder = looseFolderIn(dataFolder);
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw std::runtime_error("The folder " + PathText(folder) +
                                 " does not exist; the encyclopedia cannot be installed there");
    return folder;
}

fs::path backupOf(const fs::path& file) {
    fs::path backup = file;
    backup += ".bak";
    return backup;
}

// The read-only mark must not stop the game's file from being replaced.
void makeWritable(const fs::path& file) {
    std::error_code ignored;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    ignored);
}

// Adds the loose file's new content and, when it exists, its previous content as the backup.
void planReplacement(const fs::path& loose, const fs::path& work, std::vector<FileCopy>& plan) {
    std::error_code error;
    if (fs::exists(loose, error))
        plan.emplace_back(backupOf(loose), loose);
    plan.emplace_back(loose, work);
}

// Without both work copies there is nothing to install, whatever the game's folder holds.
void requireWorkCopies(const FilePair& work) {
    for (const fs::path* file : {&work.Contents, &work.Titles}) {
        std::error_code error;
        if (!fs::is_regular_file(*file, error))
            throw std::runtime_error(
                "Cannot read file " + PathText(*file) +
                (fs::exists(*file, error) ? ": it is not a plain file" : ": it does not exist"));
    }
}

bool fileHolds(const fs::path& file, const std::string& bytes) {
    std::error_code error;
    if (!fs::is_regular_file(file, error) || fs::file_size(file, error) != bytes.size() || error)
        return false;
    return exchange::ReadRegularFile(file) == bytes;
}

} // namespace

FilePair LooseFilesIn(const fs::path& dataFolder) {
    return looseFilesInFolder(looseFolderIn(dataFolder));
}

fs::path LooseFolderIn(const fs::path& dataFolder) {
    return looseFolderIn(dataFolder);
}

bool HasLooseFolder(const fs::path& dataFolder) {
    std::error_code error;
    return fs::is_directory(looseFolderIn(dataFolder), error);
}

void CreateLooseFolder(const fs::path& dataFolder) {
    const fs::path folder = looseFolderIn(dataFolder);
    std::error_code error;
    fs::create_directory(folder, error);
    if (error)
        throw std::runtime_error("Cannot create the folder " + PathText(folder) + ": " +
                                 error.message());
}

void InstallWorkCopies(const fs::path& workFolder, const fs::path& dataFolder) {
    FilePair work = WorkCopiesIn(workFolder);
    requireWorkCopies(work);
    FilePair loose = looseFilesInFolder(existingLooseFolder(dataFolder));
    makeWritable(loose.Contents);
    makeWritable(loose.Titles);
    std::vector<FileCopy> plan;
    planReplacement(loose.Contents, work.Contents, plan);
    planReplacement(loose.Titles, work.Titles, plan);
    ReplaceFilesWithCopies(plan);
}

bool WorkCopiesDifferFrom(const Encyclopedia& encyclopedia, const fs::path& workFolder) {
    FilePair work = WorkCopiesIn(workFolder);
    const Encyclopedia::EntryList& records = encyclopedia.GetEntryList();
    return !fileHolds(work.Contents, EncodeContentsFile(records)) ||
           !fileHolds(work.Titles, EncodeTitlesFile(records));
}

} // namespace krel
