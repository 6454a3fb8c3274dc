#include "cli/Archive.h"
#include "cli/Source.h"
#include "common/TextCodec.h"

#include <string_view>
#include <vector>

namespace krel::cli {
namespace {

constexpr std::string_view kTitlesPart = "wsEncyclopediaTitles.txt";
constexpr std::string_view kContentsPart = "wsEncyclopedia.txt";

struct PairMembers {
    std::vector<std::string> Titles;
    std::vector<std::string> Contents;
};

// The titles name does not contain the contents name, so no member counts as both.
PairMembers findPairMembers(const std::vector<ZipDirEntry>& members) {
    PairMembers found;
    for (const ZipDirEntry& member : members) {
        if (member.FileName.find(kTitlesPart) != std::string::npos)
            found.Titles.push_back(member.FileName);
        else if (member.FileName.find(kContentsPart) != std::string::npos)
            found.Contents.push_back(member.FileName);
    }
    return found;
}

// "no titles member", "1 titles member (a\x.txt)", "2 titles members (a, b)"
std::string describe(const std::vector<std::string>& names, const std::string& kind) {
    if (names.empty())
        return "no " + kind + " member";
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + Cp1252ToUtf8(name);
    std::string plural = names.size() > 1 ? "s" : "";
    return std::to_string(names.size()) + " " + kind + " member" + plural + " (" + list + ")";
}

void requireOneOfEach(const PairMembers& found, const ArchiveReader& archive) {
    if (found.Titles.size() == 1 && found.Contents.size() == 1)
        return;
    throw ESourceError("'" + archive.Label() +
                       "': an encyclopedia archive holds exactly one member whose name contains " +
                       std::string(kTitlesPart) + " and one whose name contains " +
                       std::string(kContentsPart) + "; this one holds " +
                       describe(found.Titles, "titles") + " and " +
                       describe(found.Contents, "contents"));
}

} // namespace

SourceFiles ReadArchiveSource(const std::filesystem::path& path) {
    ArchiveReader archive(path);
    PairMembers found = findPairMembers(archive.Members());
    requireOneOfEach(found, archive);
    SourceFiles files;
    files.TitlesName = archive.MemberLabel(found.Titles.front());
    files.ContentsName = archive.MemberLabel(found.Contents.front());
    files.Titles = DecodeEncyclopediaFile(archive.ExtractWhole(found.Titles.front()));
    files.Contents = DecodeEncyclopediaFile(archive.ExtractWhole(found.Contents.front()));
    return files;
}

} // namespace krel::cli
