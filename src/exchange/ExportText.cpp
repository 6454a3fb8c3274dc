#include "common/AtomicFile.h"
#include "common/Platform.h"
#include "encyclopedia/Writer.h"
#include "exchange/Export.h"
#include "exchange/FileWork.h"

namespace krel {
namespace fs = std::filesystem;

fs::path ExportFolderFor(const fs::path& programFolder, const fs::path& standIn) {
    if (IsWritableFolder(programFolder))
        return programFolder;
    fs::create_directories(standIn);
    return standIn;
}

ExportResult ExportTextFiles(const Encyclopedia& encyclopedia, const fs::path& workFolder,
                             const fs::path& exportFolder) {
    SaveCurrentEncyclopedia(encyclopedia, workFolder);
    FilePair work = WorkCopiesIn(workFolder);
    FilePair exported = WorkCopiesIn(exportFolder);
    ReplaceFilesWithCopies({{exported.Contents, work.Contents}, {exported.Titles, work.Titles}});
    return {
        true, exportFolder,
        "Encyclopedia files wsEncyclopedia.txt and wsEncyclopediaTitles.txt saved to the dir: " +
            exchange::FolderText(exportFolder)};
}

} // namespace krel
