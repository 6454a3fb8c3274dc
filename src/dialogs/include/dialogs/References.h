#pragma once
// Which entries count as referenced: an entry's tag occurs, letter case kept, anywhere in the
// Content of some record (header member lists and entry texts alike).

#include "encyclopedia/Encyclopedia.h"

#include <string>
#include <unordered_set>

namespace krel {

// The first record of list whose Content holds tag; nullptr when none does.
const T_EncEntry* FirstRecordHolding(const Encyclopedia::EntryList& list, const std::string& tag);

// The tags of list's entry records that FirstRecordHolding would find a record for, gathered in
// one pass over the texts so that a large encyclopedia is not searched once per entry.
std::unordered_set<std::string> ReferencedTags(const Encyclopedia::EntryList& list);

} // namespace krel
