// Random encyclopedias run through the indexed store and through a plain reading of the rules
// (linear scans, first match in list order); both must give the same records, rows and merges.

#include "Records.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Parser.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace krel::test {
namespace {

using List = std::vector<T_EncEntry>;
using Rows = std::vector<std::pair<size_t, bool>>;

// --- The plain reading ---

bool same(std::string_view a, std::string_view b) {
    auto up = [](char c) {
        return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return up(x) == up(y); });
}

size_t firstOf(const List& list, auto matches) {
    for (size_t i = 0; i < list.size(); ++i)
        if (matches(list[i]))
            return i;
    return Encyclopedia::npos;
}

std::string titleOf(const T_EncEntry& header) {
    return header.Content.substr(0, header.Content.find(':'));
}

std::vector<std::string> membersOf(const T_EncEntry& header) {
    size_t colon = header.Content.find(':');
    return colon == std::string::npos ? std::vector<std::string>{}
                                      : SplitCommaList(header.Content.substr(colon + 1));
}

std::pair<List, std::vector<T_RawEntry>> plainParse(const std::string& titles,
                                                    const std::string& contents) {
    List list;
    std::vector<T_RawEntry> waiting;
    for (const std::string* file : {&titles, &contents}) {
        std::vector<std::string> lines = ReadEncyclopediaLines(*file);
        for (size_t i = 0; i < lines.size();) {
            std::string candidate = lines[i++];
            while (i < lines.size() && lines[i].find('|') == std::string::npos &&
                   lines[i].find("\\*") == std::string::npos)
                candidate += lines[i++];
            auto line = CutRecordLine(candidate);
            if (!line || line->Code == KindCode::None)
                continue;
            if (line->Code == KindCode::EGH) {
                list.push_back(Header(line->Tag, line->Value));
            } else if (line->Code == KindCode::EGT) {
                T_EncEntry entry = Entry(line->Tag, line->Value);
                for (const T_RawEntry& raw : waiting)
                    if (same(raw.Tag, entry.Tag))
                        FieldFor(entry, raw.Kind) = raw.Text;
                std::erase_if(waiting,
                              [&](const T_RawEntry& raw) { return same(raw.Tag, entry.Tag); });
                list.push_back(entry);
            } else {
                T_RawEntry raw{line->Tag, T_RawKind(int(line->Code) - int(KindCode::EGI)),
                               line->Value};
                size_t at = firstOf(
                    list, [&](auto& r) { return r.Kind == ekEntry && same(r.Tag, raw.Tag); });
                if (at == Encyclopedia::npos)
                    waiting.push_back(raw);
                else
                    FieldFor(list[at], raw.Kind) = raw.Text;
            }
        }
    }
    return {list, waiting};
}

bool plainLess(const T_EncEntry& a, const T_EncEntry& b) {
    if (a.Kind != b.Kind)
        return a.Kind < b.Kind;
    if (a.Kind == ekHeader)
        return std::stoi(a.Tag) < std::stoi(b.Tag);
    return std::lexicographical_compare(
        a.Title.begin(), a.Title.end(), b.Title.begin(), b.Title.end(),
        [](char x, char y) { return (unsigned char)x < (unsigned char)y; });
}

// The plain reading of a reordering: a stable sort, then the headers numbered in order.
List plainReorder(List list) {
    std::stable_sort(list.begin(), list.end(), plainLess);
    int number = 1;
    for (T_EncEntry& record : list)
        if (record.Kind == ekHeader)
            record.Tag = FormatHeaderTag(number++);
    return list;
}

Rows plainToc(List& list) {
    list = plainReorder(std::move(list));
    Rows rows;
    for (size_t h = 0; h < list.size(); ++h) {
        if (list[h].Kind != ekHeader)
            continue;
        rows.emplace_back(h, true);
        for (const std::string& tag : membersOf(list[h])) {
            size_t at = firstOf(list, [&](auto& r) { return same(r.Tag, tag); });
            if (at != Encyclopedia::npos)
                rows.emplace_back(at, true);
        }
    }
    return rows;
}

Rows plainSubjects(const List& list) {
    Rows rows;
    for (size_t l = 0; l < list.size(); ++l) {
        if (list[l].Kind != ekLetter)
            continue;
        size_t first = rows.size();
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].Kind == ekEntry && list[i].Title.starts_with(list[l].Title))
                rows.emplace_back(i, true);
        if (rows.size() > first)
            rows.insert(rows.begin() + long(first), {l, false});
    }
    return rows;
}

