#include "cli/Archive.h"
#include "cli/Source.h"
#include "common/TextCodec.h"
#include "exchange/EncyclopediaMembers.h"

namespace krel::cli {
namespace {

// "no titles member", "1 titles member (a\x.txt)", "2 titles members (a, b)"
std::string describe(const MemberList& members, const std::string& kind) {
    if (members.empty())
        return "no " + kind + " member";
    std::string list;
    for (const MemberInfo& member : members)
        list += (list.empty() ? "" : ", ") + Cp1252ToUtf8(member.ListedName);
    std::string plural = members.size() > 1 ? "s" : "";
    return std::to_string(members.size()) + " " + kind + " member" + plural + " (" + list + ")";
}

void requireOneOfEach(const EncyclopediaPair<MemberList>& found, const ZipArchive& archive) {
    if (HoldsOneOfEach(found))
        return;
    throw ESourceError("'" + archive.Path().string() +
                       "': an encyclopedia archive holds exactly one member whose name contains " +
                       std::string(kTitlesFileName) + " and one whose name contains " +
                       std::string(kContentsFileName) + "; this one holds " +
                       describe(found.Titles, "titles") + " and " +
                       describe(found.Contents, "contents"));
}

} // namespace

SourceFiles ReadArchiveSource(const std::filesystem::path& path) {
    ZipArchive archive = OpenToolArchive(path);
    EncyclopediaPair<MemberList> found = FindEncyclopediaMembers(archive.Members());
    requireOneOfEach(found, archive);
    const MemberInfo& titles = found.Titles.front();
    const MemberInfo& contents = found.Contents.front();
    SourceFiles files;
    files.Names = {MemberLabel(archive, titles), MemberLabel(archive, contents)};
    files.Texts.Titles = DecodeEncyclopediaFile(ReadToolMember(archive, titles));
    files.Texts.Contents = DecodeEncyclopediaFile(ReadToolMember(archive, contents));
    return files;
}

} // namespace krel::cli
