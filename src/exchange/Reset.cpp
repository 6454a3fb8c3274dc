#include "exchange/Reset.h"

#include <stdexcept>
#include <string>

namespace krel {
namespace {

std::string extractMember(TZipMaster& zip, std::string_view member, const LogFn& log) {
    log("-> Extracting " + std::string(member));
    TZipStream* stream = zip.ExtractFileToStream(std::string(member));
    if (!stream)
        throw std::runtime_error("Cannot extract " + std::string(member) + " from " +
                                 exchange::PathText(zip.ZipFileName()));
    return stream->Bytes();
}

} // namespace

void ExtractGameEncyclopedia(TZipMaster& zip, const std::filesystem::path& stringArchive,
                             const std::filesystem::path& workFolder, const LogFn& log) {
    zip.SetZipFileName(stringArchive);
    if (zip.ZipFileName().empty())
        throw std::runtime_error("Cannot read the string archive " +
                                 exchange::PathText(stringArchive));
    std::string contents = extractMember(zip, kArchiveContentsMember, log);
    std::string titles = extractMember(zip, kArchiveTitlesMember, log);
    exchange::ReplacePair(WorkCopiesIn(workFolder), std::move(contents), std::move(titles));
    log("Extraction completed.");
}

} // namespace krel
