#include "encyclopedia/Edits.h"
#include "encyclopedia/TextFormat.h"

namespace krel {
namespace {

// Takes the tag out of every header's members, letter case ignored as the table of contents
// ignores it when it finds the entry of a member.
void unlist(Encyclopedia& encyclopedia, std::string_view tag) {
    for (size_t i = 0; i < encyclopedia.Count(); ++i) {
        const T_EncEntry* header = encyclopedia.At(i);
        if (header->Kind != ekHeader)
            continue;
        std::vector<std::string> members = SplitCommaList(HeaderMembers(header->Content));
        if (std::erase_if(members, [&](const std::string& m) { return EqualsIgnoreCase(m, tag); }))
            encyclopedia.Modify(header, [&](T_EncEntry& edited) {
                edited.Content = HeaderText(HeaderTitle(edited.Content), members);
            });
    }
}

// The members with tag placed so that it is the position-th member naming an entry, as the
// table of contents counts its rows; at the end when the header has fewer.
std::vector<std::string> membersWith(const Encyclopedia& encyclopedia,
                                     std::vector<std::string> members, const std::string& tag,
                                     size_t position) {
    size_t rows = 0;
    for (auto at = members.begin(); at != members.end(); ++at) {
        if (rows + 1 == position) {
            members.insert(at, tag);
            return members;
        }
        if (encyclopedia.GetEntryOnlyByTag(*at))
            ++rows;
    }
    members.push_back(tag);
    return members;
}

void listAt(Encyclopedia& encyclopedia, const T_EncEntry* entry, const Placement& place) {
    const T_EncEntry* header = encyclopedia.GetHeaderByTitle(place.Header);
    if (!header)
        return;
    std::vector<std::string> members = membersWith(
        encyclopedia, SplitCommaList(HeaderMembers(header->Content)), entry->Tag, place.Position);
    encyclopedia.Modify(header, [&](T_EncEntry& edited) {
        edited.Content = HeaderText(HeaderTitle(edited.Content), members);
    });
}

void relist(Encyclopedia& encyclopedia, const T_EncEntry* entry, const RecordVersion& before) {
    for (const Placement& place : before.Placements)
        listAt(encyclopedia, entry, place);
}

bool revertEntry(Encyclopedia& encyclopedia, const RecordChange& change) {
    const T_EncEntry* current =
        change.After ? encyclopedia.GetEntryOnlyByTag(change.After->Record.Tag) : nullptr;
    if (change.After && !current)
        return false;
    if (current)
        unlist(encyclopedia, current->Tag);
    if (!change.Before) {
        encyclopedia.Remove(current);
        return true;
    }
    if (!current) {
        if (encyclopedia.GetEntryOnlyByTag(change.Before->Record.Tag))
            return false;
        current = encyclopedia.Append(change.Before->Record);
    }
    encyclopedia.Update(current, change.Before->Record);
    relist(encyclopedia, current, *change.Before);
    return true;
}

bool revertHeader(Encyclopedia& encyclopedia, const RecordChange& change) {
    const T_EncEntry* current =
        change.After ? encyclopedia.GetHeaderByTitle(HeaderTitle(change.After->Record.Content))
                     : nullptr;
    if (change.After && !current)
        return false;
    if (!change.Before) {
        encyclopedia.Remove(current);
        return true;
    }
    T_EncEntry restored = change.Before->Record;
    restored.Tag = current ? current->Tag : NextHeaderTag(encyclopedia);
    if (current)
        encyclopedia.Update(current, restored);
    else
        encyclopedia.Append(std::move(restored));
    return true;
}

} // namespace

bool RevertChange(Encyclopedia& encyclopedia, const RecordChange& change) {
    if (change.Kind == ekHeader)
        return revertHeader(encyclopedia, change);
    return change.Kind == ekEntry && revertEntry(encyclopedia, change);
}

} // namespace krel
