#include "exchange/Reset.h"

#include "common/PathText.h"

#include <stdexcept>
#include <string>

namespace krel {
namespace {

std::string extractMember(TZipMaster& zip, std::string_view member, const LogFn& log) {
    log("-> Extracting " + std::string(member));
    TZipStream* stream = zip.ExtractFileToStream(std::string(member));
    if (!stream)
        throw std::runtime_error("Cannot extract " + std::string(member) + " from " +
                                 PathText(zip.ZipFileName()));
    return stream->TakeBytes();
}

} // namespace

BytesPair ReadGameEncyclopedia(TZipMaster& zip, const std::filesystem::path& stringArchive,
                               const LogFn& log) {
    zip.SetZipFileName(stringArchive);
    if (zip.ZipFileName().empty())
        throw std::runtime_error("Cannot read the string archive " + PathText(stringArchive));
    BytesPair bytes;
    bytes.Contents = extractMember(zip, kArchiveContentsMember, log);
    bytes.Titles = extractMember(zip, kArchiveTitlesMember, log);
    return bytes;
}

void ExtractGameEncyclopedia(TZipMaster& zip, const std::filesystem::path& stringArchive,
                             const std::filesystem::path& workFolder, const LogFn& log) {
    exchange::ReplacePair(WorkCopiesIn(workFolder), ReadGameEncyclopedia(zip, stringArchive, log));
    log("Extraction completed.");
}

} // namespace krel
