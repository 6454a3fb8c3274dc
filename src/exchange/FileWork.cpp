#include "exchange/FileWork.h"

#include "common/AtomicFile.h"
#include "common/PathText.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

namespace krel {
namespace fs = std::filesystem;

FilePair WorkCopiesIn(const fs::path& workFolder) {
    return EncyclopediaFilesIn(workFolder);
}

FilePair MergeCopiesIn(const fs::path& workFolder) {
    return EncyclopediaFilesIn(workFolder, true);
}

} // namespace krel

namespace krel::exchange {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

} // namespace

fs::path ChildIgnoringCase(const fs::path& folder, std::string_view name) {
    fs::path exact = folder / name;
    std::error_code error;
    if (fs::exists(exact, error))
        return exact;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (sameIgnoringCase(it->path().filename().string(), name))
            return it->path();
    return exact;
}

std::string FolderText(const fs::path& folder) {
    std::string text = PathText(folder);
    if (text.empty() || text.back() != static_cast<char>(fs::path::preferred_separator))
        text.push_back(static_cast<char>(fs::path::preferred_separator));
    return text;
}

std::string ReadRegularFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw std::runtime_error("Cannot read file " + PathText(path) + ": it is a folder");
    return ReadWholeFile(path);
}

void ReplacePair(const FilePair& targets, const BytesPair& bytes) {
    ReplaceFilesAtomically({{targets.Contents, bytes.Contents}, {targets.Titles, bytes.Titles}});
}

} // namespace krel::exchange
