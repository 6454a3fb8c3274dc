#include "encyclopedia/Edits.h"

#include "common/Blanks.h"
#include "encyclopedia/TextFormat.h"

namespace krel {
namespace {

// The list with every item equal to from (exact bytes) replaced by to; the other items keep
// the text they were written with.
std::string replaceItem(std::string_view list, std::string_view from, std::string_view to) {
    std::string result;
    size_t copied = 0;
    for (const CommaItem& item : ScanCommaList(list)) {
        if (item.Value != from)
            continue;
        result.append(list.substr(copied, item.Start - copied));
        result += BuildCommaList({std::string(to)});
        copied = item.End;
    }
    if (copied == 0)
        return std::string(list);
    result.append(list.substr(copied));
    return result;
}

// The header text with tag inserted right after the first member equal to after; unchanged when
// no member is.
std::string insertAfter(const std::string& content, std::string_view after, std::string_view tag) {
    const size_t colon = content.find(':');
    if (colon == std::string::npos)
        return content;
    CommaListReader items(std::string_view(content).substr(colon + 1));
    while (std::optional<std::string_view> item = items.Next()) {
        if (*item != after)
            continue;
        const size_t at = colon + 1 + items.ItemEnd();
        return content.substr(0, at) + "," + BuildCommaList({std::string(tag)}) +
               content.substr(at);
    }
    return content;
}

void renameMember(Encyclopedia& encyclopedia, const T_EncEntry* header, std::string_view from,
                  std::string_view to) {
    const size_t colon = header->Content.find(':');
    if (colon == std::string::npos ||
        HeaderMembers(header->Content).find(from) == std::string::npos)
        return;
    encyclopedia.Modify(header, [&](T_EncEntry& edited) {
        edited.Content = edited.Content.substr(0, colon + 1) +
                         replaceItem(HeaderMembers(edited.Content), from, to);
    });
}

void renameRelated(Encyclopedia& encyclopedia, const T_EncEntry* entry, std::string_view from,
                   std::string_view to) {
    if (entry->Related.find(from) == std::string::npos)
        return;
    encyclopedia.Modify(
        entry, [&](T_EncEntry& edited) { edited.Related = replaceItem(edited.Related, from, to); });
}

void copyFields(const T_EncEntry& from, T_EncEntry& to) {
    to.Tag = from.Tag;
    to.Title = from.Title;
    to.Keywords = from.Keywords;
    to.Related = from.Related;
    to.Image = from.Image;
    to.Content = from.Content;
}

// Every header from the target on, the dragged one left out, moves one number up.
void moveHeadersUpFrom(Encyclopedia& encyclopedia, const T_EncEntry* target,
                       const T_EncEntry* dragged) {
    bool reached = false;
    for (size_t i = 0; i < encyclopedia.Count(); ++i) {
        const T_EncEntry* header = encyclopedia.At(i);
        reached = reached || header == target;
        if (!reached || header == dragged || header->Kind != ekHeader)
            continue;
        const int next = HeaderNumber(header->Tag) + 1;
        encyclopedia.Modify(header, [&](T_EncEntry& edited) { edited.Tag = std::to_string(next); });
    }
}

void moveHeaderBefore(Encyclopedia& encyclopedia, const T_EncEntry* dragged,
                      const T_EncEntry* target) {
    const int number = HeaderNumber(target->Tag);
    encyclopedia.Modify(dragged, [&](T_EncEntry& edited) { edited.Tag = std::to_string(number); });
    moveHeadersUpFrom(encyclopedia, target, dragged);
}

} // namespace

std::string HeaderText(std::string_view title, const std::vector<std::string>& members) {
    if (members.empty())
        return std::string(title);
    return std::string(title) + ":" + BuildCommaList(members);
}

HeaderDraft DraftOfHeader(const Encyclopedia& encyclopedia, const T_EncEntry& header) {
    HeaderDraft draft{header.Tag, std::string(HeaderTitle(header.Content)), {}};
    CommaListReader tags(HeaderMembers(header.Content));
    while (std::optional<std::string_view> tag = tags.Next())
        if (const T_EncEntry* member = encyclopedia.GetEntryOnlyByTag(*tag))
            draft.Members.push_back(member->Tag);
    return draft;
}

std::string NextHeaderTag(const Encyclopedia& encyclopedia) {
    return FormatHeaderTag(encyclopedia.GetLastHeaderTag() + 1);
}

void MoveToHeader(Encyclopedia& encyclopedia, const T_EncEntry* entry, std::string_view title) {
    const T_EncEntry* header = encyclopedia.GetHeader(entry);
    const std::string_view current = header ? Trimmed(HeaderTitle(header->Content)) : kNoHeader;
    if (title == current)
        return;
    const bool toNone = EqualsIgnoreCase(title, kNoHeader);
    for (size_t i = 0; i < encyclopedia.Count(); ++i) {
        const T_EncEntry* record = encyclopedia.At(i);
        if (record->Kind != ekHeader)
            continue;
        if (record->Content.find(entry->Tag) != std::string::npos)
            encyclopedia.RemoveEntryFromHeader(entry, record);
        if (!toNone && EqualsIgnoreCase(HeaderTitle(record->Content), title))
            encyclopedia.AddEntryToHeader(entry, record);
    }
}

void RenameTag(Encyclopedia& encyclopedia, std::string_view from, std::string_view to) {
    // The names may point into a record that the renaming rewrites.
    const std::string oldTag(from), newTag(to);
    for (size_t i = 0; i < encyclopedia.Count(); ++i) {
        const T_EncEntry* record = encyclopedia.At(i);
        if (record->Kind == ekHeader)
            renameMember(encyclopedia, record, oldTag, newTag);
        else if (record->Kind == ekEntry)
            renameRelated(encyclopedia, record, oldTag, newTag);
    }
}

void ApplyEntryDraft(Encyclopedia& encyclopedia, const T_EncEntry* entry, const EntryDraft& draft) {
    MoveToHeader(encyclopedia, entry, draft.Header);
    if (draft.Fields.Tag != entry->Tag)
        RenameTag(encyclopedia, entry->Tag, draft.Fields.Tag);
    encyclopedia.Modify(entry, [&](T_EncEntry& edited) { copyFields(draft.Fields, edited); });
}

const T_EncEntry* AddEntry(Encyclopedia& encyclopedia, const EntryDraft& draft) {
    T_EncEntry entry;
    entry.Kind = ekEntry;
    copyFields(draft.Fields, entry);
    const T_EncEntry* added = encyclopedia.Append(std::move(entry));
    if (!EqualsIgnoreCase(draft.Header, kNoHeader))
        encyclopedia.AddEntryToHeaderByTitle(added, draft.Header);
    return added;
}

void ApplyHeaderDraft(Encyclopedia& encyclopedia, const T_EncEntry* header,
                      const HeaderDraft& draft) {
    std::string content = HeaderText(draft.Title, draft.Members);
    encyclopedia.Modify(header, [&](T_EncEntry& edited) { edited.Content = std::move(content); });
}

const T_EncEntry* AddHeader(Encyclopedia& encyclopedia, const HeaderDraft& draft) {
    T_EncEntry header;
    header.Kind = ekHeader;
    header.Tag = draft.Tag;
    header.Content = HeaderText(draft.Title, draft.Members);
    return encyclopedia.Append(std::move(header));
}

DropPlan PlanDrop(const Encyclopedia& encyclopedia, const T_EncEntry* dragged,
                  const T_EncEntry* target) {
    if (!target || !dragged || target == dragged || !encyclopedia.Contains(dragged))
        return {};
    if (dragged->Kind == ekEntry && target->Kind == ekHeader)
        return {DropKind::IntoHeader, target};
    if (dragged->Kind == ekEntry && target->Kind == ekEntry)
        return {DropKind::AfterEntry, target};
    if (dragged->Kind == ekHeader && target->Kind == ekHeader)
        return {DropKind::BeforeHeader, target};
    if (dragged->Kind == ekHeader && target->Kind == ekEntry) {
        const T_EncEntry* header = encyclopedia.GetHeader(target);
        if (header && header != dragged)
            return {DropKind::BeforeHeader, header};
    }
    return {};
}

void ApplyDrop(Encyclopedia& encyclopedia, const T_EncEntry* dragged, const DropPlan& plan) {
    if (plan.Kind == DropKind::None)
        return;
    if (plan.Kind == DropKind::BeforeHeader)
        return moveHeaderBefore(encyclopedia, dragged, plan.Target);
    if (const T_EncEntry* from = encyclopedia.GetHeader(dragged))
        encyclopedia.RemoveEntryFromHeader(dragged, from);
    if (plan.Kind == DropKind::IntoHeader)
        return encyclopedia.AddEntryToHeader(dragged, plan.Target);
    if (const T_EncEntry* header = encyclopedia.GetHeader(plan.Target)) {
        encyclopedia.Modify(header, [&](T_EncEntry& edited) {
            edited.Content = insertAfter(edited.Content, plan.Target->Tag, dragged->Tag);
        });
    }
}

} // namespace krel