Rows plainSearch(const List& list, const std::string& text) {
    Rows rows;
    for (size_t i = 0; i < list.size(); ++i)
        for (const std::string& keyword : SplitCommaList(list[i].Keywords))
            if (list[i].Kind == ekEntry && same(keyword, text)) {
                rows.emplace_back(i, true);
                break;
            }
    return rows;
}

struct PlainMerge {
    MergeResult counts;
    std::vector<std::string> questions;
};

PlainMerge plainMerge(List& list, const List& parsed, bool overwrite, bool confirm,
                      const std::vector<MergeAnswer>& answers) {
    PlainMerge out;
    List temp = parsed;
    std::stable_sort(temp.begin(), temp.end(), plainLess);
    bool all = false, none = false;
    auto replaces = [&](const std::string& tag) {
        if (overwrite)
            return false;
        if (!confirm || all)
            return true;
        if (none)
            return false;
        out.questions.push_back("Duplicate entry found for the tag \"" + tag + "\".  Overwrite?");
        MergeAnswer a = answers[(out.questions.size() - 1) % answers.size()];
        all = a == MergeAnswer::YesToAll;
        none = a == MergeAnswer::NoToAll;
        return a == MergeAnswer::Yes || all;
    };
    for (const T_EncEntry& e : temp) {
        if (e.Kind != ekEntry)
            continue;
        size_t at = firstOf(list, [&](auto& r) { return r.Kind == ekEntry && same(r.Tag, e.Tag); });
        if (at == Encyclopedia::npos)
            list.push_back(e), ++out.counts.ItemsAdded;
        else if (replaces(e.Tag))
            list[at] = e, ++out.counts.ItemsChanged;
    }
    int untitled = 0;
    for (const T_EncEntry& h : temp) {
        if (h.Kind != ekHeader)
            continue;
        bool colonFirst = !h.Content.empty() && h.Content[0] == ':';
        size_t at = firstOf(
            list, [&](auto& r) { return r.Kind == ekHeader && same(titleOf(r), titleOf(h)); });
        if (at != Encyclopedia::npos && !colonFirst) {
            if (replaces(h.Tag))
                list[at].Content = h.Content, ++out.counts.ItemsChanged;
        } else if (!colonFirst || untitled == 0) {
            untitled = colonFirst ? 1 : 0;
            list.push_back(h), ++out.counts.ItemsAdded;
        }
    }
    return out;
}

// --- Random encyclopedias ---

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    template <class T> const T& Pick(const std::vector<T>& items) {
        return items[size_t(Below(int(items.size())))];
    }

    std::string Tag() {
        std::string tag;
        for (int n = 1 + Below(5); n > 0; --n)
            tag += "aAbB1"[Below(5)];
        return tag;
    }
    std::string Title() {
        return Pick<std::string>({"Nova", "nova", "Oort", "", "Ion drive", "7"});
    }
    std::string TagList() {
        std::string list = Below(4) ? "" : "\"" + Tag() + " x\",";
        for (int n = Below(4); n > 0; --n)
            list += Tag() + Pick<std::string>({",", " ", ", ", ",,"});
        return list + Tag();
    }
    T_EncEntry Record() {
        if (Below(4) > 0)
            return {ekEntry, Title(), Below(2) ? "pic" : "", TagList(), {}, {}, Tag()};
        std::string title = Pick<std::string>({"Stars", "STARS", "Ships", "", "Ion drive"});
        return Header(Below(3) ? FormatHeaderTag(1 + Below(12)) : std::to_string(Below(30)),
                      Below(4) ? title + ":" + TagList() : title);
    }
    List Records(int count, bool letters) {
        List list;
        for (int i = 0; i < count; ++i)
            list.push_back(Record());
        for (char c = 'A'; letters && c <= 'Z'; ++c)
            list.insert(list.begin() + Below(int(list.size()) + 1), Letter(c));
        return list;
    }

    // A titles or contents file in either encoding with every kind of line the reader meets.
    std::string File() {
        std::string text = "any first line\r\n";
        for (int n = Below(30); n > 0; --n) {
            std::string tag = Tag(), value = Title() + Pick<std::string>({"", "\"", " q\"t\" "});
            std::string code =
                Pick<std::string>({"EGH", "EGT", "EGT", "EGI", "EGK", "EGR", "EGC", "EGX"});
            text += Below(3) ? "|" + code + "_" + tag + "|\"" + value + "\""
                             : "\\*" + code + "_" + tag + " " + value;
            text += Pick<std::string>({"\r\n", "\r\n", "\n", "\r", "\r\ncontinued\r\n", "\r\n\r\n",
                                       "\r\nstray|line\r\n"});
        }
        return Below(2) ? EncodeEncyclopediaText(text) : text;
    }

