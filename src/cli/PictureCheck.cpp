#include "archive/ZipNames.h"
#include "cli/Pictures.h"
#include "common/TextCodec.h"

#include <unordered_set>

namespace krel::cli {
namespace {

std::unordered_set<std::string> foldedNameParts(const std::vector<MemberInfo>& members) {
    std::unordered_set<std::string> names;
    for (const MemberInfo& member : members)
        names.insert(FoldNameCase(MemberNamePart(member.ListedName)));
    return names;
}

Problem missingPicture(const T_EncEntry& entry, const std::string& fileName) {
    return {"missing-picture",
            entry.Tag,
            "no member of the picture archive is called \"" + fileName +
                "\", so the entry is shown without its picture",
            {{"image", Cp1252ToUtf8(entry.Image)}}};
}

} // namespace

std::vector<Problem> CheckPictures(const Encyclopedia& book,
                                   const std::vector<MemberInfo>& members) {
    std::unordered_set<std::string> available = foldedNameParts(members);
    std::vector<Problem> problems;
    for (const auto& record : book.GetEntryList()) {
        if (record->Kind != ekEntry || record->Image.empty())
            continue;
        std::string fileName = record->Image + ".PNG";
        if (available.count(FoldNameCase(fileName)) == 0)
            problems.push_back(missingPicture(*record, fileName));
    }
    return problems;
}

} // namespace krel::cli
