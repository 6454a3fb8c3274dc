#include "encyclopedia/Indexes.h"

#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <array>

namespace krel {
namespace {

void log(const LogFn& logFn, const std::string& line) {
    if (logFn)
        logFn(line);
}

void addHeaderWithMembers(const Encyclopedia& encyclopedia, const T_EncEntry* header,
                          RowSink& rows) {
    rows.AddRow(header, true);
    CommaListReader members(HeaderMembers(header->Content));
    while (auto tag = members.Next())
        if (const T_EncEntry* member = encyclopedia.GetEntryByTag(*tag))
            rows.AddRow(member, true);
}

// The entries of the list grouped by the first byte of their titles, in list order, so that a
// letter row of one character finds its entries without a scan of the whole list.
class EntriesByInitial {
public:
    explicit EntriesByInitial(const Encyclopedia& encyclopedia) : encyclopedia_(encyclopedia) {
        for (const auto& record : encyclopedia.GetEntryList())
            if (record->Kind == ekEntry && !record->Title.empty())
                groups_[static_cast<unsigned char>(record->Title[0])].push_back(record.get());
    }

    std::vector<const T_EncEntry*> Under(const T_EncEntry& letter) const {
        if (letter.Title.size() == 1)
            return groups_[static_cast<unsigned char>(letter.Title[0])];
        std::vector<const T_EncEntry*> entries;
        for (const auto& record : encyclopedia_.GetEntryList())
            if (record->Kind == ekEntry && record->Title.starts_with(letter.Title))
                entries.push_back(record.get());
        return entries;
    }

private:
    const Encyclopedia& encyclopedia_;
    std::array<std::vector<const T_EncEntry*>, 256> groups_;
};

bool hasKeyword(const T_EncEntry& entry, std::string_view searchText) {
    CommaListReader keywords(entry.Keywords);
    while (auto keyword = keywords.Next())
        if (EqualsIgnoreCase(*keyword, searchText))
            return true;
    return false;
}

} // namespace

void BuildList(Encyclopedia& encyclopedia, ViewMode mode, std::string_view searchText,
               RowSink& rows, const LogFn& logFn) {
    guarded<EEncEditorError>("BuildList()", [&] {
        log(logFn, "Building Index ...");
        if (mode == ViewMode::TableOfContents) {
            log(logFn, "-> Table of Contents");
            BuildTOC(encyclopedia, rows, logFn);
        } else if (mode == ViewMode::SubjectIndex) {
            log(logFn, "-> Subject Index");
            BuildSubjectIndex(encyclopedia, rows, logFn);
        } else {
            log(logFn, "-> Search Index");
            BuildKeyword(encyclopedia, searchText, rows);
        }
    });
}

void BuildTOC(Encyclopedia& encyclopedia, RowSink& rows, const LogFn& logFn) {
    guarded<EEncEditorError>("BuildTOC()", [&] {
        encyclopedia.ReorderEncyclopedia();
        rows.ClearRows();
        // Reordered, the list begins with its headers.
        for (const auto& record : encyclopedia.GetEntryList()) {
            if (record->Kind != ekHeader)
                break;
            addHeaderWithMembers(encyclopedia, record.get(), rows);
        }
        log(logFn, "-> Table of Contents built.");
    });
}

void BuildSubjectIndex(const Encyclopedia& encyclopedia, RowSink& rows, const LogFn& logFn) {
    guarded<EEncEditorError>("BuildSubjectIndex()", [&] {
        log(logFn, "Building Subject Index ...");
        rows.ClearRows();
        EntriesByInitial initials(encyclopedia);
        for (const auto& record : encyclopedia.GetEntryList()) {
            if (record->Kind != ekLetter)
                continue;
            std::vector<const T_EncEntry*> entries = initials.Under(*record);
            if (entries.empty())
                continue;
            rows.AddRow(record.get(), false);
            for (const T_EncEntry* entry : entries)
                rows.AddRow(entry, true);
        }
        log(logFn, "Subject Index Built ...");
    });
}

void BuildKeyword(const Encyclopedia& encyclopedia, std::string_view searchText, RowSink& rows) {
    guarded<EEncEditorError>("BuildKeyword()", [&] {
        rows.ClearRows();
        for (const auto& record : encyclopedia.GetEntryList())
            if (record->Kind == ekEntry && hasKeyword(*record, searchText))
                rows.AddRow(record.get(), true);
    });
}

} // namespace krel
