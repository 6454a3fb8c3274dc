// The editing rules, as rows: records before, one edit, the texts after.

#include "encyclopedia/Edits.h"

#include "Records.h"

#include <gtest/gtest.h>

namespace krel::test {
namespace {

using Texts = std::vector<std::string>;

// Each record as one line: a header's tag and text, an entry's tag, title and related list.
Texts textsOf(const Encyclopedia& encyclopedia) {
    Texts texts;
    for (const auto& record : encyclopedia.GetEntryList())
        texts.push_back(record->Kind == ekHeader
                            ? record->Tag + " " + record->Content
                            : record->Tag + " " + record->Title + " [" + record->Related + "]");
    return texts;
}

TEST(Edits, HeaderTextsAndNumbers) {
    EXPECT_EQ(HeaderText("Ships", {}), "Ships");
    EXPECT_EQ(HeaderText("Ships", {"S001", "A B", "Q\"T"}), "Ships:S001,\"A B\",\"Q\"\"T\"");
    EXPECT_EQ(HeaderText("", {"S001"}), ":S001");

    auto book =
        MakeEncyclopedia({Header("0012", "Ships:S001,XXXX,0012,s002,S001"), Entry("S001", "Sloop"),
                          Entry("S002", "Brig"), Header("0003", "Stars")});
    const HeaderDraft draft = DraftOfHeader(*book, *book->At(0));
    EXPECT_EQ(draft.Tag, "0012");
    EXPECT_EQ(draft.Title, "Ships");
    EXPECT_EQ(draft.Members, (Texts{"S001", "S002", "S001"}))
        << "unknown tags and headers are left out, entries keep their own letter case";
    EXPECT_EQ(NextHeaderTag(*book), "0013");
    EXPECT_EQ(NextHeaderTag(*MakeEncyclopedia({Entry("S001", "Sloop")})), "0001");
}

struct MoveCase {
    const char* title;
    Texts headers; // the texts of the three headers afterwards
};

TEST(Edits, MovingAnEntryBetweenHeaders) {
    const std::vector<T_EncEntry> records = {Header("0001", " Worlds :W001,W002"),
                                             Header("0002", "Ships:S001"),
                                             Header("0003", "W001 lore"), Entry("W001", "Ardent")};
    const MoveCase cases[] = {
        {"SHIPS", {" Worlds :W002", "Ships:S001,W001", "W001 lore"}},
        {"(None)", {" Worlds :W002", "Ships:S001", "W001 lore"}},
        {"Worlds", {" Worlds :W001,W002", "Ships:S001", "W001 lore"}}, // the trimmed title: no move
        {" Worlds ", {" Worlds :W002,W001", "Ships:S001", "W001 lore"}},
        {"Nowhere", {" Worlds :W002", "Ships:S001", "W001 lore"}},
        {"w001 LORE", {" Worlds :W002", "Ships:S001", "W001 lore:W001"}},
    };
    for (const MoveCase& c : cases) {
        auto book = MakeEncyclopedia(records);
        MoveToHeader(*book, book->At(3), c.title);
        Texts headers;
        for (size_t i = 0; i < 3; ++i)
            headers.push_back(book->At(i)->Content);
        EXPECT_EQ(headers, c.headers) << c.title;
    }
    // An entry in no header moves only when another title is chosen; every equal title takes it.
    auto book =
        MakeEncyclopedia({Header("0001", "Ships"), Header("0002", "ships:X"), Entry("A001", "A")});
    MoveToHeader(*book, book->At(2), "(none)");
    EXPECT_EQ(book->At(0)->Content, "Ships");
    MoveToHeader(*book, book->At(2), "Ships");
    EXPECT_EQ(textsOf(*book), (Texts{"0001 Ships:A001", "0002 ships:X,A001", "A001 A []"}));
}

TEST(Edits, ARenamedTagFollowsIntoWholeItemsOnly) {
    auto book = MakeEncyclopedia({Header("0001", "A001 Worlds:A001,B002"),
                                  Header("0002", "Ships:C003 A001"), Header("0003", "A001"),
                                  Linked(Entry("B002", "Beta"), "A001,a001,\"A001\""),
                                  Linked(Entry("C003", "Gamma"), "XA001"), Entry("A001", "Alpha")});
    RenameTag(*book, "A001", "B 01");
    EXPECT_EQ(textsOf(*book),
              (Texts{"0001 A001 Worlds:\"B 01\",B002", "0002 Ships:C003 \"B 01\"", "0003 A001",
                     "B002 Beta [\"B 01\",a001,\"B 01\"]", "C003 Gamma [XA001]", "A001 Alpha []"}))
        << "the entry's own tag is the caller's to change";
}

// The entry editor's answer applied: header first, then the tag everywhere, then the fields.
TEST(Edits, AnEditedEntry) {
    struct Case {
        const char* label;
        EntryDraft draft;
        Texts after;
    };
    const T_EncEntry ardent = Linked(Entry("W001", "Ardent"), "S001");
    const Case cases[] = {
        {"title only",
         {Linked(Entry("W001", "Ardent Prime"), "S001"), "Worlds"},
         {"0001 Worlds:W001", "0002 Ships:S001,W001", "W001 Ardent Prime [S001]",
          "S001 Sloop [W001,W002]"}},
        {"new tag and header",
         {Linked(Entry("N001", "Nadir"), ""), "ships"},
         {"0001 Worlds:", "0002 Ships:S001,N001", "N001 Nadir []", "S001 Sloop [N001,W002]"}},
        {"no header",
         {Entry("W001", "Ardent"), "(none)"},
         {"0001 Worlds:", "0002 Ships:S001", "W001 Ardent []", "S001 Sloop [W001,W002]"}},
    };
    for (const Case& c : cases) {
        auto book =
            MakeEncyclopedia({Header("0001", "Worlds:W001"), Header("0002", "Ships:S001,W001"),
                              ardent, Linked(Entry("S001", "Sloop"), "W001,W002")});
        ApplyEntryDraft(*book, book->At(2), c.draft);
        EXPECT_EQ(textsOf(*book), c.after) << c.label;
    }
}

TEST(Edits, AddingEntriesAndHeaders) {
    auto book = MakeEncyclopedia({Header("0001", "Worlds"), Entry("W001", "Ardent")});
    EntryDraft draft{Linked(Entry("N001", "Nebula", "gas", "Gas./pDust."), "W001"), "WORLDS"};
    draft.Fields.Kind = ekHeader; // the kind is not the draft's to choose
    const T_EncEntry* added = AddEntry(*book, draft);
    EXPECT_EQ(added, book->At(2));
    EXPECT_EQ(added->Kind, ekEntry);
    EXPECT_EQ(added->Content, "Gas./pDust.");
    AddEntry(*book, {Entry("N002", "Nova"), "(NONE)"});
    const T_EncEntry* header = AddHeader(*book, {"0002", "Ships", {"N002", "W001"}});
    AddHeader(*book, {"0003", "Empty", {}});
    EXPECT_EQ(header->Kind, ekHeader);
    EXPECT_EQ(textsOf(*book), (Texts{"0001 Worlds:N001", "W001 Ardent []", "N001 Nebula [W001]",
                                     "N002 Nova []", "0002 Ships:N002,W001", "0003 Empty"}));

    ApplyHeaderDraft(*book, header, {"0099", "Fleets", {}});
    EXPECT_EQ(textsOf(*book)[4], "0002 Fleets") << "the number stays, no members: bare title";
}

struct DropCase {
    const char* dragged;
    const char* target;
    DropKind kind;
    const char* planned; // the record the plan acts on, "" for none
    Texts after;         // the headers afterwards
};

// Four headers: First lists A001, B002, C003; Second lists D004; Third and Fourth are empty.
std::unique_ptr<Encyclopedia> fourHeaders() {
    return MakeEncyclopedia({Header("0001", "First:A001,B002,C003"), Header("0002", "Second:D004"),
                             Header("0003", "Third"), Header("0004", "Fourth"), Entry("A001", "Aa"),
                             Entry("B002", "Bb"), Entry("C003", "Cc"), Entry("D004", "Dd"),
                             Entry("E005", "Ee")});
}

TEST(Edits, DroppingOneRecordOnAnother) {
    const Texts unchanged = {"0001 First:A001,B002,C003", "0002 Second:D004", "0003 Third",
                             "0004 Fourth"};
    const DropCase cases[] = {
        {"C003",
         "A001",
         DropKind::AfterEntry,
         "A001",
         {"0001 First:A001,C003,B002", "0002 Second:D004", "0003 Third", "0004 Fourth"}},
        {"A001",
         "D004",
         DropKind::AfterEntry,
         "D004",
         {"0001 First:B002,C003", "0002 Second:D004,A001", "0003 Third", "0004 Fourth"}},
        {"A001",
         "0003",
         DropKind::IntoHeader,
         "0003",
         {"0001 First:B002,C003", "0002 Second:D004", "0003 Third:A001", "0004 Fourth"}},
        {"E005",
         "A001",
         DropKind::AfterEntry,
         "A001",
         {"0001 First:A001,E005,B002,C003", "0002 Second:D004", "0003 Third", "0004 Fourth"}},
        {"A001",
         "E005",
         DropKind::AfterEntry,
         "E005", // into no header: out of its own
         {"0001 First:B002,C003", "0002 Second:D004", "0003 Third", "0004 Fourth"}},
        {"0002",
         "0004",
         DropKind::BeforeHeader,
         "0004",
         {"0001 First:A001,B002,C003", "4 Second:D004", "0003 Third", "5 Fourth"}},
        {"0004",
         "0002",
         DropKind::BeforeHeader,
         "0002",
         {"0001 First:A001,B002,C003", "3 Second:D004", "4 Third", "2 Fourth"}},
        {"0004",
         "D004",
         DropKind::BeforeHeader,
         "0002", // a member stands for its header
         {"0001 First:A001,B002,C003", "3 Second:D004", "4 Third", "2 Fourth"}},
        {"0001", "B002", DropKind::None, "", unchanged}, // onto its own member
        {"0001", "E005", DropKind::None, "", unchanged}, // onto an entry in no header
        {"B002", "B002", DropKind::None, "", unchanged},
    };
    for (const DropCase& c : cases) {
        auto book = fourHeaders();
        const T_EncEntry* dragged = book->GetEntryByTag(c.dragged);
        const DropPlan plan = PlanDrop(*book, dragged, book->GetEntryByTag(c.target));
        EXPECT_EQ(plan.Kind, c.kind) << c.dragged << " on " << c.target;
        EXPECT_EQ(plan.Target, book->GetEntryByTag(c.planned)) << c.dragged << " on " << c.target;
        ApplyDrop(*book, dragged, plan);
        Texts headers = textsOf(*book);
        headers.resize(4);
        EXPECT_EQ(headers, c.after) << c.dragged << " on " << c.target;
    }
    auto book = fourHeaders();
    book->Modify(book->At(2), [](T_EncEntry& third) { third.Tag = "III"; });
    const DropPlan plan = PlanDrop(*book, book->At(0), book->At(1));
    EXPECT_THROW(ApplyDrop(*book, book->At(0), plan), std::invalid_argument);
}

} // namespace
} // namespace krel::test
