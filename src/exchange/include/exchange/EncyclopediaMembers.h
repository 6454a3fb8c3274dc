#pragma once
// Which members of an archive hold an encyclopedia, found the one way both the editor's import
// and the command-line tool find them: a member whose name contains "wsEncyclopediaTitles.txt"
// holds the titles, one whose name contains "wsEncyclopedia.txt" the contents (letter case
// significant, in any folder, other members ignored). An archive holds an encyclopedia only
// with exactly one of each.

#include "archive/ZipArchive.h"
#include "common/EncyclopediaFiles.h"

#include <vector>

namespace krel {

using MemberList = std::vector<MemberInfo>;

// Every titles member and every contents member, each list in directory order.
EncyclopediaPair<MemberList> FindEncyclopediaMembers(const MemberList& members);

// Whether the archive holds exactly one member of each.
bool HoldsOneOfEach(const EncyclopediaPair<MemberList>& found);

} // namespace krel
