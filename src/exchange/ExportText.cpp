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
    BytesPair bytes;
    bytes.Contents = exchange::ReadRegularFile(work.Contents);
    bytes.Titles = exchange::ReadRegularFile(work.Titles);
    exchange::ReplacePair(WorkCopiesIn(exportFolder), std::move(bytes));
    return {
        true, exportFolder,
        "Encyclopedia files wsEncyclopedia.txt and wsEncyclopediaTitles.txt saved to the dir: " +
            exchange::FolderText(exportFolder)};
}

} // namespace krel
