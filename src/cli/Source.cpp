#include "cli/Source.h"

#include "common/AtomicFile.h"
#include "encyclopedia/Parser.h"

namespace krel::cli {
namespace fs = std::filesystem;
namespace {

fs::file_status statusOf(const fs::path& path) {
    std::error_code ignored;
    return fs::status(path, ignored);
}

FileText readFile(const fs::path& file) {
    fs::file_status status = statusOf(file);
    if (!fs::exists(status))
        throw ESourceError("'" + file.string() + "': no such file");
    if (!fs::is_regular_file(status))
        throw ESourceError("'" + file.string() + "': not a regular file");
    return ReadEncyclopediaFile(file);
}

SourceFiles readFolder(const fs::path& source, bool mergeFiles) {
    FilePair paths = EncyclopediaFilesIn(source, mergeFiles);
    SourceFiles files;
    files.Names = {paths.Titles.string(), paths.Contents.string()};
    const ReadingLock pair({paths.Titles, paths.Contents});
    files.Texts.Titles = readFile(paths.Titles);
    files.Texts.Contents = readFile(paths.Contents);
    return files;
}

} // namespace

SourceFiles ReadSource(const fs::path& source, bool mergeFiles) {
    fs::file_status status = statusOf(source);
    if (!fs::exists(status))
        throw ESourceError("'" + source.string() + "': no such folder or archive");
    if (fs::is_directory(status))
        return readFolder(source, mergeFiles);
    if (mergeFiles)
        throw ESourceError("'" + source.string() +
                           "': an archive has no \".merge\" files; --merge-files reads them "
                           "from a folder only");
    return ReadArchiveSource(source);
}

} // namespace krel::cli