private:
    std::mt19937 rng_;
};

// --- The comparisons ---

void expectSameLookups(const Encyclopedia& store, const List& list, Generator& random) {
    for (int q = 0; q < 12; ++q) {
        std::string tag = random.Tag(),
                    title = random.Pick<std::string>({"stars", "Ships", "", "ion DRIVE", "x"});
        size_t byTag = firstOf(list, [&](auto& r) { return same(r.Tag, tag); });
        EXPECT_EQ(store.IndexOf(store.GetEntryByTag(tag)), byTag) << tag;
        EXPECT_EQ(store.GetTagTitle(tag), byTag == Encyclopedia::npos ? "" : list[byTag].Title);
        size_t header =
            firstOf(list, [&](auto& r) { return r.Kind == ekHeader && same(titleOf(r), title); });
        EXPECT_EQ(store.IndexOf(store.GetHeaderByTitle(title)), header) << title;
    }
    for (size_t i = 0; i < list.size(); ++i) {
        const T_EncEntry& e = list[i];
        size_t header = firstOf(list, [&](auto& r) {
            auto items = membersOf(r);
            return r.Kind == ekHeader && e.Kind == ekEntry && !e.Tag.empty() &&
                   std::find(items.begin(), items.end(), e.Tag) != items.end();
        });
        EXPECT_EQ(store.IndexOf(store.GetHeader(store.At(i))), header) << e.Tag;
    }
}

// Changes both lists the same way, so lookups after appends, overwrites and removals show
// whether the store's indexes follow its list.
void changeBoth(Encyclopedia& store, List& list, Generator& random) {
    T_EncEntry record = random.Record();
    size_t at = size_t(random.Below(int(list.size()) + 1));
    if (at == list.size() || random.Below(3) == 0) {
        store.Append(record), list.push_back(record);
    } else if (random.Below(2)) {
        store.Update(store.At(at), record), list[at] = record;
    } else {
        store.Remove(store.At(at)), list.erase(list.begin() + long(at));
    }
}

TEST(Differential, IndexedStoreAgreesWithPlainScans) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        SCOPED_TRACE(seed);
        Generator random(seed);

        std::string titles = random.File(), contents = random.File();
        ParseResult parsed = ParseEncyclopedia(titles, contents);
        auto [plainList, plainOrphans] = plainParse(titles, contents);
        ASSERT_EQ(parsed.Records, plainList);
        ASSERT_EQ(parsed.Orphans, plainOrphans);

        List list = random.Records(random.Below(40), random.Below(4) > 0);
        Encyclopedia store;
        store.Replace(list);
        for (int step = 0; step < 6; ++step) {
            expectSameLookups(store, list, random);
            changeBoth(store, list, random);
        }

        std::string search = random.Tag();
        RecordingSink sink(store);
        BuildKeyword(store, search, sink);
        EXPECT_EQ(sink.rows, plainSearch(list, search));
        BuildSubjectIndex(store, sink, {});
        EXPECT_EQ(sink.rows, plainSubjects(list));
        BuildTOC(store, sink, {});
        EXPECT_EQ(sink.rows, plainToc(list));
        ASSERT_EQ(store.Snapshot(), list);

        List incoming = random.Records(random.Below(30), false);
        bool overwrite = random.Below(3) == 0, confirm = random.Below(2);
        std::vector<MergeAnswer> answers;
        for (int n = 1 + random.Below(4); n > 0; --n)
            answers.push_back(MergeAnswer(random.Below(4)));
        std::vector<std::string> asked;
        MergeOptions options{overwrite, confirm, [&](const std::string& question) {
                                 asked.push_back(question);
                                 return answers[(asked.size() - 1) % answers.size()];
                             }};
        MergeResult merged = MergeParsed(store, incoming, options);
        PlainMerge plain = plainMerge(list, incoming, overwrite, confirm, answers);
        EXPECT_EQ(asked, plain.questions);
        EXPECT_EQ(merged.ItemsAdded, plain.counts.ItemsAdded);
        EXPECT_EQ(merged.ItemsChanged, plain.counts.ItemsChanged);
        ASSERT_EQ(store.Snapshot(), list);
        expectSameLookups(store, list, random);
    }
}

