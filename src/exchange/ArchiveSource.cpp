#include "archive/ZipArchive.h"
#include "exchange/EncyclopediaMembers.h"
#include "exchange/StageSources.h"

namespace krel::exchange {
namespace fs = std::filesystem;
namespace {

std::string extract(const ZipArchive& archive, const MemberInfo& member, std::string_view name,
                    const LogFn& log) {
    log("-> Extracting " + std::string(name));
    return archive.Read(member);
}

} // namespace

std::optional<BytesPair> ExtractArchivePair(TZipMaster& zip, const fs::path& archive,
                                            const LogFn& log) {
    // The component lists the archive first, so a file that is no archive gets its report.
    zip.SetZipFileName(archive);
    if (zip.ZipContents().empty())
        return std::nullopt;
    ZipArchive opened(zip.ZipFileName());
    EncyclopediaPair<MemberList> found = FindEncyclopediaMembers(opened.Members());
    if (!HoldsOneOfEach(found))
        return std::nullopt;
    const MemberInfo& titles = found.Titles.front();
    const MemberInfo& contents = found.Contents.front();
    BytesPair bytes;
    if (titles.Index < contents.Index) {
        bytes.Titles = extract(opened, titles, kTitlesFileName, log);
        bytes.Contents = extract(opened, contents, kContentsFileName, log);
    } else {
        bytes.Contents = extract(opened, contents, kContentsFileName, log);
        bytes.Titles = extract(opened, titles, kTitlesFileName, log);
    }
    return bytes;
}

} // namespace krel::exchange
