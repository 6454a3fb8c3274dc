#include "common/EncyclopediaFiles.h"

namespace krel {
namespace fs = std::filesystem;
namespace {

fs::path fileIn(const fs::path& folder, std::string_view name, bool mergeFiles) {
    std::string file(name);
    if (mergeFiles)
        file += kMergeSuffix;
    return folder / file;
}

} // namespace

FilePair EncyclopediaFilesIn(const fs::path& folder, bool mergeFiles) {
    return {fileIn(folder, kTitlesFileName, mergeFiles),
            fileIn(folder, kContentsFileName, mergeFiles)};
}

} // namespace krel