// A reordering after changes puts only the changed records in place (by a search for a few, by
// one walk for many), knowing the rest in order from the reordering before (or from where an
// undo or a redo put the list); it must still give what a sort of the whole list gives, equal
// keys included.
TEST(Differential, ReorderingAfterChangesSortsLikeTheWholeList) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Generator random(seed);
        Encyclopedia store;
        store.Replace(random.Records(100 + random.Below(100), true));
        store.KeepJournal(true);
        store.ReorderEncyclopedia();
        for (int round = 0; round < 4; ++round) {
            for (int n = random.Below(int(store.Count() / 3) + 1); n > 0; --n) {
                const T_EncEntry* some = store.At(size_t(random.Below(int(store.Count()))));
                switch (random.Below(3)) {
                case 0:
                    store.Append(random.Record());
                    break;
                case 1:
                    store.Update(some, random.Record());
                    break;
                default:
                    store.Remove(some);
                }
            }
            const List expected = plainReorder(store.Snapshot());
            store.ReorderEncyclopedia();
            ASSERT_EQ(store.Snapshot(), expected) << "round " << round;
            ListChange change = store.TakeJournal();
            store.Undo(change);
            if (random.Below(2))
                store.Redo(change);
        }
    }
}

std::vector<RecordId> idsOf(const Encyclopedia& store) {
    std::vector<RecordId> ids;
    for (const auto& record : store.GetEntryList())
        ids.push_back(store.IdOf(record.get()));
    return ids;
}

// One change of any kind the editor makes, to a random record.
void changeAny(Encyclopedia& store, Generator& random) {
    const T_EncEntry* some =
        store.Count() ? store.At(size_t(random.Below(int(store.Count())))) : nullptr;
    switch (some ? random.Below(9) : 0) {
    case 0:
        return void(store.Append(random.Record()));
    case 1:
        return store.Update(some, random.Record());
    case 2:
        return void(store.Remove(some));
    case 3:
        return store.Modify(some, [&](T_EncEntry& record) {
            record.Tag = record.Kind == ekHeader ? std::to_string(random.Below(9)) : random.Tag();
        });
    case 4:
        return store.ReorderEncyclopedia();
    case 5:
        return store.AddEntryToHeader(some, store.At(0));
    case 6:
        return store.RemoveEntryFromHeader(store.At(0), some);
    case 7:
        return store.Replace(random.Records(random.Below(8), false));
    default:
        MergeOptions options;
        options.Overwrite = random.Below(2) == 0;
        MergeParsed(store, random.Records(random.Below(8), false), options);
    }
}

// The list at one moment as a plain copy would keep it: records and identities.
struct Copy {
    List records;
    std::vector<RecordId> ids;
    bool operator==(const Copy&) const = default;
};

Copy copyOf(const Encyclopedia& store) {
    return {store.Snapshot(), idsOf(store)};
}

// Steps of any mix of changes, each taken from the journal, are undone one by one back to the
// first list and redone one by one to the last: every list on the way is exactly the plain copy
// taken there, records and identities alike, and the lookups, kept through all of it, agree
// with plain scans every time.
TEST(Differential, UndoAndRedoStepByStepGiveBackThePlainCopies) {
    for (unsigned seed = 1; seed <= 800; ++seed) {
        SCOPED_TRACE(seed);
        Generator random(seed);
        Encyclopedia store;
        store.Replace(random.Records(random.Below(30), random.Below(2)));
        store.KeepJournal(true);
        std::vector<Copy> copies{copyOf(store)};
        std::vector<ListChange> steps;
        for (int step = 1 + random.Below(4); step > 0; --step) {
            for (int change = random.Below(4); change >= 0; --change)
                changeAny(store, random);
            steps.push_back(store.TakeJournal());
            copies.push_back(copyOf(store));
        }
        for (size_t i = steps.size(); i-- > 0;) {
            store.Undo(steps[i]);
            ASSERT_EQ(copyOf(store), copies[i]) << "undo " << i;
            expectSameLookups(store, copies[i].records, random);
        }
        for (size_t i = 0; i < steps.size(); ++i) {
            store.Redo(steps[i]);
            ASSERT_EQ(copyOf(store), copies[i + 1]) << "redo " << i;
            expectSameLookups(store, copies[i + 1].records, random);
        }
    }
}

} // namespace
} // namespace krel::test
