#include "cli/Check.h"

#include "common/TextCodec.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace krel::cli {
namespace {

using Problems = std::vector<Problem>;
using Record = const T_EncEntry*;

// The page shown when a header or a letter is selected; it needs no header of its own.
const std::string kDefaultPageTag = "EROR";
// Header numbers are written with four characters.
constexpr size_t kLargestHeaderNumber = 9999;

std::string utf8(std::string_view text) {
    return Cp1252ToUtf8(text);
}
std::string quotedText(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool isWritten(const T_EncEntry& record) {
    return record.Kind != ekLetter;
}
std::string kindWord(const T_EncEntry& record) {
    return record.Kind == ekHeader ? "header" : "entry";
}

void forEachOfKind(const Encyclopedia& book, T_EntryKind kind,
                   const std::function<void(const T_EncEntry&)>& visit) {
    for (const auto& record : book.GetEntryList())
        if (record->Kind == kind)
            visit(*record);
}

void forEachMember(const Encyclopedia& book,
                   const std::function<void(const T_EncEntry&, const std::string&)>& visit) {
    forEachOfKind(book, ekHeader, [&](const T_EncEntry& header) {
        for (const std::string& item : SplitCommaList(HeaderMembers(header.Content)))
            visit(header, item);
    });
}

void checkTagLengths(const Encyclopedia& book, Problems& problems) {
    for (const auto& record : book.GetEntryList())
        if (isWritten(*record) && record->Tag.size() != 4)
            problems.push_back({"tag-length", record->Tag,
                                "the " + kindWord(*record) + "'s tag has " +
                                    std::to_string(record->Tag.size()) + " characters, not 4"});
}

void checkDuplicateTags(const Encyclopedia& book, Problems& problems) {
    std::unordered_map<std::string, int> uses;
    std::vector<Record> firstUsers;
    for (const auto& record : book.GetEntryList())
        if (isWritten(*record) && uses[FoldCase(record->Tag)]++ == 0)
            firstUsers.push_back(record.get());
    for (Record first : firstUsers) {
        int count = uses[FoldCase(first->Tag)];
        if (count > 1)
            problems.push_back({"duplicate-tag",
                                first->Tag,
                                std::to_string(count) +
                                    " records use this tag (letter case ignored); lookups by tag "
                                    "reach only the first",
                                {{"count", count}}});
    }
}

bool isDecimal(std::string_view tag) {
    return !tag.empty() &&
           std::all_of(tag.begin(), tag.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Compares two decimal numbers of any length by value.
bool numberBefore(Record a, Record b) {
    auto significant = [](const std::string& digits) {
        size_t start = std::min(digits.find_first_not_of('0'), digits.size());
        return std::string_view(digits).substr(start);
    };
    std::string_view x = significant(a->Tag), y = significant(b->Tag);
    return x.size() != y.size() ? x.size() < y.size() : x < y;
}

// A header number must be decimal for the table of contents to be built, and rebuilding it
// numbers the headers 1, 2, ... in order, so headers beyond the 9999th get numbers that a saved
// file cannot hold.
void checkHeaderNumbers(const Encyclopedia& book, Problems& problems) {
    std::vector<Record> numbered;
    forEachOfKind(book, ekHeader, [&](const T_EncEntry& header) {
        if (isDecimal(header.Tag))
            numbered.push_back(&header);
        else
            problems.push_back({"header-number", header.Tag,
                                "the header number is not a decimal number, so the table of "
                                "contents cannot be built"});
    });
    std::stable_sort(numbered.begin(), numbered.end(), numberBefore);
    for (size_t i = kLargestHeaderNumber; i < numbered.size(); ++i)
        problems.push_back({"header-number", numbered[i]->Tag,
                            "rebuilding the table of contents numbers this header " +
                                std::to_string(i + 1) + ", which does not fit in four characters"});
}

void checkMembers(const Encyclopedia& book, Problems& problems) {
    forEachMember(book, [&](const T_EncEntry& header, const std::string& item) {
        if (book.GetEntryByTag(item) == nullptr)
            problems.push_back({"dangling-member",
                                header.Tag,
                                "the header lists " + quotedText(item) + ", which names no record",
                                {{"member", utf8(item)}}});
    });
}

void checkRelated(const Encyclopedia& book, Problems& problems) {
    forEachOfKind(book, ekEntry, [&](const T_EncEntry& entry) {
        for (const std::string& item : SplitCommaList(entry.Related))
            if (book.GetEntryByTag(item) == nullptr)
                problems.push_back(
                    {"dangling-related",
                     entry.Tag,
                     "the entry links to " + quotedText(item) + ", which names no record",
                     {{"related", utf8(item)}}});
    });
}

std::string lineCode(T_RawKind kind) {
    switch (kind) {
    case rkImage:
        return "EGI";
    case rkKeywords:
        return "EGK";
    case rkRelated:
        return "EGR";
    case rkContent:
        break;
    }
    return "EGC";
}

void checkOrphans(const std::vector<T_RawEntry>& orphans, Problems& problems) {
    for (const T_RawEntry& raw : orphans)
        problems.push_back(
            {"orphan-attribute",
             raw.Tag,
             "an " + lineCode(raw.Kind) + " line names no entry with this tag and was dropped",
             {{"line", lineCode(raw.Kind)}, {"value", utf8(raw.Text)}}});
}

struct Field {
    const char* Name;
    std::string T_EncEntry::*Member;
    bool InTitlesFile;
};

const std::vector<Field>& fieldsOf(const T_EncEntry& record) {
    static const std::vector<Field> header = {{"content", &T_EncEntry::Content, true}};
    static const std::vector<Field> entry = {{"title", &T_EncEntry::Title, true},
                                             {"image", &T_EncEntry::Image, true},
                                             {"keywords", &T_EncEntry::Keywords, true},
                                             {"related", &T_EncEntry::Related, true},
                                             {"content", &T_EncEntry::Content, false}};
    return record.Kind == ekHeader ? header : entry;
}

// A line break splits the value's line on reading; in the titles file the reader also deletes
// the value's first double quote (the body text keeps its quotes).
const char* lostCharacter(std::string_view value, bool inTitlesFile) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return "a line break";
    if (inTitlesFile && value.find('"') != std::string_view::npos)
        return "a double quote";
    return nullptr;
}

void checkValues(const Encyclopedia& book, Problems& problems) {
    for (const auto& record : book.GetEntryList()) {
        if (!isWritten(*record))
            continue;
        for (const Field& field : fieldsOf(*record))
            if (const char* lost = lostCharacter((*record).*field.Member, field.InTitlesFile))
                problems.push_back({"unsafe-value",
                                    record->Tag,
                                    std::string("the ") + field.Name + " holds " + lost +
                                        ", which does not survive a save",
                                    {{"field", field.Name}}});
    }
}

void checkUnlisted(const Encyclopedia& book, Problems& problems) {
    std::unordered_set<Record> listed;
    forEachMember(book, [&](const T_EncEntry&, const std::string& item) {
        listed.insert(book.GetEntryByTag(item));
    });
    Record defaultPage = book.GetEntryByTag(kDefaultPageTag);
    forEachOfKind(book, ekEntry, [&](const T_EncEntry& entry) {
        if (listed.count(&entry) == 0 && &entry != defaultPage)
            problems.push_back({"unlisted-entry", entry.Tag,
                                "no header lists this entry, so the table of contents does not "
                                "show it"});
    });
}

void checkDefaultPage(const Encyclopedia& book, Problems& problems) {
    if (book.GetEntryOnlyByTag(kDefaultPageTag) == nullptr)
        problems.push_back({"no-default-page", kDefaultPageTag,
                            "no entry has this tag; it is the page shown when a header or a "
                            "letter is selected"});
}

} // namespace

std::vector<Problem> CheckEncyclopedia(const Encyclopedia& book,
                                       const std::vector<T_RawEntry>& orphans) {
    Problems problems;
    checkTagLengths(book, problems);
    checkDuplicateTags(book, problems);
    checkHeaderNumbers(book, problems);
    checkMembers(book, problems);
    checkRelated(book, problems);
    checkOrphans(orphans, problems);
    checkValues(book, problems);
    checkUnlisted(book, problems);
    checkDefaultPage(book, problems);
    return problems;
}

std::string ProblemLine(const Problem& problem) {
    return problem.Code + " " + utf8(quotedText(problem.Tag)) + ": " + utf8(problem.Message);
}

Json ProblemToJson(const Problem& problem) {
    Json json;
    json["problem"] = problem.Code;
    json["tag"] = utf8(problem.Tag);
    for (const auto& [key, value] : problem.Details.items())
        json[key] = value;
    json["message"] = utf8(problem.Message);
    return json;
}

} // namespace krel::cli
