#include "exchange/EncyclopediaMembers.h"

namespace krel {

// The titles name does not contain the contents name, so no member counts as both.
EncyclopediaPair<MemberList> FindEncyclopediaMembers(const MemberList& members) {
    EncyclopediaPair<MemberList> found;
    for (const MemberInfo& member : members) {
        if (member.ListedName.find(kTitlesFileName) != std::string::npos)
            found.Titles.push_back(member);
        else if (member.ListedName.find(kContentsFileName) != std::string::npos)
            found.Contents.push_back(member);
    }
    return found;
}

bool HoldsOneOfEach(const EncyclopediaPair<MemberList>& found) {
    return found.Titles.size() == 1 && found.Contents.size() == 1;
}

} // namespace krel
