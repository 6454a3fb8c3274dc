#include "exchange/StageSources.h"

#include <stdexcept>
#include <string_view>

namespace krel::exchange {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTitlesPart = "wsEncyclopediaTitles.txt";
constexpr std::string_view kContentsPart = "wsEncyclopedia.txt";

enum class MemberKind { Other, Contents, Titles };

// Letter case is significant and the folder part does not matter. The titles name does not
// contain the contents name, so a member is never both.
MemberKind kindOf(const std::string& memberName) {
    if (memberName.find(kTitlesPart) != std::string::npos)
        return MemberKind::Titles;
    if (memberName.find(kContentsPart) != std::string::npos)
        return MemberKind::Contents;
    return MemberKind::Other;
}

// Exactly one member of each kind, else the archive is refused.
bool holdsOneOfEach(const std::vector<ZipDirEntry>& members) {
    int contents = 0;
    int titles = 0;
    for (const ZipDirEntry& member : members) {
        MemberKind kind = kindOf(member.FileName);
        contents += kind == MemberKind::Contents ? 1 : 0;
        titles += kind == MemberKind::Titles ? 1 : 0;
    }
    return contents == 1 && titles == 1;
}

std::string extract(TZipMaster& zip, const std::string& memberName) {
    TZipStream* stream = zip.ExtractFileToStream(memberName);
    if (!stream)
        throw std::runtime_error("Cannot extract " + memberName + " from " +
                                 PathText(zip.ZipFileName()));
    return stream->Bytes();
}

} // namespace

std::optional<StagedBytes> ExtractArchivePair(TZipMaster& zip, const fs::path& archive,
                                              const LogFn& log) {
    zip.SetZipFileName(archive);
    const std::vector<ZipDirEntry>& members = zip.ZipContents();
    if (!holdsOneOfEach(members))
        return std::nullopt;
    StagedBytes staged;
    for (const ZipDirEntry& member : members) {
        MemberKind kind = kindOf(member.FileName);
        if (kind == MemberKind::Other)
            continue;
        bool titles = kind == MemberKind::Titles;
        log("-> Extracting " + std::string(titles ? kTitlesPart : kContentsPart));
        (titles ? staged.Titles : staged.Contents) = extract(zip, member.FileName);
    }
    return staged;
}

} // namespace krel::exchange
