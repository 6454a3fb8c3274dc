#include "encyclopedia/Indexes.h"

#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>

namespace krel {
namespace {

void log(const LogFn& logFn, const std::string& line) {
    if (logFn)
        logFn(line);
}

void addHeaderWithMembers(const Encyclopedia& encyclopedia, const T_EncEntry* header,
                          RowSink& rows) {
    rows.AddRow(header, true);
    std::string_view members = HeaderMembers(header->Content);
    if (members.empty())
        return;
    for (const std::string& tag : SplitCommaList(members))
        if (const T_EncEntry* member = encyclopedia.GetEntryByTag(tag))
            rows.AddRow(member, true);
}

std::vector<const T_EncEntry*> entriesUnder(const Encyclopedia& encyclopedia,
                                            const T_EncEntry& letter) {
    std::vector<const T_EncEntry*> entries;
    for (const auto& record : encyclopedia.GetEntryList())
        if (record->Kind == ekEntry && record->Title.starts_with(letter.Title))
            entries.push_back(record.get());
    return entries;
}

bool hasKeyword(const T_EncEntry& entry, std::string_view searchText) {
    std::vector<std::string> keywords = SplitCommaList(entry.Keywords);
    return std::any_of(keywords.begin(), keywords.end(), [&](const std::string& keyword) {
        return EqualsIgnoreCase(keyword, searchText);
    });
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
        for (const auto& record : encyclopedia.GetEntryList())
            if (record->Kind == ekHeader)
                addHeaderWithMembers(encyclopedia, record.get(), rows);
        log(logFn, "-> Table of Contents built.");
    });
}

void BuildSubjectIndex(const Encyclopedia& encyclopedia, RowSink& rows, const LogFn& logFn) {
    guarded<EEncEditorError>("BuildSubjectIndex()", [&] {
        log(logFn, "Building Subject Index ...");
        rows.ClearRows();
        for (const auto& record : encyclopedia.GetEntryList()) {
            if (record->Kind != ekLetter)
                continue;
            std::vector<const T_EncEntry*> entries = entriesUnder(encyclopedia, *record);
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
