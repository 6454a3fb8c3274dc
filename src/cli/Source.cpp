#include "cli/Source.h"

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
    SourceFiles files;
    fs::path titles = TitlesFileIn(source, mergeFiles);
    fs::path contents = ContentsFileIn(source, mergeFiles);
    files.TitlesName = titles.string();
    files.ContentsName = contents.string();
    files.Titles = readFile(titles);
    files.Contents = readFile(contents);
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
