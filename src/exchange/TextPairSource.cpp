#include "common/AtomicFile.h"
#include "common/DebugOutput.h"
#include "common/PathText.h"
#include "exchange/StageSources.h"
#include "exchange/Staging.h"

#include <system_error>

namespace krel::exchange {
namespace fs = std::filesystem;
namespace {

// What a chosen file's name must hold: the pair's file names without ".txt". The contents stem
// is the start of the titles stem, so every file of the pair holds it.
constexpr std::string_view stemOf(std::string_view fileName) {
    return fileName.substr(0, fileName.rfind('.'));
}
constexpr std::string_view kContentsStem = stemOf(kContentsFileName);
constexpr std::string_view kTitlesStem = stemOf(kTitlesFileName);

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
    return path.find(kContentsStem) != std::string::npos && isTxt(extensionOf(path));
}

bool isTitlesFile(const fs::path& path) {
    return PathText(path.filename()).find(kTitlesStem) != std::string::npos;
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

// The partner's file name: the titles stem turned into the contents stem and back; empty when
// the name holds neither.
std::string partnerName(std::string name) {
    if (size_t at = name.find(kTitlesStem); at != std::string::npos)
        return name.replace(at, kTitlesStem.size(), kContentsStem);
    if (size_t at = name.find(kContentsStem); at != std::string::npos)
        return name.replace(at, kContentsStem.size(), kTitlesStem);
    return {};
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

namespace krel {

bool IsLoneTextFile(const std::vector<std::filesystem::path>& selection) {
    return selection.size() == 1 && exchange::isTxt(exchange::extensionOf(PathText(selection[0])));
}

std::optional<std::filesystem::path> PartnerTextFile(const std::filesystem::path& chosen) {
    const std::string name = exchange::partnerName(PathText(chosen.filename()));
    if (name.empty())
        return std::nullopt;
    std::filesystem::path partner = chosen.parent_path() / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(partner, error))
        return std::nullopt;
    return partner;
}

} // namespace krel
