#include "common/AtomicFile.h"
#include "common/DebugOutput.h"
#include "common/PathText.h"
#include "exchange/StageSources.h"

namespace krel::exchange {
namespace fs = std::filesystem;
namespace {

// The extension as the chooser's paths carry it: from the last "." after the last folder
// separator or drive colon, or empty.
std::string extensionOf(const std::string& path) {
    size_t folderEnd = path.find_last_of("/\\:");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (folderEnd != std::string::npos && dot < folderEnd))
        return {};
    return path.substr(dot);
}

bool isTxt(std::string extension) {
    for (char& c : extension)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return extension == ".txt";
}

bool passes(const std::string& path) {
    return path.find("wsEncyclopedia") != std::string::npos && isTxt(extensionOf(path));
}

bool isTitlesFile(const fs::path& path) {
    return PathText(path.filename()).find("wsEncyclopediaTitles") != std::string::npos;
}

bool bothPass(const fs::path& first, const fs::path& second) {
    std::string firstExtension = extensionOf(PathText(first));
    for (const fs::path* path : {&first, &second}) {
        DebugOutput("Ext: %s", firstExtension.c_str());
        if (!passes(PathText(*path)))
            return false;
    }
    return true;
}

} // namespace

std::optional<BytesPair> ReadTextPair(const fs::path& first, const fs::path& second) {
    if (!bothPass(first, second) || isTitlesFile(first) == isTitlesFile(second))
        return std::nullopt;
    const fs::path& titles = isTitlesFile(first) ? first : second;
    const fs::path& contents = isTitlesFile(first) ? second : first;
    const ReadingLock pair({contents, titles});
    BytesPair bytes;
    bytes.Contents = ReadRegularFile(contents);
    bytes.Titles = ReadRegularFile(titles);
    return bytes;
}

} // namespace krel::exchange
