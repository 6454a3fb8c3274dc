#pragma once
// Comparing two encyclopedias: the headers and entries that one adds, removes or changes
// against the other, and in which fields. What a modder reviews before sharing a mod, and what
// the diff command and the changes window show.
//
// Entries are the same entry when their tags are equal, letter case ignored; a tag that one
// encyclopedia repeats pairs its occurrences in list order. Header numbers change whenever the
// table of contents is rebuilt, so they say nothing about identity: a header is the same
// header as one of the other side with the same title (letter case ignored, repeated titles
// paired in order); a header whose title the other side lacks is the same as one there that
// has no partner yet and lists the same members, so a renamed header reads as changed, not as
// removed and added. Letter rows are not compared.

#include "encyclopedia/Encyclopedia.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

enum class Field : std::uint16_t {
    Tag = 1 << 0,      // entries: the tag's letter case
    Title = 1 << 1,    // entries and headers
    Text = 1 << 2,     // entries: the body text
    Picture = 1 << 3,  // entries
    Keywords = 1 << 4, // entries
    Links = 1 << 5,    // entries: the related tags
    Header = 1 << 6,   // entries: the headers that list it
    Members = 1 << 7,  // headers: the tags listed, or their order
    Order = 1 << 8,    // entries: the place among the members of a header listing it on both
                       // sides; headers: the place among the headers
};

class FieldSet {
public:
    FieldSet() = default;
    FieldSet(std::initializer_list<Field> fields);

    void Add(Field field) { bits_ |= static_cast<std::uint16_t>(field); }
    bool Has(Field field) const { return (bits_ & static_cast<std::uint16_t>(field)) != 0; }
    bool Empty() const { return bits_ == 0; }
    // In the order of the enumeration.
    std::vector<Field> Fields() const;

    bool operator==(const FieldSet&) const = default;

private:
    std::uint16_t bits_ = 0;
};

// "tag", "title", "text", "picture", "keywords", "links", "header", "members", "order"
std::string_view FieldName(Field field);
// The names of the fields joined by ", ", e.g. "text, keywords".
std::string FieldNames(const FieldSet& fields);

// Where the table of contents shows an entry: the title of a header listing it and its place
// among that header's member rows, counted from 1.
struct Placement {
    std::string Header;
    size_t Position = 0;

    bool operator==(const Placement&) const = default;
};

// One side's version of a record, copied, so a comparison outlives changes to either side.
struct RecordVersion {
    T_EncEntry Record;
    std::vector<Placement> Placements; // entries: every header listing it, in header order
    size_t Position = 0;               // headers: the place among the headers, from 1
};

enum class ChangeKind : std::uint8_t { Added, Removed, Changed };

struct RecordChange {
    ChangeKind Change = ChangeKind::Changed;
    T_EntryKind Kind = ekEntry;
    std::optional<RecordVersion> Before; // absent for an added record
    std::optional<RecordVersion> After;  // absent for a removed record
    FieldSet Fields;                     // what differs; empty unless changed

    // The version the change is best named by: after, or before for a removed record.
    const T_EncEntry& Record() const { return After ? After->Record : Before->Record; }
};

struct Comparison {
    // Headers first, then entries; each the changed and added ones in the order of the after
    // side, then the removed ones in the order of the before side. Headers are in the order of
    // the table of contents (by number), entries in list order.
    std::vector<RecordChange> Changes;

    bool Same() const { return Changes.empty(); }
};

// Time and memory grow with the sizes of the two encyclopedias, not with their product.
Comparison CompareEncyclopedias(const Encyclopedia& before, const Encyclopedia& after);

} // namespace krel
